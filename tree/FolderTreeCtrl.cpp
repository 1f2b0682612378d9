#include "tree/FolderTreeCtrl.h"

#include <algorithm>
#include <cstring>

#include "names/SortStringArray.h"
#include "platform/NameParts.h"
#include "platform/PathIdentity.h"

BEGIN_MESSAGE_MAP(CFolderTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDED, OnItemExpanded)
    ON_NOTIFY_REFLECT(TVN_DELETEITEM, OnDeleteItem)
    ON_MESSAGE(WM_TREE_FOLLOW_LABELS, OnFollowLabels)
END_MESSAGE_MAP()

namespace {
// The last part of a path; a drive root ("C:\") stays whole.
CString PathName(const CString& strPath)
{
    const wchar_t* pSep = wcsrchr(strPath.GetString(), L'\\');
    if (!pSep || pSep[1] == 0)
        return strPath;
    return CString(pSep + 1);
}
}  // namespace

CFolderTreeCtrl::CFolderTreeCtrl()
    : m_nFileCount(0), m_hDesktopItem(NULL), m_hComputerItem(NULL), m_nImageBatch(0), m_nItemNames(0),
      m_pShell(&SystemShellService()), m_bOpeningPath(false)
{
    wmemset(m_szDriveStrings, 0, sizeof(m_szDriveStrings) / sizeof(m_szDriveStrings[0]));
}

CFolderTreeCtrl::~CFolderTreeCtrl() {}

void CFolderTreeCtrl::InitTree(const CString& strComputerLabel)
{
    SetImageList(NULL, TVSIL_NORMAL);
    m_strDesktopPath = GetDesktopFolderPath(m_hWnd);

    int nDesktopImage = 0, nComputerImage = 0;
    SetUpImageList(nDesktopImage, nComputerImage);

    m_hComputerItem = InsertTreeItem(strComputerLabel, TVI_ROOT, TRUE, nComputerImage, nComputerImage);
    m_hDesktopItem = InsertPathItem(m_strDesktopPath, TVI_ROOT, TRUE, nDesktopImage, nDesktopImage);
}

HTREEITEM CFolderTreeCtrl::InsertTreeItem(const CString& strLabel, HTREEITEM hParent, BOOL bPlaceholder, int nImage,
                                          int nSelectedImage)
{
    HTREEITEM hItem = InsertItem(strLabel, nImage, nSelectedImage, hParent, TVI_LAST);
    if (bPlaceholder)
        InsertItem(L"", hItem, TVI_LAST);
    return hItem;
}

HTREEITEM CFolderTreeCtrl::InsertNamedItem(const CString& strLabel, HTREEITEM hParent, TreeItemKind kind,
                                           const CString& strDiskName, int nImage, int nSelectedImage)
{
    CTreeItemName* pName = new CTreeItemName{kind, strDiskName};
    // A label the shell left empty (or could not give) would pass for a
    // placeholder: the name on disk stands in.
    CString strShown = strLabel.IsEmpty() ? strDiskName : strLabel;
    HTREEITEM hItem = InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, strShown, nImage,
                                 nSelectedImage, 0, 0, (LPARAM)pName, hParent, TVI_LAST);
    if (!hItem)
        delete pName;
    else
        ++m_nItemNames;
    return hItem;
}

HTREEITEM CFolderTreeCtrl::InsertPathItem(const CString& strPath, HTREEITEM hParent, BOOL bPlaceholder, int nImage,
                                          int nSelectedImage)
{
    CShellFileInfo info = m_pShell->GetFileInfo(strPath);
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

    // A drive and the desktop are named by their whole path; a path the
    // shell cannot name (gone since it was listed) is labelled with its own
    // name.
    bool bRoot = hParent == TVI_ROOT || hParent == NULL || hParent == m_hComputerItem;
    TreeItemKind kind = bRoot ? TREE_ITEM_ROOT : (bPlaceholder ? TREE_ITEM_FOLDER : TREE_ITEM_FILE);
    HTREEITEM hItem;
    if (strPath.IsEmpty()) {
        // No folder to stand for (the shell gave no desktop path).
        hItem = InsertItem(info.strDisplayName, nImage, nSelectedImage, hParent, TVI_LAST);
    } else {
        CString strLabel = info.strDisplayName.IsEmpty() ? PathName(strPath) : info.strDisplayName;
        hItem = InsertNamedItem(strLabel, hParent, kind, bRoot ? strPath : PathName(strPath), nImage, nSelectedImage);
    }
    if (hItem && bPlaceholder)
        InsertItem(L"", hItem, TVI_LAST);
    return hItem;
}

// Runs after the tree opened or closed an item: opening reads the item's
// folder afresh, closing drops the branch and its icons.
void CFolderTreeCtrl::OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWW* pNMTreeView = (NMTREEVIEWW*)pNMHDR;
    HTREEITEM hItem = pNMTreeView->itemNew.hItem;
    if (pNMTreeView->itemNew.state & TVIS_EXPANDED) {
        if (!m_bOpeningPath)
            PopulateItem(hItem);
    }
    else
        DeleteChildItems(hItem, TRUE);
    *pResult = 0;
}

// Runs for every item the tree deletes, also when its window goes: the
// item's name on disk goes with it.
void CFolderTreeCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWW* pNMTreeView = (NMTREEVIEWW*)pNMHDR;
    m_pendingLabels.erase(pNMTreeView->itemOld.hItem);
    CTreeItemName* pName = (CTreeItemName*)pNMTreeView->itemOld.lParam;
    if (pName) {
        delete pName;
        --m_nItemNames;
    }
    *pResult = 0;
}

CTreeItemName* CFolderTreeCtrl::ItemName(HTREEITEM hItem) const
{
    if (!hItem || hItem == TVI_ROOT)
        return NULL;
    TVITEMW item = {};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = hItem;
    if (!SendMessage(TVM_GETITEMW, 0, (LPARAM)&item))
        return NULL;
    return (CTreeItemName*)item.lParam;
}

void CFolderTreeCtrl::PopulateItem(HTREEITEM hItem)
{
    // Each row added below an open item makes the tree recount its visible
    // rows and scroll range, a walk of every visible row; with drawing off
    // it does so once, when drawing is switched on again.
    SetRedraw(FALSE);
    BeginImageBatch();
    auto restore = AfxScopeExit([this] {
        EndImageBatch();
        EndPopulate();
    });
    if (hItem == m_hComputerItem) {
        DeleteChildItems(hItem, FALSE);
        GetDriveStrings(m_szDriveStrings, sizeof(m_szDriveStrings) / sizeof(m_szDriveStrings[0]));
        if (m_szDriveStrings[0] == 0) {
            InsertItem(L"", hItem, TVI_LAST);
        } else {
            for (const wchar_t* p = m_szDriveStrings; *p; p += wcslen(p) + 1)
                InsertPathItem(p, hItem, TRUE);
        }
    } else {
        CString strPath = GetItemPath(L"", hItem);
        DeleteChildItems(hItem, FALSE);
        // An item that stands for no folder opens as one blank row; it must
        // never read the process's current folder.
        if (strPath.IsEmpty())
            InsertItem(L"", hItem, TVI_LAST);
        else
            FillFolderItem(hItem, strPath);
    }
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
        InsertItem(L"", hItem, TVI_LAST);
}

BOOL CFolderTreeCtrl::AcceptTreeFile(CString strFileName)
{
    return strFileName.Right(4) == L".mp3";
}

BOOL CFolderTreeCtrl::AcceptListFile(CString strFileName)
{
    return TRUE;
}

int CFolderTreeCtrl::ListFiles(HTREEITEM hItem, CNameList& list, int* pnFound)
{
    m_nFileCount = 0;
    if (pnFound)
        *pnFound = 0;
    CString strFolder = GetFolderPath(hItem);
    list.Reset(strFolder);
    if (strFolder.IsEmpty())
        return 0;

    std::vector<CString> names;
    const CTreeItemName* pName = ItemName(hItem);
    if (pName->kind == TREE_ITEM_FILE) {
        // The file itself, by its name on disk, while it is still there.
        const CString strOwn = pName->strDiskName;
        CollectFileNames(strFolder, names, [this, &strOwn](const CString& strName) {
            return strName == strOwn && AcceptListFile(strName);
        });
    } else {
        CollectFileNames(strFolder, names, [this](const CString& strName) { return AcceptListFile(strName) != 0; });
    }
    if (pnFound)
        *pnFound = (int)names.size();
    KeepFirstNames(names, list);
    m_nFileCount = list.GetCount();
    return m_nFileCount;
}

void CFolderTreeCtrl::TakeNewName(HTREEITEM hItem, const CString& strNewName)
{
    if (!ItemName(hItem))
        return;
    bool bIcons = SetDiskName(hItem, strNewName);
    m_pendingLabels.erase(hItem);
    ShowRenamedItems(GetParentItem(hItem), {{hItem, bIcons}});
    // Its new name may sort elsewhere among its siblings.
    SortBranch(GetParentItem(hItem));
}

void CFolderTreeCtrl::FollowRenames(const CString& strFolderPath, const std::vector<CString>& oldNames,
                                    const std::vector<CString>& newNames)
{
    // The folder, and each folder a line moved a file into.
    std::vector<CString> folders = {ResolvePathText(strFolderPath)};
    std::map<std::wstring, CString> renames;
    for (size_t k = 0; k < oldNames.size() && k < newNames.size(); ++k) {
        renames[oldNames[k].str()] = newNames[k];
        const CString strNewPath = ResolvePathText(strFolderPath + newNames[k]);
        const CString strInto = strNewPath.Left(LastPartStart(strNewPath));
        if (std::none_of(folders.begin(), folders.end(), [&](const CString& f) { return IsSamePath(f, strInto); }))
            folders.push_back(strInto);
    }
    std::vector<std::pair<HTREEITEM, CString>> found;
    if (ItemName(m_hDesktopItem) && IsOpen(m_hDesktopItem))
        FindOpenItems(m_hDesktopItem, GetItemPath(L"", m_hDesktopItem), folders, found);
    for (HTREEITEM hDrive = GetChildItem(m_hComputerItem); hDrive; hDrive = GetNextSiblingItem(hDrive))
        if (ItemName(hDrive) && IsOpen(hDrive))
            FindOpenItems(hDrive, GetItemPath(L"", hDrive), folders, found);
    for (const auto& item : found)
        FollowBranchFiles(item.first, item.second, IsSamePath(item.second, folders[0]) ? &renames : NULL);
}

void CFolderTreeCtrl::FindOpenItems(HTREEITEM hParent, const CString& strPath, const std::vector<CString>& folders,
                                    std::vector<std::pair<HTREEITEM, CString>>& found)
{
    for (const CString& strFolder : folders)
        if (IsSamePath(strPath, strFolder))
            found.emplace_back(hParent, strPath);
    for (HTREEITEM h = GetChildItem(hParent); h; h = GetNextSiblingItem(h)) {
        const CTreeItemName* pName = ItemName(h);
        if (pName && pName->kind == TREE_ITEM_FOLDER && IsOpen(h))
            FindOpenItems(h, strPath + pName->PathPart() + L"\\", folders, found);
    }
}

bool CFolderTreeCtrl::IsOpen(HTREEITEM hItem) const
{
    return (GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

// Runs once after FollowRenames or TakeNewName: each folder's renamed
// items are named by the shell together.
LRESULT CFolderTreeCtrl::OnFollowLabels(WPARAM wParam, LPARAM lParam)
{
    std::map<HTREEITEM, std::vector<std::pair<HTREEITEM, bool>>> byParent;
    for (const auto& pending : m_pendingLabels)
        byParent[GetParentItem(pending.first)].push_back(pending);
    m_pendingLabels.clear();
    for (const auto& group : byParent)
        ShowRenamedItems(group.first, group.second);
    return 0;
}
