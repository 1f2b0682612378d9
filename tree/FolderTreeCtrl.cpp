#include "tree/FolderTreeCtrl.h"

#include <cstring>

#include "framework/afxfile.h"
#include "names/SortStringArray.h"
#include "platform/Shell.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CFolderTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDED, OnItemExpanded)
END_MESSAGE_MAP()

namespace {
// The last part of a path; a drive root ("C:\") stays whole.
CString PathName(const CString& strPath)
{
    const unsigned char* psz = (const unsigned char*)strPath.GetString();
    const unsigned char* pSep = _mbsrchr(psz, '\\');
    if (!pSep || pSep[1] == 0)
        return strPath;
    return CString((const char*)pSep + 1);
}
}  // namespace

CFolderTreeCtrl::CFolderTreeCtrl()
    : m_nFileCount(0), m_hDesktopItem(NULL), m_hComputerItem(NULL), m_nImageBatch(0)
{
    memset(m_szDriveStrings, 0, sizeof(m_szDriveStrings));
}

CFolderTreeCtrl::~CFolderTreeCtrl() {}

void CFolderTreeCtrl::InitTree()
{
    SetImageList(NULL, TVSIL_NORMAL);
    m_strDesktopPath = GetDesktopFolderPath(m_hWnd);

    int nDesktopImage = 0, nComputerImage = 0;
    SetUpImageList(nDesktopImage, nComputerImage);

    m_hComputerItem = InsertTreeItem(AfxLoadText(IDS_COMPUTER), TVI_ROOT, TRUE, nComputerImage, nComputerImage);
    m_hDesktopItem = InsertPathItem(m_strDesktopPath, TVI_ROOT, TRUE, nDesktopImage, nDesktopImage);
}

HTREEITEM CFolderTreeCtrl::InsertTreeItem(const CString& strLabel, HTREEITEM hParent, BOOL bPlaceholder, int nImage,
                                          int nSelectedImage)
{
    HTREEITEM hItem = InsertItem(strLabel, nImage, nSelectedImage, hParent, TVI_LAST);
    if (bPlaceholder)
        InsertItem("", hItem, TVI_LAST);
    return hItem;
}

HTREEITEM CFolderTreeCtrl::InsertPathItem(const CString& strPath, HTREEITEM hParent, BOOL bPlaceholder, int nImage,
                                          int nSelectedImage)
{
    CShellFileInfo info = GetShellFileInfo(strPath);
    // A path the shell cannot name (gone since it was listed) is labelled
    // with its own name: an empty label would pass for a placeholder.
    if (info.strDisplayName.IsEmpty())
        info.strDisplayName = PathName(strPath);
    // The image list keeps copies; the shell's handles are ours to free.
    if (nImage == -1)
        nImage = AppendImage(info.hIcon);
    if (nSelectedImage == -1)
        nSelectedImage = AppendImage(info.hOpenIcon);
    if (info.hIcon)
        ::DestroyIcon(info.hIcon);
    if (info.hOpenIcon)
        ::DestroyIcon(info.hOpenIcon);

    if (m_nImageBatch == 0)
        HandImageListToTree();
    return InsertTreeItem(info.strDisplayName, hParent, bPlaceholder, nImage, nSelectedImage);
}

// Runs after the tree opened or closed an item: opening reads the item's
// folder afresh, closing drops the branch and its icons.
void CFolderTreeCtrl::OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWA* pNMTreeView = (NMTREEVIEWA*)pNMHDR;
    HTREEITEM hItem = pNMTreeView->itemNew.hItem;
    if (pNMTreeView->itemNew.state & TVIS_EXPANDED)
        PopulateItem(hItem);
    else
        DeleteChildItems(hItem, TRUE);
    *pResult = 0;
}

void CFolderTreeCtrl::PopulateItem(HTREEITEM hItem)
{
    // Each row added below an open item makes the tree recount its visible
    // rows and scroll range, a walk of every visible row; with drawing off
    // it does so once, when drawing is switched on again.
    SetRedraw(FALSE);
    BeginImageBatch();
    if (hItem == m_hComputerItem) {
        DeleteChildItems(hItem, FALSE);
        GetDriveStrings(m_szDriveStrings, sizeof(m_szDriveStrings));
        if (m_szDriveStrings[0] == 0) {
            InsertItem("", hItem, TVI_LAST);
        } else {
            // Drive items stand in the order of the strings: paths of drive
            // items are found by walking both in step.
            for (const char* p = m_szDriveStrings; *p; p += strlen(p) + 1)
                InsertPathItem(p, hItem, TRUE);
        }
        EndImageBatch();
        EndPopulate();
        return;
    }

    // Asked while the placeholder is still there, so that a folder's path
    // keeps its trailing "\".
    CString strPath = GetItemPath("", hItem);
    DeleteChildItems(hItem, FALSE);
    CString strPattern = strPath + "*.*";

    BOOL bFound = FALSE;
    CSortStringArray folders;
    {
        CFileFind finder;
        BOOL bWorking = finder.FindFile(strPattern);
        while (bWorking) {
            bWorking = finder.FindNextFile();
            if (finder.IsDirectory() && !finder.IsDots()) {
                bFound = TRUE;
                folders.Add(strPath + finder.GetFileName());
            }
        }
    }
    folders.Sort();
    for (int i = 0; i < folders.GetSize(); ++i) {
        HTREEITEM hFolder = InsertPathItem(folders[i], hItem, FALSE);
        InsertItem("", hFolder, TVI_LAST);
    }

    CSortStringArray files;
    {
        CFileFind finder;
        BOOL bWorking = finder.FindFile(strPattern);
        while (bWorking) {
            bWorking = finder.FindNextFile();
            if (!finder.IsDirectory() && AcceptTreeFile(finder.GetFileName())) {
                bFound = TRUE;
                files.Add(strPath + finder.GetFileName());
            }
        }
    }
    files.Sort();
    for (int i = 0; i < files.GetSize(); ++i)
        InsertPathItem(files[i], hItem, FALSE);

    if (!bFound)
        InsertItem("", hItem, TVI_LAST);
    EndImageBatch();
    EndPopulate();
}

void CFolderTreeCtrl::EndPopulate()
{
    SetRedraw(TRUE);
    Invalidate();
}

void CFolderTreeCtrl::DeleteChildItems(HTREEITEM hItem, BOOL bAddPlaceholder)
{
    // The images of the whole branch are gathered before its items go and
    // removed in one step afterwards; the remaining items are renumbered
    // once, not once per removed image.
    std::vector<int> images;
    CollectBranchImages(hItem, images);
    while (HTREEITEM hChild = GetChildItem(hItem))
        DeleteItem(hChild);
    ReleaseImages(images);
    if (m_nImageBatch == 0)
        HandImageListToTree();

    if (bAddPlaceholder)
        InsertItem("", hItem, TVI_LAST);
}

BOOL CFolderTreeCtrl::AcceptTreeFile(CString strFileName)
{
    return strFileName.Right(4) == ".mp3";
}

BOOL CFolderTreeCtrl::AcceptListFile(CString strFileName)
{
    return TRUE;
}

int CFolderTreeCtrl::ListFiles(HTREEITEM hItem, CString* pNames, int* pnFound)
{
    m_nFileCount = 0;
    CString strPath;
    if (!GetItemText(hItem).IsEmpty())
        strPath = GetItemPath("", hItem);

    CSortStringArray names;
    CollectFileNames(strPath + "*.*", names, [this](const CString& strName) { return AcceptListFile(strName) != 0; });
    if (pnFound)
        *pnFound = names.GetSize();
    m_nFileCount = KeepFirstNames(names, pNames);
    return m_nFileCount;
}

void CFolderTreeCtrl::FollowFileRename(const CString& strFolderPath, const CString& strOldName,
                                       const CString& strNewName)
{
}
