// Paths rebuilt from the labels of a real tree, and the file listing of the
// selected item built on them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "names/NameList.h"
#include "platform/Shell.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"

namespace {

typedef std::vector<std::string> Names;

std::string Path(CFolderTreeCtrl& tree, HTREEITEM hItem)
{
    return tree.GetItemPath("", hItem).str();
}

Names List(CFolderTreeCtrl& tree, HTREEITEM hItem)
{
    std::vector<CString> names(MAX_NAMES);
    int n = tree.ListFiles(hItem, names.data());
    Names out;
    for (int i = 0; i < n; ++i)
        out.push_back(names[i].str());
    return out;
}

// A folder at the root of the prefix's C: drive, removed afterwards.
struct DriveCFolder {
    std::string name = "qvpaths_" + std::to_string(GetCurrentProcessId());
    std::string path = "C:\\" + name + "\\";
    DriveCFolder() { MakeFolder(path); }
    ~DriveCFolder() { RemoveTree(path); }
};

}  // namespace

TEST(TreePaths, EveryKindOfItemGivesItsPath)
{
    TreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    HTREEITEM hComputer = tree.GetComputerItem(), hDesktop = tree.GetDesktopItem();

    // The computer item and placeholders stand for no folder.
    EXPECT_EQ(Path(tree, hComputer), "");
    EXPECT_EQ(tree.GetFolderPath(hComputer).str(), "");
    EXPECT_EQ(tree.GetFolderPath(tree.GetChildItem(hComputer)).str(), "");
    EXPECT_EQ(tree.GetFolderPath(tree.GetChildItem(hDesktop)).str(), "");
    EXPECT_EQ(Path(tree, hDesktop), tree.GetDesktopPath().str() + "\\");

    // Drive C: > folder > sub (two levels down) > song.mp3, and an empty
    // folder that opens as a blank row.
    DriveCFolder top;
    ASSERT_TRUE(MakeFolder(top.path + "sub"));
    ASSERT_TRUE(MakeFolder(top.path + "sub\\empty"));
    ASSERT_TRUE(WriteFileBytes(top.path + "sub\\song.mp3", ""));

    host.Open(hComputer);
    HTREEITEM hDrive = host.DriveItem("C:\\");
    ASSERT_TRUE(hDrive);
    EXPECT_EQ(Path(tree, hDrive), "C:\\");
    EXPECT_EQ(tree.GetItemPath("x", hDrive).str(), "C:\\x");
    HTREEITEM hSub = host.OpenPath(hDrive, {top.name, "sub"});
    ASSERT_TRUE(hSub);
    EXPECT_EQ(Path(tree, hSub), top.path + "sub\\");
    EXPECT_EQ(tree.GetFolderPath(hSub).str(), top.path + "sub\\");
    HTREEITEM hSong = host.Child(hSub, "song.mp3");
    ASSERT_TRUE(hSong);
    EXPECT_EQ(Path(tree, hSong), top.path + "sub\\song.mp3");
    // Closed with its placeholder or open with one blank row, a folder's
    // path keeps its "\"; the blank row itself is no folder.
    HTREEITEM hEmpty = host.Child(hSub, "empty");
    ASSERT_TRUE(hEmpty);
    EXPECT_EQ(Path(tree, hEmpty), top.path + "sub\\empty\\");
    host.Open(hEmpty);
    EXPECT_EQ(Path(tree, hEmpty), top.path + "sub\\empty\\");
    EXPECT_EQ(tree.GetFolderPath(tree.GetChildItem(hEmpty)).str(), "");

    // Nothing is stored: a relabelled folder changes every path below it.
    tree.SetItemText(hSub, "renamed");
    EXPECT_EQ(Path(tree, hSong), top.path + "renamed\\song.mp3");
    EXPECT_EQ(Path(tree, hEmpty), top.path + "renamed\\empty\\");

    // Below the desktop item, paths start with the desktop path.
    DesktopFolder folder(tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / "inner"));
    HTREEITEM hInner = host.OpenPath(hDesktop, {folder.Name(), "inner"});
    ASSERT_TRUE(hInner);
    EXPECT_EQ(Path(tree, hInner), folder.Path() + "inner\\");
    EXPECT_EQ(Path(tree, tree.GetParentItem(hInner)), folder.Path());
}

TEST(TreePaths, DriveStringsThatDoNotFitLeaveNoOldBytes)
{
    // The tree walks these strings in step with its drive items; a failed
    // call must not leave the drives of an earlier call behind.
    char buf[8];
    memset(buf, 'X', sizeof(buf));
    GetDriveStrings(buf, 4);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(buf[1], 0);

    char full[500];
    memset(full, 'X', sizeof(full));
    GetDriveStrings(full, sizeof(full));
    EXPECT_EQ(full[1], ':');
    EXPECT_EQ(full[2], '\\');
}

TEST(TreePaths, ListFilesOfFolderFileAndPlaceholderItems)
{
    TreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    DesktopFolder folder(tree.GetDesktopPath().str());
    ASSERT_TRUE(WriteNamedFiles(folder.Path(), {"x.mp3", "b.txt", "A.txt", "x.mp3.bak", "y.mp3", "x.mp3z.txt"}));
    ASSERT_TRUE(MakeFolder(folder / "sub"));
    ASSERT_TRUE(MakeFolder(folder / "empty"));
    ASSERT_TRUE(WriteNamedFiles(folder / "sub\\", {"in.txt"}));

    HTREEITEM hFolder = host.OpenPath(tree.GetDesktopItem(), {folder.Name()});
    ASSERT_TRUE(hFolder);
    // Every file of the folder, sorted ignoring case; no folder.
    EXPECT_EQ(List(tree, hFolder), (Names{"A.txt", "b.txt", "x.mp3", "x.mp3.bak", "x.mp3z.txt", "y.mp3"}));

    // A file item's path is used as it is, with "*.*" behind it: the files
    // whose names begin with it.
    HTREEITEM hFile = host.Child(hFolder, "x.mp3");
    ASSERT_TRUE(hFile);
    Names fromFile = List(tree, hFile);
    EXPECT_EQ(fromFile, (Names{"x.mp3", "x.mp3.bak", "x.mp3z.txt"}));

    // A placeholder gives the empty path: the process's current folder.
    TempFolder cwdFolder("cwd");
    ASSERT_TRUE(WriteNamedFiles(cwdFolder.Path(), {"here.txt", "Also.mp3"}));
    char szOld[MAX_PATH];
    GetCurrentDirectoryA(sizeof(szOld), szOld);
    ASSERT_TRUE(SetCurrentDirectoryA(cwdFolder.Path().c_str()));
    HTREEITEM hEmpty = host.OpenPath(hFolder, {"empty"});
    Names fromPlaceholder = hEmpty ? List(tree, tree.GetChildItem(hEmpty)) : Names{"<no item>"};
    SetCurrentDirectoryA(szOld);
    EXPECT_EQ(fromPlaceholder, (Names{"Also.mp3", "here.txt"}));
}
