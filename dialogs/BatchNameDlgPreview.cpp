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
    if (m_names.IsEmpty() || IsBusy())
        return;
    CString strText;
    m_editNames.GetWindowText(strText);
    std::vector<CString> newNames;
    const RenamePlan plan = PlanTextRenames(m_names, strText, newNames);
    const RenamePreview preview = PreviewPlan(plan, m_names, newNames);
    CPreviewDlg dlg(preview, m_names.GetCount(), CountNameLines(strText), RenameReasonText, this);
    if (dlg.DoModal() == IDC_PREVIEW_RENAME)
        OnRename();
}
