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

typedef std::vector<std::wstring> Names;

std::wstring Path(CFolderTreeCtrl& tree, HTREEITEM hItem)
{
    return tree.GetItemPath(L"", hItem).str();
}

Names List(CFolderTreeCtrl& tree, HTREEITEM hItem)
{
    CNameList list;
    int n = tree.ListFiles(hItem, list);
    Names out;
    for (int i = 0; i < n; ++i)
        out.push_back(list[i].strShown.str());
    return out;
}

// A folder at the root of the prefix's C: drive, removed afterwards.
struct DriveCFolder {
    std::wstring name = L"qvpaths_" + std::to_wstring(GetCurrentProcessId());
    std::wstring path = L"C:\\" + name + L"\\";
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
    EXPECT_EQ(Path(tree, hComputer), L"");
    EXPECT_EQ(tree.GetFolderPath(hComputer).str(), L"");
    EXPECT_EQ(tree.GetFolderPath(tree.GetChildItem(hComputer)).str(), L"");
    EXPECT_EQ(tree.GetFolderPath(tree.GetChildItem(hDesktop)).str(), L"");
    EXPECT_EQ(Path(tree, hDesktop), tree.GetDesktopPath().str() + L"\\");

    // Drive C: > folder > sub (two levels down) > song.mp3, and an empty
    // folder that opens as a blank row.
    DriveCFolder top;
    ASSERT_TRUE(MakeFolder(top.path + L"sub"));
    ASSERT_TRUE(MakeFolder(top.path + L"sub\\empty"));
    ASSERT_TRUE(WriteFileText(top.path + L"sub\\song.mp3", L""));

    host.Open(hComputer);
    HTREEITEM hDrive = host.DriveItem(L"C:\\");
    ASSERT_TRUE(hDrive);
    EXPECT_EQ(Path(tree, hDrive), L"C:\\");
    EXPECT_EQ(tree.GetItemPath(L"x", hDrive).str(), L"C:\\x");
    HTREEITEM hSub = host.OpenPath(hDrive, {top.name, L"sub"});
    ASSERT_TRUE(hSub);
    EXPECT_EQ(Path(tree, hSub), top.path + L"sub\\");
    EXPECT_EQ(tree.GetFolderPath(hSub).str(), top.path + L"sub\\");
    HTREEITEM hSong = host.ChildOnDisk(hSub, L"song.mp3");
    ASSERT_TRUE(hSong);
    EXPECT_EQ(Path(tree, hSong), top.path + L"sub\\song.mp3");
    EXPECT_EQ(tree.GetFolderPath(hSong).str(), top.path + L"sub\\");
    // Closed with its placeholder or open with one blank row, a folder's
    // path keeps its "\"; the blank row itself is no folder.
    HTREEITEM hEmpty = host.Child(hSub, L"empty");
    ASSERT_TRUE(hEmpty);
    EXPECT_EQ(Path(tree, hEmpty), top.path + L"sub\\empty\\");
    host.Open(hEmpty);
    EXPECT_EQ(Path(tree, hEmpty), top.path + L"sub\\empty\\");
    EXPECT_EQ(tree.GetFolderPath(tree.GetChildItem(hEmpty)).str(), L"");
    EXPECT_EQ(tree.GetItemPath(L"x", tree.GetChildItem(hEmpty)).str(), L"");

    // Paths come from the names on disk, not from what the labels show.
    tree.SetItemText(hSub, L"relabelled");
    EXPECT_EQ(Path(tree, hSong), top.path + L"sub\\song.mp3");
    EXPECT_EQ(Path(tree, hEmpty), top.path + L"sub\\empty\\");

    // Below the desktop item, paths start with the desktop path.
    DesktopFolder folder(tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / L"inner"));
    HTREEITEM hInner = host.OpenPath(hDesktop, {folder.Name(), L"inner"});
    ASSERT_TRUE(hInner);
    EXPECT_EQ(Path(tree, hInner), folder.Path() + L"inner\\");
    EXPECT_EQ(Path(tree, tree.GetParentItem(hInner)), folder.Path());
}

TEST(TreePaths, DriveStringsThatDoNotFitLeaveNoOldBytes)
{
    // The tree walks these strings in step with its drive items; a failed
    // call must not leave the drives of an earlier call behind.
    wchar_t buf[8];
    wmemset(buf, L'X', 8);
    GetDriveStrings(buf, 4);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(buf[1], 0);

    wchar_t full[500];
    wmemset(full, L'X', 500);
    GetDriveStrings(full, 500);
    EXPECT_EQ(full[1], ':');
    EXPECT_EQ(full[2], '\\');
}

TEST(TreePaths, ListFilesOfFolderFileAndPlaceholderItems)
{
    TreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    DesktopFolder folder(tree.GetDesktopPath().str());
    ASSERT_TRUE(WriteNamedFiles(folder.Path(), {L"x.mp3", L"b.txt", L"A.txt", L"x.mp3.bak", L"y.mp3", L"x.mp3z.txt"}));
    ASSERT_TRUE(MakeFolder(folder / L"sub"));
    ASSERT_TRUE(MakeFolder(folder / L"empty"));
    ASSERT_TRUE(WriteNamedFiles(folder / L"sub\\", {L"in.txt"}));

    HTREEITEM hFolder = host.OpenPath(tree.GetDesktopItem(), {folder.Name()});
    ASSERT_TRUE(hFolder);
    // Every file of the folder, sorted ignoring case; no folder.
    EXPECT_EQ(List(tree, hFolder), (Names{L"A.txt", L"b.txt", L"x.mp3", L"x.mp3.bak", L"x.mp3z.txt", L"y.mp3"}));

    // A file item stands for its own file only.
    HTREEITEM hFile = host.ChildOnDisk(hFolder, L"x.mp3");
    ASSERT_TRUE(hFile);
    EXPECT_EQ(List(tree, hFile), (Names{L"x.mp3"}));
    EXPECT_EQ(tree.GetFolderPath(hFile).str(), folder.Path());

    // The computer item and placeholders stand for no folder: they list
    // nothing, whatever the process's current folder holds.
    TempFolder cwdFolder(L"cwd");
    ASSERT_TRUE(WriteNamedFiles(cwdFolder.Path(), {L"here.txt", L"Also.mp3"}));
    wchar_t szOld[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, szOld);
    ASSERT_TRUE(SetCurrentDirectoryW(cwdFolder.Path().c_str()));
    HTREEITEM hEmpty = host.OpenPath(hFolder, {L"empty"});
    std::vector<HTREEITEM> noFolder = {tree.GetComputerItem(), tree.GetChildItem(tree.GetComputerItem())};
    if (hEmpty)
        noFolder.push_back(tree.GetChildItem(hEmpty));
    CNameList list;
    for (HTREEITEM h : noFolder) {
        int nFound = -1;
        EXPECT_EQ(tree.ListFiles(h, list, &nFound), 0);
        EXPECT_EQ(nFound, 0);
        EXPECT_EQ(tree.GetFolderPath(h).str(), L"");
    }
    SetCurrentDirectoryW(szOld);
    EXPECT_TRUE(hEmpty);

    // A file gone since its branch was read lists nothing.
    ASSERT_TRUE(DeleteFileW((folder / L"x.mp3").c_str()));
    EXPECT_EQ(List(tree, hFile), Names{});
}

TEST(TreePaths, ALocalizedFolderIsReachedByItsNameOnDisk)
{
    // Windows shows a user's "Music" as "음악"; Wine cannot, so the shell
    // is stood in for.
    StandInShell shell;
    shell.shownAs[L"Music"] = L"음악";
    TreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    tree.SetShellService(&shell);
    DesktopFolder folder(tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / L"Music"));
    ASSERT_TRUE(MakeFolder(folder / L"Music\\Album"));
    ASSERT_TRUE(WriteNamedFiles(folder / L"Music\\", {L"b.txt", L"a.mp3"}));
    ASSERT_TRUE(WriteNamedFiles(folder / L"Music\\Album\\", {L"c.mp3"}));

    HTREEITEM hMusic = host.OpenPath(tree.GetDesktopItem(), {folder.Name(), L"음악"});
    ASSERT_TRUE(hMusic);
    EXPECT_EQ(tree.GetDiskName(hMusic).str(), L"Music");
    EXPECT_EQ(host.DiskNames(hMusic), (Names{L"Album", L"a.mp3"}));
    EXPECT_EQ(Path(tree, hMusic), folder.Path() + L"Music\\");
    EXPECT_EQ(List(tree, hMusic), (Names{L"a.mp3", L"b.txt"}));
    HTREEITEM hAlbum = host.OpenPath(hMusic, {L"Album"});
    ASSERT_TRUE(hAlbum);
    EXPECT_EQ(host.DiskNames(hAlbum), (Names{L"c.mp3"}));
    EXPECT_EQ(Path(tree, host.ChildOnDisk(hAlbum, L"c.mp3")), folder.Path() + L"Music\\Album\\c.mp3");
    EXPECT_EQ(List(tree, hAlbum), (Names{L"c.mp3"}));
}

TEST(TreePaths, OpenBranchesFollowAWholeRenameAtOnce)
{
    TreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    DesktopFolder folder(tree.GetDesktopPath().str());
    const std::wstring album = folder / L"album\\";
    ASSERT_TRUE(MakeFolder(album));
    ASSERT_TRUE(MakeFolder(album + L"sub"));
    ASSERT_TRUE(WriteNamedFiles(album, {L"a.mp3", L"b.mp3", L"c.mp3", L"d.mp3", L"e.mp3", L"notes.txt"}));
    HTREEITEM hAlbum = host.OpenPath(tree.GetDesktopItem(), {folder.Name(), L"album"});
    ASSERT_TRUE(hAlbum);
    HTREEITEM hSub = host.OpenPath(hAlbum, {L"sub"});
    ASSERT_TRUE(hSub);
    HTREEITEM hA = host.ChildOnDisk(hAlbum, L"a.mp3"), hB = host.ChildOnDisk(hAlbum, L"b.mp3");
    auto shellLabel = [](const std::wstring& path) {
        SHFILEINFOW sfi = {};
        SHGetFileInfoW(path.c_str(), 0, &sfi, sizeof(sfi), SHGFI_DISPLAYNAME);
        return std::wstring(sfi.szDisplayName);
    };

    // A swap, a file to another type, a file newly of the tree's type, a
    // file into a subfolder, all in one rename.
    const Names before = {L"a.mp3", L"b.mp3", L"c.mp3", L"d.mp3", L"notes.txt"};
    const Names after = {L"b.mp3", L"a.mp3", L"c.wav", L"sub\\d.mp3", L"new.mp3"};
    ASSERT_TRUE(MoveFileW((album + L"a.mp3").c_str(), (album + L"x.tmp").c_str()));
    for (size_t k = 1; k < before.size(); ++k)
        ASSERT_TRUE(MoveFileW((album + before[k]).c_str(), (album + after[k]).c_str()));
    ASSERT_TRUE(MoveFileW((album + L"x.tmp").c_str(), (album + after[0]).c_str()));
    tree.FollowRenames(album.c_str(), std::vector<CString>(before.begin(), before.end()),
                       std::vector<CString>(after.begin(), after.end()));

    // Exactly what is on disk, sorted, folders first; each item its own file.
    EXPECT_EQ(host.DiskNames(hAlbum), (Names{L"sub", L"a.mp3", L"b.mp3", L"e.mp3", L"new.mp3"}));
    EXPECT_EQ(tree.GetDiskName(hA).str(), L"b.mp3");
    EXPECT_EQ(tree.GetDiskName(hB).str(), L"a.mp3");
    EXPECT_EQ(host.DiskNames(hSub), (Names{L"d.mp3"}));
    EXPECT_TRUE(host.IsOpen(hSub));
    for (HTREEITEM hParent : {hAlbum, hSub})
        for (HTREEITEM h : host.Children(hParent)) {
            if (tree.GetItemName(h)->kind != TREE_ITEM_FILE)
                continue;
            const std::wstring path = Path(tree, h);
            EXPECT_TRUE(PumpUntil([&] { return tree.GetItemText(h).str() == shellLabel(path); })) << path;
        }
}
