// What a drive, folder or file item of the tree stands for on disk, kept as
// the item's data beside its label. Labels are the shell's display names,
// which need not be the names on disk (hidden extensions, localized folder
// names): paths are built from these records only. Each is freed when its
// item goes.
#pragma once

#include "framework/afxstr.h"

enum TreeItemKind {
    TREE_ITEM_ROOT,    // a drive or the desktop: the name is its whole path
    TREE_ITEM_FOLDER,  // a folder: its name in its parent folder
    TREE_ITEM_FILE,    // a file shown in the tree: its name in its parent folder
};

struct CTreeItemName {
    TreeItemKind kind;
    // The name on disk exactly as the enumeration gave it, or a drive's
    // root, or the desktop folder's path.
    CString strDiskName;

    // What the item adds to the paths built through it.
    const CString& PathPart() const { return strDiskName; }
};
