#include "framework/afxwnd.h"

#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <typeindex>
#include <utility>

#include "framework/afximpl.h"
#include "framework/afxinst.h"

namespace {

// One map from window handle to the bound C++ object, and one of
// temporary objects for windows that have none.
std::map<HWND, CWnd*>& PermanentMap()
{
    static std::map<HWND, CWnd*> map;
    return map;
}

// Temporaries by window and class: one window may be asked for as a plain
// window and as the control it is.
std::map<std::pair<HWND, std::type_index>, std::unique_ptr<CWnd>>& TemporaryMap()
{
    static std::map<std::pair<HWND, std::type_index>, std::unique_ptr<CWnd>> map;
    return map;
}

std::map<HMENU, std::unique_ptr<CMenu>>& MenuMap()
{
    static std::map<HMENU, std::unique_ptr<CMenu>> map;
    return map;
}

// The message being handled, for Default().
struct CurrentMessage {
    HWND hWnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
thread_local CurrentMessage* t_pCurrent = NULL;

// The object whose window is being created, bound at its first message.
thread_local CWnd* t_pWndInit = NULL;

const wchar_t kWndClass[] = L"QuorvelWnd";

void RegisterOwnClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CWnd::AfxWndProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = kWndClass;
    ::RegisterClassW(&wc);
    registered = true;
}

}  // namespace

void AfxHookWindowCreate(CWnd* pWnd)
{
    t_pWndInit = pWnd;
}

CWnd* AfxTakeHookedWindow()
{
    CWnd* pWnd = t_pWndInit;
    t_pWndInit = NULL;
    return pWnd;
}

bool AfxInHandler()
{
    return t_pCurrent != NULL;
}

void AfxTraceException(HWND hWnd, UINT message, const char* pszWhat)
{
    wchar_t szClass[64] = L"";
    ::GetClassNameW(hWnd, szClass, 64);
    wchar_t szWhat[256] = L"unknown exception";
    if (pszWhat)
        ::MultiByteToWideChar(CP_UTF8, 0, pszWhat, -1, szWhat, 256);
    wchar_t sz[512];
    _snwprintf(sz, 511, L"Quorvel: exception in the handler of message 0x%04X of window %p (%ls): %ls\n", message,
               (void*)hWnd, szClass, szWhat);
    sz[511] = 0;
    ::OutputDebugStringW(sz);
}

// Sets the current message for Default() while a window procedure runs and
// puts the previous one back on every way out; after WM_NCDESTROY it
// unbinds the window, however the handlers ended.
struct CWnd::MessageScope {
    MessageScope(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
        : m_pWnd(pWnd), m_current{pWnd->m_hWnd, message, wParam, lParam}, m_pPrevious(t_pCurrent)
    {
        t_pCurrent = &m_current;
    }
    ~MessageScope()
    {
        t_pCurrent = m_pPrevious;
        if (m_current.message != WM_NCDESTROY || m_pWnd->m_hWnd != m_current.hWnd)
            return;
        m_pWnd->Detach();
        try {
            m_pWnd->PostNcDestroy();
        } catch (const std::exception& e) {
            AfxTraceException(m_current.hWnd, WM_NCDESTROY, e.what());
        } catch (...) {
            AfxTraceException(m_current.hWnd, WM_NCDESTROY, NULL);
        }
    }
    CWnd* m_pWnd;
    CurrentMessage m_current;
    CurrentMessage* m_pPrevious;
};

// ---------------------------------------------------------------------------

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        // An object going before its window: a child lives on unbound, a
        // top-level window goes too.
        HWND hWnd = Detach();
        if (!::GetParent(hWnd) || (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) == 0)
            ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = PermanentMap().find(hWnd);
    return it == PermanentMap().end() ? NULL : it->second;
}

CWnd* CWnd::FromHandleTemporary(HWND hWnd, const std::type_info& type, CWnd* (*pfnNew)())
{
    if (!hWnd)
        return NULL;
    auto& slot = TemporaryMap()[std::make_pair(hWnd, std::type_index(type))];
    if (!slot)
        slot.reset(pfnNew());
    slot->m_hWnd = hWnd;
    return slot.get();
}

void CWnd::DeleteTempMap()
{
    TemporaryMap().clear();
    MenuMap().clear();
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    PermanentMap()[hWnd] = this;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd && FromHandlePermanent(hWnd) == this) {
        if (m_pfnSuper)
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
        PermanentMap().erase(hWnd);
    }
    m_hWnd = NULL;
    m_pfnSuper = NULL;
    return hWnd;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const wchar_t* pszClassName, const wchar_t* pszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    bool own = pszClassName == NULL;
    if (own) {
        RegisterOwnClass();
        pszClassName = kWndClass;
        t_pWndInit = this;
    }
    HWND hParent = pParentWnd ? pParentWnd->m_hWnd : NULL;
    HMENU hMenu = (dwStyle & WS_CHILD) ? (HMENU)(UINT_PTR)nID : NULL;
    HWND hWnd = ::CreateWindowExW(dwExStyle, pszClassName, pszWindowName, dwStyle, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, hParent, hMenu,
                                  AfxGetInstanceHandle(), NULL);
    t_pWndInit = NULL;
    if (!hWnd)
        return FALSE;
    if (!own)
        return SubclassWindow(hWnd);
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    Attach(hWnd);
    m_pfnSuper = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, nID));
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

void CWnd::GetWindowText(CString& rString) const
{
    ASSERT(::IsWindow(m_hWnd));
    int n = ::GetWindowTextLengthW(m_hWnd);
    wchar_t* p = rString.GetBuffer(n + 1);
    int got = ::GetWindowTextW(m_hWnd, p, n + 1);
    rString.ReleaseBuffer(got > 0 ? got : 0);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    return FALSE;
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd && t_pWndInit) {
        pWnd = t_pWndInit;
        t_pWndInit = NULL;
        pWnd->Attach(hWnd);
    }
    if (!pWnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    return pWnd->WindowProc(message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    MessageScope scope(this, message, wParam, lParam);
    // No exception may unwind through the platform's frames: Win32 and Wine
    // code cannot be unwound, and the message still needs its answer.
    try {
        LRESULT lResult = 0;
        BOOL bHandled = FALSE;

        // Reflection: the direct child that sent a notification, command or
        // colour request sees it in its own table before this window does.
        // A message forwarded from further down is the receiver's own.
        HWND hWndChild = NULL;
        if (message == WM_NOTIFY)
            hWndChild = ((NMHDR*)lParam)->hwndFrom;
        else if ((message == WM_COMMAND && lParam) || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC))
            hWndChild = (HWND)lParam;
        if (hWndChild && hWndChild != m_hWnd && ::GetAncestor(hWndChild, GA_PARENT) == m_hWnd) {
            if (CWnd* pChild = FromHandlePermanent(hWndChild))
                bHandled = pChild->OnChildNotify(message, wParam, lParam, &lResult);
        }

        if (!bHandled && !OnWndMsg(message, wParam, lParam, &lResult))
            lResult = DefWindowProc(message, wParam, lParam);
        return lResult;
    } catch (const std::exception& e) {
        AfxTraceException(scope.m_current.hWnd, message, e.what());
    } catch (...) {
        AfxTraceException(scope.m_current.hWnd, message, NULL);
    }
    return ProcessWndProcException(message, wParam, lParam);
}

LRESULT CWnd::ProcessWndProcException(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        return FALSE;  // the window is not made
    case WM_CREATE:
        return -1;
    case WM_NOTIFY:
        // Refusable notifications are refused: their default, 0, lets the
        // control go ahead with an edit, a selection or an opening that
        // the handler never approved.
        switch (((NMHDR*)lParam)->code) {
        case TVN_BEGINLABELEDITW:
        case TVN_SELCHANGINGW:
        case TVN_ITEMEXPANDINGW:
            return TRUE;
        }
        break;
    }
    // A window gone meanwhile gets the platform's plain answer.
    if (!m_hWnd)
        return 0;
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    if (!t_pCurrent)
        return 0;
    return DefWindowProc(t_pCurrent->message, t_pCurrent->wParam, t_pCurrent->lParam);
}

// ---------------------------------------------------------------------------

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (!hMenu)
        return NULL;
    auto& slot = MenuMap()[hMenu];
    if (!slot)
        slot.reset(new CMenu);
    slot->m_hMenu = hMenu;
    return slot.get();
}

CString CMenu::GetMenuString(UINT nIDItem, UINT nFlags) const
{
    wchar_t buf[256];
    int n = ::GetMenuStringW(m_hMenu, nIDItem, buf, 256, nFlags);
    return CString(buf, n > 0 ? n : 0);
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    m_hMenu = ::LoadMenuW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(nIDResource));
    return m_hMenu != NULL;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, const CWnd* pWnd) const
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), NULL);
}

CWndMapCounts AfxGetWndMapCounts()
{
    CWndMapCounts counts = {(int)PermanentMap().size(), (int)TemporaryMap().size(), 0};
    for (const auto& entry : PermanentMap())
        counts.nGone += !::IsWindow(entry.first);
    for (const auto& entry : TemporaryMap())
        counts.nGone += !::IsWindow(entry.first.first);
    return counts;
}
