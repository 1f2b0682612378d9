// Filling an opened folder item: its subfolders, then its ".mp3" files,
// each sorted by name, labelled with the shell's display names and shown
// with the shell's icons.
//
// Asked path by path, the shell parses every path from the desktop down,
// which under Wine costs milliseconds per item and grows with the folder.
// So the folder is read once, its display names are asked of the folder
// bound once, and icons are asked once per kind of item where the answer
// cannot differ:
// - an ordinary folder shows the folder icons; only a folder marked
//   read-only or system may be customized on Windows, and Wine reads any
//   folder's "desktop.ini": such folders are asked about by their own path;
// - every file of one type shows the type's icon, unless the type has an
//   icon handler or takes its icon from each file: then by each path.
#include <algorithm>
#include <map>
#include <set>

#include "names/SortStringArray.h"
#include "platform/NameParts.h"
#include "platform/PathIdentity.h"
#include "tree/FolderTreeCtrl.h"

namespace {

// The entries in the order the tree shows them: sorted by name as the
// name list sorts names; the sort is stable, so equal names keep their
// order of enumeration.
std::vector<const CFolderEntry*> SortedByName(std::vector<const CFolderEntry*> entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const CFolderEntry* a, const CFolderEntry* b) {
        return NameSortsBefore(a->strName, b->strName);
    });
    return entries;
}

// Windows' type of a file, upper-cased as the file system folds letters,
// as a key: Windows treats ".MP3" as ".mp3".
CString TypeKey(const CString& strName)
{
    return FoldedName(FileTypeOf(strName).str());
}

// The icons of one kind of item (or of one item of its own), asked once.
struct IconSource {
    CString strPath;  // asked of the shell by this path
    CShellFileInfo info;
    bool bAsked = false;
};

}  // namespace

void CFolderTreeCtrl::FillFolderItem(HTREEITEM hItem, const CString& strPath)
{
    std::vector<CFolderEntry> entries;
    m_pShell->ReadFolder(strPath, entries);
    std::vector<const CFolderEntry*> folders, files;
    for (const CFolderEntry& entry : entries) {
        if (entry.IsFolder())
            folders.push_back(&entry);
        else if (AcceptTreeFile(entry.strName))
            files.push_back(&entry);
    }
    if (folders.empty() && files.empty()) {
        InsertItem(L"", hItem, TVI_LAST);
        return;
    }
    std::vector<const CFolderEntry*> shown = SortedByName(folders);
    const size_t nFolders = shown.size();
    for (const CFolderEntry* pEntry : SortedByName(files))
        shown.push_back(pEntry);

    std::vector<CString> names, labels;
    for (const CFolderEntry* pEntry : shown)
        names.push_back(pEntry->strName);
    m_pShell->GetDisplayNames(strPath, names, labels);

    // Which icons each item shows: those of its kind, or its own.
    std::vector<IconSource> sources;
    std::map<std::wstring, size_t> kinds;
    std::vector<size_t> sourceOf(shown.size());
    std::map<std::wstring, bool> perFileTypes;
    for (size_t i = 0; i < shown.size(); ++i) {
        const CFolderEntry& entry = *shown[i];
        const CString strItemPath = strPath + entry.strName;
        std::wstring kind;
        if (!IsShellReachable(strItemPath)) {
            // The generic icons of its kind, whatever the entry holds.
            kind = i < nFolders ? L"\\generic folder" : L"\\generic file" + TypeKey(entry.strName).str();
        } else if (i < nFolders) {
            bool bMarked = (entry.dwAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) != 0;
            if (!bMarked && !m_pShell->HoldsDesktopIni(strItemPath + L"\\"))
                kind = L"\\folder";
        } else {
            std::wstring type = TypeKey(entry.strName).str();
            auto found = perFileTypes.find(type);
            if (found == perFileTypes.end())
                found = perFileTypes.emplace(type, m_pShell->TypeHasIconPerFile(CString(type))).first;
            if (!found->second)
                kind = L"file" + type;
        }
        auto known = kind.empty() ? kinds.end() : kinds.find(kind);
        if (known != kinds.end()) {
            sourceOf[i] = known->second;
            continue;
        }
        sourceOf[i] = sources.size();
        if (!kind.empty())
            kinds[kind] = sources.size();
        IconSource source;
        source.strPath = strItemPath;
        sources.push_back(source);
    }

    // Each item gets two images of its own, its kind's icons or its own,
    // all appended in one step.
    std::vector<HICON> icons;
    for (size_t i = 0; i < shown.size(); ++i) {
        IconSource& source = sources[sourceOf[i]];
        if (!source.bAsked) {
            source.info = m_pShell->GetFileInfo(source.strPath);
            source.bAsked = true;
        }
        icons.push_back(source.info.hIcon);
        icons.push_back(source.info.hOpenIcon);
    }
    const int nBase = AppendImages(icons);
    for (size_t i = 0; i < shown.size(); ++i) {
        const IconSource& source = sources[sourceOf[i]];
        const int nImage = nBase + 2 * (int)i;
        TreeItemKind itemKind = i < nFolders ? TREE_ITEM_FOLDER : TREE_ITEM_FILE;
        // Where the bound folder gave no name, the shell is asked by path.
        CString strLabel = labels[i];
        if (strLabel.IsEmpty()) {
            const CString strItemPath = strPath + shown[i]->strName;
            strLabel = source.strPath == strItemPath ? source.info.strDisplayName
                                                     : m_pShell->GetDisplayName(strItemPath);
        }
        HTREEITEM hChild = InsertNamedItem(strLabel, hItem, itemKind, shown[i]->strName, nImage, nImage + 1);
        if (hChild && itemKind == TREE_ITEM_FOLDER)
            InsertItem(L"", hChild, TVI_LAST);
    }
    for (IconSource& source : sources) {
        if (source.info.hIcon)
            ::DestroyIcon(source.info.hIcon);
        if (source.info.hOpenIcon)
            ::DestroyIcon(source.info.hOpenIcon);
    }
}

namespace {

// The order of a branch: folders before files, each by name as the branch
// was filled; placeholders last.
int CALLBACK CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    const CTreeItemName* a = (const CTreeItemName*)lParam1;
    const CTreeItemName* b = (const CTreeItemName*)lParam2;
    if (!a || !b)
        return a ? -1 : (b ? 1 : 0);
    if (a->kind != b->kind)
        return a->kind == TREE_ITEM_FOLDER ? -1 : 1;
    if (NameSortsBefore(a->strDiskName, b->strDiskName))
        return -1;
    return NameSortsBefore(b->strDiskName, a->strDiskName) ? 1 : 0;
}

}  // namespace

void CFolderTreeCtrl::FollowBranchFiles(HTREEITEM hItem, const CString& strPath,
                                        const std::map<std::wstring, CString>* pRenames)
{
    SetRedraw(FALSE);
    BeginImageBatch();
    auto restore = AfxScopeExit([this] {
        EndImageBatch();
        EndPopulate();
    });
    std::vector<HTREEITEM> files, placeholders;
    for (HTREEITEM h = GetChildItem(hItem); h; h = GetNextSiblingItem(h)) {
        const CTreeItemName* pName = ItemName(h);
        if (!pName)
            placeholders.push_back(h);
        else if (pName->kind == TREE_ITEM_FILE)
            files.push_back(h);
    }
    // Each item follows its own file, by the name it had before the whole
    // rename: after a swap, each of two items takes the other's name.
    if (pRenames)
        for (HTREEITEM h : files) {
            auto renamed = pRenames->find(ItemName(h)->strDiskName.str());
            if (renamed == pRenames->end() || renamed->second == ItemName(h)->strDiskName)
                continue;
            bool bIcons = SetDiskName(h, renamed->second);
            if (m_pendingLabels.empty())
                PostMessage(WM_TREE_FOLLOW_LABELS);
            m_pendingLabels[h] = m_pendingLabels[h] || bIcons;
        }

    // Then the branch agrees with the disk: an item for each file shown,
    // and for no other.
    std::vector<CFolderEntry> entries;
    m_pShell->ReadFolder(strPath, entries);
    std::set<std::wstring> shown;
    for (const CFolderEntry& entry : entries)
        if (!entry.IsFolder() && AcceptTreeFile(entry.strName))
            shown.insert(entry.strName.str());
    std::vector<int> images;
    for (HTREEITEM h : files) {
        if (shown.erase(ItemName(h)->strDiskName.str()))
            continue;
        int nImage = 0, nSelectedImage = 0;
        GetItemImage(h, nImage, nSelectedImage);
        images.push_back(nImage);
        images.push_back(nSelectedImage);
        DeleteItem(h);
    }
    ReleaseImages(images);
    for (const std::wstring& name : shown)
        InsertPathItem(strPath + name.c_str(), hItem, FALSE);
    // An empty folder shows one blank row, as when it was filled.
    bool bNamed = false;
    for (HTREEITEM h = GetChildItem(hItem); h && !bNamed; h = GetNextSiblingItem(h))
        bNamed = ItemName(h) != NULL;
    if (bNamed)
        for (HTREEITEM h : placeholders)
            DeleteItem(h);
    else if (!GetChildItem(hItem))
        InsertItem(L"", hItem, TVI_LAST);
    SortBranch(hItem);
}

void CFolderTreeCtrl::SortBranch(HTREEITEM hParent)
{
    TVSORTCB sort = {hParent, CompareItems, 0};
    SendMessage(TVM_SORTCHILDRENCB, 0, (LPARAM)&sort);
}

bool CFolderTreeCtrl::SetDiskName(HTREEITEM hItem, const CString& strNewName)
{
    CTreeItemName* pName = ItemName(hItem);
    if (!pName)
        return false;
    CString strOldType = TypeKey(pName->strDiskName), strNewType = TypeKey(strNewName);
    pName->strDiskName = strNewName;
    return pName->kind == TREE_ITEM_FILE &&
           (strOldType != strNewType || m_pShell->TypeHasIconPerFile(strNewType));
}

void CFolderTreeCtrl::ShowRenamedItems(HTREEITEM hParent, const std::vector<std::pair<HTREEITEM, bool>>& items)
{
    const CString strFolder = GetItemPath(L"", hParent);
    if (strFolder.IsEmpty())
        return;
    // A few items are asked about by path; more, by one walk of the folder.
    std::vector<CString> names, labels;
    for (const auto& item : items)
        names.push_back(GetDiskName(item.first));
    if (items.size() > 4)
        m_pShell->GetDisplayNames(strFolder, names, labels);
    else
        labels.assign(items.size(), CString());
    for (size_t i = 0; i < items.size(); ++i) {
        HTREEITEM hItem = items[i].first;
        const CString strPath = GetShellPath(hItem);
        CString strLabel = labels[i];
        if (strLabel.IsEmpty())
            strLabel = m_pShell->GetDisplayName(strPath);
        SetItemText(hItem, strLabel.IsEmpty() ? names[i] : strLabel);
        // The item keeps its own two images; what they show follows the
        // file's new type.
        int nImage = 0, nSelectedImage = 0;
        GetItemImage(hItem, nImage, nSelectedImage);
        if (items[i].second && nImage > 0 && nSelectedImage == nImage + 1) {
            CShellFileInfo info = m_pShell->GetFileInfo(strPath);
            SetImage(nImage, info.hIcon);
            SetImage(nSelectedImage, info.hOpenIcon);
            if (info.hIcon)
                ::DestroyIcon(info.hIcon);
            if (info.hOpenIcon)
                ::DestroyIcon(info.hOpenIcon);
            HandImageListToTree();
        }
    }
}
