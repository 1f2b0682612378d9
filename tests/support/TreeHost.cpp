#include "TreeHost.h"

#include "TestSupport.h"
#include "res/resource.h"

#include <cstring>

TreeHost::TreeHost()
{
    CRect rc(0, 0, 400, 600);
    m_frame.CreateEx(0, NULL, L"tree host", WS_OVERLAPPEDWINDOW, rc, NULL, 0);
    tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS,
                rc, &m_frame, 1000);
    tree.InitTree(AfxLoadText(IDS_COMPUTER));
}

TreeHost::~TreeHost()
{
    m_frame.DestroyWindow();
}

bool TreeHost::IsOpen(HTREEITEM hItem) const
{
    return (tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

// As the user does it, with the keyboard on the selected item: TVM_EXPAND
// notifies the parent only on an item's first opening (TVIS_EXPANDEDONCE),
// and Wine's tree view never notifies a collapse that TVM_EXPAND asks for.
void TreeHost::Open(HTREEITEM hItem)
{
    tree.SelectItem(hItem);
    if (!IsOpen(hItem))
        tree.SendMessage(WM_KEYDOWN, VK_ADD, 0);
}

void TreeHost::Close(HTREEITEM hItem)
{
    tree.SelectItem(hItem);
    if (IsOpen(hItem))
        tree.SendMessage(WM_KEYDOWN, VK_SUBTRACT, 0);
}

std::vector<HTREEITEM> TreeHost::Children(HTREEITEM hItem) const
{
    std::vector<HTREEITEM> out;
    for (HTREEITEM h = tree.GetChildItem(hItem); h; h = tree.GetNextSiblingItem(h))
        out.push_back(h);
    return out;
}

std::vector<std::wstring> TreeHost::Labels(HTREEITEM hItem) const
{
    std::vector<std::wstring> out;
    for (HTREEITEM h : Children(hItem))
        out.push_back(tree.GetItemText(h).str());
    return out;
}

HTREEITEM TreeHost::Child(HTREEITEM hParent, const std::wstring& strLabel) const
{
    for (HTREEITEM h : Children(hParent))
        if (tree.GetItemText(h).str() == strLabel)
            return h;
    return NULL;
}

HTREEITEM TreeHost::ChildOnDisk(HTREEITEM hParent, const std::wstring& strName) const
{
    for (HTREEITEM h : Children(hParent))
        if (tree.GetDiskName(h).str() == strName)
            return h;
    return NULL;
}

std::vector<std::wstring> TreeHost::DiskNames(HTREEITEM hItem) const
{
    std::vector<std::wstring> out;
    for (HTREEITEM h : Children(hItem))
        out.push_back(tree.GetDiskName(h).str());
    return out;
}

HTREEITEM TreeHost::OpenPath(HTREEITEM hFrom, const std::vector<std::wstring>& labels)
{
    HTREEITEM h = hFrom;
    Open(h);
    for (const std::wstring& label : labels) {
        h = Child(h, label);
        if (!h)
            return NULL;
        Open(h);
    }
    return h;
}

int TreeHost::Image(HTREEITEM hItem) const
{
    int nImage = -1, nSelectedImage = -1;
    tree.GetItemImage(hItem, nImage, nSelectedImage);
    return nImage;
}

int TreeHost::SelectedImage(HTREEITEM hItem) const
{
    int nImage = -1, nSelectedImage = -1;
    tree.GetItemImage(hItem, nImage, nSelectedImage);
    return nSelectedImage;
}

DesktopFolder::DesktopFolder(const std::wstring& strDesktopPath)
{
    static int serial = 0;
    m_name = L"qvtree_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++serial);
    m_path = strDesktopPath + L"\\" + m_name + L"\\";
    RemoveTree(m_path);
    MakeFolder(m_path);
}

DesktopFolder::~DesktopFolder()
{
    RemoveTree(m_path);
}

HTREEITEM TreeHost::DriveItem(const std::wstring& strRoot) const
{
    wchar_t buf[500] = {};
    GetLogicalDriveStringsW(499, buf);
    std::vector<HTREEITEM> drives = Children(tree.GetComputerItem());
    size_t i = 0;
    for (const wchar_t* p = buf; *p && i < drives.size(); p += wcslen(p) + 1, ++i)
        if (_wcsicmp(p, strRoot.c_str()) == 0)
            return drives[i];
    return NULL;
}

namespace {
std::wstring LastPart(const CString& strPath)
{
    std::wstring s = strPath.str();
    size_t n = s.find_last_of(L'\\');
    return n == std::wstring::npos ? s : s.substr(n + 1);
}
const wchar_t kAdvancedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
}  // namespace

bool StandInShell::ReadFolder(const CString& strFolderPath, std::vector<CFolderEntry>& entries)
{
    bool bRead = CShellService::ReadFolder(strFolderPath, entries);
    for (CFolderEntry& entry : entries) {
        auto found = addedAttributes.find(entry.strName.str());
        if (found != addedAttributes.end())
            entry.dwAttributes |= found->second;
    }
    return bRead;
}

void StandInShell::GetDisplayNames(const CString& strFolderPath, const std::vector<CString>& names,
                                   std::vector<CString>& labels)
{
    CShellService::GetDisplayNames(strFolderPath, names, labels);
    for (size_t i = 0; i < names.size(); ++i) {
        auto found = shownAs.find(names[i].str());
        if (found != shownAs.end())
            labels[i] = found->second.c_str();
    }
}

CString StandInShell::GetDisplayName(const CString& strPath)
{
    auto found = shownAs.find(LastPart(strPath));
    return found != shownAs.end() ? CString(found->second.c_str()) : CShellService::GetDisplayName(strPath);
}

CShellFileInfo StandInShell::GetFileInfo(const CString& strPath)
{
    askedByPath.push_back(strPath.str());
    CShellFileInfo info = CShellService::GetFileInfo(strPath);
    auto found = shownAs.find(LastPart(strPath));
    if (found != shownAs.end())
        info.strDisplayName = found->second.c_str();
    return info;
}

ExtensionsShown::ExtensionsShown(bool bShown)
{
    HKEY hKey = NULL;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kAdvancedKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL) != 0)
        return;
    DWORD cb = sizeof(m_dwOld);
    m_bHadValue = RegQueryValueExW(hKey, L"HideFileExt", NULL, NULL, (BYTE*)&m_dwOld, &cb) == 0;
    DWORD dwHide = bShown ? 0 : 1;
    RegSetValueExW(hKey, L"HideFileExt", 0, REG_DWORD, (const BYTE*)&dwHide, sizeof(dwHide));
    RegCloseKey(hKey);
}

ExtensionsShown::~ExtensionsShown()
{
    HKEY hKey = NULL;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kAdvancedKey, 0, KEY_ALL_ACCESS, &hKey) != 0)
        return;
    if (m_bHadValue)
        RegSetValueExW(hKey, L"HideFileExt", 0, REG_DWORD, (const BYTE*)&m_dwOld, sizeof(m_dwOld));
    else
        RegDeleteValueW(hKey, L"HideFileExt");
    RegCloseKey(hKey);
}
