#include "platform/Shell.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <unordered_map>

#include "platform/DiskNames.h"

namespace {

// A display name as the program shows it: exact in the code page (composed
// where the name on disk is decomposed Hangul), else empty.
CString ShownText(const wchar_t* psz)
{
    CString str;
    if (!psz || !ComposedCodePage(psz, str))
        return CString();
    return str;
}

}  // namespace

CString GetDesktopFolderPath(HWND hWndOwner)
{
    LPITEMIDLIST pidl = NULL;
    wchar_t szPath[MAX_PATH] = L"";
    if (SUCCEEDED(::SHGetSpecialFolderLocation(hWndOwner, CSIDL_DESKTOP, &pidl)) && pidl) {
        if (!::SHGetPathFromIDListW(pidl, szPath))
            szPath[0] = 0;
        ::CoTaskMemFree(pidl);
    }
    // A user name the code page cannot hold ("Björk") would turn into
    // another path: the desktop is reached by its short path then, or not
    // at all.
    CString strPath;
    if (ExactCodePage(szPath, strPath))
        return strPath;
    wchar_t szShort[MAX_PATH] = L"";
    DWORD n = ::GetShortPathNameW(szPath, szShort, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || !ExactCodePage(szShort, strPath))
        return CString();
    return strPath;
}

CShellFileInfo GetShellFileInfo(const CString& strPath)
{
    CShellFileInfo info;
    const std::wstring wstrPath = DiskPath(strPath);
    SHFILEINFOW sfi = {};
    if (::SHGetFileInfoW(wstrPath.c_str(), 0, &sfi, sizeof(sfi), SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_SMALLICON)) {
        info.strDisplayName = ShownText(sfi.szDisplayName);
        info.hIcon = sfi.hIcon;
    }
    SHFILEINFOW sfiOpen = {};
    if (::SHGetFileInfoW(wstrPath.c_str(), 0, &sfiOpen, sizeof(sfiOpen),
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

// The text of a name as the shell returns it, whichever of its three forms
// it chose; a wide string is freed here.
std::wstring StrRetText(STRRET& sr, LPCITEMIDLIST pidl)
{
    switch (sr.uType) {
    case STRRET_WSTR: {
        std::wstring w = sr.pOleStr ? sr.pOleStr : L"";
        ::CoTaskMemFree(sr.pOleStr);
        return w;
    }
    case STRRET_OFFSET:
        return WideFromCodePage(CString((const char*)pidl + sr.uOffset));
    case STRRET_CSTR:
        return WideFromCodePage(CString(sr.cStr));
    }
    return std::wstring();
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
    std::wstring wstrFolder = DiskPath(strFolder);
    if (SUCCEEDED(pDesktop->ParseDisplayName(NULL, NULL, &wstrFolder[0], NULL, &pidlFolder, NULL)) && pidlFolder) {
        pDesktop->BindToObject(pidlFolder, NULL, IID_IShellFolder, (void**)&pFolder);
        ::CoTaskMemFree(pidlFolder);
    }
    pDesktop->Release();
    if (!pFolder)
        return;

    // Each name is known by its name on disk.
    std::unordered_map<std::wstring, size_t> wanted;
    for (size_t i = 0; i < names.size(); ++i) {
        std::wstring wstrPath = DiskPath(strFolderPath + names[i]);
        size_t nSep = wstrPath.find_last_of(L'\\');
        wanted.emplace(nSep == std::wstring::npos ? wstrPath : wstrPath.substr(nSep + 1), i);
    }
    IEnumIDList* pEnum = NULL;
    const SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN | SHCONTF_INCLUDESUPERHIDDEN;
    if (pFolder->EnumObjects(NULL, flags, &pEnum) == S_OK && pEnum) {
        LPITEMIDLIST pidl = NULL;
        while (pEnum->Next(1, &pidl, NULL) == S_OK && pidl) {
            // The entry's name on disk tells which of the names it is.
            STRRET sr = {};
            if (SUCCEEDED(pFolder->GetDisplayNameOf(pidl, SHGDN_INFOLDER | SHGDN_FORPARSING, &sr))) {
                auto found = wanted.find(StrRetText(sr, pidl));
                STRRET srShown = {};
                if (found != wanted.end() && labels[found->second].IsEmpty() &&
                    SUCCEEDED(pFolder->GetDisplayNameOf(pidl, SHGDN_INFOLDER, &srShown)))
                    labels[found->second] = ShownText(StrRetText(srShown, pidl).c_str());
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
    SHFILEINFOW sfi = {};
    if (!::SHGetFileInfoW(DiskPath(strPath).c_str(), 0, &sfi, sizeof(sfi), SHGFI_DISPLAYNAME))
        return CString();
    return ShownText(sfi.szDisplayName);
}

CWideLabel CShellService::GetWideLabel(const CString& strPath)
{
    CWideLabel label;
    const std::wstring wstrPath = DiskPath(strPath);
    WIN32_FIND_DATAW fd;
    if (!FindEntry(wstrPath, fd))
        return label;
    const std::wstring wstrName = fd.cFileName;
    SHFILEINFOW sfi = {};
    if (::SHGetFileInfoW(wstrPath.c_str(), 0, &sfi, sizeof(sfi), SHGFI_DISPLAYNAME))
        label.wstrText = sfi.szDisplayName;
    if (label.wstrText.empty())
        label.wstrText = wstrName;
    // The shell may show the name without its extension (neither a leading
    // nor a trailing dot).
    size_t nDot = wstrName.find_last_of(L'.');
    if (label.wstrText != wstrName && nDot != std::wstring::npos && nDot > 0 && nDot + 1 < wstrName.size() &&
        label.wstrText == wstrName.substr(0, nDot))
        ExactCodePage(wstrName.substr(nDot), label.strHiddenExtension);
    return label;
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

bool GetExactWindowText(HWND hWnd, CString& strText)
{
    int n = ::GetWindowTextLengthW(hWnd);
    std::wstring w(n + 1, L'\0');
    n = ::GetWindowTextW(hWnd, &w[0], n + 1);
    w.resize(n > 0 ? n : 0);
    return ExactCodePage(w, strText);
}

int ShowMessageWithNames(HWND hOwner, const CString& strText, const std::vector<std::wstring>& names,
                         const CString& strCaption, UINT nType)
{
    std::wstring wstrText = WideFromCodePage(strText);
    for (const std::wstring& wstrName : names)
        wstrText += L"\n" + wstrName;
    return ::MessageBoxW(hOwner, wstrText.c_str(), WideFromCodePage(strCaption).c_str(), nType);
}
