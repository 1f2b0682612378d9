// Opening a folder from outside: every form of a path on the command line,
// the program started with a folder, a drop, and Explorer's menu entries.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <memory>

#include "platform/ExplorerMenu.h"
#include "platform/PathArgument.h"
#include "support/DialogDriver.h"
#include "support/MappedDrive.h"
#include "support/TestSupport.h"

namespace {

// The selected item's drive root as its item keeps it, then the labels
// below it: "M:\/음악 모음/앨범".
std::wstring Selected(CFolderTreeCtrl& tree)
{
    std::wstring labels;
    HTREEITEM h = tree.GetSelectedItem();
    for (; h && tree.GetParentItem(h) != tree.GetComputerItem(); h = tree.GetParentItem(h))
        labels = L"/" + tree.GetItemText(h).str() + labels;
    return h ? tree.GetDiskName(h).str() + labels : L"";
}

int CaretLine(TestBatchNameDlg& dlg) { return (int)SendMessageW(dlg.Item(IDC_NAMES_EDIT), EM_LINEFROMCHAR, -1, 0); }

// A drop as Explorer hands it over: the header, then each wide path ended
// by a NUL, and one more NUL.
HGLOBAL MakeDrop(const std::wstring& path)
{
    HGLOBAL h = GlobalAlloc(GHND, sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t));
    DROPFILES* p = (DROPFILES*)GlobalLock(h);
    *p = {sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
    wmemcpy((wchar_t*)(p + 1), path.c_str(), path.size());
    GlobalUnlock(h);
    return h;
}

}  // namespace

TEST(OpenPath, EachFormOfAPathOpensItsFolderOrSaysWhyNot)
{
    TempFolder base(L"open");
    MappedDrive drive(base.Path());
    ASSERT_TRUE(drive.Ok());
    // Folders without their trailing "\": before a quote, it would escape it.
    const std::wstring root = drive.Root(), music = root + L"음악 모음", album = music + L"\\Long Album Name";
    ASSERT_TRUE(MakeFolder(music) && MakeFolder(album) && WriteNamedFiles(root, {L"r.txt"}) &&
                WriteNamedFiles(music + L"\\", {L"m.txt"}) &&
                WriteNamedFiles(album + L"\\", {L"b.txt", L"c.txt", L"A.mp3"}));
    wchar_t shortAlbum[MAX_PATH] = L"";
    ASSERT_TRUE(GetShortPathNameW(album.c_str(), shortAlbum, MAX_PATH) && album != shortAlbum);
    const std::unique_ptr<wchar_t, decltype(&free)> cwd(_wgetcwd(NULL, 0), free);
    SetCurrentDirectoryW(music.c_str());
    auto back = AfxScopeExit([&] { SetCurrentDirectoryW(cwd.get()); });

    const std::wstring albumShown = root + L"/음악 모음/Long Album Name", albumText = L"A.mp3\r\nb.txt\r\nc.txt\r\n";
    const std::wstring musicShown = root + L"/음악 모음", missing = root + L"없는 폴더\\a.txt";
    const struct { std::wstring commandLine, selected, text; int caretLine; std::wstring message; } rows[] = {
        {L"\"" + album + L"\"", albumShown, albumText, 0, L""},
        {L"\"" + root + L"음악 모음/Long Album Name/\"", albumShown, albumText, 0, L""},
        {L"\"..\\음악 모음\\.\\long album name\"", albumShown, albumText, 0, L""},
        {shortAlbum, albumShown, albumText, 0, L""},
        {L"\"" + music + L"\\\\\"", musicShown, L"m.txt\r\n", 0, L""},
        {L"\"" + root + L"\"", root, L"r.txt\r\n", 0, L""},
        {L"\"\\\\?\\" + music + L"\" \"" + album + L"\"", musicShown, L"m.txt\r\n", 0, L""},
        {L"\"" + album + L"\\c.txt\"", albumShown, albumText, 2, L""},
        {L"\"" + album + L"\\B.TXT\"", albumShown, albumText, 1, L""},
        {L"\"" + missing + L"\"", L"", L"", 0, Text(IDS_PATH_NOT_FOUND, {missing})},
        {L"\\\\server\\share\\노래", L"", L"", 0, Text(IDS_NETWORK_PATH)},
        {L"\\\\?\\UNC\\server\\share", L"", L"", 0, Text(IDS_NETWORK_PATH)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.commandLine);
        // Handed over as the program hands it, and opened at its start.
        QuietBatchNameDlg dlg;
        dlg.SetStartPath(FirstCommandLineArgument(row.commandLine.c_str()));
        PumpMessages();
        EXPECT_EQ(Selected(dlg.m_tree), row.selected);
        EXPECT_EQ(dlg.EditorText().str(), row.text);
        EXPECT_EQ(CaretLine(dlg), row.caretLine);
        EXPECT_EQ(dlg.messages, row.message.empty() ? std::vector<std::wstring>() : std::vector<std::wstring>{row.message});
    }
}

TEST(OpenPath, ADropOpensItsFolderAndIsIgnoredWhileWorkRuns)
{
    TempFolder base(L"drop");
    ASSERT_TRUE(MakeFolder(base / L"a") && WriteNamedFiles(base / L"a\\", {L"x.txt", L"y.txt"}));
    QuietBatchNameDlg dlg;
    HGLOBAL hDrop = MakeDrop(base / L"a\\y.txt");
    dlg.SendMessage(WM_DROPFILES, (WPARAM)hDrop, 0);
    EXPECT_STREQ(dlg.EditorText(), L"x.txt\r\ny.txt\r\n");
    EXPECT_EQ(CaretLine(dlg), 1);
    // The drop's memory is freed, taken or not.
    EXPECT_EQ(GlobalFlags(hDrop), (UINT)GMEM_INVALID_HANDLE);

    // Dropped while a rename runs: nothing opens, and the drop is freed.
    static HGLOBAL s_hLateDrop;
    SetBeforeMoveHook([] { AfxGetMainWnd()->SendMessage(WM_DROPFILES, (WPARAM)(s_hLateDrop = MakeDrop(L"C:\\")), 0); });
    auto unhook = AfxScopeExit([] { SetBeforeMoveHook(NULL); });
    dlg.SetEditorText(L"x2.txt\r\ny2.txt\r\n");
    dlg.Rename(IDYES);
    EXPECT_STREQ(dlg.m_tree.GetFolderPath(dlg.m_tree.GetSelectedItem()), (base / L"a\\").c_str());
    EXPECT_EQ(GlobalFlags(s_hLateDrop), (UINT)GMEM_INVALID_HANDLE);
}

TEST(ExplorerMenu, TheSystemMenuCommandAddsTheEntriesAndRemovesThemWhole)
{
    // It writes the current user's registry: in a prefix of the tests' own,
    // never in a user's.
    const wchar_t *pszPrefix = _wgetenv(L"WINEPREFIX"), *pszOurs = _wgetenv(L"QUORVEL_PRIVATE_PREFIX");
    if (!pszPrefix || !pszOurs || wcscmp(pszPrefix, pszOurs) != 0)
        GTEST_SKIP() << "only in the tests' own Wine prefix";
    auto value = [](const std::wstring& key, const wchar_t* name) {
        wchar_t text[1000] = L"";
        DWORD cb = sizeof(text);
        LONG r = RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, NULL, text, &cb);
        return r ? L"<none>" : std::wstring(text);
    };
    auto menuText = [](HWND hWnd) {
        wchar_t text[100] = L"";
        GetMenuStringW(GetSystemMenu(hWnd, FALSE), IDM_EXPLORER_MENU, text, 100, MF_BYCOMMAND);
        return std::wstring(text);
    };
    const std::wstring exe = ThisProgramPath().str();
    const std::pair<std::wstring, std::wstring> entries[] = {
        {L"Software\\Classes\\Directory\\shell\\Quorvel", L"\"%1\""},
        {L"Software\\Classes\\Directory\\Background\\shell\\Quorvel", L"\"%V\""},
        {L"Software\\Classes\\Drive\\shell\\Quorvel", L"\"%1\""}};
    QuietBatchNameDlg dlg;
    EXPECT_EQ(menuText(dlg.m_hWnd), Text(IDS_EXPLORER_MENU_ADD));
    dlg.SendMessage(WM_SYSCOMMAND, IDM_EXPLORER_MENU, 0);
    for (const auto& entry : entries) {
        EXPECT_EQ(value(entry.first, NULL), Text(IDS_EXPLORER_MENU_TEXT));
        EXPECT_EQ(value(entry.first, L"Icon"), L"\"" + exe + L"\",0");
        EXPECT_EQ(value(entry.first + L"\\command", NULL), L"\"" + exe + L"\" " + entry.second);
    }
    EXPECT_EQ(menuText(dlg.m_hWnd), Text(IDS_EXPLORER_MENU_REMOVE));
    dlg.SendMessage(WM_SYSCOMMAND, IDM_EXPLORER_MENU, 0);
    // Nothing left, not even the keys above the entries that adding made
    // (the prefix has none of its own).
    for (const wchar_t* key : {L"Software\\Classes\\Directory", L"Software\\Classes\\Drive"}) {
        HKEY hKey = NULL;
        EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &hKey), ERROR_SUCCESS) << key;
    }
    EXPECT_EQ(menuText(dlg.m_hWnd), Text(IDS_EXPLORER_MENU_ADD));
    EXPECT_TRUE(dlg.messages.empty());
}

TEST(Program, StartedWithAFolderShowsItSelectedWithItsFiles)
{
    TempFolder base(L"start");
    ASSERT_TRUE(MakeFolder(base / L"노래") && WriteNamedFiles(base / L"노래\\", {L"b.mp3", L"a.txt"}));
    PROCESS_INFORMATION pi;
    HWND hWnd = StartProgram(L"\"" + base / L"노래" + L"\"", pi);
    ASSERT_TRUE(hWnd) << "the main window did not appear";
    HWND hNames = GetDlgItem(hWnd, IDC_NAMES_EDIT), hTree = GetDlgItem(hWnd, IDC_TREE);
    EXPECT_TRUE(PumpUntil([&] { return RemoteEditText(hNames) == L"a.txt\r\nb.mp3\r\n"; }, 30000))
        << RemoteEditText(hNames);
    EXPECT_EQ(RemoteItemText(pi.hProcess, hTree, (HTREEITEM)SendTo(hTree, TVM_GETNEXTITEM, TVGN_CARET, 0)), L"노래");
    EXPECT_EQ(CloseProgram(hWnd, pi), 0);
}
