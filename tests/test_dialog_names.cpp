// The name editor's menu and its commands in the real main dialog:
// numbering, names from tags and letter case, each sent as the menu sends
// it, with what reaches the editor and the undo history; the menu's items,
// their states, and the ways it opens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/DialogDriver.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"

namespace {

std::wstring S(const CString& s) { return s.str(); }

void Command(TestBatchNameDlg& dlg, int nID) { dlg.SendMessage(WM_COMMAND, nID, 0); }

std::wstring ItemText(HWND hDlg, int nID)
{
    wchar_t buf[1024] = L"";
    GetDlgItemTextW(hDlg, nID, buf, 1024);
    return buf;
}

// Presses the dialog's OK button (from another thread) and returns the text
// of the message box it shows, closed at once; empty when it closed itself.
std::wstring PressOk(HWND hDlg)
{
    PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 1000 && IsWindow(hDlg); ++i, Sleep(10)) {
        for (HWND h = FindWindowExW(NULL, NULL, L"#32770", NULL); h; h = FindWindowExW(NULL, h, L"#32770", NULL)) {
            if (GetWindow(h, GW_OWNER) != hDlg || !IsWindowVisible(h))
                continue;
            const std::wstring text = ItemText(h, 0xFFFF);
            PostMessageW(h, WM_COMMAND, IDOK, 0);
            while (IsWindow(h))
                Sleep(10);
            return text;
        }
    }
    return IsWindow(hDlg) ? L"<no message>" : L"";
}

// Runs the command, whose dialog (by its caption) action handles.
void WithDialog(TestBatchNameDlg& dlg, int nID, const wchar_t* caption, std::function<void(HWND)> action)
{
    WhenWindowAppears when(caption, action);
    Command(dlg, nID);
    EXPECT_TRUE(when.Seen()) << caption;
}

std::string Num(unsigned long n, int nBytes, int nBits = 8)
{
    std::string b;
    for (int i = nBytes - 1; i >= 0; --i)
        b += (char)((n >> (nBits * i)) & ((1 << nBits) - 1));
    return b;
}
std::string Frame(const char* id, const std::string& text) { return id + Num(text.size() + 1, 4) + Num(0, 3) + text; }
std::string Id3v23(const std::string& frames) { return "ID3" + Num(3, 1) + Num(0, 2) + Num(frames.size(), 4, 7) + frames; }
std::string Id3v1(const std::string& title, const std::string& artist, int nTrack)
{
    return "TAG" + title + std::string(30 - title.size(), 0) + artist + std::string(30 - artist.size(), 0) +
           std::string(30 + 4 + 28 + 1, 0) + (char)nTrack + Num(0, 1);
}
// A JPEG whose Exif (little-endian) gives only DateTime.
std::string Jpeg(const std::string& date)
{
    const std::string tiff = "II" + Num(0x2A00, 2) + Num(0x08000000, 4) + Num(0x0100, 2) + Num(0x3201, 2) +
                             Num(0x0200, 2) + Num(0x14000000, 4) + Num(0x1A000000, 4) + Num(0, 4) + date + Num(0, 1);
    const std::string app1 = std::string("Exif\0\0", 6) + tiff;
    return "\xFF\xD8\xFF\xE1" + Num(app1.size() + 2, 2) + app1 + "\xFF\xD9";
}
bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
    DWORD n = 0;
    const bool bDone = h != INVALID_HANDLE_VALUE && WriteFile(h, bytes.data(), (DWORD)bytes.size(), &n, NULL);
    CloseHandle(h);
    return bDone && n == bytes.size();
}

}  // namespace

TEST(NamesMenu, NumberingCountsEveryLineAndKeepsItsValuesForTheRun)
{
    QuietBatchNameDlg dlg;
    // A line may move its file into a folder whose name has a dot.
    const CString text = L"a.mp3\r\n\r\n.bashrc\r\nsub.d\\noext\r\nb.tar.gz\r\n";
    dlg.SetList(3, text);
    WithDialog(dlg, ID_NAMES_NUMBER, L"번호 붙이기", [](HWND h) { PostMessageW(h, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(dlg.EditorText(), text);
    EXPECT_EQ(dlg.m_undo.GetDepth(), 0);

    // The defaults; a line past the files is numbered too.
    std::wstring preview;
    WithDialog(dlg, ID_NAMES_NUMBER, L"번호 붙이기", [&](HWND h) {
        preview = ItemText(h, IDC_NUMBER_PREVIEW);
        PressOk(h);
    });
    EXPECT_EQ(preview, L"01 a.mp3");
    EXPECT_EQ(S(dlg.EditorText()), L"01 a.mp3\r\n\r\n03 .bashrc\r\n04 sub.d\\noext\r\n05 b.tar.gz\r\n");
    dlg.Click(IDC_UNDO);

    // Values out of range are named and the dialog stays open.
    const struct {
        const wchar_t *start, *step, *digits;
        UINT nMessage;
    } refused[] = {{L"1000000000", L"1", L"2", IDS_NUMBER_START_RANGE}, {L"-1", L"1", L"2", IDS_NUMBER_START_RANGE},
                   {L"0", L"0", L"2", IDS_NUMBER_STEP_RANGE},           {L"0", L"1000000", L"2", IDS_NUMBER_STEP_RANGE},
                   {L"0", L"1", L"0", IDS_NUMBER_DIGITS_RANGE},         {L"0", L"1", L"x", IDS_NUMBER_DIGITS_RANGE}};
    std::vector<std::wstring> messages;
    WithDialog(dlg, ID_NAMES_NUMBER, L"번호 붙이기", [&](HWND h) {
        for (const auto& r : refused) {
            SetDlgItemTextW(h, IDC_NUMBER_START, r.start);
            SetDlgItemTextW(h, IDC_NUMBER_STEP, r.step);
            SetDlgItemTextW(h, IDC_NUMBER_DIGITS, r.digits);
            EXPECT_EQ(PressOk(h), Text(r.nMessage)) << r.start << " " << r.step << " " << r.digits;
        }
        SetDlgItemTextW(h, IDC_NUMBER_START, L"8");
        SetDlgItemTextW(h, IDC_NUMBER_STEP, L"3");
        SetDlgItemTextW(h, IDC_NUMBER_DIGITS, L" 1 ");
        SetDlgItemTextW(h, IDC_NUMBER_SEPARATOR, L"_");
        SendMessageW(GetDlgItem(h, IDC_NUMBER_BEFORE_EXTENSION), BM_CLICK, 0, 0);
        preview = ItemText(h, IDC_NUMBER_PREVIEW);
        messages.push_back(PressOk(h));
    });
    EXPECT_EQ(messages, std::vector<std::wstring>{L""});
    EXPECT_EQ(preview, L"a_8.mp3");
    EXPECT_EQ(S(dlg.EditorText()), L"a_8.mp3\r\n\r\n.bashrc_14\r\nsub.d\\noext_17\r\nb.tar_20.gz\r\n");
    EXPECT_EQ(dlg.m_undo.GetDepth(), 1);
    dlg.Click(IDC_UNDO);
    EXPECT_EQ(dlg.EditorText(), text);

    // The values taken stay for the next numbering.
    std::wstring kept;
    WithDialog(dlg, ID_NAMES_NUMBER, L"번호 붙이기", [&](HWND h) {
        for (int nID : {IDC_NUMBER_START, IDC_NUMBER_STEP, IDC_NUMBER_DIGITS, IDC_NUMBER_SEPARATOR})
            kept += ItemText(h, nID) + L"|";
        kept += IsDlgButtonChecked(h, IDC_NUMBER_BEFORE_EXTENSION) ? L"before" : L"front";
        PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(kept, L"8|3|1|_|before");
    EXPECT_EQ(dlg.m_undo.GetDepth(), 0);
}

TEST(NamesMenu, NamesFromTagsFillEachFilesLineAndCountTheFilesThatLackAField)
{
    QuietBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(WriteBytes(folder / L"a.mp3", Id3v23(Frame("TIT2", "Title/One") + Frame("TPE1", "\xBA\xCE\xC8\xB0") +
                                                      Frame("TRCK", "3/12")) +
                                                  std::string(300, 'x')));
    ASSERT_TRUE(WriteBytes(folder / L"b.MP3", std::string(300, 'x') + Id3v1("v1", "x", 7)));
    ASSERT_TRUE(WriteBytes(folder / L"c.mp3", std::string(300, 'x')));
    ASSERT_TRUE(WriteBytes(folder / L"d.jpg", Jpeg("2024:05:01 13:45:10")));
    ASSERT_TRUE(WriteBytes(folder / L"e.txt", "text"));
    ASSERT_TRUE(dlg.SelectDesktopPath({folder.Name()}));
    ASSERT_EQ(dlg.m_names.GetCount(), 5);
    // c.mp3's line emptied, a line added past the files: both stay.
    dlg.SetEditorText(L"a.mp3\r\nb.MP3\r\n\r\nd.jpg\r\ne.txt\r\nextra.mp3\r\n");

    std::wstring preview, refusal;
    WithDialog(dlg, ID_NAMES_FROM_TAGS, L"태그로 이름 짓기", [&](HWND h) {
        preview = ItemText(h, IDC_TAG_PREVIEW);
        SetDlgItemTextW(h, IDC_TAG_FORMAT, L"%track% %titel%");
        refusal = PressOk(h);
        SendDlgItemMessageW(h, IDC_TAG_FORMAT, CB_SETCURSEL, 2, 0);  // "%track% %artist% - %title%"
        PressOk(h);
    });
    EXPECT_EQ(preview, Text(IDS_PREVIEW_CHANGE, {L"a.mp3", L"03 Title_One.mp3"}));
    EXPECT_EQ(refusal, Text(IDS_TAG_UNKNOWN_FIELD, {L"%titel%"}));
    const std::wstring byTrack = L"03 부활 - Title_One.mp3\r\n07 x - v1.MP3\r\n\r\nd.jpg\r\ne.txt\r\nextra.mp3\r\n";
    EXPECT_EQ(S(dlg.EditorText()), byTrack);
    // d.jpg and e.txt lack a track: every type counts.
    EXPECT_EQ(dlg.messages, std::vector<std::wstring>{Text(IDS_TAG_FIELDS_MISSING, {L"2"})});

    WithDialog(dlg, ID_NAMES_FROM_TAGS, L"태그로 이름 짓기", [&](HWND h) {
        SetDlgItemTextW(h, IDC_TAG_FORMAT, L"%date% %time%");
        PressOk(h);
    });
    EXPECT_EQ(S(dlg.EditorText()), L"03 부활 - Title_One.mp3\r\n07 x - v1.MP3\r\n\r\n2024-05-01 13.45.10.jpg\r\ne.txt\r\nextra.mp3\r\n");
    EXPECT_EQ(dlg.messages.back(), Text(IDS_TAG_FIELDS_MISSING, {L"3"}));
    WithDialog(dlg, ID_NAMES_FROM_TAGS, L"태그로 이름 짓기", [](HWND h) { PostMessageW(h, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(dlg.m_undo.GetDepth(), 2);
    dlg.Click(IDC_UNDO);
    EXPECT_EQ(S(dlg.EditorText()), byTrack);
    EXPECT_EQ(ListFileNames(folder.Path()), (std::vector<std::wstring>{L"a.mp3", L"b.MP3", L"c.mp3", L"d.jpg", L"e.txt"}));
}

TEST(NamesMenu, LetterCaseChangesEachNameBeforeItsExtension)
{
    TestBatchNameDlg dlg;
    const CString text = L"hello WORLD-foo_bar(baz)[qux] x.MP3\r\nÉCOLE été.Txt\r\n한글 ABC.mp3\r\n.BASHRC\r\n\r\na.B.C\r\n";
    dlg.SetList(0, text);
    Command(dlg, ID_NAMES_LOWER_CASE);  // nothing listed: nothing happens
    EXPECT_EQ(dlg.EditorText(), text);
    EXPECT_EQ(dlg.m_undo.GetDepth(), 0);

    dlg.SetList(3, text);
    const struct {
        int nID;
        const wchar_t* result;
    } cases[] = {
        {ID_NAMES_LOWER_CASE, L"hello world-foo_bar(baz)[qux] x.MP3\r\nécole été.Txt\r\n한글 abc.mp3\r\n.bashrc\r\n\r\na.b.C\r\n"},
        {ID_NAMES_UPPER_CASE, L"HELLO WORLD-FOO_BAR(BAZ)[QUX] X.MP3\r\nÉCOLE ÉTÉ.Txt\r\n한글 ABC.mp3\r\n.BASHRC\r\n\r\nA.B.C\r\n"},
        {ID_NAMES_WORD_CASE, L"Hello World-Foo_Bar(Baz)[Qux] X.MP3\r\nÉcole Été.Txt\r\n한글 Abc.mp3\r\n.bashrc\r\n\r\nA.b.C\r\n"},
    };
    for (const auto& c : cases) {
        Command(dlg, c.nID);
        EXPECT_EQ(S(dlg.EditorText()), c.result) << c.nID;
    }
    EXPECT_EQ(dlg.m_undo.GetDepth(), 3);
    for (int i = 0; i < 3; ++i)
        dlg.Click(IDC_UNDO);
    EXPECT_EQ(dlg.EditorText(), text);
    EXPECT_FALSE(dlg.UndoEnabled());
}

namespace {

// The dialog with the points its menu was asked at, the menu not shown.
class MenuRecordingDlg : public TestBatchNameDlg {
public:
    using TestBatchNameDlg::LoadNamesMenu;
    std::vector<POINT> menus;

protected:
    void ShowNamesMenu(CPoint point) override { menus.push_back(point); }
};

}  // namespace

TEST(NamesMenu, ItemsFollowTheEditorAndTheListAndTheMenuOpensFromMouseAndKeys)
{
    MenuRecordingDlg dlg;
    // Enabled (+) or grayed (-): undo, cut, copy, paste, delete, select
    // all, then the commands 2001-2006.
    auto states = [&dlg]() {
        CMenu menu;
        CMenu* pPopup = dlg.LoadNamesMenu(menu);
        std::wstring s;
        for (UINT nID : {ID_NAMES_EDIT_UNDO, ID_NAMES_EDIT_CUT, ID_NAMES_EDIT_COPY, ID_NAMES_EDIT_PASTE,
                         ID_NAMES_EDIT_DELETE, ID_NAMES_EDIT_SELECT_ALL, ID_NAMES_NUMBER, ID_NAMES_FROM_TAGS,
                         ID_NAMES_LOWER_CASE, ID_NAMES_UPPER_CASE, ID_NAMES_WORD_CASE, ID_NAMES_PREVIEW})
            s += (pPopup->GetMenuState(nID, MF_BYCOMMAND) & MF_GRAYED) ? L'-' : L'+';
        menu.DestroyMenu();
        return s;
    };
    ASSERT_TRUE(OpenClipboard(dlg.m_hWnd));
    EmptyClipboard();
    CloseClipboard();
    dlg.SetList(0, L"");
    EXPECT_EQ(states(), L"------------");
    dlg.SetList(2, L"a.txt\r\nb.txt\r\n");
    EXPECT_EQ(states(), L"-----+++++++");
    Command(dlg, ID_NAMES_EDIT_SELECT_ALL);
    EXPECT_EQ(states(), L"-++-+-++++++");
    Command(dlg, ID_NAMES_EDIT_CUT);
    EXPECT_EQ(S(dlg.EditorText()), L"");
    EXPECT_EQ(states(), L"+--+--++++++");
    Command(dlg, ID_NAMES_EDIT_UNDO);
    EXPECT_EQ(S(dlg.EditorText()), L"a.txt\r\nb.txt\r\n");
    dlg.m_editNames.SetSel(0, 2);
    Command(dlg, ID_NAMES_EDIT_COPY);
    Command(dlg, ID_NAMES_EDIT_DELETE);
    EXPECT_EQ(S(dlg.EditorText()), L"txt\r\nb.txt\r\n");
    dlg.m_editNames.SetSel(0, 0);
    Command(dlg, ID_NAMES_EDIT_PASTE);
    EXPECT_EQ(S(dlg.EditorText()), L"a.txt\r\nb.txt\r\n");

    // A right-click, the context-menu key and Shift+F10 in the editor open
    // the dialog's menu, once each; the tree's requests are not for it.
    HWND hEdit = dlg.Item(IDC_NAMES_EDIT);
    SendMessageW(hEdit, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6));
    SendMessageW(hEdit, WM_RBUTTONUP, 0, MAKELPARAM(5, 6));
    dlg.PressKey(hEdit, VK_APPS);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_F10] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(hEdit, WM_SYSKEYDOWN, VK_F10, 1);
    keys[VK_SHIFT] = keys[VK_F10] = 0;
    SetKeyboardState(keys);
    SendMessageW(hEdit, WM_SYSKEYUP, VK_F10, 0xC0000001);
    dlg.SendMessage(WM_CONTEXTMENU, (WPARAM)dlg.Item(IDC_TREE), MAKELPARAM(1, 1));
    PumpMessages();
    POINT click = {5, 6}, caret;
    ClientToScreen(hEdit, &click);
    GetCaretPos(&caret);
    ClientToScreen(hEdit, &caret);
    ASSERT_EQ(dlg.menus.size(), 3u);
    EXPECT_EQ(std::make_pair(dlg.menus[0].x, dlg.menus[0].y), std::make_pair(click.x, click.y));
    for (int i : {1, 2})
        EXPECT_EQ(std::make_pair(dlg.menus[i].x, dlg.menus[i].y), std::make_pair(caret.x, caret.y)) << i;
    EXPECT_EQ(GetFocus(), hEdit);
}
