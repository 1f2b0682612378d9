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
    ASSERT_TRUE(MakeFolder(folder / "inner"));
    ASSERT_TRUE(MakeFolder(folder / "inner\\empty"));

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

    HTREEITEM hInner = dlg.SelectDesktopPath({folder.Name(), "inner"});
    ASSERT_TRUE(hInner);
    EXPECT_TRUE(StartEdit(dlg, hInner));
    EXPECT_STREQ(EditorLabel(dlg), "inner");
    CancelEdit(dlg);

    // A folder below a drive.
    dlg.OpenItem(hDrive);
    HTREEITEM hDriveFolder = dlg.m_tree.GetChildItem(hDrive);
    ASSERT_TRUE(hDriveFolder);
    EXPECT_TRUE(StartEdit(dlg, hDriveFolder));
    CancelEdit(dlg);

    // The blank child of an opened empty folder at depth 4.
    HTREEITEM hEmpty = dlg.SelectDesktopPath({folder.Name(), "inner", "empty"});
    ASSERT_TRUE(hEmpty);
    dlg.OpenItem(hEmpty);
    HTREEITEM hBlank = dlg.m_tree.GetChildItem(hEmpty);
    ASSERT_TRUE(hBlank);
    EXPECT_STREQ(dlg.m_tree.GetItemText(hBlank), "");
    EXPECT_TRUE(StartEdit(dlg, hBlank));
    // Renaming it is refused: nothing on disk stands behind it.
    auto boxes = TypeAndLeave(dlg, "typed");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, Text(IDS_RENAME_ERROR_CAPTION));
    EXPECT_STREQ(dlg.m_tree.GetItemText(hBlank), "");
    CancelEdit(dlg);
}

TEST(LabelEdit, RefusalsShowOneMessageAndReopenTheEditorOnTheOldLabel)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / "parent"));
    ASSERT_TRUE(MakeFolder(folder / "parent\\앨범"));
    ASSERT_TRUE(MakeFolder(folder / "parent\\other"));
    ASSERT_TRUE(WriteFileBytes(folder / "parent\\file.txt", "f"));
    HTREEITEM hItem = dlg.SelectDesktopPath({folder.Name(), "parent", "앨범"});
    ASSERT_TRUE(hItem);

    // Unchanged: nothing at all.
    ASSERT_TRUE(StartEdit(dlg, hItem));
    EXPECT_TRUE(TypeAndLeave(dlg, "앨범").empty());
    EXPECT_FALSE(dlg.m_tree.GetEditControl());

    const std::string album = CString("앨범").str();
    const std::string inUse = Text(IDS_NAME_IN_USE, {album});
    const std::string cannot = Text(IDS_CANNOT_RENAME, {album, ""});
    struct {
        const char* typed;
        bool byFocus;
        UINT caption;
        std::string textStart;
    } cases[] = {
        {"", true, IDS_RENAME_CAPTION, Text(IDS_NAME_REQUIRED)},
        {"other", true, IDS_RENAME_ERROR_CAPTION, inUse},
        {"file.txt", true, IDS_RENAME_ERROR_CAPTION, inUse},
        {"x?y", true, IDS_RENAME_ERROR_CAPTION, cannot},
        // Ended while the editor still has the focus: the message box takes
        // it away, and still only one message shows.
        {"other", false, IDS_RENAME_ERROR_CAPTION, inUse},
        {"", false, IDS_RENAME_CAPTION, Text(IDS_NAME_REQUIRED)},
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
        EXPECT_STREQ(EditorLabel(dlg), "앨범");
        EXPECT_STREQ(dlg.m_tree.GetItemText(hItem), "앨범");
        CancelEdit(dlg);
    }
    // A Latin name, then a change of its letter case alone: a rename too,
    // not a name in use.
    ASSERT_TRUE(StartEdit(dlg, hItem));
    EXPECT_TRUE(TypeAndLeave(dlg, "ALBUM").empty());
    ASSERT_TRUE(StartEdit(dlg, hItem));
    EXPECT_TRUE(TypeAndLeave(dlg, "album").empty());
    EXPECT_STREQ(dlg.m_tree.GetItemText(hItem), "album");
    EXPECT_STREQ(dlg.m_tree.GetDiskName(hItem), "album");

    EXPECT_EQ(ListFolderNames(folder / "parent"), (std::vector<std::string>{"album", "other"}));
}

TEST(LabelEdit, ARenameMovesTheFolderAndItsOpenBranchFollows)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / "parent"));
    ASSERT_TRUE(MakeFolder(folder / "parent\\old"));
    ASSERT_TRUE(MakeFolder(folder / "parent\\old\\deep"));
    ASSERT_TRUE(WriteNamedFiles(folder / "parent\\old\\", {"a.txt", "노래.mp3"}));

    // The folder being renamed is the one whose names are listed.
    HTREEITEM hOld = dlg.SelectDesktopPath({folder.Name(), "parent", "old"});
    ASSERT_TRUE(hOld);
    dlg.OpenItem(hOld);
    EXPECT_STREQ(dlg.EditorText(), "a.txt\r\n노래.mp3\r\n");
    const int nChildren = (int)dlg.m_tree.GetCount();

    ASSERT_TRUE(StartEdit(dlg, hOld));
    EXPECT_TRUE(TypeAndLeave(dlg, "새 폴더").empty());

    EXPECT_STREQ(dlg.m_tree.GetItemText(hOld), "새 폴더");
    EXPECT_EQ(ListFolderNames(folder / "parent"), (std::vector<std::string>{CString("새 폴더").str()}));
    EXPECT_EQ(ReadFileBytes(folder / CString("parent\\새 폴더\\노래.mp3").str()), CString("노래.mp3").str());
    // The open branch keeps its children, and their paths follow the label.
    EXPECT_EQ((int)dlg.m_tree.GetCount(), nChildren);
    HTREEITEM hDeep = dlg.ChildByLabel(hOld, "deep");
    ASSERT_TRUE(hDeep);
    EXPECT_EQ(dlg.m_tree.GetFolderPath(hDeep).str(), folder.Path() + CString("parent\\새 폴더\\deep\\").str());
    // The name list's folder path follows at once; names and text stay.
    EXPECT_EQ(dlg.m_strFolderPath.str(), folder.Path() + CString("parent\\새 폴더\\").str());
    EXPECT_STREQ(dlg.EditorText(), "a.txt\r\n노래.mp3\r\n");

    // An ".mp3" file shown in the tree is renamed the same way.
    HTREEITEM hSong = dlg.ChildByLabel(hOld, "노래");
    ASSERT_TRUE(hSong);
    ASSERT_TRUE(StartEdit(dlg, hSong));
    EXPECT_TRUE(TypeAndLeave(dlg, "봄").empty());
    EXPECT_TRUE(PathExists(folder / CString("parent\\새 폴더\\봄.mp3").str()));

    // A folder removed behind the tree's back: refused, label unchanged.
    ASSERT_TRUE(StartEdit(dlg, hDeep));
    RemoveTree(folder / CString("parent\\새 폴더\\deep").str());
    auto boxes = TypeAndLeave(dlg, "deeper");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.find(Text(IDS_CANNOT_RENAME, {"deep", ""})), 0u) << boxes[0].text;
    EXPECT_STREQ(dlg.m_tree.GetItemText(hDeep), "deep");
    CancelEdit(dlg);
}

namespace {

// The shell's display name of a path, as the tree must show it.
std::string ShellLabel(const std::string& path)
{
    SHFILEINFOA sfi = {};
    SHGetFileInfoA(path.c_str(), 0, &sfi, sizeof(sfi), SHGFI_DISPLAYNAME);
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
        ASSERT_TRUE(MakeFolder(folder / "album"));
        ASSERT_TRUE(WriteNamedFiles(folder / "album\\", {"song.mp3", "taken.mp3", "taken", "notes.txt"}));
        HTREEITEM hAlbum = dlg.SelectDesktopPath({folder.Name(), "album"});
        ASSERT_TRUE(hAlbum);
        dlg.OpenItem(hAlbum);
        HTREEITEM hSong = dlg.ChildByLabel(hAlbum, bShown ? "song.mp3" : "song");
        ASSERT_TRUE(hSong);
        EXPECT_EQ(dlg.m_tree.GetItemText(hSong).str(), ShellLabel(folder / "album\\song.mp3"));

        // Typed as the user sees the name; the extension stays when hidden.
        // The tree's second end of the edit changes nothing more.
        ASSERT_TRUE(StartEdit(dlg, hSong));
        EXPECT_TRUE(TypeAndLeave(dlg, bShown ? "tune.mp3" : "tune").empty());
        EXPECT_EQ(ListFileNames(folder / "album"),
                  (std::vector<std::string>{"notes.txt", "taken", "taken.mp3", "tune.mp3"}));
        EXPECT_STREQ(dlg.m_tree.GetDiskName(hSong), "tune.mp3");
        EXPECT_EQ(dlg.m_tree.GetItemText(hSong).str(), ShellLabel(folder / "album\\tune.mp3"));

        // Selected, the item lists its own file, in its folder.
        dlg.m_tree.SelectItem(hAlbum);
        dlg.m_tree.SelectItem(hSong);
        EXPECT_STREQ(dlg.EditorText(), "tune.mp3\r\n");
        EXPECT_EQ(dlg.m_strFolderPath.str(), folder / "album\\");

        // Letter case alone; then a name in use, named by the label.
        ASSERT_TRUE(StartEdit(dlg, hSong));
        EXPECT_TRUE(TypeAndLeave(dlg, bShown ? "TUNE.mp3" : "TUNE").empty());
        EXPECT_STREQ(dlg.m_tree.GetDiskName(hSong), "TUNE.mp3");
        const std::string label = dlg.m_tree.GetItemText(hSong).str();
        ASSERT_TRUE(StartEdit(dlg, hSong));
        auto boxes = TypeAndLeave(dlg, bShown ? "taken.mp3" : "taken");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, Text(IDS_NAME_IN_USE, {label}));
        CancelEdit(dlg);
        EXPECT_EQ(ListFileNames(folder / "album"),
                  (std::vector<std::string>{"TUNE.mp3", "notes.txt", "taken", "taken.mp3"}));
    }
}

TEST(LabelEdit, ALocalizedFolderIsRenamedOnDiskByItsLabel)
{
    // Windows shows a user's "Music" as "음악"; Wine cannot, so the shell
    // is stood in for.
    StandInShell shell;
    shell.shownAs["Music"] = CString("음악").str();
    TestBatchNameDlg dlg;
    dlg.m_tree.SetShellService(&shell);
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(MakeFolder(folder / "home"));
    ASSERT_TRUE(MakeFolder(folder / "home\\Music"));
    ASSERT_TRUE(WriteNamedFiles(folder / "home\\Music\\", {"a.txt"}));

    HTREEITEM hMusic = dlg.SelectDesktopPath({folder.Name(), "home", CString("음악").str()});
    ASSERT_TRUE(hMusic);
    EXPECT_STREQ(dlg.EditorText(), "a.txt\r\n");

    // Left as shown: "Music" stays "Music".
    ASSERT_TRUE(StartEdit(dlg, hMusic));
    EXPECT_TRUE(TypeAndLeave(dlg, "음악").empty());
    EXPECT_EQ(ListFolderNames(folder / "home"), (std::vector<std::string>{"Music"}));

    // A new name is the new name on disk; the label is the shell's for it.
    ASSERT_TRUE(StartEdit(dlg, hMusic));
    EXPECT_TRUE(TypeAndLeave(dlg, "노래").empty());
    EXPECT_EQ(ListFolderNames(folder / "home"), (std::vector<std::string>{CString("노래").str()}));
    EXPECT_STREQ(dlg.m_tree.GetItemText(hMusic), "노래");
    EXPECT_EQ(dlg.m_tree.GetFolderPath(hMusic).str(), folder / CString("home\\노래\\").str());
}

namespace {

std::wstring WideLabel(TestBatchNameDlg& dlg, HTREEITEM hItem)
{
    wchar_t buf[MAX_PATH] = L"";
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = buf;
    item.cchTextMax = MAX_PATH;
    SendMessageW(dlg.m_tree.GetSafeHwnd(), TVM_GETITEMW, 0, (LPARAM)&item);
    return buf;
}

HTREEITEM ChildByWideLabel(TestBatchNameDlg& dlg, HTREEITEM hParent, const std::wstring& label)
{
    for (HTREEITEM h = dlg.m_tree.GetChildItem(hParent); h; h = dlg.m_tree.GetNextSiblingItem(h))
        if (WideLabel(dlg, h) == label)
            return h;
    return NULL;
}

// The message boxes that come up while messages are pumped for a while
// (the notice of a load comes posted), each closed.
std::vector<MessageBoxWatcher::Seen> BoxesComing()
{
    MessageBoxWatcher boxes;
    for (DWORD start = GetTickCount(); boxes.Boxes().empty() && GetTickCount() - start < 2000;)
        PumpMessages(20);
    return boxes.Boxes();
}

// The short (8.3) name of an entry, as a code-page string.
std::string ShortName(const std::wstring& path)
{
    wchar_t buf[MAX_PATH] = L"";
    GetShortPathNameW(path.c_str(), buf, MAX_PATH);
    std::wstring s = buf;
    s = s.substr(s.find_last_of(L'\\') + 1);
    return std::string(s.begin(), s.end());
}

}  // namespace

// Folders and ".mp3" files whose names the code page cannot hold show in
// full and are reached by their short names: they open, list and rename
// the right files, and are renamed by their labels. A decomposed Hangul
// folder shows and works under its composed name.
TEST(LabelEdit, NamesTheCodePageCannotHoldAreShownInFullAndReachedByShortNames)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    const std::wstring music = WideText(folder / "music\\");
    const std::wstring bjork = L"Bj\x00F6rk", sigur = L"Sigur R\x00F3s", nfdSongs = L"\x1102\x1169\x1105\x1162";
    ASSERT_TRUE(CreateDirectoryW(music.c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryW((music + bjork).c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryW((music + nfdSongs).c_str(), NULL));
    ASSERT_TRUE(WriteWideFile(music + bjork + L"\\x.mp3", "x"));
    ASSERT_TRUE(WriteWideFile(music + bjork + L"\\J\x00F3ga.mp3", "joga"));
    ASSERT_TRUE(WriteWideFile(music + nfdSongs + L"\\y.mp3", "y"));
    ASSERT_TRUE(WriteWideFile(music + sigur + L".mp3", "sigur"));

    HTREEITEM hMusic = dlg.SelectDesktopPath({folder.Name(), "music"});
    ASSERT_TRUE(hMusic);
    dlg.OpenItem(hMusic);
    HTREEITEM hBjork = ChildByWideLabel(dlg, hMusic, bjork);
    HTREEITEM hSigur = ChildByWideLabel(dlg, hMusic, sigur);  // extensions hidden
    HTREEITEM hSongs = dlg.ChildByLabel(hMusic, CString("노래").str());
    ASSERT_TRUE(hBjork && hSigur && hSongs);
    const std::string bjorkShort = ShortName(music + bjork);
    EXPECT_EQ(dlg.m_tree.GetDiskName(hBjork).str(), bjorkShort);
    EXPECT_EQ(dlg.m_tree.GetDiskName(hSigur).str(), ShortName(music + sigur + L".mp3"));

    // Selected, each folder lists the files it holds, "Jóga.mp3" left out
    // and told; an ".mp3" item of such a name lists nothing and tells.
    dlg.m_tree.SelectItem(hSigur);
    EXPECT_EQ(dlg.m_nNameCount, 0);
    auto notices = BoxesComing();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wideText, WideText(Text(IDS_NAMES_LEFT_OUT, {"1"})) + L"\n" + sigur + L".mp3");
    dlg.m_tree.SelectItem(hBjork);
    EXPECT_EQ(dlg.m_strFolderPath.str(), folder / "music\\" + bjorkShort + "\\");
    EXPECT_STREQ(dlg.EditorText(), "x.mp3\r\n");
    notices = BoxesComing();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wideText, WideText(Text(IDS_NAMES_LEFT_OUT, {"1"})) + L"\nJ\x00F3ga.mp3");
    dlg.SetEditorText("x2.mp3\r\n");
    dlg.Click(IDC_RENAME);
    EXPECT_EQ(ReadWideFile(music + bjork + L"\\x2.mp3"), "x");
    dlg.OpenItem(hBjork);
    EXPECT_TRUE(ChildByWideLabel(dlg, hBjork, L"J\x00F3ga"));
    dlg.m_tree.SelectItem(hSongs);
    EXPECT_STREQ(dlg.EditorText(), "y.mp3\r\n");
    dlg.SetEditorText("y2.mp3\r\n");
    dlg.Click(IDC_RENAME);
    EXPECT_EQ(ReadWideFile(music + nfdSongs + L"\\y2.mp3"), "y");

    // Renamed by their labels; the hidden extension is kept.
    ASSERT_TRUE(StartEdit(dlg, hSigur));
    EXPECT_TRUE(TypeAndLeave(dlg, "Sigur").empty());
    ASSERT_TRUE(StartEdit(dlg, hBjork));
    EXPECT_TRUE(TypeAndLeave(dlg, "Bjork 2").empty());
    ASSERT_TRUE(StartEdit(dlg, hSongs));
    EXPECT_TRUE(TypeAndLeave(dlg, "노래 2").empty());
    const std::wstring songs2 = WideText(CString("노래 2").str());
    EXPECT_EQ(ListWideNames(music), (std::vector<std::wstring>{L"Bjork 2", L"Sigur.mp3", songs2}));
    EXPECT_EQ(ReadWideFile(music + L"Bjork 2\\x2.mp3"), "x");
    EXPECT_EQ(ReadWideFile(music + songs2 + L"\\y2.mp3"), "y");
    EXPECT_STREQ(dlg.m_tree.GetItemText(hBjork), "Bjork 2");

    // A typed name the code page cannot hold is refused, not converted.
    ASSERT_TRUE(StartEdit(dlg, hBjork));
    MessageBoxWatcher boxes;
    SendMessageW(dlg.m_tree.GetEditControl()->GetSafeHwnd(), WM_SETTEXT, 0, (LPARAM)L"Bj\x00F6rk 3");
    SetFocus(dlg.Item(IDC_NAMES_EDIT));
    for (DWORD start = GetTickCount(); boxes.Boxes().empty() && GetTickCount() - start < 5000;)
        PumpMessages(20);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text,
              Text(IDS_CANNOT_RENAME, {"Bjork 2", CString::FormatMessageText(ERROR_INVALID_NAME).str()}));
    CancelEdit(dlg);
    EXPECT_EQ(ListWideNames(music), (std::vector<std::wstring>{L"Bjork 2", L"Sigur.mp3", songs2}));

    // Where the file system keeps no short names, such entries are not
    // shown at all.
    ASSERT_TRUE(CreateDirectoryW((music + bjork).c_str(), NULL));
    ASSERT_TRUE(WriteWideFile(music + sigur + L".mp3", "sigur"));
    StandInShell shell;
    shell.bNoShortNames = true;
    dlg.m_tree.SetShellService(&shell);
    dlg.CloseItem(hMusic);
    dlg.OpenItem(hMusic);
    std::vector<std::wstring> labels;
    for (HTREEITEM h = dlg.m_tree.GetChildItem(hMusic); h; h = dlg.m_tree.GetNextSiblingItem(h))
        labels.push_back(WideLabel(dlg, h));
    EXPECT_EQ(labels, (std::vector<std::wstring>{L"Bjork 2", songs2, L"Sigur"}));
    dlg.m_tree.SetShellService(NULL);
}
