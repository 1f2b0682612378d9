// Folder rename by editing a label of the tree.
#include "dialogs/BatchNameDlg.h"
#include "dialogs/RenameReport.h"
#include "names/NameCheck.h"
#include "names/RenameJournal.h"
#include "platform/PathIdentity.h"
#include "tree/LabelRename.h"

// The tree is about to open its label editor: only items two or more
// levels below a top-level item may be renamed.
void CBatchNameDlg::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    HTREEITEM hItem = ((NMTVDISPINFOW*)pNMHDR)->item.hItem;
    HTREEITEM hParent = hItem ? m_tree.GetParentItem(hItem) : NULL;
    *pResult = (hParent && m_tree.GetParentItem(hParent) && !IsBusy()) ? 0 : 1;
}

// The label editor is closing: rename on disk, or refuse and edit again.
void CBatchNameDlg::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The tree never takes the edited text over by itself.
    *pResult = 0;
    if (m_bEndingLabelEdit || IsBusy())
        return;

    HTREEITEM hItem = ((NMTVDISPINFOW*)pNMHDR)->item.hItem;
    CString strLabel = m_tree.GetItemText(hItem);
    CString strTyped = strLabel;
    if (CEdit* pEdit = m_tree.GetEditControl())
        pEdit->GetWindowText(strTyped);

    // The paths come from the names on disk of the item and its folder,
    // never from labels. The journal goes once any message has been shown.
    CRenameJournal journal;
    auto ended = AfxScopeExit([&journal] { journal.End(); });
    LabelRenameResult result = RenameByLabel(m_tree.GetItemPath(L"", m_tree.GetParentItem(hItem)), strLabel,
                                             m_tree.GetDiskName(hItem), strTyped, &journal);
    switch (result.outcome) {
    case LABEL_UNCHANGED:
        break;
    case LABEL_RENAMED:
        m_tree.TakeNewName(hItem, result.strNewName);
        OnTreeItemRenamed(result.strOldPath, result.strNewPath);
        break;
    case LABEL_EMPTY:
    case LABEL_NAME_IN_USE:
    case LABEL_FAILED: {
        if (!result.strNewName.IsEmpty()) {
            m_tree.TakeNewName(hItem, result.strNewName);
            OnTreeItemRenamed(result.strOldPath, result.strNewPath);
        }
        m_bEndingLabelEdit = true;
        auto restore = AfxScopeExit([this] { m_bEndingLabelEdit = false; });
        CString strCaption;
        const CString strText = LabelRenameMessage(result, strCaption);
        ShowMessage(strText, strCaption, MB_OK | MB_ICONHAND);
        // An editor opened from inside this notification would be destroyed
        // when it returns: open it afterwards.
        PostMessage(WM_REOPEN_LABEL_EDIT, 0, (LPARAM)hItem);
        break;
    }
    }
}

// A folder or file was renamed by its tree label, from strOldPath to
// strNewPath (full paths, no trailing "\"): what the dialog keeps of
// paths below it follows.
void CBatchNameDlg::OnTreeItemRenamed(const CString& strOldPath, const CString& strNewPath)
{
    FollowFolderRename(m_names.FolderPath(), strOldPath, strNewPath);
    m_renameRecord.FollowFolderRename(strOldPath, strNewPath);
    // A folder told of once is the same folder under its new name.
    for (CString& strFolder : m_strNoticedFolders)
        FollowFolderRename(strFolder, strOldPath, strNewPath);
    // A listed file renamed by its label (an ".mp3" item).
    const int nOldName = LastPartStart(strOldPath);
    if (m_names.IsEmpty() || !IsSamePath(strOldPath.Left(nOldName), m_names.GetFolderPath()))
        return;
    for (int i = 0; i < m_names.GetCount(); ++i) {
        CNameEntry& entry = m_names[i];
        if (IsSamePath(m_names.GetFolderPath() + entry.strDiskName, strOldPath)) {
            const CString strOldShown = entry.strShown;
            entry.strDiskName = strNewPath.Mid(LastPartStart(strNewPath));
            entry.strShown = entry.strDiskName;
            // Its line follows, so that the next rename does not rename it
            // back; a line the user changed stays as typed.
            FollowEditorLine(i, strOldShown, entry.strShown);
            break;
        }
    }
}

void CBatchNameDlg::FollowEditorLine(int nLine, const CString& strOld, const CString& strNew)
{
    const int nStart = m_editNames.LineIndex(nLine);
    if (nStart < 0 || m_editNames.LineLength(nStart) != strOld.GetLength())
        return;
    CString strText;
    m_editNames.GetWindowText(strText);
    if (strText.Mid(nStart, strOld.GetLength()) != strOld)
        return;
    // Only the line changes: the caret, the selection and the scroll
    // position stay where the user left them.
    int nSelStart = 0, nSelEnd = 0;
    m_editNames.GetSel(nSelStart, nSelEnd);
    const int nFirstVisible = m_editNames.GetFirstVisibleLine();
    m_editNames.SetSel(nStart, nStart + strOld.GetLength());
    m_editNames.ReplaceSel(strNew, FALSE);
    const int nOldEnd = nStart + strOld.GetLength();
    auto follow = [&](int nPos) {
        if (nPos >= nOldEnd)
            return nPos + strNew.GetLength() - strOld.GetLength();
        return nPos > nStart + strNew.GetLength() ? nStart + strNew.GetLength() : nPos;
    };
    m_editNames.SetSel(follow(nSelStart), follow(nSelEnd));
    m_editNames.LineScroll(nFirstVisible - m_editNames.GetFirstVisibleLine());
}

LRESULT CBatchNameDlg::OnReopenLabelEdit(WPARAM wParam, LPARAM lParam)
{
    HTREEITEM hItem = (HTREEITEM)lParam;
    // The branch may have been closed meanwhile, deleting the item.
    if (IsBusy() || !IsTreeItem(hItem))
        return 0;
    m_tree.SetFocus();
    m_tree.EditLabel(hItem);
    return 0;
}

bool CBatchNameDlg::IsTreeItem(HTREEITEM hItem, HTREEITEM hFrom)
{
    for (HTREEITEM h = m_tree.GetChildItem(hFrom == TVI_ROOT ? NULL : hFrom); h; h = m_tree.GetNextSiblingItem(h))
        if (h == hItem || IsTreeItem(hItem, h))
            return true;
    return false;
}
