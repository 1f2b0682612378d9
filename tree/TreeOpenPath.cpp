// Opening the tree down to a folder given by its path: below the computer
// item, the drive, then each folder, each branch filled as when the user
// opens it, and only those branches.
#include "platform/FileSystem.h"
#include "tree/FolderTreeCtrl.h"

HTREEITEM CFolderTreeCtrl::OpenFolderPath(const CString& strFolderPath)
{
    const std::wstring& path = strFolderPath.str();
    if (path.size() < 3 || path[1] != L':' || path[2] != L'\\' || !m_hComputerItem)
        return NULL;
    std::vector<CString> parts = {CString(path.substr(0, 3))};
    for (size_t nStart = 3; nStart < path.size();) {
        size_t nEnd = path.find(L'\\', nStart);
        if (nEnd == std::wstring::npos)
            nEnd = path.size();
        if (nEnd > nStart)
            parts.push_back(CString(path.substr(nStart, nEnd - nStart)));
        nStart = nEnd + 1;
    }
    HTREEITEM hItem = m_hComputerItem;
    for (const CString& strPart : parts) {
        const bool bWasOpen = IsOpen(hItem);
        OpenBranch(hItem);
        HTREEITEM hChild = ChildOnDisk(hItem, strPart);
        // A branch opened earlier may predate the folder: read it again.
        if (!hChild && bWasOpen) {
            PopulateItem(hItem);
            hChild = ChildOnDisk(hItem, strPart);
        }
        if (!hChild)
            return NULL;
        hItem = hChild;
    }
    return hItem;
}

void CFolderTreeCtrl::OpenBranch(HTREEITEM hItem)
{
    if (IsOpen(hItem))
        return;
    // Filled first, then opened: the notification of the opening must not
    // fill it a second time.
    PopulateItem(hItem);
    m_bOpeningPath = true;
    Expand(hItem, TVE_EXPAND);
    m_bOpeningPath = false;
}

HTREEITEM CFolderTreeCtrl::ChildOnDisk(HTREEITEM hParent, const CString& strName)
{
    // The exact name first: on a folder that tells letter case apart, two
    // entries may differ only in it.
    HTREEITEM hFolded = NULL;
    for (HTREEITEM h = GetChildItem(hParent); h; h = GetNextSiblingItem(h)) {
        const CTreeItemName* pName = ItemName(h);
        if (!pName || pName->kind == TREE_ITEM_FILE)
            continue;
        if (pName->strDiskName == strName)
            return h;
        if (!hFolded && IsSameFileName(pName->strDiskName, strName))
            hFolded = h;
    }
    return hFolded;
}
