// The files of rename journals in %LOCALAPPDATA%\Quorvel\: one per rename
// under way, written by the rename that owns it and read back by a later
// start of the program when that rename never ended. Also what recovery
// reads of the disk: a folder's entries with what tells each file apart,
// and which volumes are there.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/afxstr.h"
#include "platform/FileSystem.h"

// What tells a file apart whatever its name: its identity where the volume
// keeps file IDs across a rename, else its size and times (100 ns units
// since 1601, as FILETIME).
struct CFileKey {
    CFileIdentity identity;
    ULONGLONG nSize = 0;
    ULONGLONG nWriteTime = 0;
    ULONGLONG nCreationTime = 0;

    bool HasTimes() const { return nWriteTime != 0 || nCreationTime != 0; }
};

// One entry of a folder, with its key.
struct CKeyedEntry {
    CString strName;
    CFileKey key;
    bool bFolder = false;
};

// A folder read once for recovery.
struct CKeyedFolder {
    bool bRead = false;           // false: the folder could not be opened
    DWORD dwVolume = 0;           // the serial of the volume it is on
    bool bIdentitiesHold = false; // NTFS or ReFS: file IDs survive a rename
    std::vector<CKeyedEntry> entries;
};

// Reads the folder strFolderPath (ending with "\") in one pass.
CKeyedFolder ReadKeyedFolder(const CString& strFolderPath);
// The key of the entry at a full path (a name a line moved out of its
// folder, an item renamed by its label); false when nothing is there.
// *pbIdentitiesHold, when given, tells whether its volume keeps file IDs
// across a rename.
bool ReadEntryKey(const CString& strPath, CFileKey& key, bool* pbIdentitiesHold = NULL);
// Whether the volume of the folder strFolderPath keeps file IDs across a
// rename (NTFS, ReFS), with its serial in dwVolume.
bool VolumeKeepsIdentities(const CString& strFolderPath, DWORD& dwVolume);
// Whether a volume with this serial is mounted now.
bool IsVolumePresent(DWORD dwVolume);

// The folder journals live in, ending with "\": %LOCALAPPDATA%\Quorvel\;
// empty when there is no profile folder.
CString JournalFolder();

// The journal of the rename this program runs. Created with its plan; it
// stays open, shared for reading only, so that another start of the program
// can tell it is live; deleted through its own handle once the rename has
// ended. Every failure turns it off quietly: a rename never depends on its
// journal.
class CJournalFile {
public:
    CJournalFile() {}
    ~CJournalFile() { Close(); }

    // Creates a new journal file and writes the plan with one write and one
    // flush; false (and no file) when it cannot.
    bool Create(const CString& strPlan);
    // Appends a record, unflushed: a killed process leaves it to the system.
    void Append(const CString& strRecord);
    // The rename has ended: the file goes.
    void Delete();
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    const CString& GetPath() const { return m_strPath; }

private:
    CJournalFile(const CJournalFile&) = delete;
    CJournalFile& operator=(const CJournalFile&) = delete;
    // Closes the handle as a killed process would, the file left behind.
    void Close();
    bool Write(const CString& strText);

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    CString m_strPath;
};

// A journal found in the journal folder, as recovery holds it: opened for
// reading and deleting and shared with no one, so that no other start of
// the program takes it meanwhile.
class COrphanJournal {
public:
    enum OpenResult { ORPHAN_OPEN, ORPHAN_LIVE, ORPHAN_GONE };
    COrphanJournal() {}
    ~COrphanJournal() { Close(); }

    // ORPHAN_LIVE when its rename is still under way (a sharing violation),
    // ORPHAN_GONE when it went meanwhile or cannot be opened.
    OpenResult Open(const CString& strPath);
    // Its whole text; false when it cannot be read or is no UTF-16 text.
    bool Read(CString& strText);
    void Delete();
    const CString& GetPath() const { return m_strPath; }

private:
    COrphanJournal(const COrphanJournal&) = delete;
    COrphanJournal& operator=(const COrphanJournal&) = delete;
    void Close();
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    CString m_strPath;
};

// The full paths of the journal files in the journal folder.
std::vector<CString> FindJournalFiles();
