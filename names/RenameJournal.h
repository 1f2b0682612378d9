// The journal of a rename under way, as text: the plan, written before the
// first move, then one short record per move. A later start of the program
// reads an orphaned one back and decides, against a folder read, where each
// file of the plan stands now, so that the rename can be finished or put
// back after a crash.
#pragma once

#include <functional>
#include <vector>

#include "framework/afxstr.h"
#include "platform/JournalStore.h"

struct RenamePlan;

// The journal format's first line; a file that does not begin so is no
// journal of this version and is left alone.
#define JOURNAL_VERSION_LINE L"Quorvel rename journal 1"

// One file of the plan, its names relative to the folder: where the run
// finds it, the name it had before the rename (for a recovery: the first
// rename's), the temporary name planned for it, if any, and the name the
// rename gives it. Its key was read before it first moved.
struct JournalFile {
    CFileKey key;
    CString strFrom;
    CString strOld;
    CString strTemp;
    CString strNew;
};

struct RenameJournal {
    CString strFolderPath;  // ending with "\"
    DWORD dwVolume = 0;     // the folder's volume serial
    bool bIdentitiesHold = false;
    std::vector<JournalFile> files;
    // Read back: the name each file was last recorded under; empty when no
    // record of it survived (the file then counts as where the run found it).
    std::vector<CString> recorded;
};

// The plan as journal text: the version line, the folder, the files, and a
// last line with their number and a checksum of all before it.
CString FormatJournalPlan(const RenameJournal& journal);
// A record of one move: file nFile (in plan order) is now named strName.
CString FormatJournalRecord(int nFile, const CString& strName);

enum JournalReading {
    JOURNAL_READ,     // the plan whole, with the records that arrived whole
    JOURNAL_FOREIGN,  // not a journal of this version
    JOURNAL_TORN,     // the plan cut short or damaged
};
// Reads a journal's text back into journal (its records into recorded).
JournalReading ParseJournal(const CString& strText, RenameJournal& journal);

// Whether a name is of a form the renamer gives a file on its way to its
// new name: "~quorvel-1.tmp", "~quorvel-1.tmp-2", "~qv123.tmp".
bool IsTemporaryName(const CString& strName);

enum JournalPlace { PLACE_OLD, PLACE_TEMP, PLACE_NEW, PLACE_UNKNOWN };
struct JournalStanding {
    JournalPlace place;
    CString strName;  // the name it was found under
};

// Where each file of the journal stands in the folder as read: found by its
// key under the name its last record gives, else under its old, temporary
// or new name (a temporary name of any of the renamer's forms). A file
// found nowhere, or only under another name, is PLACE_UNKNOWN. A name a
// line moved out of the folder is read with readOutside(full path, key).
std::vector<JournalStanding> LocateJournalFiles(
    const RenameJournal& journal, const CKeyedFolder& folder,
    const std::function<bool(const CString& strPath, CFileKey& key)>& readOutside);

// What a recovery of the journal moves: each file of the plan from where
// it stands (for a file not found, where its records expect it) to its old
// name (bBack) or its new one; the files not found are left alone.
struct JournalRecovery {
    std::vector<CString> from;
    std::vector<CString> to;
    std::vector<int> missing;
    int nOld = 0, nTemp = 0, nNew = 0;  // the files found under each kind of name
};
JournalRecovery PrepareRecovery(const RenameJournal& journal, const std::vector<JournalStanding>& standings,
                                bool bBack);

// What recovery does with a readable journal, by its folder read now.
enum JournalVerdict {
    VERDICT_ASK,          // the folder is there: ask the user
    VERDICT_WAIT,         // its volume is not there (a stick not plugged in): keep it, ask nothing
    VERDICT_FOLDER_GONE,  // its volume is there, its folder is not: say so, delete it
};
JournalVerdict JudgeJournal(const RenameJournal& journal, const CKeyedFolder& folder, bool bVolumePresent);

// The journal of one run of the renamer: the plan written before the first
// move, a record after each, deleted once the run's report has been shown.
// A journal that cannot be written leaves the run as it is.
class CRenameJournal {
public:
    // Writes the plan of the moves of strFolderPath; file i of the list,
    // found under strFrom, is keyed by keyOf(i, strFrom).
    void Begin(const CString& strFolderPath, const RenamePlan& plan, DWORD dwVolume, bool bIdentitiesHold,
               const std::function<CFileKey(int nIndex, const CString& strFrom)>& keyOf);
    // The same, keyed by the folder as the renamer read it.
    void Begin(const CString& strFolderPath, const RenamePlan& plan, const CFolderSnapshot& snapshot);
    // A recovery's journal keeps the first journal's names: file i of the
    // list is recorded with old name oldNames[i] and new name newNames[i],
    // and onWritten is called once its plan is on the disk.
    void KeepNames(const std::vector<CString>& oldNames, const std::vector<CString>& newNames,
                   const std::function<void()>& onWritten);
    // File nIndex of the list is now named strName.
    void Moved(int nIndex, const CString& strName);
    void End() { m_file.Delete(); }
    bool IsWritten() const { return m_file.IsOpen(); }

private:
    CJournalFile m_file;
    std::vector<int> m_nFileOf;  // list position -> file of the plan, or -1
    std::vector<CString> m_oldNames, m_newNames;
    std::function<void()> m_onWritten;
};
