// Run once before the tests: makes Wine start its desktop and shell
// helper processes, so that they belong to this short run rather than to
// the first test that needs them (whose output pipe they would hold open
// until every other test had ended).
#include <windows.h>
#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HWND hWnd = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    char szDrives[256] = "";
    GetLogicalDriveStringsA(sizeof(szDrives), szDrives);
    SHFILEINFOA sfi = {};
    if (SHGetFileInfoA(szDrives, 0, &sfi, sizeof(sfi), SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_SMALLICON) && sfi.hIcon)
        DestroyIcon(sfi.hIcon);
    if (hWnd)
        DestroyWindow(hWnd);
    return 0;
}
