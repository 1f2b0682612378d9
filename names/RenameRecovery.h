// Recovery of a rename that never ended (the program killed, the power
// gone): an orphaned journal, held against any other start of the program,
// read, judged against its folder, and carried out one way or the other
// through the planner and a journal of its own.
#pragma once

#include <vector>

#include "names/RenameJournal.h"
#include "names/Renamer.h"

enum RecoveryOutcome {
    RECOVERY_SKIP,         // live, gone, torn, foreign, or its volume absent: left as it is
    RECOVERY_ASK,          // its folder is there: ask the user
    RECOVERY_FOLDER_GONE,  // its volume is there, its folder is not
};

class CJournalRecovery {
public:
    // Opens the journal at strPath, reads it and its folder, and finds where
    // each file of its plan stands now.
    RecoveryOutcome Open(const CString& strPath);
    const RenameJournal& GetJournal() const { return m_journal; }
    // The files found under each kind of name, for the question.
    const JournalRecovery& GetStanding() const { return m_standing; }

    // Puts every file found back to its old name (bBack) or gives it its
    // new one. The files not found are reported with
    // RENAME_ERROR_FILE_MOVED. The run's own journal keeps the first
    // journal's names; once it is written the first one goes.
    std::vector<RenameFailure> Run(bool bBack, CRenameRun* pRun = NULL);
    // The names on disk of the files that took part in Run, before and
    // after it.
    const std::vector<CString>& GetBefore() const { return m_before; }
    const std::vector<CString>& GetAfter() const { return m_after; }

    // The recovery has ended and its report has been shown, or there was
    // nothing to recover: its journals go.
    void End();

private:
    COrphanJournal m_orphan;
    RenameJournal m_journal;
    std::vector<JournalStanding> m_standings;
    JournalRecovery m_standing;
    CRenameJournal m_own;
    std::vector<CString> m_before, m_after;
};
