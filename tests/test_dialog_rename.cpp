// The rename button and taking a rename back, in the real main dialog: the
// question before a shifted rename, nothing done with nothing listed, the
// notice of a folder larger than the list, and the system-menu command that
// takes the last rename back.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/DialogDriver.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"

namespace {

typedef std::vector<std::string> Names;

// A throwaway folder inside the desktop folder, loaded in the dialog.
class RenameDialog : public testing::Test {
protected:
    void Load(const Names& files, const char* sub = "f")
    {
        MakeFolder(m_root / sub);
        ASSERT_TRUE(WriteNamedFiles(m_root / sub + "\\", files));
        m_dlg.SelectDesktopPath({m_root.Name()});
        ASSERT_TRUE(m_dlg.SelectDesktopPath({m_root.Name(), sub}));
        ASSERT_EQ(m_dlg.m_nNameCount, std::min((int)files.size(), MAX_NAMES));
    }
    std::string Dir(const char* sub = "f") { return m_root / sub + "\\"; }
    std::string Cur(int i) { return m_dlg.m_strCurNames[i].str(); }

    QuietBatchNameDlg m_dlg;
    DesktopFolder m_root{m_dlg.m_tree.GetDesktopPath().str()};
};

}  // namespace

TEST(RenameDialogQuestion, AShiftedRenameAsksFirstAndNoLeavesEverythingAsItWas)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(WriteNamedFiles(folder.Path(), {"a", "b", "c", "d"}));
    ASSERT_TRUE(dlg.SelectDesktopPath({folder.Name()}));
    SetWindowTextA(dlg.Item(IDC_FRONT_EDIT), "01 ");
    dlg.Click(IDC_INSERT_FRONT);
    // The user deletes line "b": every line below it would name the file
    // above it.
    const CString text = "01 a\r\n01 c\r\n01 d\r\n";
    dlg.SetEditorText(text);
    {
        MessageBoxWatcher boxes(0);  // Enter: the default button
        dlg.Click(IDC_RENAME);
        auto seen = boxes.Boxes();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, Text(IDS_RENAME_CAPTION));
        EXPECT_EQ(seen[0].text, Text(IDS_SHIFTED_LINES_QUESTION, {"4", "3"}));
        EXPECT_EQ(seen[0].icon, (UINT)MB_ICONQUESTION);
        EXPECT_EQ(seen[0].defaultButton, (UINT)IDNO);
    }
    EXPECT_EQ(ListFileNames(folder.Path()), (Names{"a", "b", "c", "d"}));
    EXPECT_STREQ(dlg.EditorText(), text);
    EXPECT_EQ(dlg.m_nUndoDepth, 1);
    EXPECT_TRUE(dlg.UndoEnabled());
    EXPECT_FALSE(dlg.TakeBackEnabled());

    // Yes: line i for file i; the file left without a line keeps its name
    // and is not reported.
    {
        MessageBoxWatcher boxes(IDYES);
        dlg.Click(IDC_RENAME);
        auto seen = boxes.Boxes();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text, Text(IDS_SHIFTED_LINES_QUESTION, {"4", "3"}));
    }
    EXPECT_EQ(ListFileNames(folder.Path()), (Names{"01 a", "01 c", "01 d", "d"}));
    EXPECT_EQ(ReadFileBytes(folder / "01 c"), "b");
    EXPECT_EQ(ReadFileBytes(folder / "d"), "d");
    EXPECT_EQ(dlg.m_nUndoDepth, 0);
}

TEST_F(RenameDialog, WithNothingListedTheRenameButtonDoesNothing)
{
    // The computer item stands for no folder: nothing is listed, whatever
    // the process's current folder holds.
    TempFolder cwd("cwd");
    ASSERT_TRUE(WriteNamedFiles(cwd.Path(), {"here.txt"}));
    char szOld[MAX_PATH];
    GetCurrentDirectoryA(sizeof(szOld), szOld);
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.Path().c_str()));
    m_dlg.m_tree.SelectItem(m_dlg.m_tree.GetComputerItem());
    EXPECT_EQ(m_dlg.m_nNameCount, 0);
    EXPECT_STREQ(m_dlg.m_strFolderPath, "");
    EXPECT_STREQ(m_dlg.EditorText(), "");

    // Text typed or pasted, an undo step and a combo history all stay.
    m_dlg.SetEditorText("moved.txt\r\n");
    m_dlg.m_nUndoDepth = 1;
    EnableWindow(m_dlg.Item(IDC_UNDO), TRUE);
    SendMessageA(m_dlg.Item(IDC_FIND_COMBO), CB_INSERTSTRING, 0, (LPARAM) "찾기");
    m_dlg.Click(IDC_RENAME);
    SetCurrentDirectoryA(szOld);
    EXPECT_TRUE(m_dlg.questions.empty());
    EXPECT_TRUE(m_dlg.messages.empty());
    EXPECT_EQ(ListFileNames(cwd.Path()), (Names{"here.txt"}));
    EXPECT_STREQ(m_dlg.EditorText(), "moved.txt\r\n");
    EXPECT_EQ(m_dlg.m_nUndoDepth, 1);
    EXPECT_TRUE(m_dlg.UndoEnabled());
    EXPECT_EQ(SendMessageA(m_dlg.Item(IDC_FIND_COMBO), CB_GETCOUNT, 0, 0), 1);
}

TEST_F(RenameDialog, AFolderOfMoreFilesThanTheListTakesIsToldOncePerFolder)
{
    Names files;
    for (int i = 0; i < 2001; ++i)
        files.push_back("n" + std::to_string(10000 + (i * 7919) % 2001));
    // Both folders exist before the tree reads their parent. The big one
    // also holds files whose names the code page cannot hold: left out,
    // and not counted.
    ASSERT_TRUE(MakeFolder(m_root / "small") && WriteNamedFiles(Dir("small"), {"s.txt"}));
    ASSERT_TRUE(MakeFolder(m_root / "big"));
    std::vector<std::wstring> leftOut = {L"caf\x00E9.txt"};
    for (int i = 10; i < 22; ++i)
        leftOut.push_back(L"smile\xD83D\xDE00" + std::to_wstring(i) + L".txt");
    for (const std::wstring& name : leftOut)
        ASSERT_TRUE(WriteWideFile(WideText(Dir("big")) + name, "left out"));
    Load(files, "big");
    EXPECT_STREQ(m_dlg.m_strCurNames[0], "n10000");
    // Moved on before the load was told: nothing is shown for it.
    ASSERT_TRUE(m_dlg.SelectDesktopPath({m_root.Name(), "small"}));
    PumpMessages();
    EXPECT_TRUE(m_dlg.messages.empty());

    ASSERT_TRUE(m_dlg.SelectDesktopPath({m_root.Name(), "big"}));
    EXPECT_TRUE(m_dlg.messages.empty());  // posted: the load finishes first
    PumpMessages();
    ASSERT_EQ(m_dlg.messages.size(), 1u);
    EXPECT_EQ(m_dlg.messages[0], Text(IDS_TOO_MANY_FILES, {"2001", "2000"}) + "\n" + Text(IDS_NAMES_LEFT_OUT, {"13"}));
    EXPECT_EQ(m_dlg.messageTypes[0], (UINT)(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(m_dlg.messageNames[0], std::vector<std::wstring>(leftOut.begin(), leftOut.begin() + 10));

    // Passing the folder again with the arrow keys does not stop there.
    ASSERT_TRUE(m_dlg.SelectDesktopPath({m_root.Name(), "small"}));
    ASSERT_TRUE(m_dlg.SelectDesktopPath({m_root.Name(), "big"}));
    PumpMessages();
    EXPECT_EQ(m_dlg.messages.size(), 1u);
}

// Files left out for their names are told in a box of its own when the
// folder is not too big, their names shown in full.
TEST(RenameDialogNotice, FilesLeftOutForTheirNamesAreShownInFull)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(WriteNamedFiles(folder.Path(), {"a.txt"}));
    const std::wstring emoji = L"smile\xD83D\xDE00.txt";
    ASSERT_TRUE(WriteWideFile(WideText(folder.Path()) + emoji, "e"));
    MessageBoxWatcher boxes;
    ASSERT_TRUE(dlg.SelectDesktopPath({folder.Name()}));
    for (DWORD start = GetTickCount(); boxes.Boxes().empty() && GetTickCount() - start < 5000;)
        PumpMessages(20);
    auto seen = boxes.Boxes();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, Text(IDS_RENAME_CAPTION));
    EXPECT_EQ(seen[0].icon, (UINT)MB_ICONINFORMATION);
    EXPECT_EQ(seen[0].wideText, WideText(Text(IDS_NAMES_LEFT_OUT, {"1"})) + L"\n" + emoji);
    EXPECT_STREQ(dlg.EditorText(), "a.txt\r\n");
}

TEST_F(RenameDialog, TheSystemMenuTakesTheLastRenameBackOnce)
{
    Load({"1.mp3", "2.mp3", "3.mp3", "x", "y", "z"});
    EXPECT_FALSE(m_dlg.TakeBackEnabled());
    // A rename that renames nothing gives nothing to take back.
    m_dlg.Click(IDC_RENAME);
    EXPECT_FALSE(m_dlg.TakeBackEnabled());

    // A shift, a swap and a file left alone.
    m_dlg.SetEditorText("2.mp3\r\n3.mp3\r\n4.mp3\r\ny\r\nx\r\nz\r\n");
    m_dlg.Click(IDC_RENAME);
    ASSERT_TRUE(m_dlg.messages.empty());
    EXPECT_TRUE(m_dlg.TakeBackEnabled());
    // Typing and a batch command since: both give way to the names.
    SetWindowTextA(m_dlg.Item(IDC_FRONT_EDIT), "_");
    m_dlg.Click(IDC_INSERT_FRONT);
    ASSERT_TRUE(m_dlg.UndoEnabled());

    m_dlg.TakeBack();
    EXPECT_TRUE(m_dlg.messages.empty());
    EXPECT_EQ(ListFileNames(Dir()), (Names{"1.mp3", "2.mp3", "3.mp3", "x", "y", "z"}));
    for (const char* name : {"1.mp3", "2.mp3", "3.mp3", "x", "y"})
        EXPECT_EQ(ReadFileBytes(Dir() + name), name);
    // The list is updated in place, in the same line order.
    EXPECT_STREQ(m_dlg.EditorText(), "1.mp3\r\n2.mp3\r\n3.mp3\r\nx\r\ny\r\nz\r\n");
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(m_dlg.m_strNewNames[i], m_dlg.m_strCurNames[i]);
    EXPECT_EQ(Cur(3), "x");
    EXPECT_EQ(m_dlg.m_nUndoDepth, 0);
    EXPECT_FALSE(m_dlg.UndoEnabled());
    EXPECT_FALSE(m_dlg.TakeBackEnabled());

    // Once only.
    m_dlg.TakeBack();
    EXPECT_EQ(ListFileNames(Dir()), (Names{"1.mp3", "2.mp3", "3.mp3", "x", "y", "z"}));
    EXPECT_TRUE(m_dlg.messages.empty());
}

namespace {
// The dialog with the hook its label edit calls after a folder rename.
class FollowingDlg : public QuietBatchNameDlg {
public:
    using CBatchNameDlg::OnTreeItemRenamed;
};
}  // namespace

TEST(RenameDialogRecord, TheRecordOutlivesALoadFollowsItsFolderAndReportsWhatCannotGoBack)
{
    FollowingDlg dlg;
    DesktopFolder root(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(root / "f") && MakeFolder(root / "other"));
    ASSERT_TRUE(WriteNamedFiles(root / "f\\", {"a", "b", "c", "d"}));
    ASSERT_TRUE(WriteNamedFiles(root / "other\\", {"o"}));
    ASSERT_TRUE(dlg.SelectDesktopPath({root.Name(), "f"}));
    dlg.SetEditorText("a2\r\nb2\r\nc2\r\nd\r\n");
    dlg.Click(IDC_RENAME);
    ASSERT_TRUE(dlg.TakeBackEnabled());

    // Another folder is loaded, and the renamed folder itself is renamed.
    ASSERT_TRUE(dlg.SelectDesktopPath({root.Name(), "other"}));
    ASSERT_TRUE(MoveFileA((root / "f").c_str(), (root / "g").c_str()));
    dlg.OnTreeItemRenamed((root / "f").c_str(), (root / "g").c_str());
    // Between the rename and its taking back: one renamed file moved away,
    // the old name of another taken by a new file.
    ASSERT_TRUE(MoveFileA((root / "g\\a2").c_str(), (root / "a2").c_str()));
    ASSERT_TRUE(WriteFileBytes(root / "g\\b", "new b"));

    dlg.TakeBack();
    EXPECT_EQ(ListFileNames(root / "g"), (Names{"b", "b2", "c", "d"}));
    EXPECT_EQ(ReadFileBytes(root / "g\\c"), "c");
    EXPECT_EQ(ReadFileBytes(root / "g\\b2"), "b");
    EXPECT_EQ(ReadFileBytes(root / "g\\b"), "new b");
    ASSERT_EQ(dlg.messages.size(), 1u);
    const std::string& report = dlg.messages[0];
    EXPECT_EQ(report.substr(0, report.find('\n')), Text(IDS_UNDO_RENAME_REPORT, {"3", "2"}));
    EXPECT_NE(report.find("\n" + Text(IDS_REPORT_LINE, {"a2", "a", ""})), std::string::npos) << report;
    EXPECT_NE(report.find("\n" + Text(IDS_REPORT_LINE, {"b2", "b", ""})), std::string::npos) << report;
    EXPECT_EQ(dlg.messageTypes[0], (UINT)(MB_OK | MB_ICONHAND));
    EXPECT_FALSE(dlg.TakeBackEnabled());
    // The loaded folder is another one: its list stays as it was.
    EXPECT_STREQ(dlg.EditorText(), "o\r\n");

    // A listed file renamed by its tree label: its current name follows,
    // the editor's text stays.
    ASSERT_TRUE(MoveFileA((root / "other\\o").c_str(), (root / "other\\o2").c_str()));
    dlg.OnTreeItemRenamed((root / "other\\o").c_str(), (root / "other\\o2").c_str());
    EXPECT_STREQ(dlg.m_strCurNames[0], "o2");
    EXPECT_STREQ(dlg.EditorText(), "o\r\n");
}
