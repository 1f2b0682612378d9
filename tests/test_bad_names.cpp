// Hostile lines in the name editor, one kind per test, through the real
// dialog: each line is renamed exactly, or refused and reported with the
// file left alone, or moved where the platform takes a path; and the
// dialog keeps working afterwards.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/DialogDriver.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"

namespace {

std::string Reason(DWORD dwError)
{
    return CString::FormatMessageText(dwError).str();
}

// What must become of one file: its line, the path (below the listed
// folder) where its content must then be, and for a refusal the error.
struct Expect {
    std::string line;
    std::string where;  // empty: refused, the file keeps its name
    DWORD dwError;      // for a refusal; 0 when any error may be given
};

class BadNames : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MakeFolder(m_root / "c"));
        ASSERT_TRUE(MakeFolder(m_root / "c\\f"));
        ASSERT_TRUE(MakeFolder(m_root / "c\\f\\sub"));
        m_dir = m_root / "c\\f\\";
    }

    void Load()
    {
        m_dlg.SelectDesktopPath({m_root.Name(), "c"});
        ASSERT_TRUE(m_dlg.SelectDesktopPath({m_root.Name(), "c", "f"}));
    }

    // One file per expectation, named f00.txt on, each holding its name;
    // the lines go in as given, the rename button is pressed, and every
    // file is checked.
    void Run(const std::vector<Expect>& cases, const CString* pText = NULL)
    {
        std::vector<std::string> files;
        for (size_t i = 0; i < cases.size(); ++i)
            files.push_back("f" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".txt");
        ASSERT_TRUE(WriteNamedFiles(m_dir, files));
        Load();
        ASSERT_EQ(m_dlg.m_nNameCount, (int)files.size());

        std::string text;
        for (const Expect& c : cases)
            text += c.line + "\r\n";
        m_dlg.SetEditorText(pText ? *pText : CString(text));
        m_dlg.messages.clear();
        m_dlg.Click(IDC_RENAME);

        int nRefused = 0;
        std::string report = m_dlg.messages.empty() ? "" : m_dlg.messages[0];
        EXPECT_LE(m_dlg.messages.size(), 1u);
        for (size_t i = 0; i < cases.size(); ++i) {
            const Expect& c = cases[i];
            SCOPED_TRACE(c.line);
            std::string entry = files[i] + " -> " + c.line + ": ";
            if (c.where.empty()) {
                ++nRefused;
                EXPECT_EQ(ReadFileBytes(m_dir + files[i]), files[i]);
                EXPECT_STREQ(m_dlg.m_strCurNames[i], files[i].c_str());
                if (c.dwError)
                    entry += Reason(c.dwError);
                EXPECT_NE(report.find("\n" + entry), std::string::npos) << report;
            } else {
                EXPECT_EQ(ReadFileBytes(m_dir + c.where), files[i]);
                EXPECT_EQ(report.find("\n" + entry), std::string::npos) << report;
            }
        }
        if (nRefused)
            EXPECT_EQ(report.find(Text(IDS_RENAME_REPORT, {std::to_string(cases.size()), std::to_string(nRefused)})), 0u)
                << report;
        else
            EXPECT_EQ(report, "");
    }

    // A second load lists what is on disk, and a plain rename goes through.
    void ExpectStillWorks()
    {
        Load();
        std::vector<std::string> onDisk = ListFileNames(m_dir);
        ASSERT_EQ(m_dlg.m_nNameCount, (int)onDisk.size());
        ASSERT_GT(m_dlg.m_nNameCount, 0);
        std::string first = m_dlg.m_strCurNames[0].str();
        std::string content = ReadFileBytes(m_dir + first);
        CString text = m_dlg.EditorText();
        m_dlg.SetEditorText("again.txt\r\n" + text.Mid(text.Find("\r\n") + 2));
        m_dlg.messages.clear();
        m_dlg.Click(IDC_RENAME);
        EXPECT_TRUE(m_dlg.messages.empty()) << (m_dlg.messages.empty() ? "" : m_dlg.messages[0]);
        EXPECT_EQ(ReadFileBytes(m_dir + "again.txt"), content);
        EXPECT_EQ(ListFileNames(m_dir).size(), onDisk.size());
    }

    QuietBatchNameDlg m_dlg;
    DesktopFolder m_root{m_dlg.m_tree.GetDesktopPath().str()};
    std::string m_dir;
};

}  // namespace

TEST_F(BadNames, CharactersWindowsForbidsAreRefused)
{
    Run({{"a:b.txt", "", ERROR_INVALID_NAME},
         {"what?.txt", "", ERROR_INVALID_NAME},
         {"*.txt", "", ERROR_INVALID_NAME},
         {"<a>.txt", "", ERROR_INVALID_NAME},
         {"a|b.txt", "", ERROR_INVALID_NAME},
         {"\"q\".txt", "", ERROR_INVALID_NAME},
         {"tab\there.txt", "", ERROR_INVALID_NAME},
         {"ok 노래 (1).txt", "ok 노래 (1).txt", 0}});
    ExpectStillWorks();
}

TEST_F(BadNames, TrailingDotsAndSpacesAreRefusedNotStoredAltered)
{
    Run({{"a.", "", ERROR_INVALID_NAME},
         {"b  ", "", ERROR_INVALID_NAME},
         {"c. .", "", ERROR_INVALID_NAME},
         {"sub.\\d.txt", "", ERROR_INVALID_NAME},
         {".", "", ERROR_INVALID_NAME},
         {"..", "", ERROR_INVALID_NAME},
         {".e", ".e", 0},
         {" f.txt", " f.txt", 0}});
    ExpectStillWorks();
}

TEST_F(BadNames, ReservedDeviceNamesAreRefused)
{
    Run({{"CON", "", ERROR_INVALID_NAME},
         {"nul.txt", "", ERROR_INVALID_NAME},
         {"Com1", "", ERROR_INVALID_NAME},
         {"lpt9.mp3", "", ERROR_INVALID_NAME},
         {"AUX .x", "", ERROR_INVALID_NAME},
         {"conin$", "", ERROR_INVALID_NAME},
         {"COM¹.txt", "", ERROR_INVALID_NAME},
         {"sub\\prn", "", ERROR_INVALID_NAME},
         {"con1.txt", "con1.txt", 0},
         {"nul_x", "nul_x", 0}});
    ExpectStillWorks();
}

TEST_F(BadNames, FolderPartsMoveTheFileAsThePlatformAllows)
{
    Run({{"sub\\a.txt", "sub\\a.txt", 0},
         {"sub/b.txt", "sub\\b.txt", 0},
         {"..\\up.txt", "..\\up.txt", 0},
         {"sub\\..\\back.txt", "back.txt", 0},
         {".\\here.txt", "here.txt", 0},
         {"missing\\x.txt", "", ERROR_PATH_NOT_FOUND},
         {"sub\\", "", ERROR_INVALID_NAME}});
    // Files that came back into the folder are listed under their names on
    // disk, so a later rename finds them.
    EXPECT_STREQ(m_dlg.m_strCurNames[3], "back.txt");
    EXPECT_STREQ(m_dlg.m_strCurNames[4], "here.txt");
    ExpectStillWorks();
}

// A file system may cut a long name short and still report success (Wine
// on Linux keeps 255 UTF-8 bytes): a name is either stored exactly as
// written or refused, never stored as a third name.
TEST_F(BadNames, LongNamesAreStoredExactlyOrRefused)
{
    std::string korean85, korean100;
    for (int i = 0; i < 85; ++i)
        korean85 += CString("가").str();
    korean100 = korean85 + std::string(CString("가").str()).append(14 * 2, 'x');
    std::vector<std::string> lines = {korean85, std::string(255, 'L'), std::string(300, 'L'), korean100,
                                      korean100 + ".mp3"};
    std::vector<std::string> files = {"f00.txt", "f01.txt", "f02.txt", "f03.txt", "f04.txt"};
    ASSERT_TRUE(WriteNamedFiles(m_dir, files));
    Load();
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    m_dlg.SetEditorText(CString(text));
    m_dlg.Click(IDC_RENAME);
    std::string report = m_dlg.messages.empty() ? "" : m_dlg.messages[0];

    std::vector<std::string> onDisk = ListFileNames(m_dir);
    EXPECT_EQ(onDisk.size(), files.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        bool bReported = report.find("\n" + files[i] + " -> " + lines[i] + ": ") != std::string::npos;
        if (bReported) {
            EXPECT_EQ(ReadFileBytes(m_dir + files[i]), files[i]);
            EXPECT_STREQ(m_dlg.m_strCurNames[i], files[i].c_str());
        } else {
            EXPECT_NE(std::find(onDisk.begin(), onDisk.end(), lines[i]), onDisk.end()) << "stored under another name";
            EXPECT_EQ(ReadFileBytes(m_dir + lines[i]), files[i]);
        }
    }
    // 255 bytes in UTF-8 fit every file system; a path of MAX_PATH
    // characters is refused before the disk is touched.
    EXPECT_EQ(report.find("\nf00.txt -> "), std::string::npos) << report;
    for (const char* file : {"f01.txt", "f02.txt"})
        EXPECT_NE(report.find(std::string("\n") + file + " -> " + std::string(file[2] == '1' ? 255 : 300, 'L') +
                              ": " + Reason(ERROR_FILENAME_EXCED_RANGE)),
                  std::string::npos)
            << report;
    ExpectStillWorks();
}

// A character the code page lacks reaches an ANSI edit box as "?".
TEST_F(BadNames, CharactersOutsideTheCodePageAreRefused)
{
    ASSERT_TRUE(WriteNamedFiles(m_dir, {"a.txt", "b.txt"}));
    Load();
    SendMessageW(m_dlg.Item(IDC_NAMES_EDIT), WM_SETTEXT, 0, (LPARAM)L"\x0E01\x0E02.txt\r\nb\x00E9\x2603.txt\r\n");
    m_dlg.Click(IDC_RENAME);
    ASSERT_EQ(m_dlg.messages.size(), 1u);
    EXPECT_EQ(m_dlg.messages[0].find(Text(IDS_RENAME_REPORT, {"2", "2"})), 0u);
    EXPECT_EQ(ListFileNames(m_dir), (std::vector<std::string>{"a.txt", "b.txt"}));
    ExpectStillWorks();
}

TEST_F(BadNames, EmptyMissingDuplicateAndExtraLines)
{
    // The third line is empty; the fourth takes the second's new name.
    Run({{"one.txt", "one.txt", 0}, {"two.txt", "two.txt", 0}, {"", "", ERROR_INVALID_NAME},
         {"two.txt", "", ERROR_ALREADY_EXISTS}});
    ExpectStillWorks();
}

TEST_F(BadNames, MoreLinesOrNoLastLineBreak)
{
    // A last line without its line break is a line like the others, and
    // as many lines as files are renamed without a question.
    CString text("x0.txt\r\nx1.txt\r\nx2.txt");
    Run({{"x0.txt", "x0.txt", 0}, {"x1.txt", "x1.txt", 0}, {"x2.txt", "x2.txt", 0}}, &text);
    EXPECT_TRUE(m_dlg.questions.empty());
    ExpectStillWorks();
    RemoveTree(m_dir);
    ASSERT_TRUE(MakeFolder(m_dir));
    // More lines than files: asked, and when the user goes on, the lines
    // beyond the files are ignored.
    CString more("y0.txt\r\ny1.txt\r\nextra.txt\r\nmore\r\n");
    Run({{"y0.txt", "y0.txt", 0}, {"y1.txt", "y1.txt", 0}}, &more);
    EXPECT_EQ(m_dlg.questions.size(), 1u);
    EXPECT_FALSE(PathExists(m_dir + "extra.txt"));
}

// Names on disk that the code page cannot hold, each beside the file or
// folder its nearest spelling would name: none is listed, and a command
// over every line followed by the rename touches only the listed files.
// Decomposed Hangul is listed composed and renamed to a composed name.
TEST_F(BadNames, NamesTheCodePageCannotHoldAreNeverActedOn)
{
    const std::wstring dir = WideText(m_dir);
    const std::wstring nfdSong = L"\x1102\x1169\x1105\x1162.mp3";   // 노래.mp3, as macOS spells it
    const std::wstring nfdLove = L"\x1109\x1161\x1105\x1161\x11BC.txt";  // 사랑.txt, the same
    ASSERT_TRUE(MakeFolder(m_dir + "a"));
    const std::vector<std::pair<std::wstring, std::string>> files = {
        {L"a\\b.txt", "inside a"},        {L"a\x20A9" L"b.txt", "won sign"},
        {L"caf\x00E9.txt", "accented"},   {L"cafe.txt", "plain"},
        {L"e\x2215" L"f.txt", "slash"},   {L"smile\xD83D\xDE00.txt", "emoji"},
        {nfdSong, "decomposed song"},     {nfdLove, "decomposed love"},
        {WideText(CString("사랑.txt").str()), "composed love"}};
    for (const auto& f : files)
        ASSERT_TRUE(WriteWideFile(dir + f.first, f.second));
    Load();
    ASSERT_EQ(m_dlg.m_nNameCount, 3);
    EXPECT_STREQ(m_dlg.EditorText(), "cafe.txt\r\n노래.mp3\r\n사랑.txt\r\n");

    SetWindowTextA(m_dlg.Item(IDC_FRONT_EDIT), "dat");
    m_dlg.Click(IDC_CHANGE_EXTENSION);
    m_dlg.messages.clear();
    m_dlg.Click(IDC_RENAME);
    EXPECT_TRUE(m_dlg.messages.empty()) << (m_dlg.messages.empty() ? "" : m_dlg.messages[0]);
    EXPECT_STREQ(m_dlg.m_strCurNames[1], "노래.dat");

    // The listed files have their new names; the song's is composed now.
    const std::vector<std::pair<std::wstring, std::string>> after = {
        {L"a\\b.txt", "inside a"},      {L"a\x20A9" L"b.txt", "won sign"},
        {L"caf\x00E9.txt", "accented"}, {L"cafe.dat", "plain"},
        {L"e\x2215" L"f.txt", "slash"}, {L"smile\xD83D\xDE00.txt", "emoji"},
        {WideText(CString("노래.dat").str()), "decomposed song"}, {nfdLove, "decomposed love"},
        {WideText(CString("사랑.dat").str()), "composed love"}};
    for (const auto& f : after)
        EXPECT_EQ(ReadWideFile(dir + f.first), f.second);
    EXPECT_EQ(ListWideNames(dir).size(), after.size() - 1 + 2);  // and the folders "a" and "sub"
}
