// The tree's image list in a real tree window: the fixed images, two images
// of its own for every drive, folder and file item, and nothing left over
// once items go.
#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "support/MappedDrive.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"

namespace {

const int kFixedImages = 4;  // two blank images, the desktop and the computer
const int kDesktopImage = 2;
const int kComputerImage = 3;

// The pixels of image nImage drawn on a square painted crBack.
std::vector<COLORREF> DrawnPixels(HIMAGELIST himl, int nImage, COLORREF crBack, UINT nStyle)
{
    int cx = 0, cy = 0;
    ImageList_GetIconSize(himl, &cx, &cy);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hbm = CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hdc = CreateCompatibleDC(NULL);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    HBRUSH hbr = CreateSolidBrush(crBack);
    RECT rc = {0, 0, cx, cy};
    FillRect(hdc, &rc, hbr);
    DeleteObject(hbr);
    ImageList_Draw(himl, nImage, hdc, 0, 0, nStyle);
    GdiFlush();
    std::vector<COLORREF> out;
    const DWORD* p = (const DWORD*)pBits;
    for (int i = 0; i < cx * cy; ++i)
        out.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    DeleteObject(hbm);
    return out;
}

// True when the image leaves any background as it is, and drawn normally
// shows the window colour.
::testing::AssertionResult DrawsBlank(TreeHost& host, int nImage)
{
    HIMAGELIST himl = host.tree.GetImages();
    const COLORREF crMagenta = RGB(255, 0, 255);
    std::vector<COLORREF> over = DrawnPixels(himl, nImage, crMagenta, ILD_TRANSPARENT);
    if (std::count(over.begin(), over.end(), crMagenta) != (long)over.size())
        return ::testing::AssertionFailure() << "image " << nImage << " covers the background";
    std::vector<COLORREF> normal = DrawnPixels(himl, nImage, crMagenta, ILD_NORMAL);
    if (std::count(normal.begin(), normal.end(), GetSysColor(COLOR_WINDOW)) != (long)normal.size())
        return ::testing::AssertionFailure() << "image " << nImage << " is not the window colour";
    return ::testing::AssertionSuccess();
}

// Every image of the list belongs to exactly what the tree shows: the fixed
// images, and for each drive, folder and file item its image and directly
// behind it its selected image, no two items sharing one.
::testing::AssertionResult ImagesExact(TreeHost& host)
{
    CFolderTreeCtrl& tree = host.tree;
    int nCount = host.ImageCount();
    std::set<int> owned;
    std::vector<HTREEITEM> todo = {tree.GetComputerItem(), tree.GetDesktopItem()};
    if (host.Image(todo[0]) != kComputerImage || host.SelectedImage(todo[0]) != kComputerImage ||
        host.Image(todo[1]) != kDesktopImage || host.SelectedImage(todo[1]) != kDesktopImage)
        return ::testing::AssertionFailure() << "top-level images moved";
    while (!todo.empty()) {
        HTREEITEM hParent = todo.back();
        todo.pop_back();
        for (HTREEITEM h : host.Children(hParent)) {
            int nImage = host.Image(h), nSelected = host.SelectedImage(h);
            std::wstring label = tree.GetItemText(h).str();
            if (label.empty()) {
                if (nImage != 0 || nSelected != 0)
                    return ::testing::AssertionFailure() << "placeholder with " << nImage << "," << nSelected;
                continue;
            }
            if (nSelected != nImage + 1 || nImage < kFixedImages || nSelected >= nCount)
                return ::testing::AssertionFailure() << label << ": " << nImage << "," << nSelected << " of " << nCount;
            if (!owned.insert(nImage).second || !owned.insert(nSelected).second)
                return ::testing::AssertionFailure() << label << ": shares " << nImage;
            todo.push_back(h);
        }
    }
    if ((int)owned.size() != nCount - kFixedImages)
        return ::testing::AssertionFailure() << nCount << " images for " << owned.size() << " owned";
    return ::testing::AssertionSuccess();
}


// Two closed sibling items, hFirst before hSecond, each holding exactly one
// folder "inner" and no ".mp3" file, opened in turn and the first closed.
void CheckTwoBranches(TreeHost& host, HTREEITEM hFirst, HTREEITEM hSecond)
{
    int nBase = host.ImageCount();
    host.Open(hFirst);
    HTREEITEM hInner1 = host.Child(hFirst, L"inner");
    ASSERT_TRUE(hInner1);
    EXPECT_EQ(host.Image(hInner1), nBase);
    EXPECT_EQ(host.SelectedImage(hInner1), nBase + 1);
    host.Open(hSecond);
    HTREEITEM hInner2 = host.Child(hSecond, L"inner");
    ASSERT_TRUE(hInner2);
    EXPECT_EQ(host.Image(hInner2), nBase + 2);
    EXPECT_EQ(host.SelectedImage(hInner2), nBase + 3);
    EXPECT_EQ(host.ImageCount(), nBase + 4);

    HIMAGELIST himl = host.tree.GetImages();
    std::vector<COLORREF> icon = DrawnPixels(himl, nBase + 2, RGB(255, 0, 255), ILD_TRANSPARENT);
    std::vector<COLORREF> openIcon = DrawnPixels(himl, nBase + 3, RGB(255, 0, 255), ILD_TRANSPARENT);

    // The first branch's two images go; the second folder moves down onto
    // them with its icons unchanged.
    host.Close(hFirst);
    EXPECT_EQ(host.ImageCount(), nBase + 2);
    EXPECT_EQ(host.Image(hInner2), nBase);
    EXPECT_EQ(host.SelectedImage(hInner2), nBase + 1);
    EXPECT_TRUE(DrawnPixels(himl, nBase, RGB(255, 0, 255), ILD_TRANSPARENT) == icon);
    EXPECT_TRUE(DrawnPixels(himl, nBase + 1, RGB(255, 0, 255), ILD_TRANSPARENT) == openIcon);
    EXPECT_TRUE(ImagesExact(host));
}

}  // namespace

TEST(TreeImages, FixedImagesAndItemsWithoutAShellIcon)
{
    TreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    ASSERT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    EXPECT_EQ(host.ImageCount(), kFixedImages);
    EXPECT_TRUE(ImagesExact(host));
    // Both blank images are really blank, not an uninitialised (black)
    // bitmap; the desktop icon is a real icon.
    EXPECT_TRUE(DrawsBlank(host, 0));
    EXPECT_TRUE(DrawsBlank(host, 1));
    std::vector<COLORREF> desktopIcon = DrawnPixels(tree.GetImages(), kDesktopImage, RGB(255, 0, 255), ILD_TRANSPARENT);
    EXPECT_FALSE(DrawsBlank(host, kDesktopImage));

    DesktopFolder folder(tree.GetDesktopPath().str());
    ASSERT_TRUE(WriteFileText(folder / L"x.mp3", L""));
    host.Open(tree.GetDesktopItem());
    int nDesktopOpen = host.ImageCount();
    HTREEITEM hFolder = host.OpenPath(tree.GetDesktopItem(), {folder.Name()});
    ASSERT_TRUE(hFolder);
    HTREEITEM hSong = host.ChildOnDisk(hFolder, L"x.mp3");
    ASSERT_TRUE(hSong);
    int nSongImage = host.Image(hSong);
    std::vector<COLORREF> songIcon = DrawnPixels(tree.GetImages(), nSongImage, RGB(255, 0, 255), ILD_TRANSPARENT);

    // Gone before the shell is asked: no icon and no display name. The item
    // still owns two (blank) images, and is labelled with its name.
    int nBefore = host.ImageCount();
    HTREEITEM hGone = tree.InsertPathItem((folder / L"gone.mp3").c_str(), hFolder, FALSE);
    EXPECT_EQ(tree.GetItemText(hGone).str(), L"gone.mp3");
    EXPECT_EQ(host.Image(hGone), nBefore);
    EXPECT_EQ(host.SelectedImage(hGone), nBefore + 1);
    EXPECT_EQ(host.ImageCount(), nBefore + 2);
    EXPECT_TRUE(DrawsBlank(host, nBefore));
    EXPECT_TRUE(DrawsBlank(host, nBefore + 1));
    EXPECT_TRUE(ImagesExact(host));

    // Releasing it takes its own images and nobody else's.
    tree.SelectItem(hFolder);
    tree.DeleteChildItems(hFolder, TRUE);
    EXPECT_EQ(host.ImageCount(), nDesktopOpen);
    host.Close(hFolder);
    host.Open(hFolder);
    hSong = host.ChildOnDisk(hFolder, L"x.mp3");
    ASSERT_TRUE(hSong);
    EXPECT_TRUE(DrawnPixels(tree.GetImages(), host.Image(hSong), RGB(255, 0, 255), ILD_TRANSPARENT) == songIcon);
    EXPECT_TRUE(DrawnPixels(tree.GetImages(), kDesktopImage, RGB(255, 0, 255), ILD_TRANSPARENT) == desktopIcon);
    EXPECT_TRUE(ImagesExact(host));
}

TEST(TreeImages, TwoDrivesEachHoldingOneFolder)
{
    TempFolder root1(L"drive1"), root2(L"drive2");
    ASSERT_TRUE(MakeFolder(root1 / L"inner"));
    ASSERT_TRUE(MakeFolder(root2 / L"inner"));
    MappedDrive drive1(root1.Path()), drive2(root2.Path());
    if (!drive1.Ok() || !drive2.Ok())
        GTEST_SKIP() << "the prefix's drive letters cannot be mapped here";

    TreeHost host;
    HTREEITEM hComputer = host.tree.GetComputerItem();
    host.Open(hComputer);
    // Drive i, in the order of the drive strings, has images 4+2i and 5+2i.
    std::vector<HTREEITEM> drives = host.Children(hComputer);
    ASSERT_GE(drives.size(), 2u);
    for (size_t i = 0; i < drives.size(); ++i) {
        EXPECT_EQ(host.Image(drives[i]), kFixedImages + 2 * (int)i);
        EXPECT_EQ(host.SelectedImage(drives[i]), kFixedImages + 2 * (int)i + 1);
    }
    HTREEITEM hFirst = host.DriveItem(drive1.Root()), hSecond = host.DriveItem(drive2.Root());
    ASSERT_TRUE(hFirst && hSecond);
    CheckTwoBranches(host, hFirst, hSecond);
}

TEST(TreeImages, TwoFoldersEachHoldingOneFolder)
{
    // The same shape below the desktop, which needs no drive mapping.
    TreeHost host;
    DesktopFolder folder(host.tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / L"d1"));
    ASSERT_TRUE(MakeFolder(folder / L"d2"));
    ASSERT_TRUE(MakeFolder(folder / L"d1\\inner"));
    ASSERT_TRUE(MakeFolder(folder / L"d2\\inner"));
    HTREEITEM hFolder = host.OpenPath(host.tree.GetDesktopItem(), {folder.Name()});
    ASSERT_TRUE(hFolder);
    CheckTwoBranches(host, host.Child(hFolder, L"d1"), host.Child(hFolder, L"d2"));
}

TEST(TreeImages, ClosingAtEveryDepthGivesBackEveryImage)
{
    TreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    DesktopFolder folder(tree.GetDesktopPath().str());
    std::wstring level = folder.Path();
    for (const wchar_t* name : {L"l1", L"l2", L"l3", L"l4"}) {
        ASSERT_TRUE(WriteNamedFiles(level, {L"a.mp3", L"b.mp3"}));
        ASSERT_TRUE(MakeFolder(level + L"side"));
        level += std::wstring(name) + L"\\";
        ASSERT_TRUE(MakeFolder(level));
    }

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        host.Open(tree.GetComputerItem());
        HTREEITEM hDrive = tree.GetChildItem(tree.GetComputerItem());
        host.Open(hDrive);
        HTREEITEM hFolder = host.OpenPath(tree.GetDesktopItem(), {folder.Name()});
        ASSERT_TRUE(hFolder);
        int nBeforeL1 = host.ImageCount();
        HTREEITEM hL1 = host.OpenPath(hFolder, {L"l1"});
        HTREEITEM hL2 = host.OpenPath(hL1, {L"l2"});
        int nBeforeL3 = host.ImageCount();
        HTREEITEM hL4 = host.OpenPath(hL2, {L"l3", L"l4"});
        ASSERT_TRUE(hL4);
        host.Open(host.Child(hL1, L"side"));
        EXPECT_TRUE(ImagesExact(host));

        // Deepest first, then a branch with open branches below it.
        host.Close(hL4);
        EXPECT_TRUE(ImagesExact(host));
        host.Close(host.Child(hL2, L"l3"));
        EXPECT_EQ(host.ImageCount(), nBeforeL3);
        EXPECT_TRUE(ImagesExact(host));
        host.OpenPath(hL2, {L"l3", L"l4"});
        host.Close(hL1);
        EXPECT_EQ(host.ImageCount(), nBeforeL1);
        EXPECT_TRUE(ImagesExact(host));

        // The drives' branch goes while the desktop's is still open, and
        // the other way round in the next round.
        HTREEITEM hFirstTop = round == 0 ? tree.GetComputerItem() : tree.GetDesktopItem();
        HTREEITEM hSecondTop = round == 0 ? tree.GetDesktopItem() : tree.GetComputerItem();
        host.OpenPath(hFolder, {L"l1", L"l2"});
        host.Close(hFirstTop);
        EXPECT_TRUE(ImagesExact(host));
        host.Close(hSecondTop);
        EXPECT_EQ(host.ImageCount(), kFixedImages);
        EXPECT_TRUE(ImagesExact(host));
    }
    EXPECT_TRUE(DrawsBlank(host, 0));
}

namespace {

// The pixels of a shell icon as the tree's kind of image list draws it.
std::vector<COLORREF> IconPixels(HICON hIcon)
{
    HIMAGELIST himl = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                       ILC_COLOR32 | ILC_MASK, 1, 1);
    ImageList_SetBkColor(himl, GetSysColor(COLOR_WINDOW));
    std::vector<COLORREF> out;
    int n = hIcon ? ImageList_ReplaceIcon(himl, -1, hIcon) : -1;
    if (n >= 0)
        out = DrawnPixels(himl, n, RGB(255, 0, 255), ILD_TRANSPARENT);
    ImageList_Destroy(himl);
    return out;
}

// Every child of the open item hBranch (of the folder strFolder, ending
// with "\") has the label and both icons that SHGetFileInfo gives for its
// own path.
::testing::AssertionResult BranchAsTheShellShowsIt(TreeHost& host, HTREEITEM hBranch, const std::wstring& strFolder)
{
    HIMAGELIST himl = host.tree.GetImages();
    for (HTREEITEM h : host.Children(hBranch)) {
        const std::wstring name = host.tree.GetDiskName(h).str();
        const std::wstring path = strFolder + name;
        SHFILEINFOW sfi = {}, sfiOpen = {};
        SHGetFileInfoW(path.c_str(), 0, &sfi, sizeof(sfi), SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_SMALLICON);
        SHGetFileInfoW(path.c_str(), 0, &sfiOpen, sizeof(sfiOpen), SHGFI_ICON | SHGFI_SMALLICON | SHGFI_OPENICON);
        std::vector<COLORREF> icon = IconPixels(sfi.hIcon), openIcon = IconPixels(sfiOpen.hIcon);
        DestroyIcon(sfi.hIcon);
        DestroyIcon(sfiOpen.hIcon);
        if (host.tree.GetItemText(h).str() != sfi.szDisplayName)
            return ::testing::AssertionFailure()
                   << name << " labelled " << host.tree.GetItemText(h).str() << ", shell: " << sfi.szDisplayName;
        if (icon.empty() || DrawnPixels(himl, host.Image(h), RGB(255, 0, 255), ILD_TRANSPARENT) != icon)
            return ::testing::AssertionFailure() << name << ": not the shell's icon";
        if (openIcon.empty() || DrawnPixels(himl, host.SelectedImage(h), RGB(255, 0, 255), ILD_TRANSPARENT) != openIcon)
            return ::testing::AssertionFailure() << name << ": not the shell's open icon";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(TreeImages, LabelsAndIconsAreTheShellsForEachPath)
{
    TreeHost host;
    CFolderTreeCtrl& tree = host.tree;
    DesktopFolder folder(tree.GetDesktopPath().str());
    for (const wchar_t* name : {L"plain", L"other plain", L"folder.mp3", L"custom", L"custom open", L"marked", L"system"})
        ASSERT_TRUE(MakeFolder(folder / name));
    // Icons of their own through "desktop.ini", which Wine reads whatever
    // the folder's attributes.
    ASSERT_TRUE(WriteFileText(folder / L"custom\\desktop.ini",
                               L"[.ShellClassInfo]\r\nIconFile=shell32.dll\r\nIconIndex=12\r\n"));
    ASSERT_TRUE(WriteFileText(folder / L"custom open\\desktop.ini",
                               L"[.ShellClassInfo]\r\nIconFile=shell32.dll\r\nIconIndex=43\r\n"));
    ASSERT_TRUE(WriteNamedFiles(folder.Path(), {L"a.mp3", L"b.mp3", L".mp3", L"노래.mp3", L"skip.txt"}));
    // Wine cannot mark folders read-only or system: the stand-in reads them so.
    StandInShell shell;
    shell.addedAttributes[L"marked"] = FILE_ATTRIBUTE_READONLY;
    shell.addedAttributes[L"system"] = FILE_ATTRIBUTE_SYSTEM;
    tree.SetShellService(&shell);

    for (bool bShown : {false, true}) {
        SCOPED_TRACE(bShown ? "extensions shown" : "extensions hidden");
        ExtensionsShown setting(bShown);
        shell.askedByPath.clear();
        HTREEITEM hFolder = host.OpenPath(tree.GetDesktopItem(), {folder.Name()});
        ASSERT_TRUE(hFolder);
        EXPECT_EQ(host.DiskNames(hFolder), (std::vector<std::wstring>{L"custom", L"custom open", L"folder.mp3", L"marked",
                                                                     L"other plain", L"plain", L"system", L".mp3", L"a.mp3",
                                                                     L"b.mp3", L"노래.mp3"}));
        EXPECT_TRUE(BranchAsTheShellShowsIt(host, hFolder, folder.Path()));
        EXPECT_TRUE(ImagesExact(host));
        // The folders that may be customized are asked about by their own
        // path; the others once for their kind.
        for (const wchar_t* name : {L"custom", L"custom open", L"marked", L"system"})
            EXPECT_EQ(std::count(shell.askedByPath.begin(), shell.askedByPath.end(), folder / name), 1) << name;
        const long nAskedHere = std::count_if(shell.askedByPath.begin(), shell.askedByPath.end(),
                                              [&](const std::wstring& path) { return path.find(folder.Path()) == 0; });
        EXPECT_EQ(nAskedHere, 4 + 1 + 1);  // and one ordinary folder, one ".mp3" file
        host.Close(tree.GetDesktopItem());
    }
}
