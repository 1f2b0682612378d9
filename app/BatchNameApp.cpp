#include "app/BatchNameApp.h"

#include <objbase.h>

#include "dialogs/BatchNameDlg.h"
#include "platform/PathArgument.h"

CBatchNameApp theApp;

CBatchNameApp::CBatchNameApp() {}

CBatchNameApp::~CBatchNameApp() {}

// The whole program is the main dialog: run it and end when it closes.
BOOL CBatchNameApp::InitInstance()
{
    // An empty card reader or DVD drive, opened in the tree or touched by
    // any file operation, fails quietly (it opens empty) instead of bringing
    // up the system's "no disk in the drive" box.
    ::SetErrorMode(::GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // The tree asks the shell's namespace for names and icons, which
    // expects COM to be set up on the asking thread.
    HRESULT hrCom = ::CoInitialize(NULL);
    AfxEnableControlContainer();
    Enable3dControlsStatic();

    {
        CBatchNameDlg dlg;
        // A folder or file to open (Explorer's menu, Send To): only the
        // first argument counts.
        dlg.SetStartPath(FirstCommandLineArgument(m_lpCmdLine));
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = NULL;
    }
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
    // No message loop of the application's own: the program ends here.
    return FALSE;
}

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
