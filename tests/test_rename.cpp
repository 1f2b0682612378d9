// Applying the name editor's lines to the files on disk, and the report of
// the renames that failed.
#include <gtest/gtest.h>

#include "dialogs/RenameReport.h"
#include "names/NameList.h"
#include "names/RenamePlan.h"
#include "names/RenameRecord.h"
#include "names/Renamer.h"
#include "framework/afxscope.h"
#include "platform/FileSystem.h"
#include "platform/VolumeKind.h"
#include "res/resource.h"
#include "support/TestSupport.h"

namespace {

typedef std::vector<std::wstring> Names;

// A throwaway folder loaded into a name list as the dialog loads it, names
// shown and names on disk; each file holds its original name, so that its
// content tells which file it is.
class RenameTest : public testing::Test {
protected:
    void Load(const Names& files)
    {
        ASSERT_TRUE(WriteNamedFiles(m_dir.Path(), files));
        CNameList list;
        m_nCount = ListFolderFiles(CString(m_dir.Path()), list);
        Read(list);
        m_original = m_cur;
    }
    // The rename of the names as the checks last left them.
    std::vector<RenameFailure> Apply(const std::wstring& text, CRenameRun* pRun = NULL)
    {
        CNameList list;
        list.Reset(CString(m_dir.Path()));
        for (int i = 0; i < m_nCount; ++i)
            list.Add(m_disk[i], m_cur[i]);
        std::vector<RenameFailure> failures = ApplyRenames(list, CString(text), pRun);
        Read(list);
        return failures;
    }
    void Read(const CNameList& list)
    {
        m_cur = list.ShownNames();
        m_disk = list.DiskNames();
        m_new.clear();
        for (int i = 0; i < list.GetCount(); ++i)
            m_new.push_back(list[i].strNew);
    }
    std::wstring Cur(int i) const { return m_cur[i].str(); }
    // Every listed file is where its name on disk says, with its own
    // content, and shown by that name (all names here are composed).
    void ExpectListMatchesDisk()
    {
        for (int i = 0; i < m_nCount; ++i) {
            EXPECT_EQ(ReadFileText(m_dir / m_disk[i].str()), m_original[i].str()) << "entry " << i << " " << Cur(i);
            EXPECT_EQ(m_disk[i], m_cur[i]) << "entry " << i;
        }
    }

    TempFolder m_dir{L"ren"};
    std::vector<CString> m_cur, m_new, m_disk, m_original;
    int m_nCount = 0;
};

std::wstring Reason(DWORD dwError)
{
    return CString::FormatMessageText(dwError).str();
}

// The plan for files cur renamed to lines, as "from>to" per move ("*" for
// the temporary name), and "i!error" per refusal.
std::wstring Plan(const Names& cur, const Names& lines, const wchar_t* folder = L"C:\\f\\")
{
    std::vector<CString> c(cur.begin(), cur.end()), n(lines.begin(), lines.end());
    RenamePlan plan = PlanRenames(folder, c.data(), n.data(), (int)c.size());
    std::wstring out;
    for (const RenameMove& m : plan.moves) {
        out += out.empty() ? L"" : L" ";
        out += (m.kind == MOVE_FROM_TEMP ? std::wstring(L"*") : m.strFrom.str()) + L">" +
               (m.kind == MOVE_TO_TEMP ? std::wstring(L"*") : m.strTo.str());
        if ((m.kind == MOVE_TO_TEMP) != (m.strTo == plan.strTempName) ||
            (m.kind == MOVE_FROM_TEMP) != (m.strFrom == plan.strTempName))
            out += L"?";
    }
    for (const RenameRefusal& r : plan.refusals)
        out += (out.empty() ? L"" : L" ") + std::to_wstring(r.nIndex) + L"!" + std::to_wstring(r.dwError);
    return out;
}

}  // namespace

// The planning alone, on names: no disk is involved.
TEST(RenamePlan, ChainsWaitForTheHolderOfTheirNameAndCyclesGoThroughATemporaryName)
{
    // A shift by one: the file at the far end of the chain goes first,
    // whatever the order of the lines; independent files keep list order.
    EXPECT_EQ(Plan({L"1", L"2", L"3"}, {L"2", L"3", L"4"}), L"3>4 2>3 1>2");
    EXPECT_EQ(Plan({L"p", L"2", L"3", L"1", L"q"}, {L"p2", L"3", L"4", L"2", L"q2"}), L"p>p2 3>4 2>3 1>2 q>q2");
    // A swap and a rotation of three, each through the temporary name.
    EXPECT_EQ(Plan({L"a", L"b"}, {L"b", L"a"}), L"a>* b>a *>b");
    EXPECT_EQ(Plan({L"a", L"b", L"c", L"d"}, {L"b", L"c", L"a", L"d"}), L"a>* c>a b>c *>b");
    // Two cycles and a chain into a file placed before: each in turn.
    EXPECT_EQ(Plan({L"a", L"b", L"x", L"y", L"z"}, {L"b", L"a", L"y", L"x", L"b2"}), L"a>* b>a *>b x>* y>x *>y z>b2");
    EXPECT_EQ(Plan({L"a", L"b"}, {L"a2", L"a"}), L"a>a2 b>a");
}

TEST(RenamePlan, NamesCompareAsWindowsComparesThem)
{
    // Letter case, folder parts, Greek and full-width letters: each line
    // names the file that still holds that name, so it waits for it.
    EXPECT_EQ(Plan({L"x", L"B"}, {L"b", L"y"}), L"B>y x>b");
    EXPECT_EQ(Plan({L"x", L"b"}, {L"sub\\..\\b", L"y"}), L"b>y x>sub\\..\\b");
    EXPECT_EQ(Plan({L"x", L"Α.txt"}, {L"α.txt", L"y"}), L"Α.txt>y x>α.txt");
    EXPECT_EQ(Plan({L"x", L"Ａ"}, {L"ａ", L"y"}), L"Ａ>y x>ａ");
    // "sub\b" is another file: no wait.
    EXPECT_EQ(Plan({L"x", L"b"}, {L"sub\\b", L"y"}), L"x>sub\\b b>y");
}

TEST(RenamePlan, OneFileTriesEachNameAndHopelessLinesAreRefusedBeforeTheDisk)
{
    const std::wstring inUse = std::to_wstring(ERROR_ALREADY_EXISTS);
    // The first line in list order tries, the later ones are in use.
    EXPECT_EQ(Plan({L"a", L"b", L"c"}, {L"z", L"Z", L"z"}), L"a>z 1!" + inUse + L" 2!" + inUse);
    // A file whose line is its own name keeps it: unchanged, or with other
    // letter case, which goes before anyone else.
    EXPECT_EQ(Plan({L"a", L"b"}, {L"b", L"b"}), L"a>b");
    EXPECT_EQ(Plan({L"a", L"b"}, {L"B", L"B"}), L"b>B 0!" + inUse);
    // Names Windows would refuse or alter, and paths too long.
    EXPECT_EQ(Plan({L"a", L"b", L"c"}, {L"", L"b.", std::wstring(300, 'L')}),
              L"0!" + std::to_wstring(ERROR_INVALID_NAME) + L" 1!" + std::to_wstring(ERROR_INVALID_NAME) + L" 2!" +
                  std::to_wstring(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(Plan({L"a"}, {L"a"}), L"");
    // The temporary name is no listed file's name and no line's.
    std::vector<CString> cur = {L"~quorvel-1.tmp", L"b"}, lines = {L"b", L"~QUORVEL-2.TMP"};
    RenamePlan plan = PlanRenames(L"C:\\f\\", cur.data(), lines.data(), 2);
    EXPECT_EQ(plan.strTempName.Left(9).str(), RENAME_TEMP_PREFIX);
    for (const CString& taken : {cur[0], lines[1]})
        EXPECT_NE(plan.strTempName.CompareNoCase(taken), 0);
}

TEST_F(RenameTest, RenamesEachFileToItsLine)
{
    Load({L"a.txt", L"b.txt", L"c.txt"});
    auto failures = Apply(L"가나다.txt\r\nb.txt\r\n새 이름 (2).mp3\r\n");
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"b.txt", L"가나다.txt", L"새 이름 (2).mp3"}));
    EXPECT_EQ(Cur(0), L"가나다.txt");
    EXPECT_EQ(Cur(2), L"새 이름 (2).mp3");
    EXPECT_EQ(m_new[1].str(), L"b.txt");
    ExpectListMatchesDisk();

    // Renaming back from Korean names works the same way.
    EXPECT_TRUE(Apply(L"a.txt\r\nb.txt\r\nc.txt\r\n").empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"a.txt", L"b.txt", L"c.txt"}));
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, UnchangedLinesAreNotRenamed)
{
    Load({L"a.txt", L"b.txt"});
    // A file held open without delete sharing cannot be renamed, even onto
    // itself: an unchanged line must not even try.
    HANDLE h = CreateFileW((m_dir / L"a.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CString text = JoinNames(m_cur.data(), m_nCount);
    EXPECT_TRUE(Apply(text.str()).empty());
    EXPECT_TRUE(Apply(text.str()).empty());

    // A real rename of the open file fails and is reported.
    auto failures = Apply(L"c.txt\r\nb.txt\r\n");
    CloseHandle(h);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].nIndex, 0);
    EXPECT_EQ(failures[0].strOldName.str(), L"a.txt");
    EXPECT_EQ(failures[0].strNewName.str(), L"c.txt");
    EXPECT_NE(failures[0].dwError, 0u);
    EXPECT_EQ(RenameReasonText(failures[0].dwError).str(), Reason(failures[0].dwError));
    EXPECT_EQ(Cur(0), L"a.txt");
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"a.txt", L"b.txt"}));
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, ExistingNamesAreNeverReplaced)
{
    Load({L"a.txt", L"b.txt", L"c.txt"});
    ASSERT_TRUE(MakeFolder(m_dir / L"sub"));
    ASSERT_TRUE(WriteFileText(m_dir / L"sub\\inner.txt", L"inner"));
    // Onto a listed file that cannot move (its line names a folder), onto
    // that folder, and onto the first line's name again.
    auto failures = Apply(L"b.txt\r\nsub\r\nb.txt\r\n");
    ASSERT_EQ(failures.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(failures[i].nIndex, i);
        EXPECT_EQ(failures[i].strOldName, m_original[i]);
        EXPECT_EQ(failures[i].dwError, (DWORD)ERROR_ALREADY_EXISTS);
        EXPECT_EQ(failures[i].dwError, (DWORD)ERROR_ALREADY_EXISTS);
    }
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"a.txt", L"b.txt", L"c.txt"}));
    EXPECT_EQ(ReadFileText(m_dir / L"sub\\inner.txt"), L"inner");
    ExpectListMatchesDisk();

    // Every file refused: the report gives each with its reason.
    EXPECT_EQ(FormatRenameReport(m_nCount, failures).str(),
              Text(IDS_RENAME_REPORT, {L"3", L"3"}) + L"\n" +
                  Text(IDS_REPORT_LINE, {L"a.txt", L"b.txt", Reason(ERROR_ALREADY_EXISTS)}) + L"\n" +
                  Text(IDS_REPORT_LINE, {L"b.txt", L"sub", Reason(ERROR_ALREADY_EXISTS)}) + L"\n" +
                  Text(IDS_REPORT_LINE, {L"c.txt", L"b.txt", Reason(ERROR_ALREADY_EXISTS)}));
}

TEST_F(RenameTest, RenamesRunInListOrder)
{
    Load({L"a", L"b", L"c"});
    // "a" frees its name before "b" takes it; "c" then takes "b"'s old name.
    EXPECT_TRUE(Apply(L"x\r\na\r\nb\r\n").empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"a", L"b", L"x"}));
    ExpectListMatchesDisk();
    EXPECT_EQ(ReadFileText(m_dir / L"a"), L"b");

    // The other way round: the first wants the name the second still
    // holds, so the second goes first.
    EXPECT_TRUE(Apply(L"a\r\ny\r\nb\r\n").empty());
    EXPECT_EQ(Cur(0), L"a");
    EXPECT_EQ(Cur(1), L"y");
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"a", L"b", L"y"}));
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, ShiftsSwapsAndRotationsGoThroughAndLeaveNoTemporaryName)
{
    // The temporary name the plan picks is held on disk by a folder the
    // list does not show: another one is taken.
    ASSERT_TRUE(MakeFolder(m_dir / RENAME_TEMP_PREFIX L"1.tmp"));
    Load({L"1.mp3", L"2.mp3", L"3.mp3", L"a", L"b", L"x", L"y", L"z"});
    EXPECT_TRUE(Apply(L"2.mp3\r\n3.mp3\r\n4.mp3\r\nb\r\na\r\ny\r\nz\r\nx\r\n").empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"2.mp3", L"3.mp3", L"4.mp3", L"a", L"b", L"x", L"y", L"z"}));
    EXPECT_EQ(ReadFileText(m_dir / L"4.mp3"), L"3.mp3");
    EXPECT_EQ(ReadFileText(m_dir / L"a"), L"b");
    EXPECT_EQ(ReadFileText(m_dir / L"x"), L"z");
    EXPECT_EQ(ListFolderNames(m_dir.Path()), (Names{RENAME_TEMP_PREFIX L"1.tmp"}));
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, ACycleThatCannotCompleteIsUndoneWholeAndABrokenChainStops)
{
    Load({L"a", L"b", L"c"});
    // A file held open without delete sharing cannot move: the rotation
    // fails at its first step (c -> a) and then at its last but one (b -> c).
    for (const wchar_t* locked : {L"c", L"b"}) {
        SCOPED_TRACE(locked);
        HANDLE h = CreateFileW((m_dir / locked).c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        auto failures = Apply(L"b\r\nc\r\na\r\n");
        CloseHandle(h);
        ASSERT_EQ(failures.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(failures[i].nIndex, i);
            EXPECT_EQ(failures[i].strOldName, m_original[i]);
            EXPECT_EQ(failures[i].dwError, failures[0].dwError);
        }
        EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"a", L"b", L"c"}));
        ExpectListMatchesDisk();
    }

    // The far end of a chain cannot move (a folder holds its name): the
    // files waiting for it keep their names too.
    ASSERT_TRUE(MakeFolder(m_dir / L"d"));
    auto failures = Apply(L"b\r\nc\r\nd\r\n");
    ASSERT_EQ(failures.size(), 3u);
    for (const RenameFailure& f : failures)
        EXPECT_EQ(f.dwError, (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"a", L"b", L"c"}));
    ExpectListMatchesDisk();

    // A stop puts a swap back, but the name "a" it freed has been taken
    // meanwhile: that file is a failure under the name it really has.
    static std::wstring taken;
    static int nMoves;
    taken = m_dir / L"a";
    SetBeforeMoveHook([] { ++nMoves == 2 && WriteFileText(taken, L"other"); });
    CRenameRun run;
    run.progress = [](int, int, const CString&) { return false; };
    failures = Apply(L"b\r\na\r\nc\r\n", &run);
    SetBeforeMoveHook(NULL);
    EXPECT_EQ(ReadFileText(m_dir / m_disk[0].str()), L"a");
    EXPECT_EQ(FormatRenameReport(3, failures).str(),
              Text(IDS_RENAME_REPORT, {L"3", L"2"}) + L"\n" + Text(IDS_REPORT_STOPPED, {L"1"}) + L"\n" +
                  Text(IDS_REPORT_LINE, {m_disk[0].str(), L"b", Reason(ERROR_ALREADY_EXISTS)}));
}

TEST_F(RenameTest, TakingBackRenamesTheRenamedFilesBackOrSaysWhyNot)
{
    Load({L"a", L"b", L"c", L"d", L"e"});
    ASSERT_TRUE(MakeFolder(m_dir / L"sub"));
    // A swap, a rename, a move into a subfolder, an unchanged line and a
    // refused one: the record keeps the three files that changed name.
    auto rename = [&] {
        std::vector<CString> before(m_disk.begin(), m_disk.begin() + m_nCount);
        Apply(L"b\r\na\r\nc2\r\nd\r\ne?\r\n");
        CRenameRecord record;
        EXPECT_TRUE(record.Keep(CString(m_dir.Path()), before.data(), m_disk.data(), m_nCount));
        EXPECT_FALSE(CRenameRecord().Keep(CString(m_dir.Path()), before.data(), before.data(), m_nCount));
        return record;
    };
    CRenameRecord record = rename();
    ASSERT_EQ(record.GetCount(), 3);
    std::vector<CString> now;
    EXPECT_TRUE(record.TakeBack(now).empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"a", L"b", L"c", L"d", L"e"}));
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(now[k], record.GetOldNames()[k]);
    for (const wchar_t* name : {L"a", L"b", L"c", L"d", L"e"})
        EXPECT_EQ(ReadFileText(m_dir / name), name);

    // Changes made between the two: a renamed file moved away, and its old
    // name taken by a new file. It is reported, the new file is left alone,
    // and the swap goes back all the same.
    m_disk = m_cur = m_original;
    record = rename();
    ASSERT_TRUE(MoveFileW((m_dir / L"c2").c_str(), (m_dir / L"sub\\away").c_str()));
    ASSERT_TRUE(WriteFileText(m_dir / L"c", L"new c"));
    auto failures = record.TakeBack(now);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].strOldName.str(), L"c2");
    EXPECT_EQ(failures[0].strNewName.str(), L"c");
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"a", L"b", L"c", L"d", L"e"}));
    EXPECT_EQ(ReadFileText(m_dir / L"c"), L"new c");
    EXPECT_EQ(ReadFileText(m_dir / L"a"), L"a");
    EXPECT_EQ(FormatRenameReport(record.GetCount(), failures, IDS_UNDO_RENAME_REPORT).str(),
              Text(IDS_UNDO_RENAME_REPORT, {L"3", L"1"}) + L"\n" +
                  Text(IDS_REPORT_LINE, {L"c2", L"c", RenameReasonText(failures[0].dwError).str()}));
}

// A volume as Wine cannot show one: one whose file numbers change with the
// name, as FAT's change with the directory entry, and whose folder reads
// the file system may not answer, as some network shares do not.
struct StandInVolume : CVolumeService {
    bool bUnreadable = false;
    VolumeKind KindOf(HANDLE) override { return VOLUME_IDS_MOVE; }
    BOOL ReadFolderBlock(HANDLE h, FILE_INFO_BY_HANDLE_CLASS c, void* p, DWORD n) override
    {
        return bUnreadable ? (SetLastError(ERROR_NOT_SUPPORTED), FALSE) : CVolumeService::ReadFolderBlock(h, c, p, n);
    }
    ULONGLONG FileIdOf(ULONGLONG n, const std::wstring& s) override { return n ^ std::hash<std::wstring>()(s); }
};

// The take-back knows a file by what its volume keeps across a rename: its
// size and time where numbers move, its name where the folder cannot be
// read (where a listed file that is a folder now is refused all the same).
TEST_F(RenameTest, TheTakeBackKnowsFilesByWhatTheirVolumeKeeps)
{
    StandInVolume volume;
    SetVolumeService(&volume);
    auto restore = AfxScopeExit([] { SetVolumeService(NULL); });
    Load({L"a", L"b", L"c", L"d"});
    for (int nRow = 0; nRow < 2; ++nRow) {
        volume.bUnreadable = nRow == 1;
        ASSERT_TRUE(nRow != 1 || (DeleteFileW((m_dir / L"d").c_str()) && MakeFolder(m_dir / L"d")));
        CRenameRun run;
        auto failures = Apply(L"b\r\na\r\nc, a longer name\r\nd2\r\n", &run);
        EXPECT_EQ(failures.size() == 1 && failures[0].dwError == RENAME_ERROR_NOW_FOLDER, nRow == 1);
        ASSERT_TRUE(nRow != 1 || (RemoveDirectoryW((m_dir / L"d").c_str()) && WriteFileText(m_dir / L"d", L"d")));
        CRenameRecord record;
        ASSERT_TRUE(record.Keep(CString(m_dir.Path()), m_original.data(), m_disk.data(), m_nCount, run.identities));
        std::vector<CString> now;
        EXPECT_TRUE(record.TakeBack(now).empty());
        m_disk = m_cur = m_original;
        ExpectListMatchesDisk();
    }
}

TEST(RenameRecord, FolderPathsFollowARenameOfTheirFolderOrOneAbove)
{
    struct {
        const wchar_t *folder, *oldPath, *newPath, *result;
    } cases[] = {
        {L"C:\\m\\album\\", L"C:\\m\\album", L"C:\\m\\앨범", L"C:\\m\\앨범\\"},
        {L"C:\\m\\album\\cd1\\", L"C:\\M", L"C:\\music", L"C:\\music\\album\\cd1\\"},
        {L"C:\\m\\album\\", L"C:\\m\\alb", L"C:\\m\\x", L"C:\\m\\album\\"},
        {L"C:\\m\\album\\", L"C:\\m\\album\\cd1", L"C:\\m\\album\\cd2", L"C:\\m\\album\\"},
        {L"", L"C:\\m", L"C:\\n", L""},
    };
    for (const auto& c : cases) {
        CString folder = c.folder;
        EXPECT_EQ(FollowFolderRename(folder, c.oldPath, c.newPath), wcscmp(c.folder, c.result) != 0) << c.folder;
        EXPECT_EQ(folder.str(), c.result) << c.folder;
    }
}

TEST_F(RenameTest, EmptyLinesFailAndFilesWithoutALineKeepTheirNames)
{
    Load({L"a", L"b", L"c", L"d"});
    // An empty line, then a last line without its line break, which is a
    // line all the same; the last file has no line at all.
    auto failures = Apply(L"x\r\n\r\nz");
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].nIndex, 1);
    EXPECT_EQ(failures[0].strOldName.str(), L"b");
    EXPECT_EQ(failures[0].strNewName.str(), L"");
    EXPECT_EQ(failures[0].dwError, (DWORD)ERROR_INVALID_NAME);
    EXPECT_EQ(failures[0].dwError, (DWORD)ERROR_INVALID_NAME);
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"b", L"d", L"x", L"z"}));
    EXPECT_EQ(Cur(3), L"d");
    ExpectListMatchesDisk();

    // Lines past the count change nothing; empty lines at the end are no
    // lines, so the files they would stand for keep their names.
    EXPECT_TRUE(Apply(L"x\r\nb\r\nc\r\nd\r\nextra1\r\nextra2\r\n").empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"b", L"c", L"d", L"x"}));
    EXPECT_TRUE(Apply(L"x2\r\n\r\n\r\n\r\n").empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"b", L"c", L"d", L"x2"}));
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, NamesThePlatformWouldAlterAreRefused)
{
    Load({L"a", L"b", L"c", L"d", L"e", L"f"});
    ASSERT_TRUE(MakeFolder(m_dir / L"sub"));
    // Trailing dot or space would be dropped, "." and ".." resolve to
    // folders, a trailing separator names a folder.
    auto failures = Apply(L"a.\r\nb \r\n.\r\nsub\\..\r\nsub\\\r\nsub\\f.txt\r\n");
    ASSERT_EQ(failures.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(failures[k].nIndex, k);
        EXPECT_EQ(failures[k].dwError, (DWORD)ERROR_INVALID_NAME) << k;
    }
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"a", L"b", L"c", L"d", L"e"}));
    // A separator inside a name moves the file, as the line says.
    EXPECT_EQ(Cur(5), L"sub\\f.txt");
    EXPECT_EQ(ListFileNames(m_dir / L"sub"), (Names{L"f.txt"}));
    ExpectListMatchesDisk();
    // Interior dots and spaces are kept as they are.
    EXPECT_TRUE(Apply(L"a.b c\r\n b\r\nc\r\nd\r\ne\r\nsub\\f.txt\r\n").empty());
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L" b", L"a.b c", L"c", L"d", L"e"}));
    ExpectListMatchesDisk();
}

TEST_F(RenameTest, CaseOnlyRenameIsReportedTruthfully)
{
    // Latin, and Greek and full-width letters, whose case the file system
    // ignores though the C runtime does not fold them.
    Load({L"a.txt", L"xΩ.txt", L"yａ.txt", L"가.txt"});
    auto failures = Apply(L"A.TXT\r\nxω.txt\r\nyＡ.txt\r\n가.TXT\r\n");
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
    Load({L"Song.txt", L"other.txt"});
    ASSERT_TRUE(MoveFileW((m_dir / L"Song.txt").c_str(), (m_dir / L"tmp").c_str()));
    ASSERT_TRUE(MoveFileW((m_dir / L"tmp").c_str(), (m_dir / L"song.txt").c_str()));
    auto failures = Apply(L"other2.txt\r\nnew.txt\r\n");
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].nIndex, 1);
    EXPECT_EQ(failures[0].dwError, (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ListFileNames(m_dir.Path()), (Names{L"other2.txt", L"song.txt"}));
    // The same without a view of the folder taken beforehand.
    EXPECT_EQ(RenamePath(CString(m_dir / L"Song.txt"), CString(m_dir / L"x.txt")), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadFileText(m_dir / L"song.txt"), L"Song.txt");
}

TEST(RenameReport, CountLineTenFailuresThenEllipsis)
{
    std::vector<RenameFailure> failures;
    for (int i = 0; i < 12; ++i)
        failures.push_back({i, L"옛" + std::to_wstring(i), L"새" + std::to_wstring(i), ERROR_ALREADY_EXISTS});

    std::vector<RenameFailure> ten(failures.begin(), failures.begin() + 10);
    auto line = [](int i) {
        return Text(IDS_REPORT_LINE, {L"옛" + std::to_wstring(i), L"새" + std::to_wstring(i), Reason(ERROR_ALREADY_EXISTS)});
    };
    std::wstring expected = Text(IDS_RENAME_REPORT, {L"2000", L"10"});
    for (int i = 0; i < 10; ++i)
        expected += L"\n" + line(i);
    EXPECT_EQ(FormatRenameReport(2000, ten).str(), expected);

    std::wstring report = FormatRenameReport(12, failures).str();
    EXPECT_EQ(report.substr(0, report.find(L'\n')), Text(IDS_RENAME_REPORT, {L"12", L"12"}));
    EXPECT_EQ(std::count(report.begin(), report.end(), L'\n'), 1 + 10);  // 12 lines
    EXPECT_NE(report.find(L"\n" + line(9) + L"\n" + Text(IDS_REPORT_MORE), 0), std::wstring::npos);
    EXPECT_EQ(report.substr(report.size() - 4), L"\n" + Text(IDS_REPORT_MORE));
    EXPECT_EQ(report.find(L"옛10"), std::wstring::npos);
}
