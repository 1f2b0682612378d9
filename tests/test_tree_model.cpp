// The folder tree in a real tree-view window: its two top-level items, the
// drives, and folders filled when opened and emptied when closed.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "support/TestSupport.h"
#include "res/resource.h"
#include "support/TreeHost.h"

namespace {

typedef std::vector<std::wstring> Names;

// True when the item is closed and its only child is a placeholder.
::testing::AssertionResult ClosedWithPlaceholder(TreeHost& host, HTREEITEM hItem)
{
    if (host.IsOpen(hItem))
        return ::testing::AssertionFailure() << "item is open";
    std::vector<HTREEITEM> children = host.Children(hItem);
    if (children.size() != 1)
        return ::testing::AssertionFailure() << children.size() << " children";
    if (!host.tree.GetItemText(children[0]).IsEmpty())
        return ::testing::AssertionFailure() << "child labelled " << host.tree.GetItemText(children[0]).str();
    if (host.Image(children[0]) != 0 || host.SelectedImage(children[0]) != 0)
        return ::testing::AssertionFailure() << "placeholder images " << host.Image(children[0]) << ","
                                             << host.SelectedImage(children[0]);
    if (host.tree.ItemHasChildren(children[0]))
        return ::testing::AssertionFailure() << "placeholder has children";
    return ::testing::AssertionSuccess();
}

Names DriveStrings()
{
    wchar_t buf[500] = {};
    GetLogicalDriveStringsW(500 - 1, buf);
    Names out;
    for (const wchar_t* p = buf; *p; p += wcslen(p) + 1)
        out.push_back(p);
    return out;
}

}  // namespace

TEST(TreeModel, InitTreeBuildsTwoClosedTopLevelItems)
{
    TreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    std::vector<HTREEITEM> top = host.Children(TVI_ROOT);
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0], tree.GetComputerItem());
    EXPECT_EQ(top[1], tree.GetDesktopItem());
    EXPECT_EQ(tree.GetItemText(top[0]).str(), Text(IDS_COMPUTER));

    // The desktop item is labelled with the shell's name of the desktop.
    SHFILEINFOW sfi = {};
    SHGetFileInfoW(tree.GetDesktopPath(), 0, &sfi, sizeof(sfi), SHGFI_DISPLAYNAME);
    EXPECT_FALSE(tree.GetDesktopPath().IsEmpty());
    EXPECT_NE(tree.GetDesktopPath().GetAt(tree.GetDesktopPath().GetLength() - 1), '\\');
    EXPECT_EQ(tree.GetItemText(top[1]).str(), sfi.szDisplayName);

    EXPECT_TRUE(ClosedWithPlaceholder(host, top[0]));
    EXPECT_TRUE(ClosedWithPlaceholder(host, top[1]));
    EXPECT_EQ(tree.GetCount(), 4u);
}

TEST(TreeModel, OpeningTheComputerListsOneItemPerDriveInOrder)
{
    TreeHost host;
    HTREEITEM hComputer = host.tree.GetComputerItem();
    Names drives = DriveStrings();
    ASSERT_FALSE(drives.empty());

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        host.Open(hComputer);
        ASSERT_TRUE(host.IsOpen(hComputer));
        std::vector<HTREEITEM> items = host.Children(hComputer);
        ASSERT_EQ(items.size(), drives.size());
        for (size_t i = 0; i < items.size(); ++i) {
            SHFILEINFOW sfi = {};
            SHGetFileInfoW(drives[i].c_str(), 0, &sfi, sizeof(sfi), SHGFI_DISPLAYNAME);
            EXPECT_EQ(host.tree.GetItemText(items[i]).str(), sfi.szDisplayName);
            // Every drive can be opened, whatever it holds.
            EXPECT_TRUE(ClosedWithPlaceholder(host, items[i]));
            EXPECT_EQ(host.tree.GetFolderPath(items[i]).str(), drives[i]);
        }
        // Closing drops the drives; opening lists them again.
        host.Close(hComputer);
        EXPECT_TRUE(ClosedWithPlaceholder(host, hComputer));
    }
}

TEST(TreeModel, OpenedFolderShowsSortedSubfoldersThenMp3Files)
{
    TreeHost host;
    DesktopFolder folder(host.tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / L"b"));
    ASSERT_TRUE(MakeFolder(folder / L"A"));
    for (const wchar_t* name : {L"x.mp3", L"Y.mp3", L"z.MP3", L"c.txt", L"w.Mp3", L"mp3"})
        ASSERT_TRUE(WriteFileText(folder / name, L"data"));
    ASSERT_TRUE(WriteFileText(folder / L"b\\inside.mp3", L""));

    HTREEITEM hFolder = host.OpenPath(host.tree.GetDesktopItem(), {folder.Name()});
    ASSERT_NE(hFolder, (HTREEITEM)NULL);
    EXPECT_EQ(host.DiskNames(hFolder), (Names{L"A", L"b", L"x.mp3", L"Y.mp3"}));
    // Each labelled as the shell names its path (without a hidden extension).
    for (HTREEITEM h : host.Children(hFolder)) {
        SHFILEINFOW sfi = {};
        SHGetFileInfoW((folder / host.tree.GetDiskName(h).str()).c_str(), 0, &sfi, sizeof(sfi), SHGFI_DISPLAYNAME);
        EXPECT_EQ(host.tree.GetItemText(h).str(), sfi.szDisplayName);
    }

    std::vector<HTREEITEM> items = host.Children(hFolder);
    ASSERT_EQ(items.size(), 4u);
    // Folders can be opened; files are leaves without a button.
    EXPECT_TRUE(ClosedWithPlaceholder(host, items[0]));
    EXPECT_TRUE(ClosedWithPlaceholder(host, items[1]));
    EXPECT_FALSE(host.tree.ItemHasChildren(items[2]));
    EXPECT_FALSE(host.tree.ItemHasChildren(items[3]));

    // Filled with drawing switched off, the rows are still laid out one
    // below the other, in order, as the tree shows them.
    int nLastTop = -1;
    for (HTREEITEM h : items) {
        RECT rc = {};
        memcpy(&rc, &h, sizeof(h));  // TVM_GETITEMRECT takes the item in the rectangle
        ASSERT_TRUE(host.tree.SendMessage(TVM_GETITEMRECT, TRUE, (LPARAM)&rc));
        EXPECT_GT(rc.top, nLastTop);
        EXPECT_GT(rc.right, rc.left);
        nLastTop = rc.top;
    }

    // Opening b reads b; closing the folder discards all of it.
    host.Open(items[1]);
    EXPECT_EQ(host.DiskNames(items[1]), (Names{L"inside.mp3"}));
    host.Close(hFolder);
    EXPECT_TRUE(ClosedWithPlaceholder(host, hFolder));
}

TEST(TreeModel, EmptyFolderShowsOneBlankRowAndIsReadAgainOnEveryOpening)
{
    TreeHost host;
    DesktopFolder folder(host.tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / L"empty"));
    ASSERT_TRUE(WriteFileText(folder / L"empty\\notes.txt", L""));

    HTREEITEM hEmpty = host.OpenPath(host.tree.GetDesktopItem(), {folder.Name(), L"empty"});
    ASSERT_NE(hEmpty, (HTREEITEM)NULL);
    ASSERT_TRUE(host.IsOpen(hEmpty));
    std::vector<HTREEITEM> rows = host.Children(hEmpty);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(host.tree.GetItemText(rows[0]).str(), L"");
    EXPECT_FALSE(host.tree.ItemHasChildren(rows[0]));
    EXPECT_EQ(host.Image(rows[0]), 0);

    // Made while the folder is open: not shown until it is opened again.
    ASSERT_TRUE(MakeFolder(folder / L"empty\\new"));
    ASSERT_TRUE(WriteFileText(folder / L"empty\\song.mp3", L""));
    EXPECT_EQ(host.Labels(hEmpty), (Names{L""}));
    host.Close(hEmpty);
    EXPECT_TRUE(ClosedWithPlaceholder(host, hEmpty));
    host.Open(hEmpty);
    EXPECT_EQ(host.DiskNames(hEmpty), (Names{L"new", L"song.mp3"}));

    // A folder removed behind the tree's back opens as one blank row.
    HTREEITEM hNew = host.Child(hEmpty, L"new");
    ASSERT_TRUE(RemoveDirectoryW((folder / L"empty\\new").c_str()));
    host.Open(hNew);
    EXPECT_EQ(host.Labels(hNew), (Names{L""}));
}

TEST(TreeModel, EachItemKeepsItsNameOnDiskUntilItGoes)
{
    TreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    EXPECT_EQ(tree.GetItemNameCount(), 1);  // the desktop's
    DesktopFolder folder(tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / L"a"));
    ASSERT_TRUE(MakeFolder(folder / L"b"));
    ASSERT_TRUE(WriteNamedFiles(folder.Path(), {L"c.mp3", L"d.txt"}));
    host.Open(tree.GetComputerItem());
    const int nDrives = (int)host.Children(tree.GetComputerItem()).size();
    HTREEITEM hFolder = host.OpenPath(tree.GetDesktopItem(), {folder.Name()});
    ASSERT_TRUE(hFolder);
    const int nDesktop = (int)host.Children(tree.GetDesktopItem()).size();
    EXPECT_EQ(tree.GetItemNameCount(), 1 + nDrives + nDesktop + 3);

    host.Close(hFolder);
    EXPECT_EQ(tree.GetItemNameCount(), 1 + nDrives + nDesktop);
    host.Close(tree.GetComputerItem());
    EXPECT_EQ(tree.GetItemNameCount(), 1 + nDesktop);
    // Open branches go with the window, and their names with them.
    host.OpenPath(tree.GetDesktopItem(), {folder.Name()});
    DestroyWindow(GetParent(tree.m_hWnd));
    EXPECT_EQ(tree.GetItemNameCount(), 0);
}

TEST(TreeModel, TreeFileFilterWantsLowerCaseMp3Endings)
{
    CFolderTreeCtrl tree;
    EXPECT_TRUE(tree.AcceptTreeFile(L"song.mp3"));
    EXPECT_TRUE(tree.AcceptTreeFile(L".mp3"));
    EXPECT_TRUE(tree.AcceptTreeFile(L"노래.mp3"));
    EXPECT_TRUE(tree.AcceptTreeFile(L"a.b.mp3"));
    EXPECT_FALSE(tree.AcceptTreeFile(L"song.MP3"));
    EXPECT_FALSE(tree.AcceptTreeFile(L"song.Mp3"));
    EXPECT_FALSE(tree.AcceptTreeFile(L"song.mp3 "));
    EXPECT_FALSE(tree.AcceptTreeFile(L"song.mp4"));
    EXPECT_FALSE(tree.AcceptTreeFile(L"xmp3"));
    EXPECT_FALSE(tree.AcceptTreeFile(L"mp3"));
    EXPECT_FALSE(tree.AcceptTreeFile(L".mp"));
    EXPECT_FALSE(tree.AcceptTreeFile(L""));
    // Every file goes into the name list.
    EXPECT_TRUE(tree.AcceptListFile(L"c.txt"));
    EXPECT_TRUE(tree.AcceptListFile(L""));
}
