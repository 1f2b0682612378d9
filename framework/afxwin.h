// The window framework: a small, thin replacement for the part of the
// Windows C++ class library that the program uses. Each class wraps a window
// handle or a GDI object; each method sends one message or makes one call.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cassert>
#include <typeinfo>

#include "afxstr.h"

// A mistake of the program's own, checked in debug builds only.
#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#else
#define ASSERT(f) assert(f)
#endif

// Reflected notifications reach the control's own message table under
// this offset, before the parent's table sees them.
#define WM_REFLECT_BASE 0xBC00

class CWnd;
class CMenu;
class CDC;

struct CPoint : POINT {
    CPoint() { x = y = 0; }
    CPoint(int ax, int ay) { x = ax; y = ay; }
};

struct CRect : RECT {
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// ---------------------------------------------------------------------------
// Message tables: BEGIN_MESSAGE_MAP ... END_MESSAGE_MAP expand into the
// class's OnWndMsg, a chain of tests that unpack each message into the
// handler's typed arguments and end in the base class's OnWndMsg.

#define DECLARE_MESSAGE_MAP() \
protected:                    \
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                          \
    BOOL theClass::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) \
    {                                                                                   \
        typedef baseClass TheBaseClass;                                                 \
        (void)wParam;                                                                   \
        (void)lParam;

#define END_MESSAGE_MAP()                                               \
    return TheBaseClass::OnWndMsg(message, wParam, lParam, pResult); \
    }

#define ON_COMMAND(id, memberFxn)                                          \
    if (message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == 0) { \
        memberFxn();                                                       \
        *pResult = 0;                                                      \
        return TRUE;                                                       \
    }

#define ON_CONTROL(code, id, memberFxn)                                           \
    if (message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (code)) { \
        memberFxn();                                                              \
        *pResult = 0;                                                             \
        return TRUE;                                                              \
    }
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)

// The notification code is named wNotifyCode: a parameter named "code"
// would replace the NMHDR member of the same name.
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                            \
    if (message == WM_NOTIFY && ((NMHDR*)lParam)->idFrom == (UINT_PTR)(id) &&             \
        ((NMHDR*)lParam)->code == (UINT)(wNotifyCode)) {                                  \
        *pResult = 0;                                                                     \
        memberFxn((NMHDR*)lParam, pResult);                                               \
        return TRUE;                                                                      \
    }

#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                 \
    if (message == WM_REFLECT_BASE + WM_NOTIFY && ((NMHDR*)lParam)->code == (UINT)(wNotifyCode)) { \
        *pResult = 0;                                                                             \
        memberFxn((NMHDR*)lParam, pResult);                                                       \
        return TRUE;                                                                              \
    }

#define ON_MESSAGE(msg, memberFxn)                  \
    if (message == (msg)) {                         \
        *pResult = memberFxn(wParam, lParam);       \
        return TRUE;                                \
    }

#define ON_WM_SYSCOMMAND()                          \
    if (message == WM_SYSCOMMAND) {                 \
        OnSysCommand((UINT)wParam, lParam);         \
        *pResult = 0;                               \
        return TRUE;                                \
    }

#define ON_WM_PAINT()         \
    if (message == WM_PAINT) { \
        OnPaint();             \
        *pResult = 0;          \
        return TRUE;           \
    }

#define ON_WM_QUERYDRAGICON()                        \
    if (message == WM_QUERYDRAGICON) {               \
        *pResult = (LRESULT)OnQueryDragIcon();       \
        return TRUE;                                 \
    }

#define ON_WM_SIZE()                                                       \
    if (message == WM_SIZE) {                                              \
        OnSize((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam)); \
        *pResult = 0;                                                      \
        return TRUE;                                                       \
    }

#define ON_WM_MOUSEMOVE()                                                              \
    if (message == WM_MOUSEMOVE) {                                                     \
        OnMouseMove((UINT)wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam))); \
        *pResult = 0;                                                                  \
        return TRUE;                                                                   \
    }

#define ON_WM_LBUTTONDOWN()                                                              \
    if (message == WM_LBUTTONDOWN) {                                                     \
        OnLButtonDown((UINT)wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam))); \
        *pResult = 0;                                                                    \
        return TRUE;                                                                     \
    }

// Every WM_CTLCOLORxxx message goes to OnCtlColor with its colour kind
// (CTLCOLOR_MSGBOX 0 ... CTLCOLOR_STATIC 6).
#define ON_WM_CTLCOLOR()                                                               \
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {                \
        CDC dcCtl((HDC)wParam);                                                        \
        *pResult = (LRESULT)OnCtlColor(&dcCtl, CWnd::FromHandle((HWND)lParam),         \
                                       message - WM_CTLCOLORMSGBOX);                   \
        return TRUE;                                                                   \
    }

// ---------------------------------------------------------------------------

class CDC {
public:
    CDC() : m_hDC(NULL) {}
    explicit CDC(HDC hDC) : m_hDC(hDC) {}
    virtual ~CDC() {}
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
    COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    HDC m_hDC;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};

class CBrush {
public:
    CBrush() : m_hObject(NULL) {}
    ~CBrush() { DeleteObject(); }
    BOOL CreateSolidBrush(COLORREF c)
    {
        DeleteObject();
        m_hObject = ::CreateSolidBrush(c);
        return m_hObject != NULL;
    }
    BOOL DeleteObject()
    {
        if (!m_hObject)
            return FALSE;
        ::DeleteObject(m_hObject);
        m_hObject = NULL;
        return TRUE;
    }
    HBRUSH GetSafeHandle() const { return m_hObject; }
    operator HBRUSH() const { return m_hObject; }
    HBRUSH m_hObject;

private:
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;
};

class CMenu {
public:
    HMENU m_hMenu = NULL;
    static CMenu* FromHandle(HMENU hMenu);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const char* pszNewItem = NULL)
    {
        return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, pszNewItem);
    }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
    CString GetMenuString(UINT nIDItem, UINT nFlags) const;
};

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

class CWnd {
public:
    CWnd() : m_hWnd(NULL), m_pfnSuper(NULL) {}
    virtual ~CWnd();

    HWND m_hWnd;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // The object bound to a window, or a temporary one for windows that
    // have none. A temporary lasts until the message loop next goes idle
    // outside every handler: use it within the handler that asked for it.
    static CWnd* FromHandle(HWND hWnd) { return FromHandleAs<CWnd>(hWnd); }
    static CWnd* FromHandlePermanent(HWND hWnd);
    // The same, as an object of class T: the bound object when it is a T,
    // else a temporary T of its own.
    template <class T>
    static T* FromHandleAs(HWND hWnd)
    {
        if (T* p = dynamic_cast<T*>(FromHandlePermanent(hWnd)))
            return p;
        return static_cast<T*>(FromHandleTemporary(hWnd, typeid(T), [] { return (CWnd*)new T; }));
    }
    // Deletes every temporary object (windows and menus).
    static void DeleteTempMap();

    // Creates a window of our own class (or of a given class, subclassed
    // after creation) and binds it to this object.
    BOOL CreateEx(DWORD dwExStyle, const char* pszClassName, const char* pszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow() { return Detach(); }
    BOOL DestroyWindow();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        ASSERT(::IsWindow(m_hWnd));
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        ASSERT(::IsWindow(m_hWnd));
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }

    CWnd* GetDlgItem(int nID) const { ASSERT(::IsWindow(m_hWnd)); return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    int GetDlgCtrlID() const { ASSERT(::IsWindow(m_hWnd)); return ::GetDlgCtrlID(m_hWnd); }
    CWnd* GetParent() const { ASSERT(::IsWindow(m_hWnd)); return FromHandle(::GetParent(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetFocus() { ASSERT(::IsWindow(m_hWnd)); return FromHandle(::SetFocus(m_hWnd)); }
    void SetWindowText(const char* psz) { ASSERT(::IsWindow(m_hWnd)); ::SetWindowTextA(m_hWnd, psz); }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { ASSERT(::IsWindow(m_hWnd)); return ::GetWindowTextLengthA(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { ASSERT(::IsWindow(m_hWnd)); return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindowEnabled() const { ASSERT(::IsWindow(m_hWnd)); return ::IsWindowEnabled(m_hWnd); }
    BOOL IsWindowVisible() const { ASSERT(::IsWindow(m_hWnd)); return ::IsWindowVisible(m_hWnd); }
    BOOL ShowWindow(int nCmdShow) { ASSERT(::IsWindow(m_hWnd)); return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsIconic() const { ASSERT(::IsWindow(m_hWnd)); return ::IsIconic(m_hWnd); }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    {
        ASSERT(::IsWindow(m_hWnd));
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
    }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
    {
        ASSERT(::IsWindow(m_hWnd));
        return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : NULL, x, y, cx, cy, nFlags);
    }
    void GetClientRect(LPRECT lpRect) const { ASSERT(::IsWindow(m_hWnd)); ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ASSERT(::IsWindow(m_hWnd)); ::GetWindowRect(m_hWnd, lpRect); }
    void Invalidate(BOOL bErase = TRUE) { ASSERT(::IsWindow(m_hWnd)); ::InvalidateRect(m_hWnd, NULL, bErase); }
    void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, bRedraw, 0); }
    void UpdateWindow() { ASSERT(::IsWindow(m_hWnd)); ::UpdateWindow(m_hWnd); }
    CMenu* GetSystemMenu(BOOL bRevert) const
    {
        ASSERT(::IsWindow(m_hWnd));
        return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
    }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon)
    {
        return (HICON)SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon);
    }
    int MessageBox(const char* pszText, const char* pszCaption = NULL, UINT nType = MB_OK)
    {
        ASSERT(::IsWindow(m_hWnd));
        return ::MessageBoxA(m_hWnd, pszText, pszCaption, nType);
    }

    // The message loop offers each message here first; true means handled.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers the message to the window under pMsg->hwnd and its parents up
    // to hWndStop.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // Runs the message through reflection, the message table and the
    // default processing. No exception leaves it: one is reported and the
    // message gets the answer of ProcessWndProcException.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // The class's message table; returns whether it handled the message
    // and writes the result separately.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification, command or colour request from this control to its
    // parent, offered to the control's own table first.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The answer to a message whose handling threw: the default processing,
    // except where that would mean "go ahead".
    virtual LRESULT ProcessWndProcException(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy() {}
    // Default processing of the message being handled.
    LRESULT Default();

    // Handlers whose default is the platform's own processing.
    void OnSysCommand(UINT nID, LPARAM lParam) { Default(); }
    void OnPaint() { Default(); }
    void OnSize(UINT nType, int cx, int cy) { Default(); }
    void OnMouseMove(UINT nFlags, CPoint point) { Default(); }
    void OnLButtonDown(UINT nFlags, CPoint point) { Default(); }
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) { return (HBRUSH)Default(); }

    WNDPROC m_pfnSuper;
    friend class CDialog;
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);

private:
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    static CWnd* FromHandleTemporary(HWND hWnd, const std::type_info& type, CWnd* (*pfnNew)());
    void Attach(HWND hWnd);
    // The one way a window leaves its object: its own procedure back, out
    // of the map, m_hWnd cleared. At WM_NCDESTROY, when the object goes
    // first, and on unsubclassing.
    HWND Detach();
    struct MessageScope;
};

// ---------------------------------------------------------------------------

class CButton : public CWnd {
public:
    int GetCheck() const { return (int)SendMessage(BM_GETCHECK); }
    void Click() { SendMessage(BM_CLICK); }
};

class CEdit : public CWnd {
public:
    void SetLimitText(UINT nMax) { SendMessage(EM_SETLIMITTEXT, nMax); }
    UINT GetLimitText() const { return (UINT)SendMessage(EM_GETLIMITTEXT); }
    void SetSel(int nStart, int nEnd) { SendMessage(EM_SETSEL, nStart, nEnd); }
    void ReplaceSel(const char* psz, BOOL bCanUndo = FALSE) { SendMessage(EM_REPLACESEL, bCanUndo, (LPARAM)psz); }
};

class CComboBox : public CWnd {
public:
    int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
    // Prefix search, ignoring case, from the item after nStartAfter (-1:
    // the whole list from its start); CB_ERR when none begins with psz.
    int FindString(int nStartAfter, const char* psz) const
    {
        return (int)SendMessage(CB_FINDSTRING, nStartAfter, (LPARAM)psz);
    }
    int InsertString(int nIndex, const char* psz) { return (int)SendMessage(CB_INSERTSTRING, nIndex, (LPARAM)psz); }
    int AddString(const char* psz) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)psz); }
    void GetLBText(int nIndex, CString& rString) const;
    int SetCurSel(int nSelect) { return (int)SendMessage(CB_SETCURSEL, nSelect); }
    int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
};

class CTreeCtrl : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CreateEx(0, WC_TREEVIEWA, NULL, dwStyle, rect, pParentWnd, nID);
    }
    HTREEITEM InsertItem(LPTVINSERTSTRUCTA lpInsertStruct)
    {
        return (HTREEITEM)SendMessage(TVM_INSERTITEMA, 0, (LPARAM)lpInsertStruct);
    }
    // For a label the code page cannot hold.
    HTREEITEM InsertItem(LPTVINSERTSTRUCTW lpInsertStruct)
    {
        return (HTREEITEM)SendMessage(TVM_INSERTITEMW, 0, (LPARAM)lpInsertStruct);
    }
    HTREEITEM InsertItem(UINT nMask, const char* pszItem, int nImage, int nSelectedImage, UINT nState,
                         UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(const char* pszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST)
    {
        return InsertItem(TVIF_TEXT, pszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
    }
    HTREEITEM InsertItem(const char* pszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
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
    BOOL SetItemText(HTREEITEM hItem, const char* pszItem);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    BOOL ItemHasChildren(HTREEITEM hItem) const { return GetChildItem(hItem) != NULL; }
    CEdit* GetEditControl() const { return FromHandleAs<CEdit>((HWND)SendMessage(TVM_GETEDITCONTROL)); }
    CEdit* EditLabel(HTREEITEM hItem) { return FromHandleAs<CEdit>((HWND)SendMessage(TVM_EDITLABELA, 0, (LPARAM)hItem)); }
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

// ---------------------------------------------------------------------------

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Binds the live control nIDC of the dialog to rControl, once. A dialog
// without that control is a mistake of the program: it is reported, with
// the id, in every build, and the exchange throws, so that a dialog being
// initialised ends at once (DoModal gives -1).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialog : public CWnd {
public:
    CDialog() : m_nIDTemplate(0), m_pParentWnd(NULL) {}
    CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

    // Runs the dialog modally: creates it, disables its owner and loops
    // until EndDialog; returns the value given to EndDialog, -1 on failure.
    // EndDialog from OnInitDialog ends the run before the window shows.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless (used where a caller drives it directly).
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    BOOL IsModalRunning() const { return m_bModalRunning; }

    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // A dialog whose initialisation threw never opens: it ends with -1.
    LRESULT ProcessWndProcException(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    BOOL CreateFromTemplate(HWND hWndOwner);
    bool m_bModalRunning = false;
    // Set while the window is being created (WM_INITDIALOG runs inside).
    bool m_bCreating = false;
    bool m_bEnded = false;
    int m_nModalResult = -1;
};

// ---------------------------------------------------------------------------

class CWinApp {
public:
    explicit CWinApp(const char* pszAppName = NULL);
    virtual ~CWinApp();
    virtual BOOL InitInstance() { return TRUE; }
    virtual int Run();
    // Work for a message loop that has nothing to do: temporary objects go,
    // unless a handler that may hold one is still running below the loop.
    // Returns whether more idle work is left.
    virtual BOOL OnIdle(LONG lCount);
    virtual int ExitInstance() { return 0; }
    HICON LoadIcon(UINT nIDResource) const { return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(nIDResource)); }

    CWnd* m_pMainWnd;
    HINSTANCE m_hInstance;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// No dialog of the program hosts an OLE control; kept as the start-up step
// it stands for.
inline void AfxEnableControlContainer() {}
// The three-dimensional control look: here it means the common controls
// (tree view and the rest) are registered for the process.
BOOL Enable3dControlsStatic();

// Sets up a test process as AfxWinMain sets up the program.
void AfxWinInitForTests();

// For checks: how many windows the permanent and the temporary maps hold,
// and how many of those are no longer windows.
struct CWndMapCounts {
    int nPermanent;
    int nTemporary;
    int nGone;
};
CWndMapCounts AfxGetWndMapCounts();
