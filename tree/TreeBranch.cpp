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
#include <map>
#include <unordered_map>

#include "names/SortStringArray.h"
#include "tree/FolderTreeCtrl.h"

namespace {

// The entries in the order the tree shows them: sorted by name as the
// name list sorts names.
std::vector<const CFolderEntry*> SortedByName(const std::vector<const CFolderEntry*>& entries)
{
    CSortStringArray names;
    std::unordered_map<std::string, std::vector<const CFolderEntry*>> byName;
    for (const CFolderEntry* pEntry : entries) {
        names.Add(pEntry->OrderName());
        byName[pEntry->OrderName().str()].push_back(pEntry);
    }
    names.Sort();
    // The sort is stable, so equal names keep their order of enumeration.
    std::vector<const CFolderEntry*> sorted;
    std::unordered_map<std::string, size_t> taken;
    for (int i = 0; i < names.GetSize(); ++i) {
        const std::string& name = names[i].str();
        sorted.push_back(byName[name][taken[name]++]);
    }
    return sorted;
}

// The extension of a name, from its last dot ("" without one), its Latin
// letters upper-cased, as a key: Windows treats ".MP3" as ".mp3". Trail
// bytes of double-byte characters may have the values of Latin letters and
// stay as they are.
CString TypeKey(const CString& strName)
{
    std::string key;
    const unsigned char* psz = (const unsigned char*)strName.GetString();
    for (const unsigned char* p = psz; *p; ++p) {
        if (_ismbblead(*p) && p[1]) {
            if (!key.empty())
                key.append((const char*)p, 2);
            ++p;
            continue;
        }
        if (*p == '.')
            key.clear();
        if (*p == '.' || !key.empty())
            key.push_back((char)(*p >= 'a' && *p <= 'z' ? *p - 'a' + 'A' : *p));
    }
    return CString(key);
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
        // A name the code page cannot hold is reached by its short name:
        // without one, the entry is left out rather than reached through a
        // converted name, which may lead to another file.
        if (entry.strName.IsEmpty())
            continue;
        if (entry.IsFolder())
            folders.push_back(&entry);
        else if (AcceptTreeFile(entry.OrderName()))
            files.push_back(&entry);
    }
    if (folders.empty() && files.empty()) {
        InsertItem("", hItem, TVI_LAST);
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
    std::map<std::string, size_t> kinds;
    std::vector<size_t> sourceOf(shown.size());
    std::map<std::string, bool> perFileTypes;
    for (size_t i = 0; i < shown.size(); ++i) {
        const CFolderEntry& entry = *shown[i];
        const CString strItemPath = strPath + entry.strName;
        std::string kind;
        if (i < nFolders) {
            bool bMarked = (entry.dwAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) != 0;
            if (!bMarked && !m_pShell->HoldsDesktopIni(strItemPath + "\\"))
                kind = "\\folder";
        } else {
            std::string type = TypeKey(entry.OrderName()).str();
            auto found = perFileTypes.find(type);
            if (found == perFileTypes.end())
                found = perFileTypes.emplace(type, m_pShell->TypeHasIconPerFile(CString(type))).first;
            if (!found->second)
                kind = "file" + type;
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
        if (shown[i]->use == NAME_UNUSABLE) {
            CWideLabel label = m_pShell->GetWideLabel(strPath + shown[i]->strName);
            if (label.wstrText.empty())
                label.wstrText = shown[i]->wstrShown;
            HTREEITEM hChild =
                InsertNamedItem(CString(), hItem, itemKind, shown[i]->strName, nImage, nImage + 1, &label);
            if (hChild && itemKind == TREE_ITEM_FOLDER)
                InsertItem("", hChild, TVI_LAST);
            continue;
        }
        // Where the bound folder gave no name, the shell is asked by path.
        CString strLabel = labels[i];
        if (strLabel.IsEmpty()) {
            const CString strItemPath = strPath + shown[i]->strName;
            strLabel = source.strPath == strItemPath ? source.info.strDisplayName
                                                     : m_pShell->GetDisplayName(strItemPath);
        }
        HTREEITEM hChild = InsertNamedItem(strLabel, hItem, itemKind, shown[i]->strName, nImage, nImage + 1);
        if (hChild && itemKind == TREE_ITEM_FOLDER)
            InsertItem("", hChild, TVI_LAST);
    }
    for (IconSource& source : sources) {
        if (source.info.hIcon)
            ::DestroyIcon(source.info.hIcon);
        if (source.info.hOpenIcon)
            ::DestroyIcon(source.info.hOpenIcon);
    }
}

namespace {

// The number of characters of a code-page string: each is one wide
// character, so names of different counts never compare equal.
int CharCount(const CString& str)
{
    int n = 0;
    for (const unsigned char* p = (const unsigned char*)str.GetString(); *p; ++n)
        p += (_ismbblead(*p) && p[1]) ? 2 : 1;
    return n;
}

}  // namespace

// Looks below hParent (whose path is strPath, ending with "\") for the
// file items of strFolderPath named strOldName, descending only into open
// folders on the way to it.
void CFolderTreeCtrl::FollowInBranch(HTREEITEM hParent, const CString& strPath, const CString& strFolderPath,
                                     const CString& strOldName, const CString& strNewName)
{
    // Paths are compared by their first bytes: the two spellings of a
    // letter in code page 949 have the same length.
    if (strPath.GetLength() > strFolderPath.GetLength())
        return;
    if (strPath.GetLength() == strFolderPath.GetLength()) {
        if (!IsSameFileName(strPath, strFolderPath))
            return;
        const int nOldCount = CharCount(strOldName);
        for (HTREEITEM h = GetChildItem(hParent); h; h = GetNextSiblingItem(h)) {
            const CTreeItemName* pName = ItemName(h);
            if (pName && pName->kind == TREE_ITEM_FILE &&
                (pName->strDiskName == strOldName ||
                 (CharCount(pName->strDiskName) == nOldCount && IsSameFileName(pName->strDiskName, strOldName)))) {
                bool bIcons = SetDiskName(h, strNewName);
                if (m_pendingLabels.empty())
                    PostMessage(WM_TREE_FOLLOW_LABELS);
                m_pendingLabels[h] = m_pendingLabels[h] || bIcons;
            }
        }
        return;
    }
    if (!IsSameFileName(strPath, strFolderPath.Left(strPath.GetLength())))
        return;
    for (HTREEITEM h = GetChildItem(hParent); h; h = GetNextSiblingItem(h)) {
        const CTreeItemName* pName = ItemName(h);
        if (pName && pName->kind == TREE_ITEM_FOLDER && GetChildItem(h))
            FollowInBranch(h, strPath + pName->PathPart() + "\\", strFolderPath, strOldName, strNewName);
    }
}

bool CFolderTreeCtrl::SetDiskName(HTREEITEM hItem, const CString& strNewName)
{
    CTreeItemName* pName = ItemName(hItem);
    if (!pName)
        return false;
    CString strOldType = TypeKey(pName->strDiskName), strNewType = TypeKey(strNewName);
    pName->strDiskName = strNewName;
    // Renamed by the program, the name is one of the code page now.
    pName->bShortName = false;
    pName->strHiddenExtension.Empty();
    return pName->kind == TREE_ITEM_FILE &&
           (strOldType != strNewType || m_pShell->TypeHasIconPerFile(strNewType));
}

void CFolderTreeCtrl::ShowRenamedItems(HTREEITEM hParent, const std::vector<std::pair<HTREEITEM, bool>>& items)
{
    const CString strFolder = GetItemPath("", hParent);
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
