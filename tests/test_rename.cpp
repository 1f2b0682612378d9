// Applying the name editor's lines to the files on disk, and the report of
// the renames that failed.
#include <gtest/gtest.h>

#include "names/NameList.h"
#include "names/RenamePlan.h"
#include "names/RenameRecord.h"
#include "names/Renamer.h"
#include "platform/FileSystem.h"
#include "res/resource.h"
#include "support/TestSupport.h"

namespace {

typedef std::vector<std::string> Names;

// A throwaway folder loaded into a name list as the dialog loads it; each
// file holds its original name, so that its content tells which file it is.
class RenameTest : public testing::Test {
protected:
    void Load(const Names& files)
    {
        ASSERT_TRUE(WriteNamedFiles(m_dir.Path(), files));
        m_cur.assign(MAX_NAMES, CString());
        m_new.assign(MAX_NAMES, CString());
        m_nCount = ListFolderFiles(CString(m_dir.Path()), m_cur.data());
        m_original.assign(m_cur.begin(), m_cur.begin() + m_nCount);
    }
    std::vector<RenameFailure> Apply(const std::string& text)
    {
        return ApplyRenames(CString(m_dir.Path()), CString(text), m_nCount, m_cur.data(), m_new.data());
    }
    std::string Cur(int i) const { return m_cur[i].str(); }
    // Every listed file is where its current name says, with its own content.
    void ExpectListMatchesDisk()
    {
        for (int i = 0; i < m_nCount; ++i)
            EXPECT_EQ(ReadFileBytes(m_dir / Cur(i)), m_original[i].str()) << "entry " << i << " " << Cur(i);
    }

    TempFolder m_dir{"ren"};
    std::vector<CString> m_cur, m_new, m_original;
    int m_nCount = 0;
};

std::string Reason(DWORD dwError)
{
    return CString::FormatMessageText(dwError).str();
}

// The plan for files cur renamed to lines, as "from>to" per move ("*" for
// the temporary name), and "i!error" per refusal.
std::string Plan(const Names& cur, const Names& lines, const char* folder = "C:\\f\\")
{
    std::vector<CString> c(cur.begin(), cur.end()), n(lines.begin(), lines.end());
    RenamePlan plan = PlanRenames(folder, c.data(), n.data(), (int)c.size());
    std::string out;
    for (const RenameMove& m : plan.moves) {
        out += out.empty() ? "" : " ";
        out += (m.kind == MOVE_FROM_TEMP ? std::string("*") : m.strFrom.str()) + ">" +
               (m.kind == MOVE_TO_TEMP ? std::string("*") : m.strTo.str());
        if ((m.kind == MOVE_TO_TEMP) != (m.strTo == plan.strTempName) ||
            (m.kind == MOVE_FROM_TEMP) != (m.strFrom == plan.strTempName))
            out += "?";
    }
    for (const RenameRefusal& r : plan.refusals)
        out += (out.empty() ? "" : " ") + std::to_string(r.nIndex) + "!" + std::to_string(r.dwError);
    return out;
}

}  // namespace

// The planning alone, on names: no disk is involved.
TEST(RenamePlan, ChainsWaitForTheHolderOfTheirNameAndCyclesGoThroughATemporaryName)
{
    // A shift by one: the file at the far end of the chain goes first,
    // whatever the order of the lines; independent files keep list order.
    EXPECT_EQ(Plan({"1", "2", "3"}, {"2", "3", "4"}), "3>4 2>3 1>2");
    EXPECT_EQ(Plan({"p", "2", "3", "1", "q"}, {"p2", "3", "4", "2", "q2"}), "p>p2 3>4 2>3 1>2 q>q2");
    // A swap and a rotation of three, each through the temporary name.
    EXPECT_EQ(Plan({"a", "b"}, {"b", "a"}), "a>* b>a *>b");
    EXPECT_EQ(Plan({"a", "b", "c", "d"}, {"b", "c", "a", "d"}), "a>* c>a b>c *>b");
    // Two cycles and a chain into a file placed before: each in turn.
    EXPECT_EQ(Plan({"a", "b", "x", "y", "z"}, {"b", "a", "y", "x", "b2"}), "a>* b>a *>b x>* y>x *>y z>b2");
    EXPECT_EQ(Plan({"a", "b"}, {"a2", "a"}), "a>a2 b>a");
}

TEST(RenamePlan, NamesCompareAsWindowsComparesThem)
{
    // Letter case, folder parts, Greek and full-width letters: each line
    // names the file that still holds that name, so it waits for it.
    EXPECT_EQ(Plan({"x", "B"}, {"b", "y"}), "B>y x>b");
    EXPECT_EQ(Plan({"x", "b"}, {"sub\\..\\b", "y"}), "b>y x>sub\\..\\b");
    EXPECT_EQ(Plan({"x", "Α.txt"}, {"α.txt", "y"}), "Α.txt>y x>α.txt");
    EXPECT_EQ(Plan({"x", "Ａ"}, {"ａ", "y"}), "Ａ>y x>ａ");
    // "sub\b" is another file: no wait.
    EXPECT_EQ(Plan({"x", "b"}, {"sub\\b", "y"}), "x>sub\\b b>y");
}

TEST(RenamePlan, OneFileTriesEachNameAndHopelessLinesAreRefusedBeforeTheDisk)
{
    const std::string inUse = std::to_string(ERROR_ALREADY_EXISTS);
    // The first line in list order tries, the later ones are in use.
    EXPECT_EQ(Plan({"a", "b", "c"}, {"z", "Z", "z"}), "a>z 1!" + inUse + " 2!" + inUse);
    // A file whose line is its own name keeps it: unchanged, or with other
    // letter case, which goes before anyone else.
    EXPECT_EQ(Plan({"a", "b"}, {"b", "b"}), "a>b");
    EXPECT_EQ(Plan({"a", "b"}, {"B", "B"}), "b>B 0!" + inUse);
    // Names Windows would refuse or alter, and paths too long.
    EXPECT_EQ(Plan({"a", "b", "c"}, {"", "b.", std::string(300, 'L')}),
              "0!" + std::to_string(ERROR_INVALID_NAME) + " 1!" + std::to_string(ERROR_INVALID_NAME) + " 2!" +
                  std::to_string(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(Plan({"a"}, {"a"}), "");
    // The temporary name is no listed file's name and no line's.
    std::vector<CString> cur = {"~quorvel-1.tmp", "b"}, lines = {"b", "~QUORVEL-2.TMP"};
    RenamePlan plan = PlanRenames("C:\\f\\", cur.data(), lines.data(), 2);
    EXPECT_EQ(plan.strTempName.Left(9).str(), RENAME_TEMP_PREFIX);
    for (const CString& taken : {cur[0], lines[1]})
        EXPECT_NE(plan.strTempName.CompareNoCase(taken), 0);
}

TEST_F(RenameTest, RenamesEachFileToItsLine)
{
    Load({"a.txt", "b.txt", "c.txt"});
    auto failures = Apply("가나다.txt\r\nb.txt\r\n새 이름 (2).mp3\r\n");
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"b.txt", "가나다.txt", "새 이름 (2).mp3"}));
    EXPECT_EQ(Cur(0), "가나다.txt");
    EXPECT_EQ(Cur(2), "새 이름 (2).mp3");
    EXPECT_EQ(m_new[1].str(), "b.txt");
    ExpectListMatchesDisk();

    // Renaming back from Korean names works the same way.
    EXPECT_TRUE(Apply("a.txt\r\nb.txt\r\nc.txt\r\n").empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"a.txt", "b.txt", "c.txt"}));
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, UnchangedLinesAreNotRenamed)
{
    Load({"a.txt", "b.txt"});
    // A file held open without delete sharing cannot be renamed, even onto
    // itself: an unchanged line must not even try.
    HANDLE h = CreateFileA((m_dir / "a.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CString text = JoinNames(m_cur.data(), m_nCount);
    EXPECT_TRUE(Apply(text.str()).empty());
    EXPECT_TRUE(Apply(text.str()).empty());

    // A real rename of the open file fails and is reported.
    auto failures = Apply("c.txt\r\nb.txt\r\n");
    CloseHandle(h);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].nIndex, 0);
    EXPECT_EQ(failures[0].strOldName.str(), "a.txt");
    EXPECT_EQ(failures[0].strNewName.str(), "c.txt");
    EXPECT_NE(failures[0].dwError, 0u);
    EXPECT_EQ(failures[0].strReason.str(), Reason(failures[0].dwError));
    EXPECT_EQ(Cur(0), "a.txt");
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"a.txt", "b.txt"}));
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, ExistingNamesAreNeverReplaced)
{
    Load({"a.txt", "b.txt", "c.txt"});
    ASSERT_TRUE(MakeFolder(m_dir / "sub"));
    ASSERT_TRUE(WriteFileBytes(m_dir / "sub\\inner.txt", "inner"));
    // Onto a listed file that cannot move (its line names a folder), onto
    // that folder, and onto the first line's name again.
    auto failures = Apply("b.txt\r\nsub\r\nb.txt\r\n");
    ASSERT_EQ(failures.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(failures[i].nIndex, i);
        EXPECT_EQ(failures[i].strOldName, m_original[i]);
        EXPECT_EQ(failures[i].dwError, (DWORD)ERROR_ALREADY_EXISTS);
        EXPECT_EQ(failures[i].strReason.str(), Reason(ERROR_ALREADY_EXISTS));
    }
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(ReadFileBytes(m_dir / "sub\\inner.txt"), "inner");
    ExpectListMatchesDisk();

    // Every file refused: the report gives each with its reason.
    EXPECT_EQ(FormatRenameReport(m_nCount, failures).str(),
              Text(IDS_RENAME_REPORT, {"3", "3"}) + "\n" +
                  Text(IDS_REPORT_LINE, {"a.txt", "b.txt", Reason(ERROR_ALREADY_EXISTS)}) + "\n" +
                  Text(IDS_REPORT_LINE, {"b.txt", "sub", Reason(ERROR_ALREADY_EXISTS)}) + "\n" +
                  Text(IDS_REPORT_LINE, {"c.txt", "b.txt", Reason(ERROR_ALREADY_EXISTS)}));
}

TEST_F(RenameTest, RenamesRunInListOrder)
{
    Load({"a", "b", "c"});
    // "a" frees its name before "b" takes it; "c" then takes "b"'s old name.
    EXPECT_TRUE(Apply("x\r\na\r\nb\r\n").empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"a", "b", "x"}));
    ExpectListMatchesDisk();
    EXPECT_EQ(ReadFileBytes(m_dir / "a"), "b");

    // The other way round: the first wants the name the second still
    // holds, so the second goes first.
    EXPECT_TRUE(Apply("a\r\ny\r\nb\r\n").empty());
    EXPECT_EQ(Cur(0), "a");
    EXPECT_EQ(Cur(1), "y");
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"a", "b", "y"}));
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, ShiftsSwapsAndRotationsGoThroughAndLeaveNoTemporaryName)
{
    // The temporary name the plan picks is held on disk by a folder the
    // list does not show: another one is taken.
    ASSERT_TRUE(MakeFolder(m_dir / RENAME_TEMP_PREFIX "1.tmp"));
    Load({"1.mp3", "2.mp3", "3.mp3", "a", "b", "x", "y", "z"});
    EXPECT_TRUE(Apply("2.mp3\r\n3.mp3\r\n4.mp3\r\nb\r\na\r\ny\r\nz\r\nx\r\n").empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"2.mp3", "3.mp3", "4.mp3", "a", "b", "x", "y", "z"}));
    EXPECT_EQ(ReadFileBytes(m_dir / "4.mp3"), "3.mp3");
    EXPECT_EQ(ReadFileBytes(m_dir / "a"), "b");
    EXPECT_EQ(ReadFileBytes(m_dir / "x"), "z");
    EXPECT_EQ(ListFolderNames(m_dir.Path()), (Names{RENAME_TEMP_PREFIX "1.tmp"}));
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, ACycleThatCannotCompleteIsUndoneWholeAndABrokenChainStops)
{
    Load({"a", "b", "c"});
    // A file held open without delete sharing cannot move: the rotation
    // fails at its first step (c -> a) and then at its last but one (b -> c).
    for (const char* locked : {"c", "b"}) {
        SCOPED_TRACE(locked);
        HANDLE h = CreateFileA((m_dir / locked).c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        auto failures = Apply("b\r\nc\r\na\r\n");
        CloseHandle(h);
        ASSERT_EQ(failures.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(failures[i].nIndex, i);
            EXPECT_EQ(failures[i].strOldName, m_original[i]);
            EXPECT_EQ(failures[i].dwError, failures[0].dwError);
        }
        EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"a", "b", "c"}));
        ExpectListMatchesDisk();
    }

    // The far end of a chain cannot move (a folder holds its name): the
    // files waiting for it keep their names too.
    ASSERT_TRUE(MakeFolder(m_dir / "d"));
    auto failures = Apply("b\r\nc\r\nd\r\n");
    ASSERT_EQ(failures.size(), 3u);
    for (const RenameFailure& f : failures)
        EXPECT_EQ(f.dwError, (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"a", "b", "c"}));
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, TakingBackRenamesTheRenamedFilesBackOrSaysWhyNot)
{
    Load({"a", "b", "c", "d", "e"});
    ASSERT_TRUE(MakeFolder(m_dir / "sub"));
    // A swap, a rename, a move into a subfolder, an unchanged line and a
    // refused one: the record keeps the three files that changed name.
    auto rename = [&] {
        std::vector<CString> before(m_cur.begin(), m_cur.begin() + m_nCount);
        Apply("b\r\na\r\nc2\r\nd\r\ne?\r\n");
        CRenameRecord record;
        EXPECT_TRUE(record.Keep(CString(m_dir.Path()), before.data(), m_cur.data(), m_nCount));
        EXPECT_FALSE(CRenameRecord().Keep(CString(m_dir.Path()), before.data(), before.data(), m_nCount));
        return record;
    };
    CRenameRecord record = rename();
    ASSERT_EQ(record.GetCount(), 3);
    std::vector<CString> now;
    EXPECT_TRUE(record.TakeBack(now).empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"a", "b", "c", "d", "e"}));
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(now[k], record.GetOldNames()[k]);
    for (const char* name : {"a", "b", "c", "d", "e"})
        EXPECT_EQ(ReadFileBytes(m_dir / name), name);

    // Changes made between the two: a renamed file moved away, and its old
    // name taken by a new file. It is reported, the new file is left alone,
    // and the swap goes back all the same.
    m_cur.assign(m_original.begin(), m_original.end());
    m_cur.resize(MAX_NAMES);
    record = rename();
    ASSERT_TRUE(MoveFileA((m_dir / "c2").c_str(), (m_dir / "sub\\away").c_str()));
    ASSERT_TRUE(WriteFileBytes(m_dir / "c", "new c"));
    auto failures = record.TakeBack(now);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].strOldName.str(), "c2");
    EXPECT_EQ(failures[0].strNewName.str(), "c");
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(ReadFileBytes(m_dir / "c"), "new c");
    EXPECT_EQ(ReadFileBytes(m_dir / "a"), "a");
    EXPECT_EQ(FormatRenameReport(record.GetCount(), failures, IDS_UNDO_RENAME_REPORT).str(),
              Text(IDS_UNDO_RENAME_REPORT, {"3", "1"}) + "\n" +
                  Text(IDS_REPORT_LINE, {"c2", "c", failures[0].strReason.str()}));
}

TEST(RenameRecord, FolderPathsFollowARenameOfTheirFolderOrOneAbove)
{
    struct {
        const char *folder, *oldPath, *newPath, *result;
    } cases[] = {
        {"C:\\m\\album\\", "C:\\m\\album", "C:\\m\\앨범", "C:\\m\\앨범\\"},
        {"C:\\m\\album\\cd1\\", "C:\\M", "C:\\music", "C:\\music\\album\\cd1\\"},
        {"C:\\m\\album\\", "C:\\m\\alb", "C:\\m\\x", "C:\\m\\album\\"},
        {"C:\\m\\album\\", "C:\\m\\album\\cd1", "C:\\m\\album\\cd2", "C:\\m\\album\\"},
        {"", "C:\\m", "C:\\n", ""},
    };
    for (const auto& c : cases) {
        CString folder = c.folder;
        EXPECT_EQ(FollowFolderRename(folder, c.oldPath, c.newPath), strcmp(c.folder, c.result) != 0) << c.folder;
        EXPECT_EQ(folder.str(), CString(c.result).str()) << c.folder;
    }
}

TEST_F(RenameTest, EmptyLinesFailAndFilesWithoutALineKeepTheirNames)
{
    Load({"a", "b", "c", "d"});
    // An empty line, then a last line without its line break, which is a
    // line all the same; the last file has no line at all.
    auto failures = Apply("x\r\n\r\nz");
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].nIndex, 1);
    EXPECT_EQ(failures[0].strOldName.str(), "b");
    EXPECT_EQ(failures[0].strNewName.str(), "");
    EXPECT_EQ(failures[0].dwError, (DWORD)ERROR_INVALID_NAME);
    EXPECT_EQ(failures[0].strReason.str(), Reason(ERROR_INVALID_NAME));
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"b", "d", "x", "z"}));
    EXPECT_EQ(Cur(3), "d");
    ExpectListMatchesDisk();

    // Lines past the count change nothing; empty lines at the end are no
    // lines, so the files they would stand for keep their names.
    EXPECT_TRUE(Apply("x\r\nb\r\nc\r\nd\r\nextra1\r\nextra2\r\n").empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"b", "c", "d", "x"}));
    EXPECT_TRUE(Apply("x2\r\n\r\n\r\n\r\n").empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"b", "c", "d", "x2"}));
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, NamesThePlatformWouldAlterAreRefused)
{
    Load({"a", "b", "c", "d", "e", "f"});
    ASSERT_TRUE(MakeFolder(m_dir / "sub"));
    // Trailing dot or space would be dropped, "." and ".." resolve to
    // folders, a trailing separator names a folder.
    auto failures = Apply("a.\r\nb \r\n.\r\nsub\\..\r\nsub\\\r\nsub\\f.txt\r\n");
    ASSERT_EQ(failures.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(failures[k].nIndex, k);
        EXPECT_EQ(failures[k].dwError, (DWORD)ERROR_INVALID_NAME) << k;
    }
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"a", "b", "c", "d", "e"}));
    // A separator inside a name moves the file, as the line says.
    EXPECT_EQ(Cur(5), "sub\\f.txt");
    EXPECT_EQ(ListFileNames(m_dir / "sub"), (Names{"f.txt"}));
    ExpectListMatchesDisk();
    // Interior dots and spaces are kept as they are.
    EXPECT_TRUE(Apply("a.b c\r\n b\r\nc\r\nd\r\ne\r\nsub\\f.txt\r\n").empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{" b", "a.b c", "c", "d", "e"}));
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, CaseOnlyRenameIsReportedTruthfully)
{
    // Latin, and Greek and full-width letters, whose case the file system
    // ignores though the C runtime does not fold them.
    Load({"a.txt", "xΩ.txt", "yａ.txt", "가.txt"});
    auto failures = Apply("A.TXT\r\nxω.txt\r\nyＡ.txt\r\n가.TXT\r\n");
    Names onDisk = ListFileNames(m_dir.Path());
    ASSERT_EQ(onDisk.size(), 4u);
    // Whatever the platform does, the list agrees with the disk and only a
    // file that did not take its line is reported.
    size_t nFailed = 0;
    for (int i = 0; i < 4; ++i) {
        bool renamed = std::find(onDisk.begin(), onDisk.end(), m_new[i].str()) != onDisk.end();
        bool kept = std::find(onDisk.begin(), onDisk.end(), m_original[i].str()) != onDisk.end();
        EXPECT_NE(renamed, kept) << i;
        EXPECT_EQ(Cur(i), renamed ? m_new[i].str() : m_original[i].str()) << i;
        if (!renamed) {
            ASSERT_LT(nFailed, failures.size());
            EXPECT_EQ(failures[nFailed].nIndex, i);
            EXPECT_EQ(failures[nFailed].strOldName, m_original[i]);
            ++nFailed;
        }
    }
    EXPECT_EQ(nFailed, failures.size());
    ExpectListMatchesDisk();
}

// A listed file that is no longer there under its exact name is not moved,
// though the file system would find another spelling of it; it is reported.
TEST_F(RenameTest, ASourceGoneFromItsExactNameIsNotMoved)
{
    Load({"Song.txt", "other.txt"});
    ASSERT_TRUE(MoveFileA((m_dir / "Song.txt").c_str(), (m_dir / "tmp").c_str()));
    ASSERT_TRUE(MoveFileA((m_dir / "tmp").c_str(), (m_dir / "song.txt").c_str()));
    auto failures = Apply("other2.txt\r\nnew.txt\r\n");
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].nIndex, 1);
    EXPECT_EQ(failures[0].dwError, (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"other2.txt", "song.txt"}));
    // The same without a view of the folder taken beforehand.
    EXPECT_EQ(RenamePath(CString(m_dir / "Song.txt"), CString(m_dir / "x.txt")), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadFileBytes(m_dir / "song.txt"), "Song.txt");
}

TEST(RenameReport, CountLineTenFailuresThenEllipsis)
{
    std::vector<RenameFailure> failures;
    for (int i = 0; i < 12; ++i)
        failures.push_back({i, CString("옛" + std::to_string(i)), CString("새" + std::to_string(i)),
                            CString("이유"), ERROR_ALREADY_EXISTS});

    std::vector<RenameFailure> ten(failures.begin(), failures.begin() + 10);
    auto line = [](int i) {
        return Text(IDS_REPORT_LINE, {CString("옛").str() + std::to_string(i), CString("새").str() + std::to_string(i),
                                      CString("이유").str()});
    };
    std::string expected = Text(IDS_RENAME_REPORT, {"2000", "10"});
    for (int i = 0; i < 10; ++i)
        expected += "\n" + line(i);
    EXPECT_EQ(FormatRenameReport(2000, ten).str(), expected);

    std::string report = FormatRenameReport(12, failures).str();
    EXPECT_EQ(report.substr(0, report.find('\n')), Text(IDS_RENAME_REPORT, {"12", "12"}));
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1 + 10);  // 12 lines
    EXPECT_NE(report.find("\n" + line(9) + "\n" + Text(IDS_REPORT_MORE), 0), std::string::npos);
    EXPECT_EQ(report.substr(report.size() - 4), "\n" + Text(IDS_REPORT_MORE));
    EXPECT_EQ(report.find("옛10"), std::string::npos);
}
