// Turning a tree item into the file-system path it stands for. Paths are
// built from the names on disk that the items keep (never from their
// labels, which are the shell's display names), up to a drive item or the
// desktop item, whose records hold their whole path.
#include "tree/FolderTreeCtrl.h"

// The computer item and placeholders give the empty path, whatever the
// suffix: they stand for no folder. A drive item gives its root; the
// desktop item its path and "\"; a folder item its parent's path, its name
// on disk and "\"; a file item its parent's path and its name on disk.
CString CFolderTreeCtrl::GetItemPath(CString strSuffix, HTREEITEM hItem)
{
    std::vector<const CTreeItemName*> parts;
    for (HTREEITEM h = hItem;; h = GetParentItem(h)) {
        const CTreeItemName* pName = ItemName(h);
        if (!pName)
            return CString();
        parts.push_back(pName);
        if (pName->kind == TREE_ITEM_ROOT)
            break;
    }
    std::wstring path;
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
        const CTreeItemName* pName = *it;
        path.append(pName->PathPart().str());
        // A drive's root already ends with "\".
        if (pName->kind == TREE_ITEM_FOLDER || (pName->kind == TREE_ITEM_ROOT && (path.empty() || path.back() != L'\\')))
            path.push_back(L'\\');
    }
    CString strPath(std::move(path));
    return strPath + strSuffix;
}

CString CFolderTreeCtrl::GetFolderPath(HTREEITEM hItem)
{
    const CTreeItemName* pName = ItemName(hItem);
    if (!pName)
        return CString();
    if (pName->kind == TREE_ITEM_FILE)
        return GetItemPath(L"", GetParentItem(hItem));
    return GetItemPath(L"", hItem);
}

CString CFolderTreeCtrl::GetDiskName(HTREEITEM hItem) const
{
    const CTreeItemName* pName = ItemName(hItem);
    return pName ? pName->strDiskName : CString();
}

CString CFolderTreeCtrl::GetShellPath(HTREEITEM hItem)
{
    CString strPath = GetItemPath(L"", hItem);
    const CTreeItemName* pName = ItemName(hItem);
    if (pName && pName->kind == TREE_ITEM_FOLDER && !strPath.IsEmpty())
        strPath = strPath.Left(strPath.GetLength() - 1);
    return strPath;
}
