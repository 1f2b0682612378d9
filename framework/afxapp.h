// The application object, start-up and the framework's process-wide state.
#pragma once

#include "framework/afxinst.h"
#include "framework/afxwnd.h"

class CWinApp {
public:
    explicit CWinApp(const wchar_t* pszAppName = NULL);
    virtual ~CWinApp();
    virtual BOOL InitInstance() { return TRUE; }
    virtual int Run();
    // Work for a message loop that has nothing to do: temporary objects go,
    // unless a handler that may hold one is still running below the loop.
    // Returns whether more idle work is left.
    virtual BOOL OnIdle(LONG lCount);
    virtual int ExitInstance() { return 0; }
    HICON LoadIcon(UINT nIDResource) const { return ::LoadIconW(m_hInstance, MAKEINTRESOURCEW(nIDResource)); }

    CWnd* m_pMainWnd;
    HINSTANCE m_hInstance;
    // The command line after the program's name, as wWinMain received it.
    LPWSTR m_lpCmdLine;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);

// No dialog of the program hosts an OLE control; kept as the start-up step
// it stands for.
inline void AfxEnableControlContainer() {}
// The three-dimensional control look: here it means the common controls
// (tree view and the rest) are registered for the process.
BOOL Enable3dControlsStatic();
