#include "platform/Shell.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <unordered_map>

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

// ---------------------------------------------------------------------------

namespace {

std::wstring Wide(const CString& str)
{
    int n = ::MultiByteToWideChar(CP_ACP, 0, str, str.GetLength(), NULL, 0);
    std::wstring w(n, L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, str, str.GetLength(), &w[0], n);
    return w;
}

CString Narrow(const wchar_t* psz)
{
    int n = ::WideCharToMultiByte(CP_ACP, 0, psz, -1, NULL, 0, NULL, NULL);
    if (n <= 1)
        return CString();
    std::string s(n, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, psz, -1, &s[0], n, NULL, NULL);
    s.resize(n - 1);
    return CString(s);
}

// The text of a display name as the shell returns it, whichever of its
// three forms it chose; a wide string is freed here.
CString StrRetText(STRRET& sr, LPCITEMIDLIST pidl)
{
    switch (sr.uType) {
    case STRRET_WSTR: {
        CString str = sr.pOleStr ? Narrow(sr.pOleStr) : CString();
        ::CoTaskMemFree(sr.pOleStr);
        return str;
    }
    case STRRET_OFFSET:
        return CString((const char*)pidl + sr.uOffset);
    case STRRET_CSTR:
        return CString(sr.cStr);
    }
    return CString();
}

bool KeyExists(const CString& strKey)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

CString DefaultValue(const CString& strKey)
{
    char sz[MAX_PATH] = "";
    LONG cb = sizeof(sz);
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, strKey, sz, &cb) != ERROR_SUCCESS)
        return CString();
    return CString(sz);
}

}  // namespace

bool CShellService::ReadFolder(const CString& strFolderPath, std::vector<CFolderEntry>& entries)
{
    return ReadFolderEntries(strFolderPath, entries);
}

bool CShellService::HoldsDesktopIni(const CString& strFolderPath)
{
    return FileExists(strFolderPath + "desktop.ini");
}

// SHGetFileInfo parses each path from the desktop down, and asked of the
// folder name by name, the shell looks each entry up on disk again: both
// cost about a millisecond per entry under Wine. Walking the bound folder's
// own entries once gives the same answer (the display name in its folder)
// for all of them at once.
void CShellService::GetDisplayNames(const CString& strFolderPath, const std::vector<CString>& names,
                                    std::vector<CString>& labels)
{
    labels.assign(names.size(), CString());
    if (names.empty())
        return;
    IShellFolder* pDesktop = NULL;
    if (FAILED(::SHGetDesktopFolder(&pDesktop)) || !pDesktop)
        return;
    IShellFolder* pFolder = NULL;
    LPITEMIDLIST pidlFolder = NULL;
    // A folder's path without its "\", a drive's root with it.
    CString strFolder = strFolderPath;
    if (strFolder.GetLength() > 3 && strFolder.Right(1) == "\\")
        strFolder = strFolder.Left(strFolder.GetLength() - 1);
    std::wstring wstrFolder = Wide(strFolder);
    if (SUCCEEDED(pDesktop->ParseDisplayName(NULL, NULL, &wstrFolder[0], NULL, &pidlFolder, NULL)) && pidlFolder) {
        pDesktop->BindToObject(pidlFolder, NULL, IID_IShellFolder, (void**)&pFolder);
        ::CoTaskMemFree(pidlFolder);
    }
    pDesktop->Release();
    if (!pFolder)
        return;

    std::unordered_map<std::string, size_t> wanted;
    for (size_t i = 0; i < names.size(); ++i)
        wanted.emplace(names[i].str(), i);
    IEnumIDList* pEnum = NULL;
    const SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN | SHCONTF_INCLUDESUPERHIDDEN;
    if (pFolder->EnumObjects(NULL, flags, &pEnum) == S_OK && pEnum) {
        LPITEMIDLIST pidl = NULL;
        while (pEnum->Next(1, &pidl, NULL) == S_OK && pidl) {
            // The entry's name on disk tells which of the names it is.
            STRRET sr = {};
            if (SUCCEEDED(pFolder->GetDisplayNameOf(pidl, SHGDN_INFOLDER | SHGDN_FORPARSING, &sr))) {
                auto found = wanted.find(StrRetText(sr, pidl).str());
                STRRET srShown = {};
                if (found != wanted.end() && labels[found->second].IsEmpty() &&
                    SUCCEEDED(pFolder->GetDisplayNameOf(pidl, SHGDN_INFOLDER, &srShown)))
                    labels[found->second] = StrRetText(srShown, pidl);
            }
            ::CoTaskMemFree(pidl);
            pidl = NULL;
        }
        pEnum->Release();
    }
    pFolder->Release();
}

CString CShellService::GetDisplayName(const CString& strPath)
{
    SHFILEINFOA sfi = {};
    if (!::SHGetFileInfoA(strPath, 0, &sfi, sizeof(sfi), SHGFI_DISPLAYNAME))
        return CString();
    return CString(sfi.szDisplayName);
}

CShellFileInfo CShellService::GetFileInfo(const CString& strPath)
{
    return GetShellFileInfo(strPath);
}

bool CShellService::TypeHasIconPerFile(const CString& strExtension)
{
    // The type's own key, its class's key, and what the system adds to
    // every type of that extension.
    CString strClass = DefaultValue(strExtension);
    std::vector<CString> keys = {strExtension, "SystemFileAssociations\\" + strExtension};
    if (!strClass.IsEmpty())
        keys.push_back(strClass);
    for (const CString& strKey : keys) {
        if (KeyExists(strKey + "\\ShellEx\\IconHandler"))
            return true;
        CString strIcon = DefaultValue(strKey + "\\DefaultIcon");
        if (strIcon.Find("%1") >= 0)
            return true;
    }
    return false;
}

CShellService& SystemShellService()
{
    static CShellService service;
    return service;
}
