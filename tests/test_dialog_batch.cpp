// The batch commands and their undo in the real main dialog: what reaches
// the name editor, the combo histories, the undo button, the disk, and the
// Enter key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/DialogDriver.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"

namespace {

std::wstring S(const CString& s) { return s.str(); }

void SetText(TestBatchNameDlg& dlg, int nID, const CString& text) { SetWindowTextW(dlg.Item(nID), text); }

void Replace(TestBatchNameDlg& dlg, const CString& find, const CString& replace)
{
    SetText(dlg, IDC_FIND_COMBO, find);
    SetText(dlg, IDC_REPLACE_COMBO, replace);
    dlg.Click(IDC_REPLACE);
}

std::vector<std::wstring> Items(TestBatchNameDlg& dlg, int nID)
{
    std::vector<std::wstring> items;
    HWND h = dlg.Item(nID);
    for (int i = 0; i < (int)SendMessageW(h, CB_GETCOUNT, 0, 0); ++i) {
        wchar_t buf[256] = L"";
        SendMessageW(h, CB_GETLBTEXT, i, (LPARAM)buf);
        items.push_back(buf);
    }
    return items;
}

typedef std::vector<std::wstring> Names;

}  // namespace

TEST(BatchDialog, ReplaceScansEachNameOnceCaseSensitively)
{
    TestBatchNameDlg dlg;
    dlg.SetList(4, L"a.mp3\r\naaa\r\nSong song\r\n캚BC\r\n");

    Replace(dlg, L"aa", L"b");
    EXPECT_EQ(S(dlg.EditorText()), L"a.mp3\r\nba\r\nSong song\r\n캚BC\r\n");
    Replace(dlg, L"a", L"aa");
    EXPECT_EQ(S(dlg.EditorText()), L"aa.mp3\r\nbaa\r\nSong song\r\n캚BC\r\n");
    Replace(dlg, L"song", L"track");
    EXPECT_EQ(S(dlg.EditorText()), L"aa.mp3\r\nbaa\r\nSong track\r\n캚BC\r\n");
    EXPECT_EQ(dlg.m_undo.GetDepth(), 3);

    // An empty find text changes no line, yet records a step; a line the
    // user added stays.
    dlg.SetEditorText(dlg.EditorText() + L"extra\r\n");
    Replace(dlg, L"", L"z");
    EXPECT_EQ(S(dlg.EditorText()), L"aa.mp3\r\nbaa\r\nSong track\r\n캚BC\r\nextra\r\n");
    EXPECT_EQ(dlg.m_undo.GetDepth(), 4);
    EXPECT_TRUE(dlg.UndoEnabled());
}

TEST(BatchDialog, EveryCommandKeepsTheLinesAsTheyStandWithTheSharedField)
{
    QuietBatchNameDlg dlg;
    // Nothing listed: no command does anything, by button or by Enter; no
    // step, no history entry, the editor as it was.
    dlg.SetList(0, L"stray\r\n");
    SetText(dlg, IDC_FRONT_EDIT, L"mp3");
    dlg.Click(IDC_CHANGE_EXTENSION);
    dlg.Click(IDC_INSERT_FRONT);
    Replace(dlg, L"a", L"b");
    dlg.PressKey(dlg.Item(IDC_FRONT_EDIT), VK_RETURN);
    dlg.PressKey(GetWindow(dlg.Item(IDC_FIND_COMBO), GW_CHILD), VK_RETURN);
    EXPECT_STREQ(dlg.EditorText(), L"stray\r\n");
    EXPECT_EQ(dlg.m_undo.GetDepth(), 0);
    EXPECT_FALSE(dlg.UndoEnabled());
    EXPECT_TRUE(Items(dlg, IDC_FIND_COMBO).empty() && Items(dlg, IDC_REPLACE_COMBO).empty());

    // A line deleted, then the extension changed: the text stays a line
    // short, no name is made up for the last file, and the rename asks.
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(WriteNamedFiles(folder.Path(), {L"a.txt", L"b.txt", L"c.dat"}));
    ASSERT_TRUE(dlg.SelectDesktopPath({folder.Name()}));
    dlg.SetEditorText(L"a.txt\r\nc.dat\r\n");
    dlg.Click(IDC_CHANGE_EXTENSION);
    EXPECT_STREQ(dlg.EditorText(), L"a.mp3\r\nc.mp3\r\n");
    dlg.Rename(IDNO);
    EXPECT_EQ(dlg.questions.size(), 1u);
    EXPECT_EQ(ListFileNames(folder.Path()), (Names{L"a.txt", L"b.txt", L"c.dat"}));

    // An emptied line stays empty, lines added stay, and a last line
    // without its line break is transformed and closed.
    dlg.SetEditorText(L"a.txt\r\n\r\nb.wave\r\nextra\r\nunclosed");
    dlg.Click(IDC_INSERT_FRONT);
    EXPECT_STREQ(dlg.EditorText(), L"mp3a.txt\r\n\r\nmp3b.wave\r\nmp3extra\r\nmp3unclosed\r\n");
    dlg.Click(IDC_CHANGE_EXTENSION);
    EXPECT_STREQ(dlg.EditorText(), L"mp3a.mp3\r\n\r\nmp3b.wmp3\r\nmp3exmp3\r\nmp3unclomp3\r\n");
    Replace(dlg, L"mp3", L"");
    EXPECT_STREQ(dlg.EditorText(), L"a.\r\n\r\nb.w\r\nex\r\nunclo\r\n");
    EXPECT_EQ(dlg.m_undo.GetDepth(), 4);
}

TEST(BatchDialog, ComboHistoriesPutNewTextsFirstAndSkipKnownPrefixes)
{
    TestBatchNameDlg dlg;
    dlg.SetList(1, L"x\r\n");
    // An empty text enters an empty list once, and never again.
    Replace(dlg, L"Song", L"");
    Replace(dlg, L"Song", L"");
    EXPECT_EQ(Items(dlg, IDC_FIND_COMBO), Names({L"Song"}));
    EXPECT_EQ(Items(dlg, IDC_REPLACE_COMBO), Names({L""}));

    Replace(dlg, L"song", L"x");   // an item begins with it in another case
    Replace(dlg, L"SO", L"x");     // a prefix of an item
    Replace(dlg, L"Songs", L"x");  // longer than the item it begins with
    Replace(dlg, L"Zeta", L"");    // sorted, it would go last
    Replace(dlg, L"Song", L"");    // repeated: stays where it is
    Replace(dlg, L"", L"");
    EXPECT_EQ(Items(dlg, IDC_FIND_COMBO), Names({L"Zeta", L"Songs", L"Song"}));
    EXPECT_EQ(Items(dlg, IDC_REPLACE_COMBO), Names({L"x", L""}));

    // Enter runs the real replace once in either combo box, and the
    // insert-in-front command once in edit 1012; each is one undo step.
    dlg.SetList(1, L"a\r\n");
    const int nDepth = dlg.m_undo.GetDepth();
    SetText(dlg, IDC_FIND_COMBO, L"a");
    SetText(dlg, IDC_REPLACE_COMBO, L"ab");
    dlg.PressKey(GetWindow(dlg.Item(IDC_FIND_COMBO), GW_CHILD), VK_RETURN);
    EXPECT_STREQ(dlg.EditorText(), L"ab\r\n");
    dlg.PressKey(GetWindow(dlg.Item(IDC_REPLACE_COMBO), GW_CHILD), VK_RETURN);
    EXPECT_STREQ(dlg.EditorText(), L"abb\r\n");
    SetText(dlg, IDC_FRONT_EDIT, L"-");
    dlg.PressKey(dlg.Item(IDC_FRONT_EDIT), VK_RETURN);
    EXPECT_STREQ(dlg.EditorText(), L"-abb\r\n");
    EXPECT_EQ(dlg.m_undo.GetDepth(), nDepth + 3);
    EXPECT_EQ(Items(dlg, IDC_FIND_COMBO)[0], L"a");
    EXPECT_EQ(Items(dlg, IDC_REPLACE_COMBO)[0], L"ab");
}

TEST(BatchDialog, UndoStepsBackNewestFirstAndKeepsTheLastHundred)
{
    TestBatchNameDlg dlg;
    dlg.SetList(2, L"a.txt\r\nb.txt\r\n");
    SetText(dlg, IDC_FRONT_EDIT, L"doc");
    dlg.Click(IDC_INSERT_FRONT);
    dlg.Click(IDC_CHANGE_EXTENSION);
    const CString afterTwo = dlg.EditorText();
    Replace(dlg, L"doc", L"");
    EXPECT_STREQ(dlg.EditorText(), L"a.\r\nb.\r\n");
    // Typing after a command is lost when that command is undone.
    dlg.SetEditorText(L"typed\r\n");

    dlg.Click(IDC_UNDO);
    EXPECT_STREQ(dlg.EditorText(), afterTwo);
    dlg.Click(IDC_UNDO);
    dlg.Click(IDC_UNDO);
    EXPECT_STREQ(dlg.EditorText(), L"a.txt\r\nb.txt\r\n");
    EXPECT_FALSE(dlg.UndoEnabled());
    // A click that reaches the dialog at depth 0 changes nothing.
    dlg.Click(IDC_UNDO);
    EXPECT_EQ(dlg.m_undo.GetDepth(), 0);
    EXPECT_STREQ(dlg.EditorText(), L"a.txt\r\nb.txt\r\n");

    // The 101st record drops the oldest step; the command still runs.
    SetText(dlg, IDC_FRONT_EDIT, L"-");
    std::vector<std::wstring> before;
    for (int i = 0; i <= MAX_UNDO; ++i) {
        before.push_back(S(dlg.EditorText()));
        dlg.Click(IDC_INSERT_FRONT);
    }
    EXPECT_EQ(dlg.m_undo.GetDepth(), MAX_UNDO);
    EXPECT_EQ(S(dlg.EditorText()), std::wstring(MAX_UNDO + 1, L'-') + L"a.txt\r\n" + std::wstring(MAX_UNDO + 1, L'-') + L"b.txt\r\n");
    for (int i = MAX_UNDO; i >= 1; --i) {
        EXPECT_TRUE(dlg.UndoEnabled()) << i;
        dlg.Click(IDC_UNDO);
        EXPECT_EQ(S(dlg.EditorText()), before[i]) << i;
    }
    EXPECT_FALSE(dlg.UndoEnabled());
    EXPECT_EQ(dlg.m_undo.GetDepth(), 0);
}

TEST(BatchDialog, NoFileChangesUntilRenameAndLoadingOrRenamingEmptiesTheHistory)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(WriteNamedFiles(folder.Path(), {L"a.txt", L"b.txt"}));
    ASSERT_TRUE(dlg.SelectDesktopPath({folder.Name()}));
    ASSERT_EQ(dlg.m_names.GetCount(), 2);

    Replace(dlg, L"a", L"z");
    SetText(dlg, IDC_FRONT_EDIT, L"01 ");
    dlg.Click(IDC_INSERT_FRONT);
    dlg.Click(IDC_UNDO);
    dlg.Click(IDC_CHANGE_EXTENSION);
    EXPECT_STREQ(dlg.EditorText(), L"z.01 \r\nb.01 \r\n");
    EXPECT_EQ(ListFileNames(folder.Path()), Names({L"a.txt", L"b.txt"}));
    EXPECT_EQ(dlg.m_undo.GetDepth(), 2);

    // Undo, then rename: the files take the names of the restored text.
    dlg.Click(IDC_UNDO);
    {
        MessageBoxWatcher boxes;
        dlg.Click(IDC_RENAME);
        EXPECT_TRUE(boxes.Boxes().empty());
    }
    EXPECT_EQ(ListFileNames(folder.Path()), Names({L"b.txt", L"z.txt"}));
    EXPECT_EQ(dlg.m_undo.GetDepth(), 0);
    EXPECT_FALSE(dlg.UndoEnabled());

    // Choosing the folder again empties the history as well.
    dlg.Click(IDC_INSERT_FRONT);
    EXPECT_TRUE(dlg.UndoEnabled());
    ASSERT_TRUE(dlg.SelectDesktopPath({folder.Name()}));
    EXPECT_EQ(dlg.m_undo.GetDepth(), 0);
    EXPECT_FALSE(dlg.UndoEnabled());
    EXPECT_STREQ(dlg.EditorText(), L"b.txt\r\nz.txt\r\n");
    EXPECT_EQ(ListFileNames(folder.Path()), Names({L"b.txt", L"z.txt"}));
}
