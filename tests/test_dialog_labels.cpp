// Renaming folders by editing their labels in the main dialog's tree.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "support/DialogDriver.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"

namespace {

// Opens the label editor on an item as the user does (the item selected
// first); returns whether an editor opened.
bool StartEdit(TestBatchNameDlg& dlg, HTREEITEM hItem)
{
    dlg.m_tree.SelectItem(hItem);
    dlg.m_tree.SetFocus();
    dlg.m_tree.EditLabel(hItem);
    return dlg.m_tree.GetEditControl() != NULL;
}

// Types the text into the open label editor and moves the focus away,
// which ends the edit; message boxes on the way are recorded and closed.
std::vector<MessageBoxWatcher::Seen> TypeAndLeave(TestBatchNameDlg& dlg, const CString& text, bool byFocus = true)
{
    MessageBoxWatcher boxes;
    CEdit* pEdit = dlg.m_tree.GetEditControl();
    EXPECT_TRUE(pEdit != NULL);
    if (pEdit)
        pEdit->SetWindowText(text);
    if (byFocus)
        SetFocus(dlg.Item(IDC_NAMES_EDIT));
    else
        dlg.m_tree.SendMessage(TVM_ENDEDITLABELNOW, FALSE, 0);
    PumpMessages();
    // After a refusal the editor reopens from a posted message; on a busy
    // machine the focus may settle later than that.
    auto seen = boxes.Boxes();
    if (!seen.empty())
        PumpUntil([&] { return dlg.m_tree.GetEditControl() != NULL; });
    return seen;
}

CString EditorLabel(TestBatchNameDlg& dlg)
{
    CString s;
    CEdit* pEdit = dlg.m_tree.GetEditControl();
    if (pEdit)
        pEdit->GetWindowText(s);
    return s;
}

void CancelEdit(TestBatchNameDlg& dlg)
{
    if (dlg.m_tree.GetEditControl()) {
        TypeAndLeave(dlg, dlg.m_tree.GetItemText(dlg.m_tree.GetSelectedItem()));
    }
}

}  // namespace

TEST(LabelEdit, OnlyItemsTwoLevelsBelowTheTopMayBeEdited)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / L"inner"));
    ASSERT_TRUE(MakeFolder(folder / L"inner\\empty"));

    HTREEITEM hComputer = dlg.m_tree.GetComputerItem();
    HTREEITEM hDesktop = dlg.m_tree.GetDesktopItem();
    EXPECT_FALSE(StartEdit(dlg, hComputer));
    EXPECT_FALSE(StartEdit(dlg, hDesktop));
    dlg.OpenItem(hComputer);
    HTREEITEM hDrive = dlg.m_tree.GetChildItem(hComputer);
    ASSERT_TRUE(hDrive);
    EXPECT_FALSE(StartEdit(dlg, hDrive));

    HTREEITEM hTop = dlg.SelectDesktopPath({folder.Name()});
    ASSERT_TRUE(hTop);
    EXPECT_FALSE(StartEdit(dlg, hTop));  // directly below the desktop

    HTREEITEM hInner = dlg.SelectDesktopPath({folder.Name(), L"inner"});
    ASSERT_TRUE(hInner);
    EXPECT_TRUE(StartEdit(dlg, hInner));
    EXPECT_STREQ(EditorLabel(dlg), L"inner");
    CancelEdit(dlg);

    // A folder below a drive.
    dlg.OpenItem(hDrive);
    HTREEITEM hDriveFolder = dlg.m_tree.GetChildItem(hDrive);
    ASSERT_TRUE(hDriveFolder);
    EXPECT_TRUE(StartEdit(dlg, hDriveFolder));
    CancelEdit(dlg);

    // The blank child of an opened empty folder at depth 4.
    HTREEITEM hEmpty = dlg.SelectDesktopPath({folder.Name(), L"inner", L"empty"});
    ASSERT_TRUE(hEmpty);
    dlg.OpenItem(hEmpty);
    HTREEITEM hBlank = dlg.m_tree.GetChildItem(hEmpty);
    ASSERT_TRUE(hBlank);
    EXPECT_STREQ(dlg.m_tree.GetItemText(hBlank), L"");
    EXPECT_TRUE(StartEdit(dlg, hBlank));
    // Renaming it is refused: nothing on disk stands behind it.
    auto boxes = TypeAndLeave(dlg, L"typed");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, Text(IDS_RENAME_ERROR_CAPTION));
    EXPECT_STREQ(dlg.m_tree.GetItemText(hBlank), L"");
    CancelEdit(dlg);
}

TEST(LabelEdit, RefusalsShowOneMessageAndReopenTheEditorOnTheOldLabel)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / L"parent"));
    ASSERT_TRUE(MakeFolder(folder / L"parent\\앨범"));
    ASSERT_TRUE(MakeFolder(folder / L"parent\\other"));
    ASSERT_TRUE(WriteFileText(folder / L"parent\\file.txt", L"f"));
    HTREEITEM hItem = dlg.SelectDesktopPath({folder.Name(), L"parent", L"앨범"});
    ASSERT_TRUE(hItem);

    // Unchanged: nothing at all.
    ASSERT_TRUE(StartEdit(dlg, hItem));
    EXPECT_TRUE(TypeAndLeave(dlg, L"앨범").empty());
    EXPECT_FALSE(dlg.m_tree.GetEditControl());

    const std::wstring album = L"앨범";
    const std::wstring inUse = Text(IDS_NAME_IN_USE, {album});
    const std::wstring cannot = Text(IDS_CANNOT_RENAME, {album, L""});
    struct {
        const wchar_t* typed;
        bool byFocus;
        UINT caption;
        std::wstring textStart;
    } cases[] = {
        {L"", true, IDS_RENAME_CAPTION, Text(IDS_NAME_REQUIRED)},
        {L"other", true, IDS_RENAME_ERROR_CAPTION, inUse},
        {L"file.txt", true, IDS_RENAME_ERROR_CAPTION, inUse},
        {L"x?y", true, IDS_RENAME_ERROR_CAPTION, cannot},
        // Ended while the editor still has the focus: the message box takes
        // it away, and still only one message shows.
        {L"other", false, IDS_RENAME_ERROR_CAPTION, inUse},
        {L"", false, IDS_RENAME_CAPTION, Text(IDS_NAME_REQUIRED)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_TRUE(StartEdit(dlg, hItem));
        auto boxes = TypeAndLeave(dlg, c.typed, c.byFocus);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, Text(c.caption));
        EXPECT_EQ(boxes[0].text.find(c.textStart), 0u) << boxes[0].text;
        EXPECT_EQ(boxes[0].icon, (UINT)MB_ICONHAND);
        // The editor is open again on the same item, with the old label.
        EXPECT_TRUE(dlg.m_tree.GetEditControl() != NULL);
        EXPECT_STREQ(EditorLabel(dlg), L"앨범");
        EXPECT_STREQ(dlg.m_tree.GetItemText(hItem), L"앨범");
        CancelEdit(dlg);
    }
    // A Latin name, then a change of its letter case alone: a rename too,
    // not a name in use.
    ASSERT_TRUE(StartEdit(dlg, hItem));
    EXPECT_TRUE(TypeAndLeave(dlg, L"ALBUM").empty());
    ASSERT_TRUE(StartEdit(dlg, hItem));
    EXPECT_TRUE(TypeAndLeave(dlg, L"album").empty());
    EXPECT_STREQ(dlg.m_tree.GetItemText(hItem), L"album");
    EXPECT_STREQ(dlg.m_tree.GetDiskName(hItem), L"album");

    EXPECT_EQ(ListFolderNames(folder / L"parent"), (std::vector<std::wstring>{L"album", L"other"}));
}

TEST(LabelEdit, ARenameMovesTheFolderAndItsOpenBranchFollows)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / L"parent"));
    ASSERT_TRUE(MakeFolder(folder / L"parent\\old"));
    ASSERT_TRUE(MakeFolder(folder / L"parent\\old\\deep"));
    ASSERT_TRUE(MakeFolder(folder / L"parent\\old\\mid"));
    ASSERT_TRUE(WriteNamedFiles(folder / L"parent\\old\\", {L"a.txt", L"노래.mp3"}));

    // The folder being renamed is the one whose names are listed.
    HTREEITEM hOld = dlg.SelectDesktopPath({folder.Name(), L"parent", L"old"});
    ASSERT_TRUE(hOld);
    dlg.OpenItem(hOld);
    EXPECT_STREQ(dlg.EditorText(), L"a.txt\r\n노래.mp3\r\n");
    const int nChildren = (int)dlg.m_tree.GetCount();

    ASSERT_TRUE(StartEdit(dlg, hOld));
    EXPECT_TRUE(TypeAndLeave(dlg, L"새 폴더").empty());

    EXPECT_STREQ(dlg.m_tree.GetItemText(hOld), L"새 폴더");
    EXPECT_EQ(ListFolderNames(folder / L"parent"), (std::vector<std::wstring>{L"새 폴더"}));
    EXPECT_EQ(ReadFileText(folder / L"parent\\새 폴더\\노래.mp3"), L"노래.mp3");
    // The open branch keeps its children, and their paths follow the label.
    EXPECT_EQ((int)dlg.m_tree.GetCount(), nChildren);
    HTREEITEM hDeep = dlg.ChildByLabel(hOld, L"deep");
    ASSERT_TRUE(hDeep);
    EXPECT_EQ(dlg.m_tree.GetFolderPath(hDeep).str(), folder.Path() + L"parent\\새 폴더\\deep\\");
    // The name list's folder path follows at once; names and text stay.
    EXPECT_EQ(dlg.m_names.GetFolderPath().str(), folder.Path() + L"parent\\새 폴더\\");
    EXPECT_STREQ(dlg.EditorText(), L"a.txt\r\n노래.mp3\r\n");

    // An ".mp3" file shown in the tree is renamed the same way.
    HTREEITEM hSong = dlg.ChildByLabel(hOld, L"노래");
    ASSERT_TRUE(hSong);
    ASSERT_TRUE(StartEdit(dlg, hSong));
    EXPECT_TRUE(TypeAndLeave(dlg, L"봄").empty());
    EXPECT_TRUE(PathExists(folder / L"parent\\새 폴더\\봄.mp3"));
    // The selected item lists its own file. Its line follows, so that the
    // rename button does not rename it back; a line the user changed stays
    // as typed.
    EXPECT_STREQ(dlg.EditorText(), L"봄.mp3\r\n");
    dlg.Click(IDC_RENAME);
    EXPECT_EQ(ListFileNames(folder / L"parent\\새 폴더"), (std::vector<std::wstring>{L"a.txt", L"봄.mp3"}));
    dlg.SetEditorText(L"가을.mp3\r\n");
    ASSERT_TRUE(StartEdit(dlg, hSong));
    EXPECT_TRUE(TypeAndLeave(dlg, L"여름").empty());
    EXPECT_STREQ(dlg.EditorText(), L"가을.mp3\r\n");

    // A renamed item takes its place in the branch's order.
    HTREEITEM hMid = dlg.ChildByLabel(hOld, L"mid");
    ASSERT_TRUE(hMid && StartEdit(dlg, hMid));
    EXPECT_TRUE(TypeAndLeave(dlg, L"a").empty());
    EXPECT_EQ(dlg.m_tree.GetChildItem(hOld), hMid);

    // A folder removed behind the tree's back: refused, label unchanged.
    ASSERT_TRUE(StartEdit(dlg, hDeep));
    RemoveTree(folder / L"parent\\새 폴더\\deep");
    auto boxes = TypeAndLeave(dlg, L"deeper");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.find(Text(IDS_CANNOT_RENAME, {L"deep", L""})), 0u) << boxes[0].text;
    EXPECT_STREQ(dlg.m_tree.GetItemText(hDeep), L"deep");
    CancelEdit(dlg);
}

namespace {

// The shell's display name of a path, as the tree must show it.
std::wstring ShellLabel(const std::wstring& path)
{
    SHFILEINFOW sfi = {};
    SHGetFileInfoW(path.c_str(), 0, &sfi, sizeof(sfi), SHGFI_DISPLAYNAME);
    return sfi.szDisplayName;
}

}  // namespace

TEST(LabelEdit, AnMp3ItemIsRenamedByItsLabelWithExtensionsHiddenOrShown)
{
    for (bool bShown : {false, true}) {
        SCOPED_TRACE(bShown ? "extensions shown" : "extensions hidden");
        ExtensionsShown setting(bShown);
        TestBatchNameDlg dlg;
        DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
        ASSERT_TRUE(MakeFolder(folder / L"album"));
        ASSERT_TRUE(WriteNamedFiles(folder / L"album\\", {L"song.mp3", L"taken.mp3", L"taken", L"notes.txt"}));
        HTREEITEM hAlbum = dlg.SelectDesktopPath({folder.Name(), L"album"});
        ASSERT_TRUE(hAlbum);
        dlg.OpenItem(hAlbum);
        HTREEITEM hSong = dlg.ChildByLabel(hAlbum, bShown ? L"song.mp3" : L"song");
        ASSERT_TRUE(hSong);
        EXPECT_EQ(dlg.m_tree.GetItemText(hSong).str(), ShellLabel(folder / L"album\\song.mp3"));

        // Typed as the user sees the name; the extension stays when hidden.
        // The tree's second end of the edit changes nothing more.
        ASSERT_TRUE(StartEdit(dlg, hSong));
        EXPECT_TRUE(TypeAndLeave(dlg, bShown ? L"tune.mp3" : L"tune").empty());
        EXPECT_EQ(ListFileNames(folder / L"album"),
                  (std::vector<std::wstring>{L"notes.txt", L"taken", L"taken.mp3", L"tune.mp3"}));
        EXPECT_STREQ(dlg.m_tree.GetDiskName(hSong), L"tune.mp3");
        EXPECT_EQ(dlg.m_tree.GetItemText(hSong).str(), ShellLabel(folder / L"album\\tune.mp3"));

        // Selected, the item lists its own file, in its folder.
        dlg.m_tree.SelectItem(hAlbum);
        dlg.m_tree.SelectItem(hSong);
        EXPECT_STREQ(dlg.EditorText(), L"tune.mp3\r\n");
        EXPECT_EQ(dlg.m_names.GetFolderPath().str(), folder / L"album\\");

        // Letter case alone; then a name in use, named by the label.
        ASSERT_TRUE(StartEdit(dlg, hSong));
        EXPECT_TRUE(TypeAndLeave(dlg, bShown ? L"TUNE.mp3" : L"TUNE").empty());
        EXPECT_STREQ(dlg.m_tree.GetDiskName(hSong), L"TUNE.mp3");
        const std::wstring label = dlg.m_tree.GetItemText(hSong).str();
        ASSERT_TRUE(StartEdit(dlg, hSong));
        auto boxes = TypeAndLeave(dlg, bShown ? L"taken.mp3" : L"taken");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, Text(IDS_NAME_IN_USE, {label}));
        CancelEdit(dlg);
        EXPECT_EQ(ListFileNames(folder / L"album"),
                  (std::vector<std::wstring>{L"TUNE.mp3", L"notes.txt", L"taken", L"taken.mp3"}));
    }
}

TEST(LabelEdit, ALocalizedFolderIsRenamedOnDiskByItsLabel)
{
    // Windows shows a user's "Music" as "음악"; Wine cannot, so the shell
    // is stood in for.
    StandInShell shell;
    shell.shownAs[L"Music"] = L"음악";
    TestBatchNameDlg dlg;
    dlg.m_tree.SetShellService(&shell);
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / L"home"));
    ASSERT_TRUE(MakeFolder(folder / L"home\\Music"));
    ASSERT_TRUE(WriteNamedFiles(folder / L"home\\Music\\", {L"a.txt"}));

    HTREEITEM hMusic = dlg.SelectDesktopPath({folder.Name(), L"home", L"음악"});
    ASSERT_TRUE(hMusic);
    EXPECT_STREQ(dlg.EditorText(), L"a.txt\r\n");

    // Left as shown: "Music" stays "Music".
    ASSERT_TRUE(StartEdit(dlg, hMusic));
    EXPECT_TRUE(TypeAndLeave(dlg, L"음악").empty());
    EXPECT_EQ(ListFolderNames(folder / L"home"), (std::vector<std::wstring>{L"Music"}));

    // A new name is the new name on disk; the label is the shell's for it.
    ASSERT_TRUE(StartEdit(dlg, hMusic));
    EXPECT_TRUE(TypeAndLeave(dlg, L"노래").empty());
    EXPECT_EQ(ListFolderNames(folder / L"home"), (std::vector<std::wstring>{L"노래"}));
    EXPECT_STREQ(dlg.m_tree.GetItemText(hMusic), L"노래");
    EXPECT_EQ(dlg.m_tree.GetFolderPath(hMusic).str(), folder / L"home\\노래\\");
}

// Folders and ".mp3" files named in other scripts, and a folder of
// decomposed Hangul as macOS writes it: they open, list and rename the
// right files, and are renamed by their labels.
TEST(LabelEdit, NamesOfAnyScriptOpenListAndAreRenamedByTheirLabels)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    const std::wstring music = folder / L"music\\";
    const std::wstring bjork = L"Bj\x00F6rk", sigur = L"Sigur R\x00F3s", nfdSongs = L"\x1102\x1169\x1105\x1162";
    ASSERT_TRUE(CreateDirectoryW(music.c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryW((music + bjork).c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryW((music + nfdSongs).c_str(), NULL));
    ASSERT_TRUE(WriteFileText(music + bjork + L"\\x.mp3", L"x"));
    ASSERT_TRUE(WriteFileText(music + bjork + L"\\J\x00F3ga.mp3", L"joga"));
    ASSERT_TRUE(WriteFileText(music + nfdSongs + L"\\y.mp3", L"y"));
    ASSERT_TRUE(WriteFileText(music + sigur + L".mp3", L"sigur"));

    HTREEITEM hMusic = dlg.SelectDesktopPath({folder.Name(), L"music"});
    ASSERT_TRUE(hMusic);
    dlg.OpenItem(hMusic);
    HTREEITEM hBjork = dlg.ChildByLabel(hMusic, bjork);
    HTREEITEM hSigur = dlg.ChildByLabel(hMusic, sigur);  // extensions hidden
    HTREEITEM hSongs = dlg.ChildByLabel(hMusic, ShellLabel(music + nfdSongs));
    ASSERT_TRUE(hBjork && hSigur && hSongs);
    EXPECT_EQ(dlg.m_tree.GetDiskName(hBjork).str(), bjork);
    EXPECT_EQ(dlg.m_tree.GetDiskName(hSigur).str(), sigur + L".mp3");

    // Selected, each folder lists the files it holds; an ".mp3" item lists
    // its own file.
    dlg.m_tree.SelectItem(hSigur);
    EXPECT_EQ(dlg.EditorText().str(), sigur + L".mp3\r\n");
    dlg.m_tree.SelectItem(hBjork);
    EXPECT_EQ(dlg.m_names.GetFolderPath().str(), music + bjork + L"\\");
    EXPECT_STREQ(dlg.EditorText(), L"J\x00F3ga.mp3\r\nx.mp3\r\n");
    dlg.SetEditorText(L"J\x00F3ga.mp3\r\nx2.mp3\r\n");
    dlg.Click(IDC_RENAME);
    EXPECT_EQ(ReadFileText(music + bjork + L"\\x2.mp3"), L"x");
    dlg.OpenItem(hBjork);
    EXPECT_TRUE(dlg.ChildByLabel(hBjork, L"J\x00F3ga"));
    dlg.m_tree.SelectItem(hSongs);
    EXPECT_STREQ(dlg.EditorText(), L"y.mp3\r\n");
    dlg.SetEditorText(L"y2.mp3\r\n");
    dlg.Click(IDC_RENAME);
    EXPECT_EQ(ReadFileText(music + nfdSongs + L"\\y2.mp3"), L"y");

    // Renamed by their labels; the hidden extension is kept.
    ASSERT_TRUE(StartEdit(dlg, hSigur));
    EXPECT_TRUE(TypeAndLeave(dlg, L"Sigur").empty());
    ASSERT_TRUE(StartEdit(dlg, hBjork));
    EXPECT_TRUE(TypeAndLeave(dlg, L"Bjork 2").empty());
    ASSERT_TRUE(StartEdit(dlg, hSongs));
    EXPECT_TRUE(TypeAndLeave(dlg, L"노래 2").empty());
    EXPECT_EQ(ListAllNames(music), (std::vector<std::wstring>{L"Bjork 2", L"Sigur.mp3", L"노래 2"}));
    EXPECT_EQ(ReadFileText(music + L"Bjork 2\\x2.mp3"), L"x");
    EXPECT_EQ(ReadFileText(music + L"노래 2\\y2.mp3"), L"y");
    EXPECT_STREQ(dlg.m_tree.GetItemText(hBjork), L"Bjork 2");
}
