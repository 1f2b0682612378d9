// The folder tree: "내 컴퓨터" with the drives below it and the desktop
// folder, filled as the user opens branches and emptied as they close.
#pragma once

#include <map>
#include <vector>

#include "framework/afxwin.h"
#include "names/NameList.h"
#include "platform/Shell.h"
#include "tree/TreeItemName.h"

// Posted to the tree itself: the labels of items whose files were renamed
// meanwhile are asked of the shell, one folder at a time.
#define WM_TREE_FOLLOW_LABELS (WM_APP + 0x40)

class CFolderTreeCtrl : public CTreeCtrl {
public:
    CFolderTreeCtrl();
    ~CFolderTreeCtrl() override;

    // Builds the two top-level items; called once by the dialog.
    void InitTree(const CString& strComputerLabel);
    // The shell and file services the tree asks (the system's by default);
    // the service must outlive the tree's use of it.
    void SetShellService(CShellService* pShell) { m_pShell = pShell ? pShell : &SystemShellService(); }
    CShellService& GetShellService() const { return *m_pShell; }

    HTREEITEM InsertTreeItem(const CString& strLabel, HTREEITEM hParent, BOOL bPlaceholder, int nImage,
                             int nSelectedImage);
    // Inserts the item of a path, labelled and pictured by the shell: a
    // drive below the computer item, the desktop at the top level, else a
    // folder (with a placeholder) or a file.
    HTREEITEM InsertPathItem(const CString& strPath, HTREEITEM hParent, BOOL bPlaceholder, int nImage = -1,
                             int nSelectedImage = -1);
    void PopulateItem(HTREEITEM hItem);
    void DeleteChildItems(HTREEITEM hItem, BOOL bAddPlaceholder);

    // The item's path followed by strSuffix; see the rules in the .cpp.
    CString GetItemPath(CString strSuffix, HTREEITEM hItem);
    // The folder an item stands for: empty for the computer item and
    // placeholders, a file item's folder for a file item, else the item's
    // path; ends with "\" when not empty.
    CString GetFolderPath(HTREEITEM hItem);
    // The item's name on disk (a drive's root, the desktop's path); empty
    // for the computer item and placeholders.
    CString GetDiskName(HTREEITEM hItem) const;
    // The record of what the item stands for on disk, or NULL (the
    // computer item and placeholders stand for nothing).
    const CTreeItemName* GetItemName(HTREEITEM hItem) const { return ItemName(hItem); }
    // Lists the files of the item's folder into the list, for that folder:
    // all sorted, the first MAX_NAMES kept; returns the count listed, and
    // in *pnFound (when given) the number found. A file item lists its own
    // file; an item that stands for no folder lists nothing.
    int ListFiles(HTREEITEM hItem, CNameList& list, int* pnFound = NULL);

    // The item's file or folder now has the name strNewName on disk: the
    // item keeps it and takes the shell's label for its new path (and its
    // icons, where a file changed its type).
    void TakeNewName(HTREEITEM hItem, const CString& strNewName);
    // Files of the folder strFolderPath (ending in "\") were renamed on
    // disk, file k from oldNames[k] to newNames[k], all at once (a swap, a
    // shift, a rotation; a new name may lead into another folder). Every
    // open branch of that folder, and of the folders the names led into,
    // then shows exactly the folders and the files AcceptTreeFile takes
    // that are on disk, sorted, each item standing for its own file: an
    // item follows its file, a file that left goes, a file that came gets
    // an item. Opened branches stay open. Names on disk (and so every path)
    // follow at once; labels once the messages posted meanwhile are
    // handled, so that a rename of thousands of files asks the shell once
    // per folder, not once per file.
    void FollowRenames(const CString& strFolderPath, const std::vector<CString>& oldNames,
                       const std::vector<CString>& newNames);

    // Opens the branches down to the folder strFolderPath (a full path in
    // its long form, ending with "\", on a drive with a letter) below the
    // computer item, the drive first, then each folder, as the user opens
    // them; returns the folder's item, NULL when a part has no item. Each
    // part is the name on disk of its item, letter case ignored. Branches
    // open already stay as they are, unless the part is not in them.
    HTREEITEM OpenFolderPath(const CString& strFolderPath);

    virtual BOOL AcceptTreeFile(CString strFileName);
    virtual BOOL AcceptListFile(CString strFileName);

    HTREEITEM GetComputerItem() const { return m_hComputerItem; }
    bool IsOpen(HTREEITEM hItem) const;
    HTREEITEM GetDesktopItem() const { return m_hDesktopItem; }
    const CString& GetDesktopPath() const { return m_strDesktopPath; }
    CImageList& GetImages() { return m_imageList; }
    // How many items' names on disk are held: one per drive, folder and
    // file item (and the desktop item), none once the window is gone.
    int GetItemNameCount() const { return m_nItemNames; }

    // The items' icons at cx by cy pixels (the small-icon size of another
    // DPI): the image list is made anew at that size, each item keeping
    // its image indexes, from the shell's images of that size, or scaled
    // where the shell has none.
    void SetIconSize(int cx, int cy);

    // Lowers every image index of the items below hParent, at every depth,
    // by the number of removed indices (sorted ascending) beneath it.
    void ShiftImageIndexes(HTREEITEM hParent, const std::vector<int>& removed);

protected:
    void OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnFollowLabels(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_nFileCount;
    HTREEITEM m_hDesktopItem;
    CString m_strDesktopPath;
    HTREEITEM m_hComputerItem;
    wchar_t m_szDriveStrings[500];
    CImageList m_imageList;

private:
    // The record of what the item stands for on disk, or NULL (the
    // computer item and placeholders stand for nothing).
    CTreeItemName* ItemName(HTREEITEM hItem) const;
    HTREEITEM InsertNamedItem(const CString& strLabel, HTREEITEM hParent, TreeItemKind kind,
                              const CString& strDiskName, int nImage, int nSelectedImage);
    // The path to hand the shell for an item: without a folder's "\".
    CString GetShellPath(HTREEITEM hItem);
    // Opening a path (TreeOpenPath.cpp): an item's branch filled and
    // opened, and the drive or folder child whose name on disk is strName.
    void OpenBranch(HTREEITEM hItem);
    HTREEITEM ChildOnDisk(HTREEITEM hParent, const CString& strName);
    // Branch filling (TreeBranch.cpp).
    void FillFolderItem(HTREEITEM hItem, const CString& strPath);
    // Collects the open folder items below hParent (path strPath, ending
    // with "\"), at every depth, whose paths are among folders.
    void FindOpenItems(HTREEITEM hParent, const CString& strPath, const std::vector<CString>& folders,
                       std::vector<std::pair<HTREEITEM, CString>>& found);
    // The files of the open item hItem (path strPath) as on disk again; its
    // file items first follow renames (name on disk -> new name), when given.
    void FollowBranchFiles(HTREEITEM hItem, const CString& strPath, const std::map<std::wstring, CString>* pRenames);
    // Gives the item its new name on disk; true when its icons must be
    // asked again (a file whose type changed, or whose type gives each
    // file an icon of its own).
    bool SetDiskName(HTREEITEM hItem, const CString& strNewName);
    // Puts the children of hParent in the order the branch was filled in.
    void SortBranch(HTREEITEM hParent);
    // Labels (and where flagged, icons) of items whose names changed, from
    // the shell; all items have the same parent.
    void ShowRenamedItems(HTREEITEM hParent, const std::vector<std::pair<HTREEITEM, bool>>& items);

    // Image list (TreeImages.cpp).
    void SetUpImageList(int& nDesktopImage, int& nComputerImage);
    int AppendImage(HICON hIcon);
    // Appends one image per icon (a blank image for NULL) in one step and
    // returns the index of the first.
    int AppendImages(const std::vector<HICON>& icons);
    // Puts the icon (a blank image when NULL) at an existing index.
    void SetImage(int nIndex, HICON hIcon);
    void CollectBranchImages(HTREEITEM hItem, std::vector<int>& images);
    // Redraws the images of every item below hParent, at every depth, from
    // the shell.
    void RedrawBranchImages(HTREEITEM hParent, int cx);
    void ReleaseImages(std::vector<int>& images);
    // Inserts and deletes between BeginImageBatch and EndImageBatch hand
    // the image list to the tree once, at the end, not once per item.
    void BeginImageBatch() { ++m_nImageBatch; }
    void EndImageBatch();
    void HandImageListToTree();
    // Switches drawing on again after PopulateItem's inserts.
    void EndPopulate();

    int m_nImageBatch;
    int m_nItemNames;
    // Items whose labels wait for WM_TREE_FOLLOW_LABELS, with whether their
    // icons must be asked again too.
    std::map<HTREEITEM, bool> m_pendingLabels;
    CShellService* m_pShell;
    // Set while OpenBranch opens an item it has filled itself.
    bool m_bOpeningPath;
};
