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

std::wstring Reason(DWORD dwError)
{
    return CString::FormatMessageText(dwError).str();
}

// What must become of one file: its line, the path (below the listed
// folder) where its content must then be, and for a refusal the error.
struct Expect {
    std::wstring line;
    std::wstring where;  // empty: refused, the file keeps its name
    DWORD dwError;       // for a refusal; 0 when any error may be given
};

class BadNames : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MakeFolder(m_root / L"c"));
        ASSERT_TRUE(MakeFolder(m_root / L"c\\f"));
        ASSERT_TRUE(MakeFolder(m_root / L"c\\f\\sub"));
        m_dir = m_root / L"c\\f\\";
    }

    void Load()
    {
        m_dlg.SelectDesktopPath({m_root.Name(), L"c"});
        ASSERT_TRUE(m_dlg.SelectDesktopPath({m_root.Name(), L"c", L"f"}));
    }

    // One file per expectation, named f00.txt on, each holding its name;
    // the lines go in as given, the rename button is pressed, and every
    // file is checked.
    void Run(const std::vector<Expect>& cases, const CString* pText = NULL)
    {
        std::vector<std::wstring> files;
        for (size_t i = 0; i < cases.size(); ++i)
            files.push_back(L"f" + std::wstring(i < 10 ? L"0" : L"") + std::to_wstring(i) + L".txt");
        ASSERT_TRUE(WriteNamedFiles(m_dir, files));
        Load();
        ASSERT_EQ(m_dlg.m_names.GetCount(), (int)files.size());

        std::wstring text;
        for (const Expect& c : cases)
            text += c.line + L"\r\n";
        m_dlg.SetEditorText(pText ? *pText : CString(text));
        m_dlg.messages.clear();
        m_dlg.Click(IDC_RENAME);

        int nRefused = 0;
        std::wstring report = m_dlg.messages.empty() ? L"" : m_dlg.messages[0];
        EXPECT_LE(m_dlg.messages.size(), 1u);
        for (size_t i = 0; i < cases.size(); ++i) {
            const Expect& c = cases[i];
            SCOPED_TRACE(c.line);
            std::wstring entry = files[i] + L" -> " + c.line + L": ";
            if (c.where.empty()) {
                ++nRefused;
                EXPECT_EQ(ReadFileText(m_dir + files[i]), files[i]);
                EXPECT_STREQ(m_dlg.m_names[i].strShown, files[i].c_str());
                if (c.dwError)
                    entry += Reason(c.dwError);
                EXPECT_NE(report.find(L"\n" + entry), std::wstring::npos) << report;
            } else {
                EXPECT_EQ(ReadFileText(m_dir + c.where), files[i]);
                EXPECT_EQ(report.find(L"\n" + entry), std::wstring::npos) << report;
            }
        }
        if (nRefused)
            EXPECT_EQ(report.find(Text(IDS_RENAME_REPORT, {std::to_wstring(cases.size()), std::to_wstring(nRefused)})), 0u)
                << report;
        else
            EXPECT_EQ(report, L"");
    }

    // A second load lists what is on disk, and a plain rename goes through.
    void ExpectStillWorks()
    {
        Load();
        std::vector<std::wstring> onDisk = ListFileNames(m_dir);
        ASSERT_EQ(m_dlg.m_names.GetCount(), (int)onDisk.size());
        ASSERT_GT(m_dlg.m_names.GetCount(), 0);
        std::wstring first = m_dlg.m_names[0].strDiskName.str();
        std::wstring content = ReadFileText(m_dir + first);
        CString text = m_dlg.EditorText();
        m_dlg.SetEditorText(L"again.txt\r\n" + text.Mid(text.Find(L"\r\n") + 2));
        m_dlg.messages.clear();
        m_dlg.Click(IDC_RENAME);
        EXPECT_TRUE(m_dlg.messages.empty()) << (m_dlg.messages.empty() ? L"" : m_dlg.messages[0]);
        EXPECT_EQ(ReadFileText(m_dir + L"again.txt"), content);
        EXPECT_EQ(ListFileNames(m_dir).size(), onDisk.size());
    }

    QuietBatchNameDlg m_dlg;
    DesktopFolder m_root{m_dlg.m_tree.GetDesktopPath().str()};
    std::wstring m_dir;
};

}  // namespace

TEST_F(BadNames, CharactersWindowsForbidsAreRefused)
{
    Run({{L"a:b.txt", L"", ERROR_INVALID_NAME},
         {L"what?.txt", L"", ERROR_INVALID_NAME},
         {L"*.txt", L"", ERROR_INVALID_NAME},
         {L"<a>.txt", L"", ERROR_INVALID_NAME},
         {L"a|b.txt", L"", ERROR_INVALID_NAME},
         {L"\"q\".txt", L"", ERROR_INVALID_NAME},
         {L"tab\there.txt", L"", ERROR_INVALID_NAME},
         {L"ok 노래 (1).txt", L"ok 노래 (1).txt", 0}});
    ExpectStillWorks();
}

TEST_F(BadNames, TrailingDotsAndSpacesAreRefusedNotStoredAltered)
{
    Run({{L"a.", L"", ERROR_INVALID_NAME},
         {L"b  ", L"", ERROR_INVALID_NAME},
         {L"c. .", L"", ERROR_INVALID_NAME},
         {L"sub.\\d.txt", L"", ERROR_INVALID_NAME},
         {L".", L"", ERROR_INVALID_NAME},
         {L"..", L"", ERROR_INVALID_NAME},
         {L".e", L".e", 0},
         {L" f.txt", L" f.txt", 0}});
    ExpectStillWorks();
}

TEST_F(BadNames, ReservedDeviceNamesAreRefused)
{
    Run({{L"CON", L"", ERROR_INVALID_NAME},
         {L"nul.txt", L"", ERROR_INVALID_NAME},
         {L"Com1", L"", ERROR_INVALID_NAME},
         {L"lpt9.mp3", L"", ERROR_INVALID_NAME},
         {L"AUX .x", L"", ERROR_INVALID_NAME},
         {L"conin$", L"", ERROR_INVALID_NAME},
         {L"COM¹.txt", L"", ERROR_INVALID_NAME},
         {L"sub\\prn", L"", ERROR_INVALID_NAME},
         {L"con1.txt", L"con1.txt", 0},
         {L"nul_x", L"nul_x", 0}});
    ExpectStillWorks();
}

TEST_F(BadNames, FolderPartsMoveTheFileAsThePlatformAllows)
{
    Run({{L"sub\\a.txt", L"sub\\a.txt", 0},
         {L"sub/b.txt", L"sub\\b.txt", 0},
         {L"..\\up.txt", L"..\\up.txt", 0},
         {L"sub\\..\\back.txt", L"back.txt", 0},
         {L".\\here.txt", L"here.txt", 0},
         {L"missing\\x.txt", L"", ERROR_PATH_NOT_FOUND},
         {L"sub\\", L"", ERROR_INVALID_NAME}});
    // Files that came back into the folder are listed under their names on
    // disk, so a later rename finds them.
    EXPECT_STREQ(m_dlg.m_names[3].strShown, L"back.txt");
    EXPECT_STREQ(m_dlg.m_names[4].strShown, L"here.txt");
    ExpectStillWorks();
}

// A file system may cut a long name short and still report success (Wine
// on Linux keeps 255 UTF-8 bytes): a name is either stored exactly as
// written or refused, never stored as a third name.
TEST_F(BadNames, LongNamesAreStoredExactlyOrRefused)
{
    const std::wstring korean85(85, L'가'), korean100 = std::wstring(86, L'가') + std::wstring(28, L'x');
    std::vector<std::wstring> lines = {korean85, std::wstring(255, L'L'), std::wstring(300, L'L'), korean100,
                                       korean100 + L".mp3"};
    std::vector<std::wstring> files = {L"f00.txt", L"f01.txt", L"f02.txt", L"f03.txt", L"f04.txt"};
    ASSERT_TRUE(WriteNamedFiles(m_dir, files));
    Load();
    std::wstring text;
    for (const std::wstring& line : lines)
        text += line + L"\r\n";
    m_dlg.SetEditorText(CString(text));
    m_dlg.Click(IDC_RENAME);
    std::wstring report = m_dlg.messages.empty() ? L"" : m_dlg.messages[0];

    std::vector<std::wstring> onDisk = ListFileNames(m_dir);
    EXPECT_EQ(onDisk.size(), files.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        bool bReported = report.find(L"\n" + files[i] + L" -> " + lines[i] + L": ") != std::wstring::npos;
        if (bReported) {
            EXPECT_EQ(ReadFileText(m_dir + files[i]), files[i]);
            EXPECT_STREQ(m_dlg.m_names[i].strShown, files[i].c_str());
        } else {
            EXPECT_NE(std::find(onDisk.begin(), onDisk.end(), lines[i]), onDisk.end()) << "stored under another name";
            EXPECT_EQ(ReadFileText(m_dir + lines[i]), files[i]);
        }
    }
    // 255 bytes in UTF-8 fit every file system, and so do 255 characters
    // in a path of any length; a longer name is refused before the disk is
    // touched.
    for (const wchar_t* file : {L"\nf00.txt -> ", L"\nf01.txt -> "})
        EXPECT_EQ(report.find(file), std::wstring::npos) << report;
    EXPECT_NE(report.find(L"\nf02.txt -> " + lines[2] + L": " + Reason(ERROR_FILENAME_EXCED_RANGE)), std::wstring::npos)
        << report;
    ExpectStillWorks();
}

TEST_F(BadNames, EmptyMissingDuplicateAndExtraLines)
{
    // The third line is empty; the fourth takes the second's new name.
    Run({{L"one.txt", L"one.txt", 0}, {L"two.txt", L"two.txt", 0}, {L"", L"", ERROR_INVALID_NAME},
         {L"two.txt", L"", ERROR_ALREADY_EXISTS}});
    ExpectStillWorks();
}

TEST_F(BadNames, MoreLinesOrNoLastLineBreak)
{
    // A last line without its line break is a line like the others, and
    // as many lines as files are renamed without a question.
    CString text(L"x0.txt\r\nx1.txt\r\nx2.txt");
    Run({{L"x0.txt", L"x0.txt", 0}, {L"x1.txt", L"x1.txt", 0}, {L"x2.txt", L"x2.txt", 0}}, &text);
    EXPECT_TRUE(m_dlg.questions.empty());
    ExpectStillWorks();
    RemoveTree(m_dir);
    ASSERT_TRUE(MakeFolder(m_dir));
    // More lines than files: asked, and when the user goes on, the lines
    // beyond the files are ignored.
    CString more(L"y0.txt\r\ny1.txt\r\nextra.txt\r\nmore\r\n");
    Run({{L"y0.txt", L"y0.txt", 0}, {L"y1.txt", L"y1.txt", 0}}, &more);
    EXPECT_EQ(m_dlg.questions.size(), 1u);
    EXPECT_FALSE(PathExists(m_dir + L"extra.txt"));
}

// Names of scripts beyond Korean, each beside the file or folder a code
// page's nearest spelling of it would name, are listed exactly, and a
// command over every line followed by the rename touches only the listed
// files. Decomposed Hangul is listed composed and renamed to a composed name;
// no other character is composed (compatibility Hanja, the ohm and angstrom
// signs).
TEST_F(BadNames, NamesOfAnyScriptAreListedAndRenamedExactly)
{
    const std::wstring nfdSong = L"\x1102\x1169\x1105\x1162.mp3";   // 노래.mp3, as macOS spells it
    const std::wstring nfdLove = L"\x1109\x1161\x1105\x1161\x11BC.txt";  // 사랑.txt, the same
    ASSERT_TRUE(MakeFolder(m_dir + L"a"));
    const std::vector<std::pair<std::wstring, std::wstring>> files = {
        {L"a\\b.txt", L"inside a"},        {L"a\x20A9" L"b.txt", L"won sign"},
        {L"caf\x00E9.txt", L"accented"},   {L"cafe.txt", L"plain"},
        {L"e\x2215" L"f.txt", L"slash"},   {L"smile\xD83D\xDE00.txt", L"emoji"},
        {nfdSong, L"decomposed song"},     {nfdLove, L"decomposed love"},
        {L"\x2126\x212B.txt", L"signs"},    {L"\xF914.txt", L"hanja"}};
    for (const auto& f : files)
        ASSERT_TRUE(WriteFileText(m_dir + f.first, f.second));
    Load();
    ASSERT_EQ(m_dlg.m_names.GetCount(), 9);
    EXPECT_STREQ(m_dlg.EditorText(), L"a\x20A9" L"b.txt\r\ncafe.txt\r\ncaf\x00E9.txt\r\ne\x2215" L"f.txt\r\nsmile"
                                     L"\xD83D\xDE00.txt\r\n\x2126\x212B.txt\r\n노래.mp3\r\n사랑.txt\r\n\xF914.txt\r\n");

    SetWindowTextW(m_dlg.Item(IDC_FRONT_EDIT), L"dat");
    m_dlg.Click(IDC_CHANGE_EXTENSION);
    m_dlg.messages.clear();
    m_dlg.Click(IDC_RENAME);
    EXPECT_TRUE(m_dlg.messages.empty()) << (m_dlg.messages.empty() ? L"" : m_dlg.messages[0]);
    EXPECT_STREQ(m_dlg.m_names[6].strShown, L"노래.dat");

    // The listed files have their new names; the decomposed ones are composed now.
    const std::vector<std::pair<std::wstring, std::wstring>> after = {
        {L"a\\b.txt", L"inside a"},      {L"a\x20A9" L"b.dat", L"won sign"},
        {L"caf\x00E9.dat", L"accented"}, {L"cafe.dat", L"plain"},
        {L"e\x2215" L"f.dat", L"slash"}, {L"smile\xD83D\xDE00.dat", L"emoji"},
        {L"노래.dat", L"decomposed song"}, {L"사랑.dat", L"decomposed love"},
        {L"\x2126\x212B.dat", L"signs"},  {L"\xF914.dat", L"hanja"}};
    for (const auto& f : after)
        EXPECT_EQ(ReadFileText(m_dir + f.first), f.second);
    EXPECT_EQ(ListAllNames(m_dir).size(), after.size() - 1 + 2);  // and the folders "a" and "sub"
}
