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
    std::vector<std::wstring> Labels(HTREEITEM hItem) const;
    // The child labelled strLabel, or NULL.
    HTREEITEM Child(HTREEITEM hParent, const std::wstring& strLabel) const;
    // The child whose name on disk is strName, or NULL.
    HTREEITEM ChildOnDisk(HTREEITEM hParent, const std::wstring& strName) const;
    // The names on disk of the children, in the tree's order.
    std::vector<std::wstring> DiskNames(HTREEITEM hItem) const;
    // Opens each label in turn below hFrom and returns the last one's item
    // (opened too), or NULL when a label is missing.
    HTREEITEM OpenPath(HTREEITEM hFrom, const std::vector<std::wstring>& labels);

    // The drive item that stands for strRoot ("C:\\"), found by its position
    // among the drive strings, as the tree itself finds it; NULL when none.
    HTREEITEM DriveItem(const std::wstring& strRoot) const;

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
    explicit DesktopFolder(const std::wstring& strDesktopPath);
    ~DesktopFolder();
    const std::wstring& Name() const { return m_name; }
    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + name; }

private:
    std::wstring m_name;
    std::wstring m_path;
};

// The shell as a test wants it where Wine cannot show what Windows shows:
// entries named in shownAs get that display name (as Windows shows a
// user's "Music" as "음악"), entries named in addedAttributes are read with
// those attributes too (folders marked read-only or system). Everything
// else comes from the real shell. The paths asked about one by one are
// recorded.
class StandInShell : public CShellService {
public:
    std::map<std::wstring, std::wstring> shownAs;
    std::map<std::wstring, DWORD> addedAttributes;
    std::vector<std::wstring> askedByPath;

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
