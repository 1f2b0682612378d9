// File-system services of the platform that the name list and the folder
// tree rely on.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/afxstr.h"

// Renames (or moves) a file or folder from one full path to another. Never
// replaces anything: when the new path exists the call fails and both stay
// as they were. Returns 0 on success, else the system's error code.
DWORD RenamePath(const CString& strOldPath, const CString& strNewPath);

// RenamePath for a new name that differs from the old one in letter case
// only (strNewPath is strOldPath with its last part spelt otherwise): some
// file systems (Wine's) report such a rename done and keep the old
// spelling, so it goes through a temporary name in the same folder when it
// must. Returns 0 once the entry is stored under the new spelling.
DWORD RenamePathCaseOnly(const CString& strOldPath, const CString& strNewPath);

// The name, as the file system spells it, of the entry that a full path
// without wildcards stands for; empty when there is none.
CString GetStoredName(const CString& strPath);

// The full path that the platform makes of a path (folder parts "." and
// ".." resolved, relative paths against the current folder).
CString GetFullPath(const CString& strPath);

// One entry of a folder, as the enumeration gives it. Everything the tree
// keeps of an entry comes from here, so that a name needing more than the
// code page (its exact wide spelling, another way to reach it) can be
// carried by this record alone.
struct CFolderEntry {
    CString strName;     // the name on disk
    DWORD dwAttributes;  // FILE_ATTRIBUTE_* flags
    bool IsFolder() const { return (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};

// Every entry of the folder strFolderPath (ending with "\"), "." and ".."
// left out, in the platform's order. False, with no entries, when the
// folder cannot be read (gone, refused, a drive without its medium).
bool ReadFolderEntries(const CString& strFolderPath, std::vector<CFolderEntry>& entries);

// True when a file (not a folder) exists under the full path.
bool FileExists(const CString& strPath);

// True when the two names (or paths) designate the same entry name as
// Windows compares names: as wide strings, letter case ignored as the file
// system ignores it.
bool IsSameFileName(const CString& strA, const CString& strB);
