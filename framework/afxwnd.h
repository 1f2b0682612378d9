// The window core of the framework: geometry, the GDI objects the dialogs
// draw with, menus, and CWnd with its one map from window handle to object
// and its safe window procedure (no exception leaves a handler).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cassert>
#include <typeinfo>

#include "framework/afxmsg.h"
#include "framework/afxstr.h"

// A mistake of the program's own, checked in debug builds only.
#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#else
#define ASSERT(f) assert(f)
#endif

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
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const wchar_t* pszNewItem = NULL)
    {
        return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, pszNewItem);
    }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
    {
        return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
    }
    // A menu of the program's resources; the caller destroys it.
    BOOL LoadMenu(UINT nIDResource);
    BOOL DestroyMenu()
    {
        BOOL bDone = m_hMenu && ::DestroyMenu(m_hMenu);
        m_hMenu = NULL;
        return bDone;
    }
    CMenu* GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, const CWnd* pWnd) const;
    CString GetMenuString(UINT nIDItem, UINT nFlags) const;
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
    BOOL CreateEx(DWORD dwExStyle, const wchar_t* pszClassName, const wchar_t* pszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow() { return Detach(); }
    BOOL DestroyWindow();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        ASSERT(::IsWindow(m_hWnd));
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        ASSERT(::IsWindow(m_hWnd));
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }

    CWnd* GetDlgItem(int nID) const { ASSERT(::IsWindow(m_hWnd)); return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    int GetDlgCtrlID() const { ASSERT(::IsWindow(m_hWnd)); return ::GetDlgCtrlID(m_hWnd); }
    CWnd* GetParent() const { ASSERT(::IsWindow(m_hWnd)); return FromHandle(::GetParent(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetFocus() { ASSERT(::IsWindow(m_hWnd)); return FromHandle(::SetFocus(m_hWnd)); }
    void SetWindowText(const wchar_t* psz) { ASSERT(::IsWindow(m_hWnd)); ::SetWindowTextW(m_hWnd, psz); }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { ASSERT(::IsWindow(m_hWnd)); return ::GetWindowTextLengthW(m_hWnd); }
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
    int MessageBox(const wchar_t* pszText, const wchar_t* pszCaption = NULL, UINT nType = MB_OK)
    {
        ASSERT(::IsWindow(m_hWnd));
        return ::MessageBoxW(m_hWnd, pszText, pszCaption, nType);
    }

    // The message loop offers each message here first (to the window under
    // it and its parents); true means handled.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

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
    void OnClose() { Default(); }
    void OnPaint() { Default(); }
    void OnSize(UINT nType, int cx, int cy) { Default(); }
    void OnMouseMove(UINT nFlags, CPoint point) { Default(); }
    void OnLButtonDown(UINT nFlags, CPoint point) { Default(); }
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) { return (HBRUSH)Default(); }
    void OnContextMenu(CWnd* pWnd, CPoint point) { Default(); }
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
    void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }

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

// For checks: how many windows the permanent and the temporary maps hold,
// and how many of those are no longer windows.
struct CWndMapCounts {
    int nPermanent;
    int nTemporary;
    int nGone;
};
CWndMapCounts AfxGetWndMapCounts();
