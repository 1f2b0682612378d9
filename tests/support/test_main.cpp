// Entry point of every test executable: the common controls are set up as
// the program sets them up, then GoogleTest runs.
#include <gtest/gtest.h>

#include <string>

#include "framework/afxwin.h"
#include "support/RenameCrash.h"
#include "support/TestSupport.h"

// The application object, as the program has one: dialogs under test
// become its main window, the owner of the modal dialogs they open.
static CWinApp s_testApp;

int main(int argc, char** argv)
{
    Enable3dControlsStatic();
    // Started again by a test as a rename to be killed.
    const int nChild = RunRenameCrashChild();
    if (nChild >= 0)
        return nChild;
    testing::InitGoogleTest(&argc, argv);
    // A profile folder of this test program's own, inherited by the
    // programs it starts: the rename journals of tests running side by side
    // never meet, and what one leaves behind is seen.
    wchar_t szCurrent[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, szCurrent);
    const std::wstring appData = std::wstring(szCurrent) + L"\\appdata-" + std::to_wstring(GetCurrentProcessId());
    const bool bOwn = !GetEnvironmentVariableW(L"QUORVEL_TEST_APPDATA", NULL, 0);
    if (bOwn) {
        CreateDirectoryW(appData.c_str(), NULL);
        SetEnvironmentVariableW(L"LOCALAPPDATA", appData.c_str());
        SetEnvironmentVariableW(L"QUORVEL_TEST_APPDATA", appData.c_str());
    }
    const int nResult = RUN_ALL_TESTS();
    if (bOwn)
        RemoveTree(appData);
    return nResult;
}
