// The preview of a rename: the plan the rename button would carry out for
// the editor's text, shown before anything on disk changes.
#include "dialogs/BatchNameDlg.h"
#include "dialogs/RenameReport.h"
#include "dialogs/PreviewDlg.h"
#include "names/RenamePlan.h"
#include "names/Renamer.h"

// Command 2006: "바뀔 이름 보기". Its rename button does what the main
// one does, its question included.
void CBatchNameDlg::OnPreviewRenames()
{
    if (m_nNameCount == 0 || IsBusy())
        return;
    CString strText;
    m_editNames.GetWindowText(strText);
    std::vector<CString> newNames(m_nNameCount);
    const RenamePlan plan =
        PlanTextRenames(m_strFolderPath, strText, m_nNameCount, m_strCurNames, newNames.data(), m_strDiskNames);
    const RenamePreview preview = PreviewPlan(plan, m_strCurNames, newNames.data(), m_nNameCount);
    CPreviewDlg dlg(preview, m_nNameCount, CountNameLines(strText), RenameReasonText, this);
    if (dlg.DoModal() == IDC_PREVIEW_RENAME)
        OnRename();
}
