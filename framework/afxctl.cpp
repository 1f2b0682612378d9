#include "framework/afxctl.h"

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int n = (int)SendMessage(CB_GETLBTEXTLEN, nIndex);
    if (n == CB_ERR) {
        rString.Empty();
        return;
    }
    wchar_t* p = rString.GetBuffer(n + 1);
    int got = (int)SendMessage(CB_GETLBTEXT, nIndex, (LPARAM)p);
    rString.ReleaseBuffer(got > 0 ? got : 0);
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, const wchar_t* pszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTW tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = nMask;
    tvis.item.pszText = (LPWSTR)pszItem;
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = nState;
    tvis.item.stateMask = nStateMask;
    tvis.item.lParam = lParam;
    return InsertItem(&tvis);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    // Room for the longest name the file system allows.
    wchar_t buf[1024];
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = buf;
    item.cchTextMax = 1024;
    buf[0] = 0;
    if (!SendMessage(TVM_GETITEMW, 0, (LPARAM)&item))
        return CString();
    return CString(item.pszText);
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, const wchar_t* pszItem)
{
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = (LPWSTR)pszItem;
    return (BOOL)SendMessage(TVM_SETITEMW, 0, (LPARAM)&item);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEMW item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    BOOL ok = (BOOL)SendMessage(TVM_GETITEMW, 0, (LPARAM)&item);
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return ok;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    TVITEMW item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return (BOOL)SendMessage(TVM_SETITEMW, 0, (LPARAM)&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // Room for the longest name the file system allows, and a reason.
    wchar_t buf[1024];
    buf[0] = 0;
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.pszText = buf;
    item.cchTextMax = 1024;
    const int n = (int)SendMessage(LVM_GETITEMTEXTW, nItem, (LPARAM)&item);
    return CString(item.pszText && n > 0 ? item.pszText : L"");
}
