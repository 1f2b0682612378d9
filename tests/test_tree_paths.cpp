// Paths rebuilt from the labels of a real tree, and the file listing of the
// selected item built on them.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

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
    HTREEITEM hSong = host.ChildOnDisk(hSub, "song.mp3");
    ASSERT_TRUE(hSong);
    EXPECT_EQ(Path(tree, hSong), top.path + "sub\\song.mp3");
    EXPECT_EQ(tree.GetFolderPath(hSong).str(), top.path + "sub\\");
    // Closed with its placeholder or open with one blank row, a folder's
    // path keeps its "\"; the blank row itself is no folder.
    HTREEITEM hEmpty = host.Child(hSub, "empty");
    ASSERT_TRUE(hEmpty);
    EXPECT_EQ(Path(tree, hEmpty), top.path + "sub\\empty\\");
    host.Open(hEmpty);
    EXPECT_EQ(Path(tree, hEmpty), top.path + "sub\\empty\\");
    EXPECT_EQ(tree.GetFolderPath(tree.GetChildItem(hEmpty)).str(), "");
    EXPECT_EQ(tree.GetItemPath("x", tree.GetChildItem(hEmpty)).str(), "");

    // Paths come from the names on disk, not from what the labels show.
    tree.SetItemText(hSub, "relabelled");
    EXPECT_EQ(Path(tree, hSong), top.path + "sub\\song.mp3");
    EXPECT_EQ(Path(tree, hEmpty), top.path + "sub\\empty\\");

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

    // A file item stands for its own file only.
    HTREEITEM hFile = host.ChildOnDisk(hFolder, "x.mp3");
    ASSERT_TRUE(hFile);
    EXPECT_EQ(List(tree, hFile), (Names{"x.mp3"}));
    EXPECT_EQ(tree.GetFolderPath(hFile).str(), folder.Path());

    // The computer item and placeholders stand for no folder: they list
    // nothing, whatever the process's current folder holds.
    TempFolder cwdFolder("cwd");
    ASSERT_TRUE(WriteNamedFiles(cwdFolder.Path(), {"here.txt", "Also.mp3"}));
    char szOld[MAX_PATH];
    GetCurrentDirectoryA(sizeof(szOld), szOld);
    ASSERT_TRUE(SetCurrentDirectoryA(cwdFolder.Path().c_str()));
    HTREEITEM hEmpty = host.OpenPath(hFolder, {"empty"});
    std::vector<HTREEITEM> noFolder = {tree.GetComputerItem(), tree.GetChildItem(tree.GetComputerItem())};
    if (hEmpty)
        noFolder.push_back(tree.GetChildItem(hEmpty));
    std::vector<CString> names(MAX_NAMES);
    for (HTREEITEM h : noFolder) {
        int nFound = -1;
        EXPECT_EQ(tree.ListFiles(h, names.data(), &nFound), 0);
        EXPECT_EQ(nFound, 0);
        EXPECT_EQ(tree.GetFolderPath(h).str(), "");
    }
    SetCurrentDirectoryA(szOld);
    EXPECT_TRUE(hEmpty);

    // A file gone since its branch was read lists nothing.
    ASSERT_TRUE(DeleteFileA((folder / "x.mp3").c_str()));
    EXPECT_EQ(List(tree, hFile), Names{});
}

TEST(TreePaths, ALocalizedFolderIsReachedByItsNameOnDisk)
{
    // Windows shows a user's "Music" as "음악"; Wine cannot, so the shell
    // is stood in for.
    StandInShell shell;
    shell.shownAs["Music"] = CString("음악").str();
    TreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    tree.SetShellService(&shell);
    DesktopFolder folder(tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / "Music"));
    ASSERT_TRUE(MakeFolder(folder / "Music\\Album"));
    ASSERT_TRUE(WriteNamedFiles(folder / "Music\\", {"b.txt", "a.mp3"}));
    ASSERT_TRUE(WriteNamedFiles(folder / "Music\\Album\\", {"c.mp3"}));

    HTREEITEM hMusic = host.OpenPath(tree.GetDesktopItem(), {folder.Name(), CString("음악").str()});
    ASSERT_TRUE(hMusic);
    EXPECT_EQ(tree.GetDiskName(hMusic).str(), "Music");
    EXPECT_EQ(host.DiskNames(hMusic), (Names{"Album", "a.mp3"}));
    EXPECT_EQ(Path(tree, hMusic), folder.Path() + "Music\\");
    EXPECT_EQ(List(tree, hMusic), (Names{"a.mp3", "b.txt"}));
    HTREEITEM hAlbum = host.OpenPath(hMusic, {"Album"});
    ASSERT_TRUE(hAlbum);
    EXPECT_EQ(host.DiskNames(hAlbum), (Names{"c.mp3"}));
    EXPECT_EQ(Path(tree, host.ChildOnDisk(hAlbum, "c.mp3")), folder.Path() + "Music\\Album\\c.mp3");
    EXPECT_EQ(List(tree, hAlbum), (Names{"c.mp3"}));
}

TEST(TreePaths, FileItemsFollowRenamesOfTheirFiles)
{
    TreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    DesktopFolder folder(tree.GetDesktopPath().str());
    const Names songs = {"s1.mp3", "s2.mp3", "s3.mp3", "s4.mp3", "s5.mp3", "s6.mp3"};
    ASSERT_TRUE(MakeFolder(folder / "album"));
    ASSERT_TRUE(WriteNamedFiles(folder / "album\\", songs));
    ASSERT_TRUE(WriteNamedFiles(folder / "album\\", {"one.mp3", "notes.txt"}));
    HTREEITEM hAlbum = host.OpenPath(tree.GetDesktopItem(), {folder.Name(), "album"});
    ASSERT_TRUE(hAlbum);
    HTREEITEM hOne = host.ChildOnDisk(hAlbum, "one.mp3");
    ASSERT_TRUE(hOne);
    auto shellLabel = [](const std::string& path) {
        SHFILEINFOA sfi = {};
        SHGetFileInfoA(path.c_str(), 0, &sfi, sizeof(sfi), SHGFI_DISPLAYNAME);
        return std::string(sfi.szDisplayName);
    };
    auto labelsSettle = [&](HTREEITEM h, const std::string& path) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; PumpMessages(10))
            if (tree.GetItemText(h).str() == shellLabel(path))
                return true;
        return false;
    };

    // One file, its folder and old name given in another letter case: the
    // path follows at once, the label once the tree's messages ran.
    std::string upperFolder = folder / "ALBUM\\";
    ASSERT_TRUE(MoveFileA((folder / "album\\one.mp3").c_str(), (folder / "album\\uno.mp3").c_str()));
    tree.FollowFileRename(upperFolder.c_str(), "ONE.mp3", "uno.mp3");
    EXPECT_EQ(Path(tree, hOne), folder / "album\\uno.mp3");
    EXPECT_TRUE(labelsSettle(hOne, folder / "album\\uno.mp3")) << tree.GetItemText(hOne).str();

    // Many files at once, one of them to another type; files the tree does
    // not show and moves into another folder change nothing.
    for (size_t i = 0; i < songs.size(); ++i) {
        std::string renamed = i == 0 ? "first.wav" : "renamed " + songs[i];
        ASSERT_TRUE(MoveFileA((folder / "album\\" + songs[i]).c_str(), (folder / "album\\" + renamed).c_str()));
        tree.FollowFileRename((folder / "album\\").c_str(), songs[i].c_str(), renamed.c_str());
    }
    tree.FollowFileRename((folder / "album\\").c_str(), "notes.txt", "notes2.txt");
    tree.FollowFileRename((folder / "album\\").c_str(), "uno.mp3", "sub\\uno.mp3");
    tree.FollowFileRename((folder / "other\\").c_str(), "s2.mp3", "x.mp3");
    // Each keeps its place in the branch.
    EXPECT_EQ(host.DiskNames(hAlbum), (Names{"uno.mp3", "first.wav", "renamed s2.mp3", "renamed s3.mp3",
                                               "renamed s4.mp3", "renamed s5.mp3", "renamed s6.mp3"}));
    for (HTREEITEM h : host.Children(hAlbum)) {
        const std::string path = folder / ("album\\" + tree.GetDiskName(h).str());
        EXPECT_EQ(Path(tree, h), path);
        EXPECT_TRUE(labelsSettle(h, path)) << path;
    }
}
