// Runs in a prefix of its own whose system code page is 1252, as on an
// English Windows: the Korean interface and Korean names must not depend on
// the code page. Everything is read back as UTF-16.
#include <gtest/gtest.h>

#include "support/DialogDriver.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"

TEST(OtherCodePage, TheSystemCodePageIs1252)
{
    ASSERT_EQ(GetACP(), 1252u);
}

// Every text of the string table, loaded as the program loads it.
TEST(OtherCodePage, EveryStringTableEntryHasItsExactText)
{
    const struct {
        UINT id;
        const wchar_t* text;
    } entries[] = {
        {IDS_ABOUTBOX, L"Quorvel 정보(&A)..."},
        {IDS_COMPUTER, L"내 컴퓨터"},
        {IDS_RENAME_CAPTION, L"이름바꾸기"},
        {IDS_RENAME_REPORT, L"전체 %1개 중 %2개 파일의 이름을 바꾸지 못했습니다."},
        {IDS_REPORT_LINE, L"%1 -> %2: %3"},
        {IDS_REPORT_MORE, L"..."},
        {IDS_NAME_REQUIRED, L"이름을 입력해야합니다."},
        {IDS_RENAME_ERROR_CAPTION, L"파일 이름 바꾸기 오류"},
        {IDS_NAME_IN_USE,
         L"%1의 이름을 바꿀수 없습니다.\n지정한 이름을 가진 파일이 이미 있습니다.\n다른 파일 이름을 지정하십시오."},
        {IDS_CANNOT_RENAME, L"%1의 이름을 바꿀수 없습니다.\n%2"},
        {IDS_SHIFTED_LINES_QUESTION,
         L"파일은 %1개인데 줄은 %2개입니다.\n줄을 지우거나 더하면 그 아래 파일마다 다른 줄의 이름이 붙습니다.\n"
         L"그래도 이름을 바꾸시겠습니까?"},
        {IDS_TOO_MANY_FILES, L"파일이 %1개 있어 이름 순서로 앞의 %2개만 보입니다."},
        {IDS_UNDO_RENAME, L"이름바꾸기 되돌리기"},
        {IDS_UNDO_RENAME_REPORT, L"전체 %1개 중 %2개 파일의 이름을 되돌리지 못했습니다."},
        {IDS_NO_CONTROL, L"대화 상자에 %1번 컨트롤이 없어서 창을 열 수 없습니다."},
        {IDS_PROGRAM_ERROR_CAPTION, L"Quorvel 프로그램 오류"},
    };
    for (const auto& e : entries)
        EXPECT_EQ(AfxLoadText(e.id).str(), e.text) << e.id;

    // Insertions are taken as they are, never scanned for markers again.
    CString s;
    AfxFormatString2(s, IDS_CANNOT_RENAME, L"%2%1", L"x");
    EXPECT_EQ(s.str(), L"%2%1의 이름을 바꿀수 없습니다.\nx");
}

// The tree, the list and a rename of names from many scripts, typed as an
// input method types them, and the report of a rename that failed, shown in
// a real message box.
TEST(OtherCodePage, NamesOfAnyScriptListRenameAndReportExactly)
{
    TestBatchNameDlg dlg;
    wchar_t label[64] = L"";
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = dlg.m_tree.GetRootItem();
    item.pszText = label;
    item.cchTextMax = 64;
    ASSERT_TRUE(SendMessageW(dlg.m_tree, TVM_GETITEMW, 0, (LPARAM)&item));
    EXPECT_STREQ(label, L"내 컴퓨터");

    DesktopFolder root(dlg.m_tree.GetDesktopPath().str());
    const std::wstring folder = root / L"노래 모음\\";
    ASSERT_TRUE(MakeFolder(folder));
    ASSERT_TRUE(MakeFolder(folder + L"M\x00F6tley"));
    ASSERT_TRUE(WriteNamedFiles(folder + L"M\x00F6tley\\", {L"Se\x00F1or.mp3"}));
    const std::vector<std::wstring> names = {L"na\x00EFve.txt",      L"Mot\x00F6rhead \x2013 Ace.mp3",
                                             L"party\xD83C\xDF89.jpg", L"\x8BBE\x8BA1.txt",
                                             L"notes.txt",           L"노래.txt"};
    ASSERT_TRUE(WriteNamedFiles(folder, names));
    HTREEITEM hFolder = dlg.SelectDesktopPath({root.Name(), L"노래 모음"});
    ASSERT_TRUE(hFolder);
    dlg.OpenItem(hFolder);
    EXPECT_TRUE(dlg.ChildByLabel(hFolder, L"M\x00F6tley"));
    ASSERT_TRUE(dlg.SelectDesktopPath({root.Name(), L"노래 모음", L"M\x00F6tley"}));
    EXPECT_EQ(dlg.EditorText().str(), L"Se\x00F1or.mp3\r\n");
    ASSERT_TRUE(dlg.SelectDesktopPath({root.Name(), L"노래 모음"}));
    ASSERT_EQ(dlg.m_names.GetCount(), 6);
    EXPECT_EQ(dlg.EditorText().str(), L"Mot\x00F6rhead \x2013 Ace.mp3\r\nna\x00EFve.txt\r\nnotes.txt\r\n"
                                L"party\xD83C\xDF89.jpg\r\n\x8BBE\x8BA1.txt\r\n노래.txt\r\n");

    // Typed over the whole text: every file renamed exactly; the fifth line
    // takes the sixth file's name, and the report says so.
    const std::wstring typed = L"ni\x00F1o \x00E9t\x00E9.mp3\r\nna\x00EFve 2.txt\r\n\xD83C\xDF89.txt\r\n"
                               L"\x4E2D\x6587.jpg\r\n노래.txt\r\n노래.txt\r\n";
    dlg.SetEditorText(L"");
    TypeText(dlg.m_editNames, typed);
    EXPECT_EQ(dlg.EditorText().str(), typed);
    MessageBoxWatcher watcher;
    dlg.Click(IDC_RENAME);
    EXPECT_EQ(ListFileNames(folder),
              (std::vector<std::wstring>{L"na\x00EFve 2.txt", L"ni\x00F1o \x00E9t\x00E9.mp3", L"\x4E2D\x6587.jpg",
                                         L"\x8BBE\x8BA1.txt", L"노래.txt", L"\xD83C\xDF89.txt"}));
    EXPECT_EQ(ReadFileText(folder + L"\xD83C\xDF89.txt"), L"notes.txt");
    EXPECT_EQ(ReadFileText(folder + L"ni\x00F1o \x00E9t\x00E9.mp3"), L"Mot\x00F6rhead \x2013 Ace.mp3");
    ASSERT_TRUE(PumpUntil([&] { return !watcher.Boxes().empty(); }));
    const MessageBoxWatcher::Seen box = watcher.Boxes()[0];
    EXPECT_EQ(box.caption, L"이름바꾸기");
    const std::wstring reason = CString::FormatMessageText(ERROR_ALREADY_EXISTS).str();
    EXPECT_EQ(box.text, Text(IDS_RENAME_REPORT, {L"6", L"1"}) + L"\n" +
                            Text(IDS_REPORT_LINE, {L"\x8BBE\x8BA1.txt", L"노래.txt", reason}));
}
