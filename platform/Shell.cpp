#include "platform/Shell.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <commoncontrols.h>

#include <string>
#include <unordered_map>

#include "platform/NameParts.h"
#include "platform/PathIdentity.h"

namespace {

// What the shell is asked about a path, and how: the path itself, or for
// one it cannot reach the kind of entry it is, a folder or a file of the
// type its name ends in, asked without touching the disk.
struct ShellQuery {
    std::wstring wstrAsked;
    DWORD dwAttributes = 0;
    UINT flags = 0;
};

ShellQuery QueryFor(const CString& strPath)
{
    ShellQuery query;
    if (IsShellReachable(strPath)) {
        query.wstrAsked = strPath.str();
        return query;
    }
    DWORD dwAttributes = ::GetFileAttributesW(LongPath(strPath).c_str());
    const bool bFolder = dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
    // The type: from the last dot of the last part, trailing dots and
    // spaces left out as a plain path would leave them.
    std::wstring wstrName = strPath.str();
    while (!wstrName.empty() && (IsPathSeparator(wstrName.back()) || wstrName.back() == L'.' || wstrName.back() == L' '))
        wstrName.pop_back();
    query.wstrAsked = bFolder ? L"folder" : L"file" + FileTypeOf(wstrName).str();
    query.dwAttributes = bFolder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    query.flags = SHGFI_USEFILEATTRIBUTES;
    return query;
}

// IID_IImageList, which the toolchain's libraries leave out.
const IID kIIDImageList = {0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};

// The shell's image list whose images are the smallest at least cx pixels
// wide, else its largest; NULL when it has none.
HIMAGELIST ShellImageListFor(int cx)
{
    const int kLists[] = {SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE, SHIL_JUMBO};
    HIMAGELIST hBest = NULL;
    for (int nList : kLists) {
        IImageList* pList = NULL;
        if (FAILED(::SHGetImageList(nList, kIIDImageList, (void**)&pList)) || !pList)
            continue;
        // The shell keeps its lists for the process: no reference is held.
        HIMAGELIST hList = (HIMAGELIST)pList;
        pList->Release();
        int cxList = 0, cyList = 0;
        ImageList_GetIconSize(hList, &cxList, &cyList);
        hBest = hList;
        if (cxList >= cx)
            break;
    }
    return hBest;
}

}  // namespace

bool IsShellReachable(const CString& strPath)
{
    const std::wstring& path = strPath.str();
    if (path.empty() || path.size() >= MAX_PATH || path.compare(0, 4, L"\\\\?\\") == 0)
        return false;
    size_t nStart = 0;
    // A drive's root is no name of its own.
    if (path.size() >= 3 && path[1] == L':' && IsPathSeparator(path[2]))
        nStart = 3;
    while (nStart < path.size()) {
        size_t nEnd = nStart;
        while (nEnd < path.size() && !IsPathSeparator(path[nEnd]))
            ++nEnd;
        const std::wstring part = path.substr(nStart, nEnd - nStart);
        if (!part.empty() && part != L"." && part != L".." &&
            (part.back() == L'.' || part.back() == L' ' || IsReservedDeviceName(part)))
            return false;
        nStart = nEnd + 1;
    }
    return true;
}

CString GetDesktopFolderPath(HWND hWndOwner)
{
    LPITEMIDLIST pidl = NULL;
    wchar_t szPath[MAX_PATH] = L"";
    if (SUCCEEDED(::SHGetSpecialFolderLocation(hWndOwner, CSIDL_DESKTOP, &pidl)) && pidl) {
        if (!::SHGetPathFromIDListW(pidl, szPath))
            szPath[0] = 0;
        ::CoTaskMemFree(pidl);
    }
    return CString(szPath);
}

CShellFileInfo GetShellFileInfo(const CString& strPath)
{
    CShellFileInfo info;
    const ShellQuery query = QueryFor(strPath);
    UINT flags = SHGFI_ICON | SHGFI_SMALLICON | query.flags;
    if (!query.flags)
        flags |= SHGFI_DISPLAYNAME;
    SHFILEINFOW sfi = {};
    if (::SHGetFileInfoW(query.wstrAsked.c_str(), query.dwAttributes, &sfi, sizeof(sfi), flags)) {
        if (!query.flags)
            info.strDisplayName = sfi.szDisplayName;
        info.hIcon = sfi.hIcon;
    }
    SHFILEINFOW sfiOpen = {};
    if (::SHGetFileInfoW(query.wstrAsked.c_str(), query.dwAttributes, &sfiOpen, sizeof(sfiOpen),
                         flags | SHGFI_OPENICON))
        info.hOpenIcon = sfiOpen.hIcon;
    return info;
}

HICON GetShellIcon(const CString& strPath, bool bOpen, int cx)
{
    const ShellQuery query = QueryFor(strPath);
    SHFILEINFOW sfi = {};
    if (!::SHGetFileInfoW(query.wstrAsked.c_str(), query.dwAttributes, &sfi, sizeof(sfi),
                          SHGFI_SYSICONINDEX | query.flags | (bOpen ? SHGFI_OPENICON : 0)))
        return NULL;
    HIMAGELIST hList = ShellImageListFor(cx);
    return hList ? ImageList_GetIcon(hList, sfi.iIcon, ILD_TRANSPARENT) : NULL;
}

HICON ExtractShellIcon(HINSTANCE hInstance, int nIndex, int cx)
{
    if (cx > 0) {
        HICON hIcon = NULL;
        if (::SHDefExtractIconW(L"shell32.dll", nIndex, 0, &hIcon, NULL, MAKELONG(cx, cx)) == S_OK && hIcon)
            return hIcon;
    }
    HICON hIcon = ::ExtractIconW(hInstance, L"shell32.dll", nIndex);
    // 1 means "not a file with icons", not an icon handle.
    return hIcon == (HICON)1 ? NULL : hIcon;
}

void GetDriveStrings(wchar_t* pszBuffer, DWORD nSize)
{
    // Cleared first: on failure, or when the buffer is too small and
    // nothing is written, the tree must see "no drive" and not old bytes.
    // One character is kept back for the empty string after the last root.
    wmemset(pszBuffer, 0, nSize);
    DWORD n = ::GetLogicalDriveStringsW(nSize - 1, pszBuffer);
    if (n == 0 || n > nSize - 1)
        wmemset(pszBuffer, 0, nSize);
}

// ---------------------------------------------------------------------------

namespace {

// The text of a name as the shell returns it, whichever of its three forms
// it chose; the shell's own copy is freed here.
std::wstring StrRetText(STRRET& sr, LPCITEMIDLIST pidl)
{
    wchar_t* psz = NULL;
    if (FAILED(::StrRetToStrW(&sr, pidl, &psz)) || !psz)
        return std::wstring();
    std::wstring w = psz;
    ::CoTaskMemFree(psz);
    return w;
}

bool KeyExists(const CString& strKey)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

CString DefaultValue(const CString& strKey)
{
    wchar_t sz[MAX_PATH] = L"";
    DWORD cb = sizeof(sz);
    if (::RegGetValueW(HKEY_CLASSES_ROOT, strKey, NULL, RRF_RT_REG_SZ, NULL, sz, &cb) != ERROR_SUCCESS)
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
    return FileExists(strFolderPath + L"desktop.ini");
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
    if (names.empty() || !IsShellReachable(strFolderPath))
        return;
    IShellFolder* pDesktop = NULL;
    if (FAILED(::SHGetDesktopFolder(&pDesktop)) || !pDesktop)
        return;
    IShellFolder* pFolder = NULL;
    LPITEMIDLIST pidlFolder = NULL;
    // A folder's path without its "\", a drive's root with it.
    CString strFolder = strFolderPath;
    if (strFolder.GetLength() > 3 && strFolder.Right(1) == L"\\")
        strFolder = strFolder.Left(strFolder.GetLength() - 1);
    std::wstring wstrFolder = strFolder.str();
    if (SUCCEEDED(pDesktop->ParseDisplayName(NULL, NULL, &wstrFolder[0], NULL, &pidlFolder, NULL)) && pidlFolder) {
        pDesktop->BindToObject(pidlFolder, NULL, IID_IShellFolder, (void**)&pFolder);
        ::CoTaskMemFree(pidlFolder);
    }
    pDesktop->Release();
    if (!pFolder)
        return;

    // Each name is known by its name on disk; the shell has none to give
    // for a name it cannot reach.
    std::unordered_map<std::wstring, size_t> wanted;
    for (size_t i = 0; i < names.size(); ++i)
        if (IsShellReachable(strFolderPath + names[i]))
            wanted.emplace(names[i].str(), i);
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
    SHFILEINFOW sfi = {};
    if (!IsShellReachable(strPath) || !::SHGetFileInfoW(strPath, 0, &sfi, sizeof(sfi), SHGFI_DISPLAYNAME))
        return CString();
    return CString(sfi.szDisplayName);
}

CShellFileInfo CShellService::GetFileInfo(const CString& strPath)
{
    return GetShellFileInfo(strPath);
}

HICON CShellService::GetIcon(const CString& strPath, bool bOpen, int cx)
{
    return GetShellIcon(strPath, bOpen, cx);
}

bool CShellService::TypeHasIconPerFile(const CString& strExtension)
{
    // The type's own key, its class's key, and what the system adds to
    // every type of that extension.
    CString strClass = DefaultValue(strExtension);
    std::vector<CString> keys = {strExtension, L"SystemFileAssociations\\" + strExtension};
    if (!strClass.IsEmpty())
        keys.push_back(strClass);
    for (const CString& strKey : keys) {
        if (KeyExists(strKey + L"\\ShellEx\\IconHandler"))
            return true;
        CString strIcon = DefaultValue(strKey + L"\\DefaultIcon");
        if (strIcon.Find(L"%1") >= 0)
            return true;
    }
    return false;
}

CShellService& SystemShellService()
{
    static CShellService service;
    return service;
}
