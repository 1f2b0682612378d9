#include "afxwin.h"

#include <mbctype.h>

#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeindex>
#include <utility>

#include "res/resource.h"

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

const char kWndClass[] = "QuorvelWnd";

void RegisterOwnClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CWnd::AfxWndProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = kWndClass;
    ::RegisterClassA(&wc);
    registered = true;
}

CWinApp* g_pApp = NULL;

// Reports an exception that a handler let out, for a debugger or a log
// viewer: the program itself goes on.
void TraceException(HWND hWnd, UINT message, const char* pszWhat)
{
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    char sz[512];
    snprintf(sz, sizeof(sz), "Quorvel: exception in the handler of message 0x%04X of window %p (%s): %s\n", message,
             (void*)hWnd, szClass, pszWhat ? pszWhat : "unknown exception");
    ::OutputDebugStringA(sz);
}

// Lets the application's idle work run when the queue is empty.
void IdleIfQueueEmpty()
{
    MSG msg;
    if (!::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
        if (CWinApp* pApp = AfxGetApp())
            pApp->OnIdle(0);
}

}  // namespace

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
            TraceException(m_current.hWnd, WM_NCDESTROY, e.what());
        } catch (...) {
            TraceException(m_current.hWnd, WM_NCDESTROY, NULL);
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
        if (!::GetParent(hWnd) || (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) == 0)
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
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
        PermanentMap().erase(hWnd);
    }
    m_hWnd = NULL;
    m_pfnSuper = NULL;
    return hWnd;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* pszClassName, const char* pszWindowName, DWORD dwStyle,
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
    HWND hWnd = ::CreateWindowExA(dwExStyle, pszClassName, pszWindowName, dwStyle, rect.left, rect.top,
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
    m_pfnSuper = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
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
    int n = ::GetWindowTextLengthA(m_hWnd);
    char* p = rString.GetBuffer(n + 1);
    int got = ::GetWindowTextA(m_hWnd, p, n + 1);
    rString.ReleaseBuffer(got > 0 ? got : 0);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
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
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
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
        TraceException(scope.m_current.hWnd, message, e.what());
    } catch (...) {
        TraceException(scope.m_current.hWnd, message, NULL);
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
        case TVN_BEGINLABELEDITA:
        case TVN_BEGINLABELEDITW:
        case TVN_SELCHANGINGA:
        case TVN_SELCHANGINGW:
        case TVN_ITEMEXPANDINGA:
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
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
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
    char buf[256];
    int n = ::GetMenuStringA(m_hMenu, nIDItem, buf, sizeof(buf), nFlags);
    return CString(buf, n > 0 ? n : 0);
}

// ---------------------------------------------------------------------------

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int n = (int)SendMessage(CB_GETLBTEXTLEN, nIndex);
    if (n == CB_ERR) {
        rString.Empty();
        return;
    }
    char* p = rString.GetBuffer(n + 1);
    int got = (int)SendMessage(CB_GETLBTEXT, nIndex, (LPARAM)p);
    rString.ReleaseBuffer(got > 0 ? got : 0);
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, const char* pszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = nMask;
    tvis.item.pszText = (LPSTR)pszItem;
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = nState;
    tvis.item.stateMask = nStateMask;
    tvis.item.lParam = lParam;
    return InsertItem(&tvis);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    // Labels are at most 260 bytes in the tree's own buffer handling; take
    // room for the longest name the file system allows.
    char buf[1024];
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = buf;
    item.cchTextMax = sizeof(buf);
    buf[0] = 0;
    if (!SendMessage(TVM_GETITEMA, 0, (LPARAM)&item))
        return CString();
    return CString(item.pszText);
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, const char* pszItem)
{
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = (LPSTR)pszItem;
    return (BOOL)SendMessage(TVM_SETITEMA, 0, (LPARAM)&item);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEMA item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    BOOL ok = (BOOL)SendMessage(TVM_GETITEMA, 0, (LPARAM)&item);
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return ok;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    TVITEMA item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return (BOOL)SendMessage(TVM_SETITEMA, 0, (LPARAM)&item);
}

// ---------------------------------------------------------------------------

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWndDlg = pDX->m_pDlgWnd->m_hWnd;
    if (rControl.SubclassWindow(::GetDlgItem(hWndDlg, nIDC)))
        return;
    // Every later call through rControl would go to no window: say so
    // loudly, in every build, and stop the exchange.
    char sz[160];
    snprintf(sz, sizeof(sz), "Quorvel: DDX_Control: dialog %p has no control with id %d, or it is bound already\n",
             (void*)hWndDlg, nIDC);
    ::OutputDebugStringA(sz);
    CString strText;
    AfxFormatString1(strText, IDS_NO_CONTROL, std::to_string(nIDC).c_str());
    ::MessageBoxA(hWndDlg, strText, AfxLoadText(IDS_PROGRAM_ERROR_CAPTION), MB_OK | MB_ICONHAND);
    throw std::runtime_error("no dialog control with id " + std::to_string(nIDC));
}

// The dialog procedure only binds the dialog window to its object at the
// first message it sees; from then on the object's window procedure comes
// first and this procedure leaves everything to the platform's dialog code.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (t_pWndInit && !CWnd::FromHandlePermanent(hWnd)) {
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = NULL;
        pWnd->SubclassWindow(hWnd);
        if (message == WM_INITDIALOG)
            return (INT_PTR)pWnd->WindowProc(message, wParam, lParam);
    }
    return FALSE;
}

BOOL CDialog::CreateFromTemplate(HWND hWndOwner)
{
    m_bEnded = false;
    m_nModalResult = -1;
    HINSTANCE hInst = AfxGetInstanceHandle();
    HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA(m_nIDTemplate), (LPCSTR)RT_DIALOG);
    if (!hRes)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    LPCDLGTEMPLATEA pTemplate = hGlobal ? (LPCDLGTEMPLATEA)::LockResource(hGlobal) : NULL;
    if (!pTemplate)
        return FALSE;
    t_pWndInit = this;
    m_bCreating = true;
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, pTemplate, hWndOwner, AfxDlgProc, 0);
    m_bCreating = false;
    t_pWndInit = NULL;
    if (!hWnd)
        return FALSE;
    // Never bound (no message reached the dialog procedure), or ended by
    // its own initialisation: it goes before it is ever shown.
    if (m_hWnd != hWnd || m_bEnded) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(pParentWnd ? pParentWnd->m_hWnd : NULL);
}

INT_PTR CDialog::DoModal()
{
    HWND hWndOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : NULL;
    if (!hWndOwner) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain && pMain != this)
            hWndOwner = pMain->m_hWnd;
    }
    if (hWndOwner)
        hWndOwner = ::GetAncestor(hWndOwner, GA_ROOT);
    BOOL bEnableOwner = FALSE;
    if (hWndOwner && ::IsWindowEnabled(hWndOwner)) {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = TRUE;
    }

    bool bQuit = false;
    WPARAM nQuitCode = 0;
    if (CreateFromTemplate(hWndOwner)) {
        m_bModalRunning = true;
        if (!m_bEnded)
            ShowWindow(SW_SHOWNORMAL);
        while (!m_bEnded && m_hWnd) {
            IdleIfQueueEmpty();
            MSG msg;
            BOOL r = ::GetMessageA(&msg, NULL, 0, 0);
            if (r <= 0) {
                bQuit = r == 0;
                nQuitCode = msg.wParam;
                break;
            }
            if (!WalkPreTranslateTree(m_hWnd, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        m_bModalRunning = false;
    }

    // The owner gets the activation back before this window goes.
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd)
        DestroyWindow();
    if (bQuit)
        ::PostQuitMessage((int)nQuitCode);
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bEnded = true;
    // Inside WM_INITDIALOG the window is still being made: destroying it
    // there would pull it from under its creation. The creator sees the
    // flag and ends it.
    if (m_bCreating)
        return;
    if (m_hWnd && !m_bModalRunning)
        DestroyWindow();
    else if (m_hWnd)
        PostMessage(WM_NULL);  // wake the modal loop
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Dialog keyboard handling (Tab, arrows, mnemonics, Enter, Escape)
    // for keyboard and mouse input only.
    if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) &&
        (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

LRESULT CDialog::ProcessWndProcException(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        EndDialog(-1);
        return FALSE;
    }
    return CWnd::ProcessWndProcException(message, wParam, lParam);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_INITDIALOG) {
        *pResult = OnInitDialog();
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            *pResult = 0;
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            *pResult = 0;
            return TRUE;
        }
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------

CWinApp::CWinApp(const char* pszAppName) : m_pMainWnd(NULL), m_hInstance(NULL)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = NULL;
}

int CWinApp::Run()
{
    MSG msg;
    for (;;) {
        IdleIfQueueEmpty();
        if (::GetMessageA(&msg, NULL, 0, 0) <= 0)
            break;
        if (!CWnd::WalkPreTranslateTree(NULL, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return ExitInstance();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (!t_pCurrent)
        CWnd::DeleteTempMap();
    return FALSE;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp ? g_pApp->m_pMainWnd : NULL;
}

HINSTANCE AfxGetInstanceHandle()
{
    if (g_pApp && g_pApp->m_hInstance)
        return g_pApp->m_hInstance;
    return ::GetModuleHandleA(NULL);
}

BOOL Enable3dControlsStatic()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TREEVIEW_CLASSES};
    return ::InitCommonControlsEx(&icc);
}

static void InitProcess()
{
    // Multi-byte string functions follow the system's ANSI code page (949
    // on a Korean system), as the program's names and texts do.
    _setmbcp(_MB_CP_ANSI);
}

void AfxWinInitForTests()
{
    InitProcess();
    Enable3dControlsStatic();
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    InitProcess();
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->m_hInstance = hInstance;
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
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
