// File-system services of the platform that the name list and the folder
// tree rely on. Every call takes plain full paths ("C:\folder\name", a line
// may add "sub\x" or "..\x") and reaches the disk through their long form,
// so that every name the file system holds can be listed, renamed and
// taken back.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "framework/afxstr.h"

// Which file an entry is, whatever its name: the volume's serial number
// and, where file numbers survive a rename (VOLUME_IDS_HOLD), the file's
// number on it; elsewhere its size and last-write time. Its creation time
// is no key: a file renamed into a name that another just left may take
// that file's creation time (the file system's name tunnelling), as every
// file of a swap or a shift does. All 0 when not known.
struct CFileIdentity {
    DWORD dwVolume = 0;
    ULONGLONG nFileId = 0;
    ULONGLONG nSize = 0;
    ULONGLONG nLastWrite = 0;

    bool IsKnown() const { return nFileId != 0 || nLastWrite != 0; }
    bool operator==(const CFileIdentity& other) const
    {
        return dwVolume == other.dwVolume && nFileId == other.nFileId && nSize == other.nSize &&
               nLastWrite == other.nLastWrite;
    }
    bool operator!=(const CFileIdentity& other) const { return !(*this == other); }
};

// The exact names on disk of one folder's entries, with what each is (its
// identity, whether it is a folder), read once by one call on the folder,
// so that the sources of many renames in that folder are checked against
// them rather than looked up one by one. Each rename made through it keeps
// it up to date. Where the file system does not answer that read (some
// network shares), it holds nothing: every source is looked up on disk,
// whether an entry is a folder is asked of the disk, and every identity is
// unknown.
class CFolderSnapshot {
public:
    // strFolderPath ends with "\".
    explicit CFolderSnapshot(const CString& strFolderPath);
    // Holds nothing: every source is looked up on disk.
    CFolderSnapshot() {}

    // Whether the entry wstrName of the folder wstrFolder (long paths) is
    // there under exactly that name, and no other entry answers to it with
    // letter case ignored.
    bool HoldsOnly(const std::wstring& wstrFolder, const std::wstring& wstrName) const;
    // The identity of the entry named exactly strName in the folder;
    // unknown when there is none.
    CFileIdentity IdentityOf(const CString& strName) const;
    // Whether the entry named exactly strName is a folder (asked of the
    // disk when the folder could not be read).
    bool IsFolder(const CString& strName) const;
    // An entry was moved from one long path to another.
    void Moved(const std::wstring& wstrOldPath, const std::wstring& wstrNewPath);

private:
    struct Entry {
        CFileIdentity identity;
        bool bFolder;
    };
    std::wstring m_wstrFolder;
    bool m_bRead = false;
    std::unordered_map<std::wstring, Entry> m_entries;
    std::unordered_map<std::wstring, int> m_folded;
};

// The identity of the entry at a full path, by a handle on it; unknown when
// there is none. For the odd entry outside a folder read as a snapshot.
CFileIdentity GetFileIdentity(const CString& strPath);

// Renames (or moves) a file or folder from one full path to another. Never
// replaces anything: when the new path exists the call fails and both stay
// as they were. The source must still exist under exactly its name
// (ERROR_FILE_NOT_FOUND otherwise), so that no other file, found by a
// case-folded name, is ever moved; a snapshot of the source's folder, when
// given, tells that without asking the disk. A new name that differs from
// the old one in letter case only is written as spelt: some file systems
// (Wine's) report such a move done and keep the old spelling, so it goes
// through a temporary name in the same folder when it must. Should the
// entry be able to go neither on nor back from there, *pStrStranded (when
// given) receives the full path it was left at, and the error is returned.
// onTemporary, when given, is told the temporary name once the entry is
// under it. Returns 0 on success, else the system's error code.
DWORD RenamePath(const CString& strOldPath, const CString& strNewPath, CFolderSnapshot* pSnapshot = NULL,
                 CString* pStrStranded = NULL,
                 const std::function<void(const CString& strTempName)>& onTemporary = nullptr);

// RenamePath for paths already in their long form (LongPath), as a rename
// of many files in one folder makes them once; *pStrStranded is then a long
// path too.
DWORD RenameLongPath(const std::wstring& wstrOldPath, const std::wstring& wstrNewPath, CFolderSnapshot* pSnapshot,
                     CString* pStrStranded, const std::function<void(const CString& strTempName)>& onTemporary);

// RenamePath for a new name that differs from the old one in letter case
// only (strNewPath is strOldPath with its last part spelt otherwise).
DWORD RenamePathCaseOnly(const CString& strOldPath, const CString& strNewPath, CString* pStrStranded = NULL,
                         const std::function<void(const CString& strTempName)>& onTemporary = nullptr);

// The name, as the file system spells it, of the entry that a full path
// stands for; empty when there is none.
CString GetStoredName(const CString& strPath);

// Attributes of files synced from the cloud whose data is not on the disk
// ("online only"): opening or reading them makes Windows download them.
// This toolchain's headers lack the first two.
#ifndef FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS
#define FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS 0x00400000
#endif
#ifndef FILE_ATTRIBUTE_RECALL_ON_OPEN
#define FILE_ATTRIBUTE_RECALL_ON_OPEN 0x00040000
#endif

// Whether a file of these attributes keeps its data elsewhere, so that
// opening or reading it would fetch it.
inline bool IsOnlineOnlyAttributes(DWORD dwAttributes)
{
    return (dwAttributes &
            (FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS | FILE_ATTRIBUTE_RECALL_ON_OPEN | FILE_ATTRIBUTE_OFFLINE)) != 0;
}

// One entry of a folder, as the enumeration gives it: its exact name on
// disk, its attributes, its last write (UTC) and its size.
struct CFolderEntry {
    CString strName;
    DWORD dwAttributes;  // FILE_ATTRIBUTE_* flags
    FILETIME ftLastWrite;
    ULONGLONG nSize = 0;  // in bytes

    bool IsFolder() const { return (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // Whether its data is elsewhere, so that reading it would fetch it.
    bool IsOnlineOnly() const { return IsOnlineOnlyAttributes(dwAttributes); }
};

// Every entry of the folder strFolderPath (ending with "\"), "." and ".."
// left out, in the platform's order. False, with no entries, when the
// folder cannot be read (gone, refused, a drive without its medium).
bool ReadFolderEntries(const CString& strFolderPath, std::vector<CFolderEntry>& entries);

// True when a file (not a folder) exists under the full path.
bool FileExists(const CString& strPath);

// True when the two names (or paths) designate the same entry name as
// Windows compares names: letter case ignored as the file system ignores it.
bool IsSameFileName(const CString& strA, const CString& strB);
