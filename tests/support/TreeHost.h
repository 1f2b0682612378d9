// A folder tree in a real tree-view window, hosted in a plain top-level
// window of the framework, with InitTree done; items are opened and closed
// as the user does, and the tree learns of it through the reflected
// TVN_ITEMEXPANDED.
#pragma once

#include <string>
#include <vector>

#include "tree/FolderTreeCtrl.h"

class TreeHost {
public:
    TreeHost();
    ~TreeHost();

    CFolderTreeCtrl tree;

    bool IsOpen(HTREEITEM hItem) const;
    // Opens or closes the item as the user's "+" and "-" keys do.
    void Open(HTREEITEM hItem);
    void Close(HTREEITEM hItem);

    std::vector<HTREEITEM> Children(HTREEITEM hItem) const;
    std::vector<std::string> Labels(HTREEITEM hItem) const;
    // The child labelled strLabel, or NULL.
    HTREEITEM Child(HTREEITEM hParent, const std::string& strLabel) const;
    // Opens each label in turn below hFrom and returns the last one's item
    // (opened too), or NULL when a label is missing.
    HTREEITEM OpenPath(HTREEITEM hFrom, const std::vector<std::string>& labels);

    // The drive item that stands for strRoot ("C:\\"), found by its position
    // among the drive strings, as the tree itself finds it; NULL when none.
    HTREEITEM DriveItem(const std::string& strRoot) const;

    int Image(HTREEITEM hItem) const;
    int SelectedImage(HTREEITEM hItem) const;
    int ImageCount() { return tree.GetImages().GetImageCount(); }

private:
    CWnd m_frame;
};

// A fresh folder inside the desktop folder that the shell gives this
// process (a throwaway folder of the test prefix), removed with its contents
// when the object goes. Path() ends with "\".
class DesktopFolder {
public:
    explicit DesktopFolder(const std::string& strDesktopPath);
    ~DesktopFolder();
    const std::string& Name() const { return m_name; }
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + name; }

private:
    std::string m_name;
    std::string m_path;
};
