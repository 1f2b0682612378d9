// Control wrappers: each method sends one message to the control (or makes
// one call on the image list) and asserts that the window exists.
#pragma once

#include "framework/afxwnd.h"

class CImageList {
public:
    CImageList() : m_hImageList(NULL) {}
    ~CImageList() { DeleteImageList(); }
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
    {
        DeleteImageList();
        m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
        return m_hImageList != NULL;
    }
    BOOL DeleteImageList()
    {
        if (!m_hImageList)
            return FALSE;
        ImageList_Destroy(m_hImageList);
        m_hImageList = NULL;
        return TRUE;
    }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    COLORREF SetBkColor(COLORREF c) { return ImageList_SetBkColor(m_hImageList, c); }
    // Appends an icon and returns its index.
    int Add(HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }
    int Add(HBITMAP hBitmap, COLORREF crMask) { return ImageList_AddMasked(m_hImageList, hBitmap, crMask); }
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }
    HIMAGELIST m_hImageList;

private:
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
};

// ---------------------------------------------------------------------------

class CButton : public CWnd {
public:
    int GetCheck() const { return (int)SendMessage(BM_GETCHECK); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, nCheck); }
    void Click() { SendMessage(BM_CLICK); }
};

class CEdit : public CWnd {
public:
    void SetLimitText(UINT nMax) { SendMessage(EM_SETLIMITTEXT, nMax); }
    UINT GetLimitText() const { return (UINT)SendMessage(EM_GETLIMITTEXT); }
    void SetSel(int nStart, int nEnd) { SendMessage(EM_SETSEL, nStart, nEnd); }
    void GetSel(int& nStart, int& nEnd) const { SendMessage(EM_GETSEL, (WPARAM)&nStart, (LPARAM)&nEnd); }
    int LineIndex(int nLine = -1) const { return (int)SendMessage(EM_LINEINDEX, nLine); }
    int LineLength(int nCharIndex = -1) const { return (int)SendMessage(EM_LINELENGTH, nCharIndex); }
    int GetFirstVisibleLine() const { return (int)SendMessage(EM_GETFIRSTVISIBLELINE); }
    BOOL LineScroll(int nLines, int nChars = 0) { return (BOOL)SendMessage(EM_LINESCROLL, nChars, nLines); }
    void ReplaceSel(const wchar_t* psz, BOOL bCanUndo = FALSE) { SendMessage(EM_REPLACESEL, bCanUndo, (LPARAM)psz); }
    BOOL CanUndo() const { return (BOOL)SendMessage(EM_CANUNDO); }
};

class CProgressCtrl : public CWnd {
public:
    void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, nLower, nUpper); }
    int SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, nPos); }
    int GetPos() const { return (int)SendMessage(PBM_GETPOS); }
};

class CComboBox : public CWnd {
public:
    int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
    // Prefix search, ignoring case, from the item after nStartAfter (-1:
    // the whole list from its start); CB_ERR when none begins with psz.
    int FindString(int nStartAfter, const wchar_t* psz) const
    {
        return (int)SendMessage(CB_FINDSTRING, nStartAfter, (LPARAM)psz);
    }
    int InsertString(int nIndex, const wchar_t* psz) { return (int)SendMessage(CB_INSERTSTRING, nIndex, (LPARAM)psz); }
    int AddString(const wchar_t* psz) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)psz); }
    void GetLBText(int nIndex, CString& rString) const;
    int SetCurSel(int nSelect) { return (int)SendMessage(CB_SETCURSEL, nSelect); }
    int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
};

class CTreeCtrl : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CreateEx(0, WC_TREEVIEWW, NULL, dwStyle, rect, pParentWnd, nID);
    }
    HTREEITEM InsertItem(LPTVINSERTSTRUCTW lpInsertStruct)
    {
        return (HTREEITEM)SendMessage(TVM_INSERTITEMW, 0, (LPARAM)lpInsertStruct);
    }
    HTREEITEM InsertItem(UINT nMask, const wchar_t* pszItem, int nImage, int nSelectedImage, UINT nState,
                         UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(const wchar_t* pszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST)
    {
        return InsertItem(TVIF_TEXT, pszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
    }
    HTREEITEM InsertItem(const wchar_t* pszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST)
    {
        return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, pszItem, nImage, nSelectedImage, 0, 0, 0,
                          hParent, hInsertAfter);
    }
    BOOL DeleteItem(HTREEITEM hItem) { return (BOOL)SendMessage(TVM_DELETEITEM, 0, (LPARAM)hItem); }
    BOOL DeleteAllItems() { return (BOOL)SendMessage(TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT); }
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const
    {
        return (HTREEITEM)SendMessage(TVM_GETNEXTITEM, nCode, (LPARAM)hItem);
    }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetRootItem() const { return GetNextItem(NULL, TVGN_ROOT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(NULL, TVGN_CARET); }
    BOOL SelectItem(HTREEITEM hItem) { return (BOOL)SendMessage(TVM_SELECTITEM, TVGN_CARET, (LPARAM)hItem); }
    BOOL Expand(HTREEITEM hItem, UINT nCode) { return (BOOL)SendMessage(TVM_EXPAND, nCode, (LPARAM)hItem); }
    UINT GetCount() const { return (UINT)SendMessage(TVM_GETCOUNT); }
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const
    {
        return (UINT)SendMessage(TVM_GETITEMSTATE, (WPARAM)hItem, nStateMask);
    }
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, const wchar_t* pszItem);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    BOOL ItemHasChildren(HTREEITEM hItem) const { return GetChildItem(hItem) != NULL; }
    CEdit* GetEditControl() const { return FromHandleAs<CEdit>((HWND)SendMessage(TVM_GETEDITCONTROL)); }
    CEdit* EditLabel(HTREEITEM hItem) { return FromHandleAs<CEdit>((HWND)SendMessage(TVM_EDITLABELW, 0, (LPARAM)hItem)); }
    HIMAGELIST SetImageList(CImageList* pImageList, int nImageListType)
    {
        return (HIMAGELIST)SendMessage(TVM_SETIMAGELIST, nImageListType,
                                       (LPARAM)(pImageList ? pImageList->m_hImageList : NULL));
    }
    HIMAGELIST GetImageList(int nImageListType) const
    {
        return (HIMAGELIST)SendMessage(TVM_GETIMAGELIST, nImageListType);
    }
};

// A list view. A virtual one (LVS_OWNERDATA) holds no items: it is told
// their count and asks its parent for each text it draws (LVN_GETDISPINFO).
class CListCtrl : public CWnd {
public:
    int InsertColumn(int nCol, const wchar_t* pszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1)
    {
        LVCOLUMNW col = {};
        col.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM | (nWidth >= 0 ? LVCF_WIDTH : 0);
        col.fmt = nFormat;
        col.cx = nWidth;
        col.pszText = const_cast<wchar_t*>(pszHeading);
        col.iSubItem = nCol;
        return (int)SendMessage(LVM_INSERTCOLUMNW, nCol, (LPARAM)&col);
    }
    BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)); }
    int GetColumnWidth(int nCol) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, nCol); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle); }
    // The number of items a virtual list view has.
    void SetItemCountEx(int nItems, DWORD dwFlags = LVSICF_NOINVALIDATEALL)
    {
        SendMessage(LVM_SETITEMCOUNT, nItems, dwFlags);
    }
    int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
    // The text of an item's column, as the list view gets it (from its
    // parent, for a virtual one).
    CString GetItemText(int nItem, int nSubItem) const;
    int GetTopIndex() const { return (int)SendMessage(LVM_GETTOPINDEX); }
    int GetCountPerPage() const { return (int)SendMessage(LVM_GETCOUNTPERPAGE); }
    int GetStringWidth(const wchar_t* psz) const { return (int)SendMessage(LVM_GETSTRINGWIDTHW, 0, (LPARAM)psz); }
};
