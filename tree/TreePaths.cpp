// Turning a tree item into the file-system path it stands for. The tree
// stores no paths: they are rebuilt from the labels, up to a drive item
// (whose root is in m_szDriveStrings) or the desktop item.
#include <cstring>

#include "tree/FolderTreeCtrl.h"

// The computer item gives the empty path; a drive item its root; the desktop
// item its path and "\"; a folder item its parent's path, its label and
// "\"; a file item (no children) the same without the trailing "\".
CString CFolderTreeCtrl::GetItemPath(CString strSuffix, HTREEITEM hItem)
{
    HTREEITEM hParent = GetParentItem(hItem);
    BOOL bHasChild = ItemHasChildren(hItem);

    if (hItem == m_hComputerItem)
        return CString();

    if (hParent == m_hComputerItem) {
        const char* pszDrive = m_szDriveStrings;
        for (HTREEITEM hDrive = GetChildItem(m_hComputerItem); hDrive && *pszDrive;
             hDrive = GetNextSiblingItem(hDrive)) {
            if (hDrive == hItem)
                return CString(pszDrive) + strSuffix;
            pszDrive += strlen(pszDrive) + 1;
        }
        // Not among the drives of the strings: a placeholder row below the
        // computer item, which stands for no folder.
        return strSuffix;
    }

    if (hItem == m_hDesktopItem)
        return m_strDesktopPath + "\\" + strSuffix;

    CString strPath = GetItemPath(GetItemText(hItem) + "\\" + strSuffix, hParent);
    // Only the item first asked for can lack children; what goes is the
    // "\" put behind its own label.
    if (!bHasChild && !strPath.IsEmpty())
        strPath = strPath.Left(strPath.GetLength() - 1);
    return strPath;
}

CString CFolderTreeCtrl::GetFolderPath(HTREEITEM hItem)
{
    if (GetItemText(hItem).IsEmpty())
        return CString();
    return GetItemPath("", hItem);
}
