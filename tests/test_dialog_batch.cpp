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

std::string S(const CString& s) { return s.str(); }

// "캚" is 0xB0 0x41 in code page 949: its trail byte is the letter 'A'.
const char KAL[] = "\xB0\x41";

// The dialog with nCount names listed and text in the name editor. The tree
// takes the focus first: a tree that gets the focus selects and loads its
// first item, which would overwrite the list later.
void Prepare(TestBatchNameDlg& dlg, int nCount, const CString& text)
{
    SetFocus(dlg.Item(IDC_TREE));
    PumpMessages();
    dlg.m_nNameCount = nCount;
    dlg.SetEditorText(text);
}

void SetText(TestBatchNameDlg& dlg, int nID, const CString& text) { SetWindowTextA(dlg.Item(nID), text); }

void Replace(TestBatchNameDlg& dlg, const CString& find, const CString& replace)
{
    SetText(dlg, IDC_FIND_COMBO, find);
    SetText(dlg, IDC_REPLACE_COMBO, replace);
    dlg.Click(IDC_REPLACE);
}

std::vector<std::string> Items(TestBatchNameDlg& dlg, int nID)
{
    std::vector<std::string> items;
    HWND h = dlg.Item(nID);
    for (int i = 0; i < (int)SendMessageA(h, CB_GETCOUNT, 0, 0); ++i) {
        char buf[256] = "";
        SendMessageA(h, CB_GETLBTEXT, i, (LPARAM)buf);
        items.push_back(buf);
    }
    return items;
}

typedef std::vector<std::string> Names;

}  // namespace

TEST(BatchDialog, ReplaceScansEachNameOnceCaseSensitivelyAndWholeCharacters)
{
    TestBatchNameDlg dlg;
    const std::string kal = std::string(KAL) + "BC";
    Prepare(dlg, 4, CString(("a.mp3\r\naaa\r\nSong song\r\n" + kal + "\r\n").c_str()));

    Replace(dlg, "aa", "b");
    EXPECT_EQ(S(dlg.EditorText()), "a.mp3\r\nba\r\nSong song\r\n" + kal + "\r\n");
    Replace(dlg, "a", "aa");
    EXPECT_EQ(S(dlg.EditorText()), "aa.mp3\r\nbaa\r\nSong song\r\n" + kal + "\r\n");
    Replace(dlg, "song", "track");
    EXPECT_EQ(S(dlg.EditorText()), "aa.mp3\r\nbaa\r\nSong track\r\n" + kal + "\r\n");
    // "AB" stands in the bytes of the last name (trail 'A', then 'B') but
    // not as characters.
    Replace(dlg, "AB", "x");
    EXPECT_EQ(S(dlg.EditorText()), "aa.mp3\r\nbaa\r\nSong track\r\n" + kal + "\r\n");
    EXPECT_EQ(dlg.m_nUndoDepth, 4);

    // An empty find text changes no name, yet records a step and rewrites
    // the text: a line beyond the count goes.
    dlg.SetEditorText(dlg.EditorText() + "extra\r\n");
    Replace(dlg, "", "z");
    EXPECT_EQ(S(dlg.EditorText()), "aa.mp3\r\nbaa\r\nSong track\r\n" + kal + "\r\n");
    EXPECT_EQ(dlg.m_nUndoDepth, 5);
    EXPECT_TRUE(dlg.UndoEnabled());
    EXPECT_STREQ(dlg.m_strNewNames[1], "baa");
}

TEST(BatchDialog, EveryCommandWritesOneLinePerListedNameFromTheSharedField)
{
    TestBatchNameDlg dlg;
    // Nothing listed: no command does anything, by button or by Enter; no
    // step, no history entry, the editor as it was.
    Prepare(dlg, 0, "stray\r\n");
    SetText(dlg, IDC_FRONT_EDIT, "mp3");
    dlg.Click(IDC_CHANGE_EXTENSION);
    dlg.Click(IDC_INSERT_FRONT);
    Replace(dlg, "a", "b");
    dlg.PressKey(dlg.Item(IDC_FRONT_EDIT), VK_RETURN);
    dlg.PressKey(GetWindow(dlg.Item(IDC_FIND_COMBO), GW_CHILD), VK_RETURN);
    EXPECT_STREQ(dlg.EditorText(), "stray\r\n");
    EXPECT_EQ(dlg.m_nUndoDepth, 0);
    EXPECT_FALSE(dlg.UndoEnabled());
    EXPECT_TRUE(Items(dlg, IDC_FIND_COMBO).empty() && Items(dlg, IDC_REPLACE_COMBO).empty());

    // Fewer line ends than names: each missing line is an empty name.
    Prepare(dlg, 3, "a.txt\r\n");
    SetText(dlg, IDC_FRONT_EDIT, "mp3");
    dlg.Click(IDC_INSERT_FRONT);
    EXPECT_STREQ(dlg.EditorText(), "mp3a.txt\r\nmp3\r\nmp3\r\n");
    dlg.SetEditorText("a.txt\r\nb.wave\r\n");
    dlg.Click(IDC_CHANGE_EXTENSION);
    EXPECT_STREQ(dlg.EditorText(), "a.mp3\r\nb.wmp3\r\nmp3\r\n");
    // A last line without its line break is a line: transformed and closed.
    dlg.SetEditorText("a.txt");
    Replace(dlg, "t", "T");
    EXPECT_STREQ(dlg.EditorText(), "a.TxT\r\n\r\n\r\n");

    // Lines beyond the count, closed or not, are gone after any command.
    const char* more = "a\r\nb\r\nc\r\nd\r\nunclosed";
    dlg.SetEditorText(more);
    dlg.Click(IDC_INSERT_FRONT);
    EXPECT_STREQ(dlg.EditorText(), "mp3a\r\nmp3b\r\nmp3c\r\n");
    dlg.SetEditorText(more);
    dlg.Click(IDC_CHANGE_EXTENSION);
    EXPECT_STREQ(dlg.EditorText(), "mp3\r\nmp3\r\nmp3\r\n");
    dlg.SetEditorText(more);
    Replace(dlg, "x", "y");
    EXPECT_STREQ(dlg.EditorText(), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(dlg.m_nUndoDepth, 6);
}

TEST(BatchDialog, ComboHistoriesPutNewTextsFirstAndSkipKnownPrefixes)
{
    TestBatchNameDlg dlg;
    Prepare(dlg, 1, "x\r\n");
    // An empty text enters an empty list once, and never again.
    Replace(dlg, "Song", "");
    Replace(dlg, "Song", "");
    EXPECT_EQ(Items(dlg, IDC_FIND_COMBO), Names({"Song"}));
    EXPECT_EQ(Items(dlg, IDC_REPLACE_COMBO), Names({""}));

    Replace(dlg, "song", "x");   // an item begins with it in another case
    Replace(dlg, "SO", "x");     // a prefix of an item
    Replace(dlg, "Songs", "x");  // longer than the item it begins with
    Replace(dlg, "Zeta", "");    // sorted, it would go last
    Replace(dlg, "Song", "");    // repeated: stays where it is
    Replace(dlg, "", "");
    EXPECT_EQ(Items(dlg, IDC_FIND_COMBO), Names({"Zeta", "Songs", "Song"}));
    EXPECT_EQ(Items(dlg, IDC_REPLACE_COMBO), Names({"x", ""}));

    // Enter runs the real replace once in either combo box, and the
    // insert-in-front command once in edit 1012; each is one undo step.
    Prepare(dlg, 1, "a\r\n");
    const int nDepth = dlg.m_nUndoDepth;
    SetText(dlg, IDC_FIND_COMBO, "a");
    SetText(dlg, IDC_REPLACE_COMBO, "ab");
    dlg.PressKey(GetWindow(dlg.Item(IDC_FIND_COMBO), GW_CHILD), VK_RETURN);
    EXPECT_STREQ(dlg.EditorText(), "ab\r\n");
    dlg.PressKey(GetWindow(dlg.Item(IDC_REPLACE_COMBO), GW_CHILD), VK_RETURN);
    EXPECT_STREQ(dlg.EditorText(), "abb\r\n");
    SetText(dlg, IDC_FRONT_EDIT, "-");
    dlg.PressKey(dlg.Item(IDC_FRONT_EDIT), VK_RETURN);
    EXPECT_STREQ(dlg.EditorText(), "-abb\r\n");
    EXPECT_EQ(dlg.m_nUndoDepth, nDepth + 3);
    EXPECT_EQ(Items(dlg, IDC_FIND_COMBO)[0], "a");
    EXPECT_EQ(Items(dlg, IDC_REPLACE_COMBO)[0], "ab");
}

TEST(BatchDialog, UndoStepsBackNewestFirstAndKeepsTheLastHundred)
{
    TestBatchNameDlg dlg;
    Prepare(dlg, 2, "a.txt\r\nb.txt\r\n");
    SetText(dlg, IDC_FRONT_EDIT, "doc");
    dlg.Click(IDC_INSERT_FRONT);
    dlg.Click(IDC_CHANGE_EXTENSION);
    const CString afterTwo = dlg.EditorText();
    Replace(dlg, "doc", "");
    EXPECT_STREQ(dlg.EditorText(), "a.\r\nb.\r\n");
    // Typing after a command is lost when that command is undone.
    dlg.SetEditorText("typed\r\n");

    dlg.Click(IDC_UNDO);
    EXPECT_STREQ(dlg.EditorText(), afterTwo);
    dlg.Click(IDC_UNDO);
    dlg.Click(IDC_UNDO);
    EXPECT_STREQ(dlg.EditorText(), "a.txt\r\nb.txt\r\n");
    EXPECT_FALSE(dlg.UndoEnabled());
    // A click that reaches the dialog at depth 0 changes nothing.
    dlg.Click(IDC_UNDO);
    EXPECT_EQ(dlg.m_nUndoDepth, 0);
    EXPECT_STREQ(dlg.EditorText(), "a.txt\r\nb.txt\r\n");

    // The 101st record drops the oldest step; the command still runs.
    SetText(dlg, IDC_FRONT_EDIT, "-");
    std::vector<std::string> before;
    for (int i = 0; i <= MAX_UNDO; ++i) {
        before.push_back(S(dlg.EditorText()));
        dlg.Click(IDC_INSERT_FRONT);
    }
    EXPECT_EQ(dlg.m_nUndoDepth, MAX_UNDO);
    EXPECT_EQ(S(dlg.EditorText()), std::string(MAX_UNDO + 1, '-') + "a.txt\r\n" + std::string(MAX_UNDO + 1, '-') + "b.txt\r\n");
    for (int i = MAX_UNDO; i >= 1; --i) {
        EXPECT_TRUE(dlg.UndoEnabled()) << i;
        dlg.Click(IDC_UNDO);
        EXPECT_EQ(S(dlg.EditorText()), before[i]) << i;
    }
    EXPECT_FALSE(dlg.UndoEnabled());
    EXPECT_EQ(dlg.m_nUndoDepth, 0);
}

TEST(BatchDialog, NoFileChangesUntilRenameAndLoadingOrRenamingEmptiesTheHistory)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(WriteNamedFiles(folder.Path(), {"a.txt", "b.txt"}));
    ASSERT_TRUE(dlg.SelectDesktopPath({folder.Name()}));
    ASSERT_EQ(dlg.m_nNameCount, 2);

    Replace(dlg, "a", "z");
    SetText(dlg, IDC_FRONT_EDIT, "01 ");
    dlg.Click(IDC_INSERT_FRONT);
    dlg.Click(IDC_UNDO);
    dlg.Click(IDC_CHANGE_EXTENSION);
    EXPECT_STREQ(dlg.EditorText(), "z.01 \r\nb.01 \r\n");
    EXPECT_EQ(ListFileNames(folder.Path()), Names({"a.txt", "b.txt"}));
    EXPECT_EQ(dlg.m_nUndoDepth, 2);

    // Undo, then rename: the files take the names of the restored text.
    dlg.Click(IDC_UNDO);
    {
        MessageBoxWatcher boxes;
        dlg.Click(IDC_RENAME);
        EXPECT_TRUE(boxes.Boxes().empty());
    }
    EXPECT_EQ(ListFileNames(folder.Path()), Names({"b.txt", "z.txt"}));
    EXPECT_EQ(dlg.m_nUndoDepth, 0);
    EXPECT_FALSE(dlg.UndoEnabled());

    // Choosing the folder again empties the history as well.
    dlg.Click(IDC_INSERT_FRONT);
    EXPECT_TRUE(dlg.UndoEnabled());
    ASSERT_TRUE(dlg.SelectDesktopPath({folder.Name()}));
    EXPECT_EQ(dlg.m_nUndoDepth, 0);
    EXPECT_FALSE(dlg.UndoEnabled());
    EXPECT_STREQ(dlg.EditorText(), "b.txt\r\nz.txt\r\n");
    EXPECT_EQ(ListFileNames(folder.Path()), Names({"b.txt", "z.txt"}));
}
