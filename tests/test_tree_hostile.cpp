// Folders that fight back: gone after they were listed, huge, and deep.
// Nothing may crash or hang, and the image list must come back to its four
// fixed images once everything is closed again.
#include <gtest/gtest.h>

#include "support/DialogDriver.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"

namespace {
const int kFixedImages = 4;  // two blank images, the desktop and the computer
}

TEST(HostileFolders, AFolderThatVanishesAfterItWasListed)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / L"gone"));
    ASSERT_TRUE(WriteNamedFiles(folder / L"gone\\", {L"a.txt", L"b.txt", L"c.txt"}));
    ASSERT_TRUE(MakeFolder(folder / L"gone\\sub"));

    HTREEITEM hGone = dlg.SelectDesktopPath({folder.Name(), L"gone"});
    ASSERT_TRUE(hGone);
    ASSERT_EQ(dlg.m_names.GetCount(), 3);

    // Another program renames the files and then removes the folder.
    ASSERT_TRUE(MoveFileW((folder / L"gone\\a.txt").c_str(), (folder / L"gone\\x.txt").c_str()));
    dlg.SetEditorText(L"a2.txt\r\nb2.txt\r\nc.txt\r\n");
    {
        MessageBoxWatcher boxes;
        dlg.Click(IDC_RENAME);
        auto seen = boxes.Boxes();
        ASSERT_EQ(seen.size(), 1u);
        // a.txt is no longer there; b.txt is renamed; c.txt is unchanged.
        EXPECT_EQ(seen[0].text.find(Text(IDS_RENAME_REPORT, {L"3", L"1"}) + L"\n" + Text(IDS_REPORT_LINE, {L"a.txt", L"a2.txt", L""})),
                  0u)
            << seen[0].text;
    }
    EXPECT_EQ(ListFileNames(folder / L"gone"), (std::vector<std::wstring>{L"b2.txt", L"c.txt", L"x.txt"}));

    RemoveTree(folder / L"gone");
    dlg.SetEditorText(L"a3.txt\r\nb3.txt\r\nc3.txt\r\n");
    {
        MessageBoxWatcher boxes;
        dlg.Click(IDC_RENAME);
        auto seen = boxes.Boxes();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text.find(Text(IDS_RENAME_REPORT, {L"3", L"3"})), 0u);
    }
    EXPECT_FALSE(PathExists(folder / L"gone"));
    EXPECT_FALSE(PathExists(folder / L"a3.txt"));

    // Opening the vanished folder in the tree shows one blank row; the
    // selection loads nothing.
    dlg.OpenItem(hGone);
    std::vector<HTREEITEM> children;
    for (HTREEITEM h = dlg.m_tree.GetChildItem(hGone); h; h = dlg.m_tree.GetNextSiblingItem(h))
        children.push_back(h);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_STREQ(dlg.m_tree.GetItemText(children[0]), L"");
    dlg.m_tree.SelectItem(dlg.m_tree.GetDesktopItem());
    dlg.m_tree.SelectItem(hGone);
    EXPECT_EQ(dlg.m_names.GetCount(), 0);
    EXPECT_STREQ(dlg.EditorText(), L"");

    // The program keeps working: a second folder loads and renames.
    ASSERT_TRUE(MakeFolder(folder / L"next"));
    ASSERT_TRUE(WriteNamedFiles(folder / L"next\\", {L"1.txt"}));
    dlg.CloseItem(dlg.m_tree.GetParentItem(hGone));
    ASSERT_TRUE(dlg.SelectDesktopPath({folder.Name(), L"next"}));
    dlg.SetEditorText(L"2.txt\r\n");
    MessageBoxWatcher boxes;
    dlg.Click(IDC_RENAME);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(ReadFileText(folder / L"next\\2.txt"), L"1.txt");
}

TEST(HostileFolders, AnUnreadableFolder)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    const std::wstring locked = folder / L"locked";
    ASSERT_TRUE(MakeFolder(locked));
    ASSERT_TRUE(MakeFolder(locked + L"\\inner"));
    ASSERT_TRUE(WriteNamedFiles(locked + L"\\", {L"a.mp3", L"b.mp3"}));
    HTREEITEM hLocked = dlg.SelectDesktopPath({folder.Name(), L"locked"});
    ASSERT_TRUE(hLocked);
    ASSERT_EQ(dlg.m_names.GetCount(), 2);
    HTREEITEM hTop = dlg.m_tree.GetParentItem(hLocked);
    const int nImagesBefore = dlg.m_tree.GetImages().GetImageCount();

    // Access goes after the names were listed: the renames fail and are
    // reported, and the files stay as they were.
    struct Restore {
        std::wstring path;
        ~Restore() { SetFolderUnreadable(path, false); }
    } restore{locked};
    ASSERT_TRUE(SetFolderUnreadable(locked, true)) << "run as root, give up CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH";
    dlg.SetEditorText(L"x.mp3\r\ny.mp3\r\n");
    {
        MessageBoxWatcher boxes;
        dlg.Click(IDC_RENAME);
        auto seen = boxes.Boxes();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text.find(Text(IDS_RENAME_REPORT, {L"2", L"2"})), 0u) << seen[0].text;
    }
    EXPECT_STREQ(dlg.m_names[0].strShown, L"a.mp3");

    // Opened, it shows one blank row; selected again, it lists nothing.
    dlg.CloseItem(hLocked);
    dlg.OpenItem(hLocked);
    HTREEITEM hChild = dlg.m_tree.GetChildItem(hLocked);
    ASSERT_TRUE(hChild);
    EXPECT_STREQ(dlg.m_tree.GetItemText(hChild), L"");
    EXPECT_FALSE(dlg.m_tree.GetNextSiblingItem(hChild));
    dlg.m_tree.SelectItem(hTop);
    dlg.m_tree.SelectItem(hLocked);
    EXPECT_EQ(dlg.m_names.GetCount(), 0);
    EXPECT_STREQ(dlg.EditorText(), L"");
    dlg.CloseItem(hLocked);
    EXPECT_EQ(dlg.m_tree.GetImages().GetImageCount(), nImagesBefore);

    // With access back, everything is where it was and loads again.
    ASSERT_TRUE(SetFolderUnreadable(locked, false));
    dlg.m_tree.SelectItem(hTop);
    dlg.m_tree.SelectItem(hLocked);
    EXPECT_EQ(dlg.m_names.GetCount(), 2);
    EXPECT_EQ(ListFileNames(locked), (std::vector<std::wstring>{L"a.mp3", L"b.mp3"}));
    EXPECT_EQ(ReadFileText(locked + L"\\b.mp3"), L"b.mp3");
}

TEST(HostileFolders, FiveThousandSubfoldersOpenAndCloseCompletely)
{
    TreeHost host;
    DesktopFolder folder(host.tree.GetDesktopPath().str());
    const int n = 5000;
    for (int i = 0; i < n; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"d%05d", n - 1 - i);
        ASSERT_TRUE(MakeFolder(folder / name));
    }
    HTREEITEM hBig = host.OpenPath(host.tree.GetDesktopItem(), {folder.Name()});
    ASSERT_TRUE(hBig);
    std::vector<std::wstring> labels = host.Labels(hBig);
    ASSERT_EQ((int)labels.size(), n);
    EXPECT_EQ(labels.front(), L"d00000");
    EXPECT_EQ(labels.back(), L"d04999");
    // Every drive, folder and file item owns two images.
    int items = 0;
    for (HTREEITEM h : host.Children(host.tree.GetDesktopItem()))
        items += 1 + (h == hBig ? n : 0);
    EXPECT_EQ(host.ImageCount(), kFixedImages + 2 * items);

    // Images stay each item's own, adjacent, after a neighbour goes.
    host.Close(hBig);
    EXPECT_EQ(host.ImageCount(), kFixedImages + 2 * (items - n));
    host.Close(host.tree.GetDesktopItem());
    EXPECT_EQ(host.ImageCount(), kFixedImages);
}

TEST(HostileFolders, FiftyNestedFoldersOpenedToTheBottomAndClosedFromTheTop)
{
    TreeHost host;
    DesktopFolder folder(host.tree.GetDesktopPath().str());
    std::vector<std::wstring> labels = {folder.Name()};
    std::wstring path = folder.Path();
    for (int i = 0; i < 50; ++i) {
        std::wstring name = L"n" + std::to_wstring(i);
        path += name + L"\\";
        ASSERT_TRUE(MakeFolder(path)) << path;
        labels.push_back(name);
    }
    ASSERT_TRUE(WriteFileText(path + L"bottom.mp3", L"x"));

    HTREEITEM hBottom = host.OpenPath(host.tree.GetDesktopItem(), labels);
    ASSERT_TRUE(hBottom);
    EXPECT_EQ(host.DiskNames(hBottom), (std::vector<std::wstring>{L"bottom.mp3"}));
    HTREEITEM hFile = host.tree.GetChildItem(hBottom);
    std::wstring filePath = host.tree.GetItemPath(L"", hFile).str();
    EXPECT_EQ(filePath.substr(filePath.size() - 10), L"bottom.mp3");
    EXPECT_TRUE(PathExists(filePath)) << filePath;
    // Each opened level holds one folder item with its two images, and the
    // desktop's other children their own.
    int desktopChildren = (int)host.Children(host.tree.GetDesktopItem()).size();
    EXPECT_EQ(host.ImageCount(), kFixedImages + 2 * (desktopChildren + 50 + 1));

    // Closed from the top: the whole branch and its images go at once.
    HTREEITEM hTop = host.Child(host.tree.GetDesktopItem(), folder.Name());
    host.Close(hTop);
    EXPECT_EQ(host.ImageCount(), kFixedImages + 2 * desktopChildren);
    host.Close(host.tree.GetDesktopItem());
    EXPECT_EQ(host.ImageCount(), kFixedImages);
    // And it opens again, read afresh.
    hBottom = host.OpenPath(host.tree.GetDesktopItem(), labels);
    ASSERT_TRUE(hBottom);
    host.Close(host.tree.GetDesktopItem());
    EXPECT_EQ(host.ImageCount(), kFixedImages);
}

TEST(HostileFolders, TheProgramStartsWithDiskErrorBoxesOff)
{
    // An empty card reader or DVD drive must not bring up the system's "no
    // disk" box: the program's own error mode is read back from inside it,
    // once its window is up.
    const std::wstring path = ProgramPath();
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    // Not inherited from this process: the program sets it itself.
    ASSERT_TRUE(CreateProcessW(path.c_str(), NULL, NULL, NULL, FALSE, CREATE_DEFAULT_ERROR_MODE, NULL, NULL, &si, &pi))
        << path;
    HWND hWnd = NULL;
    for (DWORD start = GetTickCount(); !hWnd && GetTickCount() - start < 30000; Sleep(50)) {
        for (HWND h = NULL; (h = FindWindowExW(NULL, h, NULL, NULL)) != NULL;) {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == pi.dwProcessId && IsWindowVisible(h))
                hWnd = h;
        }
    }
    DWORD dwMode = 0;
    if (hWnd) {
        // GetErrorMode takes nothing and returns the mode: run as a thread
        // of the program, its result is the thread's exit code.
        LPTHREAD_START_ROUTINE pGetErrorMode =
            (LPTHREAD_START_ROUTINE)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetErrorMode");
        HANDLE hThread = CreateRemoteThread(pi.hProcess, NULL, 0, pGetErrorMode, NULL, 0, NULL);
        if (hThread) {
            WaitForSingleObject(hThread, 10000);
            GetExitCodeThread(hThread, &dwMode);
            CloseHandle(hThread);
        }
        PostMessageW(hWnd, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(pi.hProcess, hWnd ? 30000 : 0) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ASSERT_TRUE(hWnd) << "the main window did not appear";
    EXPECT_EQ(dwMode & (SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX),
              (DWORD)(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX));
}
