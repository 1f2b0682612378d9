// Applying the name editor's lines to the files on disk, and the report of
// the renames that failed.
#include <gtest/gtest.h>

#include "names/NameList.h"
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

}  // namespace

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
    // Onto a listed file, onto a folder, and a swap of the other two.
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

    // Exchanging two names fails for both, and the report says so.
    failures = Apply("b.txt\r\na.txt\r\nc.txt\r\n");
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(FormatRenameReport(m_nCount, failures).str(),
              Text(IDS_RENAME_REPORT, {"3", "2"}) + "\n" +
                  Text(IDS_REPORT_LINE, {"a.txt", "b.txt", Reason(ERROR_ALREADY_EXISTS)}) + "\n" +
                  Text(IDS_REPORT_LINE, {"b.txt", "a.txt", Reason(ERROR_ALREADY_EXISTS)}));
    EXPECT_EQ(Cur(0), "a.txt");
    EXPECT_EQ(Cur(1), "b.txt");
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, RenamesRunInListOrder)
{
    Load({"a", "b", "c"});
    // "a" frees its name before "b" takes it; "c" then takes "b"'s old name.
    EXPECT_TRUE(Apply("x\r\na\r\nb\r\n").empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"a", "b", "x"}));
    ExpectListMatchesDisk();
    EXPECT_EQ(ReadFileBytes(m_dir / "a"), "b");

    // The other way round: the first wants the name the second still holds.
    auto failures = Apply("a\r\ny\r\nb\r\n");
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].nIndex, 0);
    EXPECT_EQ(Cur(0), "x");
    EXPECT_EQ(Cur(1), "y");
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"b", "x", "y"}));
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, MissingAndEmptyLinesFail)
{
    Load({"a", "b", "c", "d"});
    // An empty line, then a last line whose "\r\n" was deleted; past that,
    // the files get no line at all.
    auto failures = Apply("x\r\n\r\nz");
    ASSERT_EQ(failures.size(), 3u);
    EXPECT_EQ(Cur(0), "x");
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(failures[k].nIndex, k + 1);
        EXPECT_EQ(failures[k].strOldName, m_original[k + 1]);
        EXPECT_EQ(failures[k].strNewName.str(), "");
        EXPECT_EQ(failures[k].dwError, (DWORD)ERROR_INVALID_NAME);
        EXPECT_EQ(failures[k].strReason.str(), Reason(ERROR_INVALID_NAME));
    }
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"b", "c", "d", "x"}));
    ExpectListMatchesDisk();

    // Lines past the count change nothing.
    EXPECT_TRUE(Apply("x\r\nb\r\nc\r\nd\r\nextra1\r\nextra2\r\n").empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{"b", "c", "d", "x"}));
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
    Load({"a.txt", "가.txt"});
    auto failures = Apply("A.TXT\r\n가.TXT\r\n");
    Names onDisk = ListFileNames(m_dir.Path());
    ASSERT_EQ(onDisk.size(), 2u);
    // Whatever the platform does, the list agrees with the disk and only a
    // file that did not take its line is reported.
    size_t nFailed = 0;
    for (int i = 0; i < 2; ++i) {
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
