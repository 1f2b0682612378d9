// The folder tree: "내 컴퓨터" with the drives below it and the desktop
// folder, filled as the user opens branches and emptied as they close.
#pragma once

#include <vector>

#include "framework/afxwin.h"
#include "names/NameList.h"

class CFolderTreeCtrl : public CTreeCtrl {
public:
    CFolderTreeCtrl();
    ~CFolderTreeCtrl() override;

    // Builds the two top-level items; called once by the dialog.
    void InitTree();

    HTREEITEM InsertTreeItem(const CString& strLabel, HTREEITEM hParent, BOOL bPlaceholder, int nImage,
                             int nSelectedImage);
    HTREEITEM InsertPathItem(const CString& strPath, HTREEITEM hParent, BOOL bPlaceholder, int nImage = -1,
                             int nSelectedImage = -1);
    void PopulateItem(HTREEITEM hItem);
    void DeleteChildItems(HTREEITEM hItem, BOOL bAddPlaceholder);

    // The item's path followed by strSuffix; see the rules in the .cpp.
    CString GetItemPath(CString strSuffix, HTREEITEM hItem);
    // Empty for a placeholder item, else the item's path.
    CString GetFolderPath(HTREEITEM hItem);
    // Lists the files of the item's folder into pNames (room for
    // MAX_NAMES): all sorted, the first MAX_NAMES kept; returns the count
    // written, and in *pnFound (when given) the number found.
    int ListFiles(HTREEITEM hItem, CString* pNames, int* pnFound = NULL);

    // A file of the folder strFolderPath (ending in "\") was renamed on
    // disk from strOldName to strNewName: an item of an open branch that
    // stands for it follows.
    void FollowFileRename(const CString& strFolderPath, const CString& strOldName, const CString& strNewName);

    virtual BOOL AcceptTreeFile(CString strFileName);
    virtual BOOL AcceptListFile(CString strFileName);

    HTREEITEM GetComputerItem() const { return m_hComputerItem; }
    HTREEITEM GetDesktopItem() const { return m_hDesktopItem; }
    const CString& GetDesktopPath() const { return m_strDesktopPath; }
    CImageList& GetImages() { return m_imageList; }

    // Lowers every image index of the items below hParent, at every depth,
    // by the number of removed indices (sorted ascending) beneath it.
    void ShiftImageIndexes(HTREEITEM hParent, const std::vector<int>& removed);

protected:
    void OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    int m_nFileCount;
    HTREEITEM m_hDesktopItem;
    CString m_strDesktopPath;
    HTREEITEM m_hComputerItem;
    char m_szDriveStrings[500];
    CImageList m_imageList;

private:
    // Image list (TreeImages.cpp).
    void SetUpImageList(int& nDesktopImage, int& nComputerImage);
    int AppendImage(HICON hIcon);
    void CollectBranchImages(HTREEITEM hItem, std::vector<int>& images);
    void ReleaseImages(std::vector<int>& images);
    // Inserts and deletes between BeginImageBatch and EndImageBatch hand
    // the image list to the tree once, at the end, not once per item.
    void BeginImageBatch() { ++m_nImageBatch; }
    void EndImageBatch();
    void HandImageListToTree();
    // Switches drawing on again after PopulateItem's inserts.
    void EndPopulate();

    int m_nImageBatch;
};
