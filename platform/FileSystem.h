// File-system services of the platform that the name list and the folder
// tree rely on.
#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "framework/afxstr.h"

// The exact names on disk of one folder's entries, read once, so that the
// sources of many renames in that folder are checked against them rather
// than looked up one by one. Each rename made through it keeps it up to
// date.
class CFolderSnapshot {
public:
    // strFolderPath ends with "\".
    explicit CFolderSnapshot(const CString& strFolderPath);
    // Holds nothing: every source is looked up on disk.
    CFolderSnapshot() {}

    // Whether the entry wstrName of the folder wstrFolder (paths on disk)
    // is there under exactly that name, and no other entry answers to it
    // with letter case ignored.
    bool HoldsOnly(const std::wstring& wstrFolder, const std::wstring& wstrName) const;
    // An entry was moved from one path on disk to another.
    void Moved(const std::wstring& wstrOldPath, const std::wstring& wstrNewPath);

private:
    std::wstring m_wstrFolder;
    std::unordered_set<std::wstring> m_names;
    std::unordered_map<std::wstring, int> m_folded;
};

// Renames (or moves) a file or folder from one full path to another. Never
// replaces anything: when the new path exists the call fails and both stay
// as they were. The source must still exist under the exact name on disk
// the platform knows for it (ERROR_FILE_NOT_FOUND otherwise), so that no
// other file, found by a converted or case-folded name, is ever moved; a
// snapshot of the source's folder, when given, tells that without asking
// the disk. Returns 0 on success, else the system's error code.
DWORD RenamePath(const CString& strOldPath, const CString& strNewPath, CFolderSnapshot* pSnapshot = NULL);

// RenamePath for a new name that differs from the old one in letter case
// only (strNewPath is strOldPath with its last part spelt otherwise).
// RenamePath itself sees to such a rename: some file systems (Wine's)
// report it done and keep the old spelling, so it goes through a temporary
// name in the same folder when it must. Returns 0 once the entry is stored
// under the new spelling.
DWORD RenamePathCaseOnly(const CString& strOldPath, const CString& strNewPath);

// The name, as the file system spells it, of the entry that a full path
// without wildcards stands for; empty when there is none.
CString GetStoredName(const CString& strPath);

// The full path that the platform makes of a path (folder parts "." and
// ".." resolved, relative paths against the current folder).
CString GetFullPath(const CString& strPath);

// How the program can use a name read from a folder. Its lines and paths
// are strings of the code page; Windows would turn a name the code page
// cannot hold into its nearest spelling ("a₩b.txt" into "a\b.txt", "café"
// into "cafe"), which may designate another file.
enum NameUse {
    NAME_ORDINARY,  // the code page holds the name exactly
    NAME_COMPOSED,  // decomposed Hangul (as macOS writes names) that the code
                    // page holds once composed: used under the composed
                    // spelling, while the platform reaches the name on disk
    NAME_UNUSABLE,  // neither: no line may stand for it; the tree reaches it
                    // by its short name, where it has one
};

// One entry of a folder, as the enumeration gives it. Everything the tree
// and the name list keep of an entry comes from here.
struct CFolderEntry {
    // The name the program uses for the entry: the name on disk, its
    // composed spelling, or for an unusable name its short (8.3) name,
    // empty when it has none. Every platform call given a path through this
    // name reaches this entry and no other.
    CString strName;
    DWORD dwAttributes;  // FILE_ATTRIBUTE_* flags
    NameUse use = NAME_ORDINARY;
    // For an unusable name only: the name in full, to be shown, and the
    // code page's nearest spelling of it, to order it among the others and
    // tell its type by its extension (never to reach a file).
    std::wstring wstrShown;
    CString strNearName;

    bool IsFolder() const { return (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // The name by which the entry is ordered among the others.
    const CString& OrderName() const { return use == NAME_UNUSABLE ? strNearName : strName; }
};

// Every entry of the folder strFolderPath (ending with "\"), "." and ".."
// left out, in the platform's order, each with its use. A composed name
// or a short name that another entry of the folder would answer to (letter
// case ignored, as the file system ignores it) makes that entry unusable,
// or leaves it without a short name. False, with no entries, when the
// folder cannot be read (gone, refused, a drive without its medium).
bool ReadFolderEntries(const CString& strFolderPath, std::vector<CFolderEntry>& entries);

// True when a file (not a folder) exists under the full path.
bool FileExists(const CString& strPath);

// True when the two names (or paths) designate the same entry name as
// Windows compares names: as wide strings, letter case ignored as the file
// system ignores it.
bool IsSameFileName(const CString& strA, const CString& strB);
