// Run before the tests: makes Wine start its desktop and shell helper
// processes, so that they belong to this run rather than to the first test
// that needs them (whose output pipe they would hold open until every other
// test had ended). Given "stay", it stays until the prefix's processes are
// ended: Wine ends its desktop process once no process uses the desktop,
// and a later test would start it again, with the same result.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int)
{
    HWND hWnd = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    wchar_t szDrives[256] = L"";
    GetLogicalDriveStringsW(255, szDrives);
    SHFILEINFOW sfi = {};
    if (SHGetFileInfoW(szDrives, 0, &sfi, sizeof(sfi), SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_SMALLICON) && sfi.hIcon)
        DestroyIcon(sfi.hIcon);
    if (lpCmdLine && strstr(lpCmdLine, "stay")) {
        MSG msg;
        while (GetMessageW(&msg, NULL, 0, 0) > 0)
            DispatchMessageW(&msg);
    }
    if (hWnd)
        DestroyWindow(hWnd);
    return 0;
}
