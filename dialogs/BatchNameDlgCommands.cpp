// The batch commands and their undo: every listed name changed at once in
// the name editor, never on disk, each change recorded so that the undo
// button can take it back.
#include "dialogs/BatchNameDlg.h"
#include "names/BatchEdit.h"

namespace {

// Keeps strText in a combo box's history, newest first, unless an item
// already begins with it (in any case of letters). The box carries the sort
// style, so the text goes in at index 0 rather than being added.
void AddToHistory(CComboBox& combo, const CString& strText)
{
    // An empty text begins every item; the list search does not say so for
    // it, and would have it added again at every run.
    if (strText.IsEmpty() ? combo.GetCount() > 0 : combo.FindString(-1, strText) != CB_ERR)
        return;
    combo.InsertString(0, strText);
}

CString TextOf(const CWnd& wnd)
{
    CString strText;
    wnd.GetWindowText(strText);
    return strText;
}

}  // namespace

const CUndoStep& CBatchNameDlg::RecordEditorText()
{
    return m_undo.Record(TextOf(m_editNames), m_nOrder, m_names.NameOrder());
}

// The steps every batch command takes, in this order: the command's
// parameters read, the undo button on, the editor text recorded as an undo
// step, each of its lines transformed as it stands, and the lines written
// back. With nothing listed there is nothing to change, and nothing happens
// at all: no step, no history entry, no change in the editor; nor when the
// command's dialog was cancelled.
void CBatchNameDlg::RunLineCommand(const std::function<LineTransform()>& readParameters)
{
    if (m_names.IsEmpty() || IsBusy())
        return;
    const LineTransform transform = readParameters();
    if (!transform)
        return;
    m_btnUndo.EnableWindow(TRUE);
    m_editNames.SetWindowText(TransformLinesAt(RecordEditorText().strText, transform));
}

void CBatchNameDlg::RunBatchCommand(const std::function<NameTransform()>& readParameters)
{
    RunLineCommand([&readParameters]() -> LineTransform {
        const NameTransform transform = readParameters();
        return [transform](int, const CString& strLine) { return transform(strLine); };
    });
}

// Button 1007, or Enter in either combo box: replace the find text by the
// replacement text in every name.
void CBatchNameDlg::OnReplace()
{
    RunBatchCommand([this]() -> NameTransform {
        const CString strFind = TextOf(m_comboFind);
        AddToHistory(m_comboFind, strFind);
        const CString strReplace = TextOf(m_comboReplace);
        AddToHistory(m_comboReplace, strReplace);
        return [strFind, strReplace](const CString& strName) { return ReplaceInName(strName, strFind, strReplace); };
    });
}

// Button 1013, or Enter in edit 1012: put that field's text in front of
// every name.
void CBatchNameDlg::OnInsertFront()
{
    RunBatchCommand([this]() -> NameTransform {
        const CString strFront = TextOf(m_editFront);
        return [strFront](const CString& strName) { return InsertFrontOfName(strName, strFront); };
    });
}

// Button 1018: replace the last three characters of every name by the text
// of edit 1012, the field the insert-in-front command reads as well.
void CBatchNameDlg::OnChangeExtension()
{
    RunBatchCommand([this]() -> NameTransform {
        const CString strExtension = TextOf(m_editFront);
        return [strExtension](const CString& strLine) { return ChangeExtensionOfName(strLine, strExtension); };
    });
}

// Button 1014: the name editor gets back its text, and the list its order,
// from before the newest recorded command; the button goes off with the
// last step.
void CBatchNameDlg::OnUndo()
{
    if (IsBusy())
        return;
    if (const CUndoStep* pStep = m_undo.Undo()) {
        PutBackOrder(*pStep);
        m_editNames.SetWindowText(pStep->strText);
    }
    if (!m_undo.CanUndo())
        m_btnUndo.EnableWindow(FALSE);
}
