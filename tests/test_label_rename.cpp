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
        const char* label;
        const char* disk;
        const char* typed;
        const char* wanted;
    } cases[] = {
        // The name on disk shown as it is: the typed text, extension or not.
        {"song.mp3", "song.mp3", "tune.mp3", "tune.mp3"},
        {"song.mp3", "song.mp3", "tune", "tune"},
        {"앨범", "앨범", "새 앨범", "새 앨범"},
        // The shell hides the extension: it stays, and is not doubled.
        {"song", "song.mp3", "tune", "tune.mp3"},
        {"song", "song.mp3", "tune.mp3", "tune.mp3"},
        {"song", "song.mp3", "tune.MP3", "tune.MP3"},
        {"song", "song.mp3", "tune.mp3.mp3", "tune.mp3.mp3"},
        {"song", "song.mp3", "SONG", "SONG.mp3"},
        {"노래", "노래.mp3", "봄", "봄.mp3"},
        {"a.b", "a.b.mp3", "c", "c.mp3"},
        {"folder", "folder.mp3", "other", "other.mp3"},
        // A name that is all extension is shown whole.
        {".mp3", ".mp3", "x", "x"},
        {"h", "h.", "x", "x"},
        // Another display name (a localized folder): the typed text.
        {"음악", "Music", "노래", "노래"},
        {"음악", "Music", "Music", "Music"},
        {"song", "song", "tune", "tune"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(NameFromLabelEdit(c.label, c.disk, c.typed), c.wanted) << c.label << " " << c.typed;
}

TEST(LabelRename, RefusalsLeaveTheDiskAlone)
{
    TempFolder dir("label");
    ASSERT_TRUE(MakeFolder(dir / "a"));
    ASSERT_TRUE(MakeFolder(dir / "b"));
    ASSERT_TRUE(WriteFileBytes(dir / "c.txt", "c"));
    ASSERT_TRUE(WriteFileBytes(dir / "song.mp3", "s"));
    const CString strParent = dir.Path().c_str();

    // The label left as it was, or a name that comes back to the name on
    // disk: nothing, not even a rename of "Music" to its display name.
    EXPECT_EQ(RenameByLabel(strParent, "a", "a", "a").outcome, LABEL_UNCHANGED);
    EXPECT_EQ(RenameByLabel(strParent, "음악", "a", "음악").outcome, LABEL_UNCHANGED);
    EXPECT_EQ(RenameByLabel(strParent, "song", "song.mp3", "song.mp3").outcome, LABEL_UNCHANGED);

    // Empty is the typed text itself, before any extension is kept.
    LabelRenameResult r = RenameByLabel(strParent, "song", "song.mp3", "");
    EXPECT_EQ(r.outcome, LABEL_EMPTY);
    EXPECT_EQ(r.strMessage.str(), Text(IDS_NAME_REQUIRED));
    EXPECT_EQ(r.strCaption.str(), Text(IDS_RENAME_CAPTION));

    const std::string kInUse = Text(IDS_NAME_IN_USE, {"a"});
    for (const char* name : {"b", "c.txt", "B"}) {
        // A sibling folder, a sibling file, the sibling under another case.
        r = RenameByLabel(strParent, "a", "a", name);
        EXPECT_EQ(r.outcome, LABEL_NAME_IN_USE) << name;
        EXPECT_EQ(r.strMessage.str(), kInUse) << name;
        EXPECT_EQ(r.strCaption.str(), Text(IDS_RENAME_ERROR_CAPTION));
    }
    // Checked on the name on disk that results; named by the label.
    r = RenameByLabel(strParent, "a-label", "a", "c.txt");
    EXPECT_EQ(r.strMessage.str(), Text(IDS_NAME_IN_USE, {"a-label"}));
    EXPECT_EQ(ListFolderNames(dir.Path()), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ListFileNames(dir.Path()), (std::vector<std::string>{"c.txt", "song.mp3"}));
}

TEST(LabelRename, FailuresOfTheFileSystemAreReportedNotShownAsDone)
{
    TempFolder dir("label");
    ASSERT_TRUE(MakeFolder(dir / "a"));
    const CString strParent = dir.Path().c_str();

    // Names Windows rejects, or would store under another name.
    for (const char* bad : {"x:y", "b.", "sub\\b", "NUL", "x*"}) {
        LabelRenameResult r = RenameByLabel(strParent, "a", "a", bad);
        EXPECT_EQ(r.outcome, LABEL_FAILED) << bad;
    }
    LabelRenameResult r = RenameByLabel(strParent, "a", "a", "x?y");
    EXPECT_EQ(r.outcome, LABEL_FAILED);
    EXPECT_EQ(r.strMessage.str(), Text(IDS_CANNOT_RENAME, {"a", CString::FormatMessageText(ERROR_INVALID_NAME).str()}));
    EXPECT_EQ(r.strCaption.str(), Text(IDS_RENAME_ERROR_CAPTION));

    // A folder removed meanwhile.
    r = RenameByLabel(strParent, "gone", "gone", "here");
    EXPECT_EQ(r.outcome, LABEL_FAILED);
    EXPECT_EQ(r.strMessage.str().find(Text(IDS_CANNOT_RENAME, {"gone", ""})), 0u);
    EXPECT_FALSE(PathExists(dir / "here"));

    // A placeholder row has no name on disk: nothing is renamed, and above
    // all not the folder it stands in.
    r = RenameByLabel(strParent + "a\\", "", "", "typed");
    EXPECT_EQ(r.outcome, LABEL_FAILED);
    r = RenameByLabel("", "", "", "typed");
    EXPECT_EQ(r.outcome, LABEL_FAILED);

    EXPECT_EQ(ListFolderNames(dir.Path()), (std::vector<std::string>{"a"}));
    EXPECT_EQ(ListFolderNames(dir / "a"), (std::vector<std::string>{}));
}

TEST(LabelRename, ARenameKeepsTheContentsAndTellsTheNewName)
{
    TempFolder dir("label");
    ASSERT_TRUE(MakeFolder(dir / "앨범"));
    ASSERT_TRUE(WriteFileBytes(dir / "앨범\\x.mp3", "music"));
    LabelRenameResult r = RenameByLabel(dir.Path().c_str(), "앨범", "앨범", "새 앨범");
    EXPECT_EQ(r.outcome, LABEL_RENAMED);
    EXPECT_EQ(ListFolderNames(dir.Path()), (std::vector<std::string>{"새 앨범"}));
    EXPECT_EQ(ReadFileBytes(dir / "새 앨범\\x.mp3"), "music");
    EXPECT_STREQ(r.strNewName, "새 앨범");
    EXPECT_EQ(r.strOldPath.str(), dir.Path() + CString("앨범").str());
    EXPECT_EQ(r.strNewPath.str(), dir.Path() + CString("새 앨범").str());

    // An ".mp3" file whose label hides its extension keeps the extension.
    const CString strAlbum = (dir.Path() + CString("새 앨범\\").str()).c_str();
    r = RenameByLabel(strAlbum, "x", "x.mp3", "y");
    EXPECT_EQ(r.outcome, LABEL_RENAMED);
    EXPECT_STREQ(r.strNewName, "y.mp3");
    EXPECT_EQ(ReadFileBytes(dir / "새 앨범\\y.mp3"), "music");

    // A change of letter case alone is a rename: the name in use is the
    // item's own.
    r = RenameByLabel(strAlbum, "y", "y.mp3", "Y");
    EXPECT_EQ(r.outcome, LABEL_RENAMED);
    EXPECT_EQ(ListFileNames(dir / "새 앨범"), (std::vector<std::string>{"Y.mp3"}));
    r = RenameByLabel(dir.Path().c_str(), "새 앨범", "새 앨범", "새 ALBUM");
    EXPECT_EQ(r.outcome, LABEL_RENAMED);
    ASSERT_TRUE(MakeFolder(dir / "Other"));
    r = RenameByLabel(dir.Path().c_str(), "Other", "Other", "OTHER");
    EXPECT_EQ(r.outcome, LABEL_RENAMED);
    EXPECT_EQ(ListFolderNames(dir.Path()), (std::vector<std::string>{"OTHER", CString("새 ALBUM").str()}));
}

TEST(NameCheck, NamesWindowsWouldRefuseOrAlterAreNotHandedOn)
{
    EXPECT_TRUE(IsAcceptableName("a.txt", false));
    EXPECT_TRUE(IsAcceptableName("노래 01.mp3", false));
    EXPECT_TRUE(IsAcceptableName(".hidden", false));
    EXPECT_TRUE(IsAcceptableName("con1.txt", false));
    EXPECT_TRUE(IsAcceptableName("com0", false));
    EXPECT_TRUE(IsAcceptableName("nul_x", false));
    for (const char* bad : {"", "a.", "a ", ".", "..", "x:y", "a?b", "a*", "<a>", "a|b", "a\"b", "tab\there", "CON",
                            "nul.txt", "Com1", "lpt9.mp3", "AUX .x", "conin$", "CONOUT$.txt", "COM¹", "lpt³.mp3",
                            "a\xB0", "\xC9\x21z"}) {
        EXPECT_FALSE(IsAcceptableName(bad, true)) << bad;
        EXPECT_FALSE(IsAcceptableName(bad, false)) << bad;
    }
    // Folder parts move the file where allowed; a label is one name only.
    for (const char* moved : {"sub\\a.txt", "..\\a.txt", "sub/a.txt", ".\\a.txt", "\\a.txt"}) {
        EXPECT_TRUE(IsAcceptableName(moved, true)) << moved;
        EXPECT_FALSE(IsAcceptableName(moved, false)) << moved;
    }
    for (const char* bad : {"sub\\", "sub\\..", "con\\a.txt", "sub.\\a.txt", "a:\\b"})
        EXPECT_FALSE(IsAcceptableName(bad, true)) << bad;
    // Code page 949 has no trail byte with the value of a separator or of a
    // refused character, so a byte walk cannot mistake one.
    const char kLead5C[] = {(char)0xB0, 0x5C, 0};
    const char kLead7C[] = {(char)0xB0, 0x7C, 0};
    EXPECT_EQ(MultiByteToWideChar(949, MB_ERR_INVALID_CHARS, kLead5C, 2, NULL, 0), 0);
    EXPECT_EQ(MultiByteToWideChar(949, MB_ERR_INVALID_CHARS, kLead7C, 2, NULL, 0), 0);
    EXPECT_EQ(LastPartStart("sub\\a.txt"), 4);

    // Only a name whose UTF-8 form passes 255 bytes can be cut by a file
    // system that counts those bytes.
    std::string korean85, korean86;
    for (int i = 0; i < 85; ++i)
        korean85 += CString("가").str();
    korean86 = korean85 + CString("가").str();
    EXPECT_FALSE(MayBeStoredShortened(CString(korean85)));
    EXPECT_TRUE(MayBeStoredShortened(CString(korean86)));
    EXPECT_FALSE(MayBeStoredShortened(CString(std::string(255, 'a'))));
    EXPECT_TRUE(MayBeStoredShortened(CString(std::string(256, 'a'))));
}
