// A folder tree in a real tree-view window, hosted in a plain top-level
// window of the framework, with InitTree done; items are opened and closed
// as the user does, and the tree learns of it through the reflected
// TVN_ITEMEXPANDED.
#pragma once

#include <map>
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
    // The child whose name on disk is strName, or NULL.
    HTREEITEM ChildOnDisk(HTREEITEM hParent, const std::string& strName) const;
    // The names on disk of the children, in the tree's order.
    std::vector<std::string> DiskNames(HTREEITEM hItem) const;
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

// The shell as a test wants it where Wine cannot show what Windows shows:
// entries named in shownAs get that display name (as Windows shows a
// user's "Music" as "음악"), entries named in addedAttributes are read with
// those attributes too (folders marked read-only or system); entries are
// read without short names when bNoShortNames is set. Everything
// else comes from the real shell. The paths asked about one by one are
// recorded.
class StandInShell : public CShellService {
public:
    std::map<std::string, std::string> shownAs;
    std::map<std::string, DWORD> addedAttributes;
    // Read as a file system without short (8.3) names has them.
    bool bNoShortNames = false;
    std::vector<std::string> askedByPath;

    bool ReadFolder(const CString& strFolderPath, std::vector<CFolderEntry>& entries) override;
    void GetDisplayNames(const CString& strFolderPath, const std::vector<CString>& names,
                         std::vector<CString>& labels) override;
    CString GetDisplayName(const CString& strPath) override;
    CShellFileInfo GetFileInfo(const CString& strPath) override;
};

// Shows file extensions in the shell's display names (bShown) or hides
// them, as Windows' setting does, for the object's lifetime. The setting
// is the prefix's own: tests that look at labels must not run meanwhile.
class ExtensionsShown {
public:
    explicit ExtensionsShown(bool bShown);
    ~ExtensionsShown();

private:
    DWORD m_dwOld = 1;
    bool m_bHadValue = false;
};
