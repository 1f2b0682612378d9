// Renaming a folder or an ".mp3" file by its tree label, without a window:
// the two paths, the refusals and the failures the file system reports.
#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "names/NameCheck.h"
#include "res/resource.h"
#include "tree/LabelRename.h"

TEST(LabelRename, TheTypedTextBecomesANameOnDisk)
{
    struct {
        const wchar_t* label;
        const wchar_t* disk;
        const wchar_t* typed;
        const wchar_t* wanted;
    } cases[] = {
        // The name on disk shown as it is: the typed text, extension or not.
        {L"song.mp3", L"song.mp3", L"tune.mp3", L"tune.mp3"},
        {L"song.mp3", L"song.mp3", L"tune", L"tune"},
        {L"앨범", L"앨범", L"새 앨범", L"새 앨범"},
        // The shell hides the extension: it stays, and is not doubled.
        {L"song", L"song.mp3", L"tune", L"tune.mp3"},
        {L"song", L"song.mp3", L"tune.mp3", L"tune.mp3"},
        {L"song", L"song.mp3", L"tune.MP3", L"tune.MP3"},
        {L"song", L"song.mp3", L"tune.mp3.mp3", L"tune.mp3.mp3"},
        {L"song", L"song.mp3", L"SONG", L"SONG.mp3"},
        {L"노래", L"노래.mp3", L"봄", L"봄.mp3"},
        {L"a.b", L"a.b.mp3", L"c", L"c.mp3"},
        {L"folder", L"folder.mp3", L"other", L"other.mp3"},
        // A name that is all extension is shown whole.
        {L".mp3", L".mp3", L"x", L"x"},
        {L"h", L"h.", L"x", L"x"},
        // Another display name (a localized folder): the typed text.
        {L"음악", L"Music", L"노래", L"노래"},
        {L"음악", L"Music", L"Music", L"Music"},
        {L"song", L"song", L"tune", L"tune"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(NameFromLabelEdit(c.label, c.disk, c.typed), c.wanted) << c.label << L" " << c.typed;
}

TEST(LabelRename, RefusalsLeaveTheDiskAlone)
{
    TempFolder dir(L"label");
    ASSERT_TRUE(MakeFolder(dir / L"a"));
    ASSERT_TRUE(MakeFolder(dir / L"b"));
    ASSERT_TRUE(WriteFileText(dir / L"c.txt", L"c"));
    ASSERT_TRUE(WriteFileText(dir / L"song.mp3", L"s"));
    const CString strParent = dir.Path();

    // The label left as it was, or a name that comes back to the name on
    // disk: nothing, not even a rename of "Music" to its display name.
    EXPECT_EQ(RenameByLabel(strParent, L"a", L"a", L"a").outcome, LABEL_UNCHANGED);
    EXPECT_EQ(RenameByLabel(strParent, L"음악", L"a", L"음악").outcome, LABEL_UNCHANGED);
    EXPECT_EQ(RenameByLabel(strParent, L"song", L"song.mp3", L"song.mp3").outcome, LABEL_UNCHANGED);

    // Empty is the typed text itself, before any extension is kept.
    LabelRenameResult r = RenameByLabel(strParent, L"song", L"song.mp3", L"");
    EXPECT_EQ(r.outcome, LABEL_EMPTY);

    for (const wchar_t* name : {L"b", L"c.txt", L"B"}) {
        // A sibling folder, a sibling file, the sibling under another case.
        r = RenameByLabel(strParent, L"a", L"a", name);
        EXPECT_EQ(r.outcome, LABEL_NAME_IN_USE) << name;
        EXPECT_EQ(r.strNamed.str(), L"a") << name;
    }
    // Checked on the name on disk that results; named by the label.
    r = RenameByLabel(strParent, L"a-label", L"a", L"c.txt");
    EXPECT_EQ(r.strNamed.str(), L"a-label");
    EXPECT_EQ(ListFolderNames(dir.Path()), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(ListFileNames(dir.Path()), (std::vector<std::wstring>{L"c.txt", L"song.mp3"}));
}

TEST(LabelRename, FailuresOfTheFileSystemAreReportedNotShownAsDone)
{
    TempFolder dir(L"label");
    ASSERT_TRUE(MakeFolder(dir / L"a"));
    const CString strParent = dir.Path();

    // Names Windows rejects, or would store under another name.
    for (const wchar_t* bad : {L"x:y", L"b.", L"sub\\b", L"NUL", L"x*"}) {
        LabelRenameResult r = RenameByLabel(strParent, L"a", L"a", bad);
        EXPECT_EQ(r.outcome, LABEL_FAILED) << bad;
    }
    LabelRenameResult r = RenameByLabel(strParent, L"a", L"a", L"x?y");
    EXPECT_EQ(r.outcome, LABEL_FAILED);
    EXPECT_EQ(r.strNamed.str(), L"a");
    EXPECT_EQ(r.dwError, (DWORD)ERROR_INVALID_NAME);

    // A folder removed meanwhile.
    r = RenameByLabel(strParent, L"gone", L"gone", L"here");
    EXPECT_EQ(r.outcome, LABEL_FAILED);
    EXPECT_EQ(r.strNamed.str(), L"gone");
    EXPECT_FALSE(PathExists(dir / L"here"));

    // A placeholder row has no name on disk: nothing is renamed, and above
    // all not the folder it stands in.
    r = RenameByLabel(strParent + L"a\\", L"", L"", L"typed");
    EXPECT_EQ(r.outcome, LABEL_FAILED);
    r = RenameByLabel(L"", L"", L"", L"typed");
    EXPECT_EQ(r.outcome, LABEL_FAILED);

    EXPECT_EQ(ListFolderNames(dir.Path()), (std::vector<std::wstring>{L"a"}));
    EXPECT_EQ(ListFolderNames(dir / L"a"), (std::vector<std::wstring>{}));
}

TEST(LabelRename, ARenameKeepsTheContentsAndTellsTheNewName)
{
    TempFolder dir(L"label");
    ASSERT_TRUE(MakeFolder(dir / L"앨범"));
    ASSERT_TRUE(WriteFileText(dir / L"앨범\\x.mp3", L"music"));
    LabelRenameResult r = RenameByLabel(dir.Path(), L"앨범", L"앨범", L"새 앨범");
    EXPECT_EQ(r.outcome, LABEL_RENAMED);
    EXPECT_EQ(ListFolderNames(dir.Path()), (std::vector<std::wstring>{L"새 앨범"}));
    EXPECT_EQ(ReadFileText(dir / L"새 앨범\\x.mp3"), L"music");
    EXPECT_STREQ(r.strNewName, L"새 앨범");
    EXPECT_EQ(r.strOldPath.str(), dir.Path() + L"앨범");
    EXPECT_EQ(r.strNewPath.str(), dir.Path() + L"새 앨범");

    // An ".mp3" file whose label hides its extension keeps the extension.
    const CString strAlbum = dir / L"새 앨범\\";
    r = RenameByLabel(strAlbum, L"x", L"x.mp3", L"y");
    EXPECT_EQ(r.outcome, LABEL_RENAMED);
    EXPECT_STREQ(r.strNewName, L"y.mp3");
    EXPECT_EQ(ReadFileText(dir / L"새 앨범\\y.mp3"), L"music");

    // A change of letter case alone is a rename: the name in use is the
    // item's own.
    r = RenameByLabel(strAlbum, L"y", L"y.mp3", L"Y");
    EXPECT_EQ(r.outcome, LABEL_RENAMED);
    EXPECT_EQ(ListFileNames(dir / L"새 앨범"), (std::vector<std::wstring>{L"Y.mp3"}));
    r = RenameByLabel(dir.Path(), L"새 앨범", L"새 앨범", L"새 ALBUM");
    EXPECT_EQ(r.outcome, LABEL_RENAMED);
    ASSERT_TRUE(MakeFolder(dir / L"Other"));
    r = RenameByLabel(dir.Path(), L"Other", L"Other", L"OTHER");
    EXPECT_EQ(r.outcome, LABEL_RENAMED);
    EXPECT_EQ(ListFolderNames(dir.Path()), (std::vector<std::wstring>{L"OTHER", L"새 ALBUM"}));
}

TEST(NameCheck, NamesWindowsWouldRefuseOrAlterAreNotHandedOn)
{
    EXPECT_TRUE(IsAcceptableName(L"a.txt", false));
    EXPECT_TRUE(IsAcceptableName(L"노래 01.mp3", false));
    EXPECT_TRUE(IsAcceptableName(L".hidden", false));
    EXPECT_TRUE(IsAcceptableName(L"con1.txt", false));
    EXPECT_TRUE(IsAcceptableName(L"com0", false));
    EXPECT_TRUE(IsAcceptableName(L"nul_x", false));
    // The last two hold half a surrogate pair: no name can.
    for (const wchar_t* bad : {L"", L"a.", L"a ", L".", L"..", L"x:y", L"a?b", L"a*", L"<a>", L"a|b", L"a\"b",
                               L"tab\there", L"CON", L"nul.txt", L"Com1", L"lpt9.mp3", L"AUX .x", L"conin$",
                               L"CONOUT$.txt", L"COM¹", L"lpt³.mp3", L"a\xD83D", L"\xD83D!z"}) {
        EXPECT_FALSE(IsAcceptableName(bad, true)) << bad;
        EXPECT_FALSE(IsAcceptableName(bad, false)) << bad;
    }
    // Folder parts move the file where allowed; a label is one name only.
    for (const wchar_t* moved : {L"sub\\a.txt", L"..\\a.txt", L"sub/a.txt", L".\\a.txt", L"\\a.txt"}) {
        EXPECT_TRUE(IsAcceptableName(moved, true)) << moved;
        EXPECT_FALSE(IsAcceptableName(moved, false)) << moved;
    }
    for (const wchar_t* bad : {L"sub\\", L"sub\\..", L"con\\a.txt", L"sub.\\a.txt", L"a:\\b"})
        EXPECT_FALSE(IsAcceptableName(bad, true)) << bad;
    EXPECT_EQ(LastPartStart(L"sub\\a.txt"), 4);

    // Only a name whose UTF-8 form passes 255 bytes can be cut by a file
    // system that counts those bytes.
    EXPECT_FALSE(MayBeStoredShortened(CString(std::wstring(85, L'가'))));
    EXPECT_TRUE(MayBeStoredShortened(CString(std::wstring(86, L'가'))));
    EXPECT_FALSE(MayBeStoredShortened(CString(std::wstring(255, L'a'))));
    EXPECT_TRUE(MayBeStoredShortened(CString(std::wstring(256, L'a'))));
}
