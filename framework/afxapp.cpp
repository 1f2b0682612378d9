#include "framework/afxapp.h"

#include "framework/afximpl.h"
#include "framework/afxloop.h"

namespace {
CWinApp* g_pApp = NULL;
}  // namespace

CWinApp::CWinApp(const wchar_t* pszAppName) : m_pMainWnd(NULL), m_hInstance(NULL), m_lpCmdLine(NULL)
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
        AfxIdleIfQueueEmpty();
        if (::GetMessageW(&msg, NULL, 0, 0) <= 0)
            break;
        AfxDispatchMessage(&msg, NULL);
    }
    return ExitInstance();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (!AfxInHandler())
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

void AfxIdleIfQueueEmpty()
{
    MSG msg;
    if (!::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE))
        if (CWinApp* pApp = AfxGetApp())
            pApp->OnIdle(0);
}

BOOL Enable3dControlsStatic()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TREEVIEW_CLASSES};
    return ::InitCommonControlsEx(&icc);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->m_hInstance = hInstance;
    AfxSetInstanceHandle(hInstance);
    pApp->m_lpCmdLine = lpCmdLine;
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}
