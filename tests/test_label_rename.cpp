// Renaming a folder or an ".mp3" file by its tree label, without a window:
// the two paths, the refusals and the failures the file system reports.
#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "names/NameCheck.h"
#include "res/resource.h"
#include "tree/LabelRename.h"

TEST(LabelRename, PathsCutTheOldLabelOffTheItemPath)
{
    CString strOld, strNew;
    // A folder item's path ends with "\"; the parent part keeps its own.
    MakeLabelRenamePaths("C:\\음악\\앨범\\", "앨범", "새 앨범", strOld, strNew);
    EXPECT_STREQ(strOld, "C:\\음악\\앨범");
    EXPECT_STREQ(strNew, "C:\\음악\\새 앨범");
    // A file item's path has no trailing "\".
    MakeLabelRenamePaths("C:\\음악\\x.mp3", "x.mp3", "y.mp3", strOld, strNew);
    EXPECT_STREQ(strOld, "C:\\음악\\x.mp3");
    EXPECT_STREQ(strNew, "C:\\음악\\y.mp3");
    // A placeholder gives the empty path: the new path is the new name alone.
    MakeLabelRenamePaths("", "", "abc", strOld, strNew);
    EXPECT_STREQ(strOld, "");
    EXPECT_STREQ(strNew, "abc");
}

TEST(LabelRename, RefusalsLeaveTheDiskAlone)
{
    TempFolder dir("label");
    ASSERT_TRUE(MakeFolder(dir / "a"));
    ASSERT_TRUE(MakeFolder(dir / "b"));
    ASSERT_TRUE(WriteFileBytes(dir / "c.txt", "c"));
    const CString strPath = (dir.Path() + "a\\").c_str();

    LabelRenameResult r = RenameByLabel(strPath, "a", "a");
    EXPECT_EQ(r.outcome, LABEL_UNCHANGED);

    r = RenameByLabel(strPath, "a", "");
    EXPECT_EQ(r.outcome, LABEL_EMPTY);
    EXPECT_EQ(r.strMessage.str(), Text(IDS_NAME_REQUIRED));
    EXPECT_EQ(r.strCaption.str(), Text(IDS_RENAME_CAPTION));

    const std::string kInUse = Text(IDS_NAME_IN_USE, {"a"});
    for (const char* name : {"b", "c.txt", "A"}) {
        // A sibling folder, a sibling file, and the folder itself under
        // another case (the status query finds it on a case-blind disk).
        r = RenameByLabel(strPath, "a", name);
        EXPECT_EQ(r.outcome, LABEL_NAME_IN_USE) << name;
        EXPECT_EQ(r.strMessage.str(), kInUse) << name;
        EXPECT_EQ(r.strCaption.str(), Text(IDS_RENAME_ERROR_CAPTION));
    }
    EXPECT_EQ(ListFolderNames(dir.Path()), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ListFileNames(dir.Path()), (std::vector<std::string>{"c.txt"}));
}

TEST(LabelRename, FailuresOfTheFileSystemAreReportedNotShownAsDone)
{
    TempFolder dir("label");
    ASSERT_TRUE(MakeFolder(dir / "a"));
    const CString strPath = (dir.Path() + "a\\").c_str();

    // Names Windows rejects, or would store under another name.
    for (const char* bad : {"x:y", "b.", "sub\\b", "NUL"}) {
        LabelRenameResult r = RenameByLabel(strPath, "a", bad);
        EXPECT_EQ(r.outcome, LABEL_FAILED) << bad;
    }
    LabelRenameResult r = RenameByLabel(strPath, "a", "x?y");
    EXPECT_EQ(r.outcome, LABEL_FAILED);
    EXPECT_EQ(r.strMessage.str(), Text(IDS_CANNOT_RENAME, {"a", CString::FormatMessageText(ERROR_INVALID_NAME).str()}));
    EXPECT_EQ(r.strCaption.str(), Text(IDS_RENAME_ERROR_CAPTION));

    // A label that names nothing on disk (a display name, or a folder
    // removed meanwhile).
    r = RenameByLabel((dir.Path() + "gone\\").c_str(), "gone", "here");
    EXPECT_EQ(r.outcome, LABEL_FAILED);
    EXPECT_EQ(r.strMessage.str().find(Text(IDS_CANNOT_RENAME, {"gone", ""})), 0u);
    EXPECT_FALSE(PathExists(dir / "here"));

    // A placeholder at depth 3 or more: its path is empty, so nothing is
    // there to rename.
    r = RenameByLabel("", "", "typed");
    EXPECT_EQ(r.outcome, LABEL_FAILED);

    EXPECT_EQ(ListFolderNames(dir.Path()), (std::vector<std::string>{"a"}));
}

TEST(LabelRename, ARenameKeepsTheFolderContents)
{
    TempFolder dir("label");
    ASSERT_TRUE(MakeFolder(dir / "앨범"));
    ASSERT_TRUE(WriteFileBytes(dir / "앨범\\x.mp3", "music"));
    LabelRenameResult r = RenameByLabel((dir.Path() + "앨범\\").c_str(), "앨범", "새 앨범");
    EXPECT_EQ(r.outcome, LABEL_RENAMED);
    EXPECT_EQ(ListFolderNames(dir.Path()), (std::vector<std::string>{"새 앨범"}));
    EXPECT_EQ(ReadFileBytes(dir / "새 앨범\\x.mp3"), "music");

    // An ".mp3" file item is renamed the same way.
    r = RenameByLabel((dir.Path() + "새 앨범\\x.mp3").c_str(), "x.mp3", "y.mp3");
    EXPECT_EQ(r.outcome, LABEL_RENAMED);
    EXPECT_EQ(ReadFileBytes(dir / "새 앨범\\y.mp3"), "music");
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
