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

typedef std::vector<std::wstring> Names;

// A throwaway folder inside the desktop folder, loaded in the dialog.
class RenameDialog : public testing::Test {
protected:
    void Load(const Names& files, const wchar_t* sub = L"f")
    {
        MakeFolder(m_root / sub);
        ASSERT_TRUE(WriteNamedFiles(m_root / sub + L"\\", files));
        m_dlg.SelectDesktopPath({m_root.Name()});
        ASSERT_TRUE(m_dlg.SelectDesktopPath({m_root.Name(), sub}));
        ASSERT_EQ(m_dlg.m_names.GetCount(), std::min((int)files.size(), MAX_NAMES));
    }
    std::wstring Dir(const wchar_t* sub = L"f") { return m_root / sub + L"\\"; }
    std::wstring Cur(int i) { return m_dlg.m_names[i].strShown.str(); }

    QuietBatchNameDlg m_dlg;
    DesktopFolder m_root{m_dlg.m_tree.GetDesktopPath().str()};
};

}  // namespace

TEST(RenameDialogQuestion, AShiftedRenameAsksFirstAndNoLeavesEverythingAsItWas)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(WriteNamedFiles(folder.Path(), {L"a", L"b", L"c", L"d"}));
    ASSERT_TRUE(dlg.SelectDesktopPath({folder.Name()}));
    SetWindowTextW(dlg.Item(IDC_FRONT_EDIT), L"01 ");
    dlg.Click(IDC_INSERT_FRONT);
    // The user deletes line "b": every line below it would name the file
    // above it.
    const CString text = L"01 a\r\n01 c\r\n01 d\r\n";
    dlg.SetEditorText(text);
    {
        MessageBoxWatcher boxes(0);  // Enter: the default button
        dlg.Click(IDC_RENAME);
        auto seen = boxes.Boxes();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, Text(IDS_RENAME_CAPTION));
        EXPECT_EQ(seen[0].text, Text(IDS_SHIFTED_LINES_QUESTION, {L"4", L"3"}));
        EXPECT_EQ(seen[0].icon, (UINT)MB_ICONQUESTION);
        EXPECT_EQ(seen[0].defaultButton, (UINT)IDNO);
    }
    EXPECT_EQ(ListFileNames(folder.Path()), (Names{L"a", L"b", L"c", L"d"}));
    EXPECT_STREQ(dlg.EditorText(), text);
    EXPECT_EQ(dlg.m_undo.GetDepth(), 1);
    EXPECT_TRUE(dlg.UndoEnabled());
    EXPECT_FALSE(dlg.TakeBackEnabled());

    // Yes: line i for file i; the file left without a line keeps its name
    // and is not reported.
    {
        MessageBoxWatcher boxes(IDYES);
        dlg.Click(IDC_RENAME);
        auto seen = boxes.Boxes();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text, Text(IDS_SHIFTED_LINES_QUESTION, {L"4", L"3"}));
    }
    EXPECT_EQ(ListFileNames(folder.Path()), (Names{L"01 a", L"01 c", L"01 d", L"d"}));
    EXPECT_EQ(ReadFileText(folder / L"01 c"), L"b");
    EXPECT_EQ(ReadFileText(folder / L"d"), L"d");
    EXPECT_EQ(dlg.m_undo.GetDepth(), 0);
}

TEST_F(RenameDialog, WithNothingListedTheRenameButtonDoesNothing)
{
    // The computer item stands for no folder: nothing is listed, whatever
    // the process's current folder holds.
    TempFolder cwd(L"cwd");
    ASSERT_TRUE(WriteNamedFiles(cwd.Path(), {L"here.txt"}));
    wchar_t szOld[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, szOld);
    ASSERT_TRUE(SetCurrentDirectoryW(cwd.Path().c_str()));
    m_dlg.m_tree.SelectItem(m_dlg.m_tree.GetComputerItem());
    EXPECT_EQ(m_dlg.m_names.GetCount(), 0);
    EXPECT_STREQ(m_dlg.m_names.GetFolderPath(), L"");
    EXPECT_STREQ(m_dlg.EditorText(), L"");

    // Text typed or pasted, an undo step and a combo history all stay.
    m_dlg.SetEditorText(L"moved.txt\r\n");
    m_dlg.m_undo.Record(L"");
    EnableWindow(m_dlg.Item(IDC_UNDO), TRUE);
    SendMessageW(m_dlg.Item(IDC_FIND_COMBO), CB_INSERTSTRING, 0, (LPARAM) L"찾기");
    m_dlg.Click(IDC_RENAME);
    SetCurrentDirectoryW(szOld);
    EXPECT_TRUE(m_dlg.questions.empty());
    EXPECT_TRUE(m_dlg.messages.empty());
    EXPECT_EQ(ListFileNames(cwd.Path()), (Names{L"here.txt"}));
    EXPECT_STREQ(m_dlg.EditorText(), L"moved.txt\r\n");
    EXPECT_EQ(m_dlg.m_undo.GetDepth(), 1);
    EXPECT_TRUE(m_dlg.UndoEnabled());
    EXPECT_EQ(SendMessageW(m_dlg.Item(IDC_FIND_COMBO), CB_GETCOUNT, 0, 0), 1);
}

TEST_F(RenameDialog, AFolderOfMoreFilesThanTheListTakesIsToldOncePerFolder)
{
    Names files;
    for (int i = 0; i < 2001; ++i)
        files.push_back(L"n" + std::to_wstring(10000 + (i * 7919) % 2001));
    // Both folders exist before the tree reads their parent.
    ASSERT_TRUE(MakeFolder(m_root / L"small") && WriteNamedFiles(Dir(L"small"), {L"s.txt"}));
    ASSERT_TRUE(MakeFolder(m_root / L"big"));
    Load(files, L"big");
    EXPECT_STREQ(m_dlg.m_names[0].strShown, L"n10000");
    // Moved on before the load was told: nothing is shown for it.
    ASSERT_TRUE(m_dlg.SelectDesktopPath({m_root.Name(), L"small"}));
    PumpMessages();
    EXPECT_TRUE(m_dlg.messages.empty());

    ASSERT_TRUE(m_dlg.SelectDesktopPath({m_root.Name(), L"big"}));
    EXPECT_TRUE(m_dlg.messages.empty());  // posted: the load finishes first
    PumpMessages();
    ASSERT_EQ(m_dlg.messages.size(), 1u);
    EXPECT_EQ(m_dlg.messages[0], Text(IDS_TOO_MANY_FILES, {L"2001", L"2000"}));
    EXPECT_EQ(m_dlg.messageTypes[0], (UINT)(MB_OK | MB_ICONINFORMATION));

    // Passing the folder again with the arrow keys does not stop there.
    ASSERT_TRUE(m_dlg.SelectDesktopPath({m_root.Name(), L"small"}));
    ASSERT_TRUE(m_dlg.SelectDesktopPath({m_root.Name(), L"big"}));
    PumpMessages();
    EXPECT_EQ(m_dlg.messages.size(), 1u);
}

// Names another system made that plain Win32 paths cannot address, in a
// folder whose path is longer than MAX_PATH: the tree shows them by their
// names on disk (the shell is not asked), the list takes them as they are,
// and they are renamed and taken back exactly.
TEST_F(RenameDialog, NamesNoPlainPathReachesAreListedRenamedAndTakenBack)
{
    const std::wstring deep = L"d" + std::wstring(230, L'e');
    ASSERT_TRUE(MakeFolder(m_root / deep));
    ASSERT_GE((m_root / deep).size(), (size_t)MAX_PATH);
    ASSERT_TRUE(MakeFolder(m_root / deep + L"\\f"));
    const std::wstring dir = m_root / deep + L"\\f\\";
    ASSERT_TRUE(WriteNamedFiles(dir, {L"trail.", L"space ", L"con.txt", L"song.mp3"}));
    ASSERT_TRUE(m_dlg.SelectDesktopPath({m_root.Name(), deep}));
    HTREEITEM hFolder = m_dlg.SelectDesktopPath({m_root.Name(), deep, L"f"});
    ASSERT_TRUE(hFolder);
    m_dlg.OpenItem(hFolder);
    EXPECT_TRUE(m_dlg.ChildByLabel(hFolder, L"song.mp3"));  // extension shown: the shell was not asked
    EXPECT_STREQ(m_dlg.EditorText(), L"con.txt\r\nsong.mp3\r\nspace \r\ntrail.\r\n");

    m_dlg.SetEditorText(L"console.txt\r\ntune.mp3\r\nspace \r\ntrail ok\r\n");
    m_dlg.Click(IDC_RENAME);
    EXPECT_TRUE(m_dlg.messages.empty());
    EXPECT_EQ(ListFileNames(dir), (Names{L"console.txt", L"space ", L"trail ok", L"tune.mp3"}));
    EXPECT_EQ(ReadFileText(dir + L"trail ok"), L"trail.");
    m_dlg.TakeBack();
    EXPECT_TRUE(m_dlg.messages.empty());
    EXPECT_EQ(ListFileNames(dir), (Names{L"con.txt", L"song.mp3", L"space ", L"trail."}));
    EXPECT_STREQ(m_dlg.EditorText(), L"con.txt\r\nsong.mp3\r\nspace \r\ntrail.\r\n");
}

TEST_F(RenameDialog, TheSystemMenuTakesTheLastRenameBackOnce)
{
    Load({L"1.mp3", L"2.mp3", L"3.mp3", L"x", L"y", L"z"});
    EXPECT_FALSE(m_dlg.TakeBackEnabled());
    // A rename that renames nothing gives nothing to take back.
    m_dlg.Click(IDC_RENAME);
    EXPECT_FALSE(m_dlg.TakeBackEnabled());

    // A shift, a swap and a file left alone.
    m_dlg.SetEditorText(L"2.mp3\r\n3.mp3\r\n4.mp3\r\ny\r\nx\r\nz\r\n");
    m_dlg.Click(IDC_RENAME);
    ASSERT_TRUE(m_dlg.messages.empty());
    EXPECT_TRUE(m_dlg.TakeBackEnabled());
    // Typing and a batch command since: both give way to the names.
    SetWindowTextW(m_dlg.Item(IDC_FRONT_EDIT), L"_");
    m_dlg.Click(IDC_INSERT_FRONT);
    ASSERT_TRUE(m_dlg.UndoEnabled());

    m_dlg.TakeBack();
    EXPECT_TRUE(m_dlg.messages.empty());
    EXPECT_EQ(ListFileNames(Dir()), (Names{L"1.mp3", L"2.mp3", L"3.mp3", L"x", L"y", L"z"}));
    for (const wchar_t* name : {L"1.mp3", L"2.mp3", L"3.mp3", L"x", L"y"})
        EXPECT_EQ(ReadFileText(Dir() + name), name);
    // The list is updated in place, in the same line order.
    EXPECT_STREQ(m_dlg.EditorText(), L"1.mp3\r\n2.mp3\r\n3.mp3\r\nx\r\ny\r\nz\r\n");
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(m_dlg.m_names[i].strNew, m_dlg.m_names[i].strShown);
    EXPECT_EQ(Cur(3), L"x");
    EXPECT_EQ(m_dlg.m_undo.GetDepth(), 0);
    EXPECT_FALSE(m_dlg.UndoEnabled());
    EXPECT_FALSE(m_dlg.TakeBackEnabled());

    // Once only.
    m_dlg.TakeBack();
    EXPECT_EQ(ListFileNames(Dir()), (Names{L"1.mp3", L"2.mp3", L"3.mp3", L"x", L"y", L"z"}));
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
    ASSERT_TRUE(MakeFolder(root / L"f") && MakeFolder(root / L"other"));
    ASSERT_TRUE(WriteNamedFiles(root / L"f\\", {L"a", L"b", L"c", L"d"}));
    ASSERT_TRUE(WriteNamedFiles(root / L"other\\", {L"o"}));
    ASSERT_TRUE(dlg.SelectDesktopPath({root.Name(), L"f"}));
    // A listed file replaced by a folder of its name is not moved.
    ASSERT_TRUE(DeleteFileW((root / L"f\\d").c_str()) && MakeFolder(root / L"f\\d"));
    dlg.SetEditorText(L"a2\r\nb2\r\nc2\r\nd2\r\n");
    dlg.Click(IDC_RENAME);
    ASSERT_TRUE(dlg.TakeBackEnabled());
    ASSERT_EQ(dlg.messages.size(), 1u);
    EXPECT_NE(dlg.messages[0].find(L"\n" + Text(IDS_REPORT_LINE, {L"d", L"d2", Text(IDS_REASON_NOW_FOLDER)})),
              std::wstring::npos);
    EXPECT_EQ(ListFolderNames(root / L"f"), (Names{L"d"}));
    dlg.messages.clear();

    // Another folder is loaded, and the renamed folder itself is renamed.
    ASSERT_TRUE(dlg.SelectDesktopPath({root.Name(), L"other"}));
    ASSERT_TRUE(MoveFileW((root / L"f").c_str(), (root / L"g").c_str()));
    dlg.OnTreeItemRenamed((root / L"f").c_str(), (root / L"g").c_str());
    // Between the rename and its taking back: one renamed file moved away,
    // the old name of another taken by a new file, and a third replaced by
    // another file under its new name (made first, then moved over it, as
    // an editor saves: a file made after a delete could get its number).
    ASSERT_TRUE(MoveFileW((root / L"g\\a2").c_str(), (root / L"a2").c_str()));
    ASSERT_TRUE(WriteFileText(root / L"g\\b", L"new b"));
    ASSERT_TRUE(WriteFileText(root / L"g\\c2.saved", L"saved c"));
    ASSERT_TRUE(MoveFileExW((root / L"g\\c2.saved").c_str(), (root / L"g\\c2").c_str(), MOVEFILE_REPLACE_EXISTING));

    dlg.TakeBack();
    EXPECT_EQ(ListFileNames(root / L"g"), (Names{L"b", L"b2", L"c2"}));
    EXPECT_EQ(ReadFileText(root / L"g\\c2"), L"saved c");
    EXPECT_EQ(ReadFileText(root / L"g\\b2"), L"b");
    EXPECT_EQ(ReadFileText(root / L"g\\b"), L"new b");
    ASSERT_EQ(dlg.messages.size(), 1u);
    const std::wstring& report = dlg.messages[0];
    EXPECT_EQ(report.substr(0, report.find(L'\n')), Text(IDS_UNDO_RENAME_REPORT, {L"3", L"3"}));
    EXPECT_NE(report.find(L"\n" + Text(IDS_REPORT_LINE, {L"a2", L"a", L""})), std::wstring::npos) << report;
    EXPECT_NE(report.find(L"\n" + Text(IDS_REPORT_LINE, {L"b2", L"b", L""})), std::wstring::npos) << report;
    EXPECT_NE(report.find(L"\n" + Text(IDS_REPORT_LINE, {L"c2", L"c", Text(IDS_REASON_FILE_CHANGED)})),
              std::wstring::npos)
        << report;
    EXPECT_EQ(dlg.messageTypes[0], (UINT)(MB_OK | MB_ICONHAND));
    EXPECT_FALSE(dlg.TakeBackEnabled());
    // The loaded folder is another one: its list stays as it was.
    EXPECT_STREQ(dlg.EditorText(), L"o\r\n");

    // A listed file renamed by its tree label: its current name and its
    // line follow.
    ASSERT_TRUE(MoveFileW((root / L"other\\o").c_str(), (root / L"other\\o2").c_str()));
    dlg.OnTreeItemRenamed((root / L"other\\o").c_str(), (root / L"other\\o2").c_str());
    EXPECT_STREQ(dlg.m_names[0].strShown, L"o2");
    EXPECT_STREQ(dlg.EditorText(), L"o2\r\n");
}
