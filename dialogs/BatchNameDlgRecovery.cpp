// Recovery at start of a rename that never ended: the question for each
// orphaned journal, and the same road as a rename for the answer.
#include "dialogs/BatchNameDlg.h"
#include "dialogs/RenameReport.h"

#include <string>

#include "names/RenameRecovery.h"
#include "platform/JournalStore.h"

void CBatchNameDlg::RecoverRenames()
{
    const CString strCaption = AfxLoadText(IDS_RENAME_CAPTION);
    for (const CString& strPath : FindJournalFiles()) {
        CJournalRecovery recovery;
        const RecoveryOutcome outcome = recovery.Open(strPath);
        const RenameJournal& journal = recovery.GetJournal();
        if (outcome == RECOVERY_FOLDER_GONE) {
            CString strText;
            AfxFormatString1(strText, IDS_RECOVERY_FOLDER_GONE, journal.strFolderPath);
            ShowMessage(strText, strCaption, MB_OK | MB_ICONEXCLAMATION);
            recovery.End();
            continue;
        }
        if (outcome != RECOVERY_ASK)
            continue;
        const JournalRecovery& standing = recovery.GetStanding();
        const std::wstring counts[] = {std::to_wstring(journal.files.size()), std::to_wstring(standing.nNew),
                                       std::to_wstring(standing.nTemp), std::to_wstring(standing.nOld)};
        const wchar_t* parts[5] = {journal.strFolderPath, counts[0].c_str(), counts[1].c_str(), counts[2].c_str(),
                                   counts[3].c_str()};
        CString strQuestion;
        AfxFormatStrings(strQuestion, IDS_RECOVERY_QUESTION, parts, 5);
        const int nAnswer = ShowMessage(strQuestion, strCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
        // Cancel: everything stays, the journal included, to be asked again.
        if (nAnswer != IDYES && nAnswer != IDNO)
            continue;
        const bool bBack = nAnswer == IDYES;
        CRenameRun run;
        std::vector<RenameFailure> failures;
        const bool bClosing = RunLongWork([&](CLongWork& work) {
            run.progress = work.AsProgress();
            work.SetRun(&run);
            failures = recovery.Run(bBack, &run);
        });
        FollowRenamesInTree(journal.strFolderPath, recovery.GetBefore(), recovery.GetAfter());
        if (!bClosing && !failures.empty())
            ShowMessage(FormatRenameReport((int)journal.files.size(), failures,
                                           bBack ? IDS_UNDO_RENAME_REPORT : IDS_RENAME_REPORT),
                        strCaption, MB_OK | MB_ICONHAND);
        recovery.End();
        if (bClosing) {
            EndDialog(IDCANCEL);
            return;
        }
    }
}
