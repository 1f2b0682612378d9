#include "platform/Shell.h"

#include <shellapi.h>
#include <shlobj.h>

CString GetDesktopFolderPath(HWND hWndOwner)
{
    LPITEMIDLIST pidl = NULL;
    char szPath[300] = "";
    if (SUCCEEDED(::SHGetSpecialFolderLocation(hWndOwner, CSIDL_DESKTOP, &pidl)) && pidl) {
        if (!::SHGetPathFromIDListA(pidl, szPath))
            szPath[0] = 0;
        ::CoTaskMemFree(pidl);
    }
    return CString(szPath);
}

CShellFileInfo GetShellFileInfo(const CString& strPath)
{
    CShellFileInfo info;
    SHFILEINFOA sfi = {};
    if (::SHGetFileInfoA(strPath, 0, &sfi, sizeof(sfi), SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_SMALLICON)) {
        info.strDisplayName = sfi.szDisplayName;
        info.hIcon = sfi.hIcon;
    }
    SHFILEINFOA sfiOpen = {};
    if (::SHGetFileInfoA(strPath, 0, &sfiOpen, sizeof(sfiOpen),
                         SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_SMALLICON | SHGFI_OPENICON))
        info.hOpenIcon = sfiOpen.hIcon;
    return info;
}

HICON ExtractShellIcon(HINSTANCE hInstance, int nIndex)
{
    HICON hIcon = ::ExtractIconA(hInstance, "shell32.dll", nIndex);
    // 1 means "not a file with icons", not an icon handle.
    return hIcon == (HICON)1 ? NULL : hIcon;
}

void GetDriveStrings(char* pszBuffer, DWORD nSize)
{
    // Cleared first: on failure, or when the buffer is too small and
    // nothing is written, the tree must see "no drive" and not old bytes.
    // One character is kept back for the empty string after the last root.
    memset(pszBuffer, 0, nSize);
    DWORD n = ::GetLogicalDriveStringsA(nSize - 1, pszBuffer);
    if (n == 0 || n > nSize - 1)
        memset(pszBuffer, 0, nSize);
}
