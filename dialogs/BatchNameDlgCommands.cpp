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

}  // namespace

const CString& CBatchNameDlg::RecordEditorText()
{
    CString strText;
    m_editNames.GetWindowText(strText);
    return RecordUndo(m_strUndoTexts, m_nUndoDepth, std::move(strText));
}

// Button 1007, or Enter in either combo box: replace the find text by the
// replacement text in every name.
void CBatchNameDlg::OnReplace()
{
    m_btnUndo.EnableWindow(TRUE);
    CString strFind, strReplace;
    m_comboFind.GetWindowText(strFind);
    AddToHistory(m_comboFind, strFind);
    m_comboReplace.GetWindowText(strReplace);
    AddToHistory(m_comboReplace, strReplace);
    const CString& strText = RecordEditorText();
    m_editNames.SetWindowText(ReplaceInNames(strText, m_nNameCount, m_strNewNames, strFind, strReplace));
}

// Button 1013, or Enter in edit 1012: put that field's text in front of
// every name.
void CBatchNameDlg::OnInsertFront()
{
    m_btnUndo.EnableWindow(TRUE);
    CString strFront;
    m_editFront.GetWindowText(strFront);
    const CString& strText = RecordEditorText();
    m_editNames.SetWindowText(InsertFrontOfNames(strText, m_nNameCount, m_strNewNames, strFront));
}

// Button 1018: replace the last three bytes of every name by the text of
// edit 1012, the field the insert-in-front command reads as well.
void CBatchNameDlg::OnChangeExtension()
{
    m_btnUndo.EnableWindow(TRUE);
    CString strExtension;
    m_editFront.GetWindowText(strExtension);
    const CString& strText = RecordEditorText();
    m_editNames.SetWindowText(ChangeExtensionOfNames(strText, m_nNameCount, m_strNewNames, strExtension));
}

// Button 1014: the name editor gets back its text from before the newest
// recorded command; the button goes off with the last step.
void CBatchNameDlg::OnUndo()
{
    if (const CString* pText = TakeUndo(m_strUndoTexts, m_nUndoDepth))
        m_editNames.SetWindowText(*pText);
    if (m_nUndoDepth == 0)
        m_btnUndo.EnableWindow(FALSE);
}
