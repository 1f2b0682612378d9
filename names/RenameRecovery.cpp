#include "names/RenameRecovery.h"

#include <algorithm>

#include "names/RenamePlan.h"

RecoveryOutcome CJournalRecovery::Open(const CString& strPath)
{
    CString strText;
    if (m_orphan.Open(strPath) != COrphanJournal::ORPHAN_OPEN || !m_orphan.Read(strText) ||
        ParseJournal(strText, m_journal) != JOURNAL_READ)
        return RECOVERY_SKIP;
    // The folder is read once: for the verdict and for finding the files.
    const CKeyedFolder folder = ReadKeyedFolder(m_journal.strFolderPath);
    const bool bPresent = folder.bRead || IsVolumePresent(m_journal.dwVolume);
    switch (JudgeJournal(m_journal, folder, bPresent)) {
    case VERDICT_WAIT:
        return RECOVERY_SKIP;
    case VERDICT_FOLDER_GONE:
        return RECOVERY_FOLDER_GONE;
    case VERDICT_ASK:
        break;
    }
    m_standings = LocateJournalFiles(m_journal, folder, [](const CString& strOutside, CFileKey& key) {
        return ReadEntryKey(strOutside, key);
    });
    m_standing = PrepareRecovery(m_journal, m_standings, true);
    return RECOVERY_ASK;
}

std::vector<RenameFailure> CJournalRecovery::Run(bool bBack, CRenameRun* pRun)
{
    const JournalRecovery recovery = PrepareRecovery(m_journal, m_standings, bBack);
    // Only the files found take part: a file not found holds no name the
    // planner must work around.
    std::vector<CString> cur, wanted, oldNames, newNames;
    for (size_t k = 0; k < m_journal.files.size(); ++k) {
        if (std::find(recovery.missing.begin(), recovery.missing.end(), (int)k) != recovery.missing.end())
            continue;
        cur.push_back(recovery.from[k]);
        wanted.push_back(recovery.to[k]);
        oldNames.push_back(m_journal.files[k].strOld);
        newNames.push_back(m_journal.files[k].strNew);
    }
    const int nCount = (int)cur.size();
    m_before = cur;
    // The names both ways are names the files had, or were planned to have,
    // on disk: they are tried as they are.
    RenamePlan plan = PlanRenames(m_journal.strFolderPath, cur.data(), wanted.data(), nCount, NULL, false);
    m_own.KeepNames(oldNames, newNames, [this] { m_orphan.Delete(); });
    CRenameRun ownRun;
    if (!pRun)
        pRun = &ownRun;
    pRun->pJournal = &m_own;
    std::vector<RenameFailure> failures =
        ApplyPlan(m_journal.strFolderPath, plan, cur.data(), wanted.data(), NULL, pRun);
    pRun->pJournal = NULL;
    m_after = cur;
    for (size_t j = 0; j < recovery.missing.size(); ++j) {
        const int k = recovery.missing[j];
        failures.push_back({nCount + (int)j, recovery.from[k], recovery.to[k], RENAME_ERROR_FILE_MOVED});
    }
    return failures;
}

void CJournalRecovery::End()
{
    m_own.End();
    m_orphan.Delete();
}
