// The main dialog as the user meets it: start-up state, loading a folder,
// renaming with a report of the failures, layout, colours, keys, manual.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "support/DialogDriver.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"
#include "platform/Shell.h"

namespace {

RECT ChildRect(HWND hDlg, int nID)
{
    RECT r;
    HWND h = GetDlgItem(hDlg, nID);
    GetWindowRect(h, &r);
    MapWindowPoints(NULL, hDlg, (POINT*)&r, 2);
    RECT box = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    return box;
}

::testing::AssertionResult IsBox(const RECT& r, int x, int y, int cx, int cy)
{
    if (r.left == x && r.top == y && r.right == cx && r.bottom == cy)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom
                                         << ") instead of (" << x << ", " << y << ", " << cx << ", " << cy << ")";
}

COLORREF BrushColor(HBRUSH h)
{
    LOGBRUSH lb = {};
    GetObject(h, sizeof(lb), &lb);
    return lb.lbColor;
}

}  // namespace

TEST(MainDialog, StartsWithTheTreeTopLevelAndTheManualInTheSystemMenu)
{
    TestBatchNameDlg dlg;
    ASSERT_TRUE(IsWindow(dlg.m_hWnd));
    CString caption;
    dlg.GetWindowText(caption);
    EXPECT_STREQ(caption, L"Quorvel 1.07 - 화일 이름을 쉽게");
    EXPECT_FALSE(dlg.UndoEnabled());
    EXPECT_EQ(dlg.m_undo.GetDepth(), 0);
    EXPECT_EQ(dlg.m_names.GetCount(), 0);

    HTREEITEM hFirst = dlg.m_tree.GetRootItem();
    ASSERT_TRUE(hFirst);
    EXPECT_EQ(dlg.m_tree.GetItemText(hFirst).str(), Text(IDS_COMPUTER));
    EXPECT_EQ(dlg.m_tree.GetNextSiblingItem(hFirst), dlg.m_tree.GetDesktopItem());
    EXPECT_EQ(dlg.m_tree.GetNextSiblingItem(dlg.m_tree.GetDesktopItem()), (HTREEITEM)NULL);

    // The manual's item, the take-back item, grayed: nothing to take back
    // yet, and the item that adds Explorer's menu entries.
    HMENU hMenu = GetSystemMenu(dlg.m_hWnd, FALSE);
    int n = GetMenuItemCount(hMenu);
    ASSERT_GE(n, 4);
    EXPECT_EQ(GetMenuState(hMenu, n - 4, MF_BYPOSITION) & MF_SEPARATOR, (UINT)MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(hMenu, n - 3), (UINT)IDM_ABOUTBOX);
    EXPECT_EQ(GetMenuItemID(hMenu, n - 2), (UINT)IDM_UNDO_RENAME);
    wchar_t text[100] = L"";
    GetMenuStringW(hMenu, n - 3, text, 100, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), Text(IDS_ABOUTBOX));
    GetMenuStringW(hMenu, n - 2, text, 100, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), Text(IDS_UNDO_RENAME));
    EXPECT_FALSE(dlg.TakeBackEnabled());

    // The manifest brings version 6 of the common controls, the only one
    // whose buttons answer BCM_GETIDEALSIZE (Wine's DllGetVersion says 5.81
    // whatever is loaded).
    EXPECT_TRUE(FindResourceW(NULL, MAKEINTRESOURCEW(1), (LPCWSTR)RT_MANIFEST) != NULL);
    SIZE ideal = {};
    EXPECT_TRUE(SendMessageW(dlg.Item(IDC_RENAME), BCM_GETIDEALSIZE, 0, (LPARAM)&ideal));
    EXPECT_GT(ideal.cx, 0);
}

TEST(MainDialog, SelectingAFolderLoadsItsNamesAndTheRenameButtonAppliesThem)
{
    TestBatchNameDlg dlg;
    DesktopFolder folder(dlg.m_tree.GetDesktopPath().str());
    ASSERT_TRUE(WriteNamedFiles(folder.Path(), {L"b.txt", L"c.txt", L"A.txt", L"노래.mp3"}));
    ASSERT_TRUE(MakeFolder(folder / L"sub"));

    ASSERT_TRUE(dlg.SelectDesktopPath({folder.Name()}));
    EXPECT_STREQ(dlg.EditorText(), L"A.txt\r\nb.txt\r\nc.txt\r\n노래.mp3\r\n");
    EXPECT_EQ(dlg.m_names.GetCount(), 4);
    EXPECT_STREQ(dlg.m_names.GetFolderPath(), folder.Path().c_str());

    // The undo history empties on a rename whatever it held.
    dlg.m_undo.Record(L"");
    dlg.m_undo.Record(L"");
    EnableWindow(dlg.Item(IDC_UNDO), TRUE);

    // A.txt -> sub fails (a folder holds the name); b.txt -> c.txt waits
    // for c.txt to become d.txt; the others go through.
    dlg.SetEditorText(L"sub\r\nc.txt\r\nd.txt\r\n음악.mp3\r\n");
    {
        MessageBoxWatcher boxes;
        dlg.Click(IDC_RENAME);
        auto seen = boxes.Boxes();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, Text(IDS_RENAME_CAPTION));
        EXPECT_EQ(seen[0].text.find(Text(IDS_RENAME_REPORT, {L"4", L"1"}) + L"\n" + Text(IDS_REPORT_LINE, {L"A.txt", L"sub", L""})), 0u)
            << seen[0].text;
        EXPECT_EQ(seen[0].icon, (UINT)MB_ICONHAND);
    }
    EXPECT_EQ(ListFileNames(folder.Path()),
              (std::vector<std::wstring>{L"A.txt", L"c.txt", L"d.txt", L"음악.mp3"}));
    EXPECT_EQ(ReadFileText(folder / L"c.txt"), L"b.txt");
    EXPECT_EQ(ReadFileText(folder / L"d.txt"), L"c.txt");
    EXPECT_STREQ(dlg.m_names[0].strShown, L"A.txt");
    EXPECT_STREQ(dlg.m_names[1].strShown, L"c.txt");
    EXPECT_STREQ(dlg.m_names[2].strShown, L"d.txt");
    EXPECT_FALSE(dlg.UndoEnabled());
    EXPECT_EQ(dlg.m_undo.GetDepth(), 0);
    // The editor keeps the text as the user wrote it.
    EXPECT_STREQ(dlg.EditorText(), L"sub\r\nc.txt\r\nd.txt\r\n음악.mp3\r\n");

    // A second press with nothing left to change reports only what still
    // cannot be done.
    dlg.SetEditorText(L"A.txt\r\nc.txt\r\nd.txt\r\n음악.mp3\r\n");
    {
        MessageBoxWatcher boxes;
        dlg.Click(IDC_RENAME);
        EXPECT_TRUE(boxes.Boxes().empty());
    }

    // Selecting an empty folder empties the editor.
    ASSERT_TRUE(dlg.SelectDesktopPath({folder.Name(), L"sub"}));
    EXPECT_STREQ(dlg.EditorText(), L"");
    EXPECT_EQ(dlg.m_names.GetCount(), 0);
}

TEST(MainDialog, LayoutFollowsTheClientSize)
{
    TestBatchNameDlg dlg;
    const int ids[] = {IDC_TREE, IDC_NAMES_EDIT, IDC_MANUAL_BUTTON, IDC_RENAME};
    RECT before[4];
    for (int i = 0; i < 4; ++i)
        before[i] = ChildRect(dlg.m_hWnd, ids[i]);

    // 420 pixels wide or narrower, and minimised: nothing moves.
    dlg.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(420, 300));
    dlg.SendMessage(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(IsBox(ChildRect(dlg.m_hWnd, ids[i]), before[i].left, before[i].top, before[i].right,
                          before[i].bottom));

    struct {
        int w, h;
        int tree[4], names[4], manual[4], rename[4];
    } cases[] = {
        {421, 300, {0, 63, 211, 219}, {211, 63, 211, 219}, {213, 282, 208, 18}, {403, 8, 16, 50}},
        {600, 400, {0, 63, 300, 319}, {301, 63, 300, 319}, {303, 382, 297, 18}, {420, 8, 160, 50}},
        {1024, 700, {0, 63, 512, 619}, {513, 63, 512, 619}, {515, 682, 509, 18}, {463, 8, 499, 50}},
        // Too low for the panes: their height stops at 0.
        {500, 50, {0, 63, 250, 0}, {251, 63, 250, 0}, {253, 32, 247, 18}, {410, 8, 80, 50}},
    };
    for (const auto& c : cases) {
        dlg.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.w, c.h));
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        EXPECT_TRUE(IsBox(ChildRect(dlg.m_hWnd, IDC_TREE), c.tree[0], c.tree[1], c.tree[2], c.tree[3]));
        EXPECT_TRUE(IsBox(ChildRect(dlg.m_hWnd, IDC_NAMES_EDIT), c.names[0], c.names[1], c.names[2], c.names[3]));
        EXPECT_TRUE(
            IsBox(ChildRect(dlg.m_hWnd, IDC_MANUAL_BUTTON), c.manual[0], c.manual[1], c.manual[2], c.manual[3]));
        EXPECT_TRUE(IsBox(ChildRect(dlg.m_hWnd, IDC_RENAME), c.rename[0], c.rename[1], c.rename[2], c.rename[3]));
    }
}

TEST(MainDialog, MinimisedIconIsCentredWithTruncatingDivision)
{
    POINT pt = IconPosition(36, 36, 32, 32);
    EXPECT_EQ(pt.x, 2);
    EXPECT_EQ(pt.y, 2);
    pt = IconPosition(30, 30, 32, 32);
    EXPECT_EQ(pt.x, 0);  // -1 / 2 truncates toward zero
    EXPECT_EQ(pt.y, 0);
    pt = IconPosition(160, 27, 32, 32);
    EXPECT_EQ(pt.x, 64);
    EXPECT_EQ(pt.y, -2);
}

TEST(MainDialog, ColoursByControlAndKindWithSixBrushesForEver)
{
    auto pDlg = std::make_unique<TestBatchNameDlg>();
    TestBatchNameDlg& dlg = *pDlg;
    HDC hdc = GetDC(dlg.m_hWnd);
    struct {
        int id;
        UINT msg;
        COLORREF text, back, fill;
    } rows[] = {
        {IDC_FIND_COMBO, WM_CTLCOLOREDIT, RGB(50, 50, 100), RGB(115, 255, 255), RGB(255, 55, 55)},
        {IDC_FIND_COMBO, WM_CTLCOLORLISTBOX, RGB(50, 50, 100), RGB(115, 255, 255), RGB(255, 55, 55)},
        {IDC_REPLACE_COMBO, WM_CTLCOLOREDIT, RGB(50, 50, 100), RGB(155, 255, 255), RGB(55, 55, 255)},
        {IDC_FRONT_EDIT, WM_CTLCOLOREDIT, RGB(50, 50, 10), RGB(225, 255, 225), RGB(155, 255, 155)},
        {IDC_TREE, WM_CTLCOLORSTATIC, RGB(50, 50, 100), RGB(255, 250, 250), RGB(255, 245, 245)},
        {IDC_NAMES_EDIT, WM_CTLCOLOREDIT, RGB(50, 50, 100), RGB(245, 245, 255), RGB(245, 245, 255)},
        {IDC_RENAME, WM_CTLCOLORSTATIC, RGB(0, 150, 0), RGB(230, 230, 255), RGB(230, 230, 255)},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.id);
        HBRUSH h = (HBRUSH)dlg.SendMessage(r.msg, (WPARAM)hdc, (LPARAM)dlg.Item(r.id));
        EXPECT_EQ(BrushColor(h), r.fill);
        EXPECT_EQ(GetTextColor(hdc), r.text);
        EXPECT_EQ(GetBkColor(hdc), r.back);
    }
    // Any other control of another kind: the fill only; the colours are
    // those of the default processing, not the static row's green.
    SetTextColor(hdc, RGB(1, 2, 3));
    HBRUSH h = (HBRUSH)dlg.SendMessage(WM_CTLCOLORBTN, (WPARAM)hdc, (LPARAM)dlg.Item(IDC_RENAME));
    EXPECT_EQ(BrushColor(h), RGB(230, 230, 255));
    EXPECT_NE(GetTextColor(hdc), RGB(0, 150, 0));
    // The dialog's own background.
    h = (HBRUSH)dlg.SendMessage(WM_CTLCOLORDLG, (WPARAM)hdc, (LPARAM)dlg.m_hWnd);
    EXPECT_EQ(BrushColor(h), RGB(230, 230, 255));

    // Repainting many times hands out the same six brushes.
    HBRUSH first[CBatchNameDlg::BRUSH_COUNT];
    for (int i = 0; i < CBatchNameDlg::BRUSH_COUNT; ++i) {
        first[i] = dlg.m_brushes[i].GetSafeHandle();
        EXPECT_TRUE(first[i] != NULL) << i;
    }
    // The brushes the dialog hands out are counted by handle: Wine counts
    // no GDI objects per process (GetGuiResources gives 0).
    std::set<HBRUSH> handedOut;
    for (int i = 0; i < 200; ++i) {
        RedrawWindow(dlg.m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        for (const auto& r : rows)
            handedOut.insert((HBRUSH)dlg.SendMessage(r.msg, (WPARAM)hdc, (LPARAM)dlg.Item(r.id)));
    }
    for (int i = 0; i < CBatchNameDlg::BRUSH_COUNT; ++i)
        EXPECT_EQ(dlg.m_brushes[i].GetSafeHandle(), first[i]) << i;
    EXPECT_EQ(handedOut, std::set<HBRUSH>(first, first + CBatchNameDlg::BRUSH_COUNT));
    ReleaseDC(dlg.m_hWnd, hdc);
    // And the dialog deletes all six when it goes.
    pDlg.reset();
    for (int i = 0; i < CBatchNameDlg::BRUSH_COUNT; ++i)
        EXPECT_EQ(GetObjectType(first[i]), 0u) << i;
}

namespace {
// Counts the batch commands that the Enter key starts.
class RoutingDlg : public TestBatchNameDlg {
public:
    int replaces = 0, inserts = 0;

protected:
    void OnReplace() override { ++replaces; }
    void OnInsertFront() override { ++inserts; }
};
}  // namespace

TEST(MainDialog, EnterRunsTheCommandOfItsFieldAndNothingElseReachesAnything)
{
    RoutingDlg dlg;
    // The tree takes the focus before the text is set: a tree that gets the
    // focus selects its first item, which loads it.
    SetFocus(dlg.Item(IDC_TREE));
    dlg.SetEditorText(L"a\r\nb\r\n");
    HWND hFindEdit = GetWindow(dlg.Item(IDC_FIND_COMBO), GW_CHILD);
    HWND hReplaceEdit = GetWindow(dlg.Item(IDC_REPLACE_COMBO), GW_CHILD);
    ASSERT_TRUE(hFindEdit && hReplaceEdit);

    dlg.PressKey(hFindEdit, VK_RETURN);
    EXPECT_EQ(dlg.replaces, 1);
    dlg.PressKey(hReplaceEdit, VK_RETURN);
    EXPECT_EQ(dlg.replaces, 2);
    dlg.PressKey(dlg.Item(IDC_FRONT_EDIT), VK_RETURN);
    EXPECT_EQ(dlg.inserts, 1);

    // Enter in the name editor, the tree and on buttons does nothing; no
    // line break reaches the editor and no button is pressed.
    const int others[] = {IDC_NAMES_EDIT, IDC_TREE, IDC_RENAME, IDC_REPLACE, IDC_MANUAL_BUTTON};
    for (int id : others) {
        dlg.PressKey(dlg.Item(id), VK_RETURN);
        dlg.PressKey(dlg.Item(id), VK_ESCAPE);
    }
    dlg.PressKey(hFindEdit, VK_ESCAPE);
    EXPECT_EQ(dlg.replaces, 2);
    EXPECT_EQ(dlg.inserts, 1);
    EXPECT_STREQ(dlg.EditorText(), L"a\r\nb\r\n");
    EXPECT_TRUE(IsWindow(dlg.m_hWnd));
    EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd));
}

TEST(MainDialog, ThePastedListOfALargeFolderArrivesWhole)
{
    TestBatchNameDlg dlg;
    std::wstring text;
    for (int i = 0; i < 2000; ++i) {
        wchar_t line[64];
        swprintf(line, 64, L"%04d_%-53ls", i, L"long name of a music file.mp3");
        text += std::wstring(line, 58) + L"\r\n";
    }
    ASSERT_EQ(text.size(), 120000u);
    ASSERT_TRUE(OpenClipboard(dlg.m_hWnd));
    EmptyClipboard();
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(hMem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(hMem);
    SetClipboardData(CF_UNICODETEXT, hMem);
    CloseClipboard();

    SetFocus(dlg.Item(IDC_NAMES_EDIT));
    SendMessageW(dlg.Item(IDC_NAMES_EDIT), WM_PASTE, 0, 0);
    EXPECT_EQ(dlg.EditorText().GetLength(), (int)text.size());
    EXPECT_EQ(dlg.EditorText().str(), text);
}

TEST(MainDialog, TheManualOpensFromTheSystemMenuAndFromItsButton)
{
    TestBatchNameDlg dlg;
    dlg.SetList(0, L"");
    const CString caption = L"Quorvel 사용설명서";
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        bool ownerDisabled = false;
        COLORREF dialogFill = 0;
        LONG firstLineStyle = 0;
        {
            WhenWindowAppears closer(caption, [&](HWND hManual) {
                ownerDisabled = !IsWindowEnabled(dlg.m_hWnd);
                firstLineStyle = GetWindowLongW(GetWindow(hManual, GW_CHILD), GWL_STYLE);
                HDC hdc = GetDC(hManual);
                dialogFill = BrushColor((HBRUSH)SendMessageW(hManual, WM_CTLCOLORDLG, (WPARAM)hdc, (LPARAM)hManual));
                ReleaseDC(hManual, hdc);
                // Escape reaches the manual, through its own dialog keys.
                HWND hOk = GetDlgItem(hManual, IDOK);
                PostMessageW(way == 2 ? hOk : hManual, way == 2 ? WM_KEYDOWN : WM_COMMAND,
                             way == 2 ? VK_ESCAPE : MAKEWPARAM(IDOK, BN_CLICKED), way == 2 ? 1 : 0);
            });
            if (way == 0)
                dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
            else if (way == 1)
                dlg.Click(IDC_MANUAL_BUTTON);
            else
                dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX | 0x000F, 0);
            EXPECT_TRUE(closer.Seen());
        }
        EXPECT_TRUE(ownerDisabled);
        EXPECT_EQ(dialogFill, RGB(0, 0, 0));
        // The name and version line: left-aligned, a group, no prefix.
        EXPECT_EQ(firstLineStyle & (SS_TYPEMASK | SS_NOPREFIX | WS_GROUP), SS_LEFT | SS_NOPREFIX | WS_GROUP);
        EXPECT_TRUE(IsWindowEnabled(dlg.m_hWnd));
        EXPECT_FALSE(FindWindowW(NULL, caption));
    }
}

// The whole program from outside: it starts, a folder is chosen in its
// tree, the names are edited, the rename button is pressed, and the files
// on disk have their new names; it ends when its window closes.
TEST(Program, RenamesTheFilesOfAFolderChosenInItsTreeAndEndsWhenItCloses)
{
    const std::wstring path = ProgramPath();
    ASSERT_TRUE(PathExists(path)) << path;
    DesktopFolder folder(GetDesktopFolderPath(NULL).str());
    ASSERT_TRUE(WriteNamedFiles(folder.Path(), {L"a.txt", L"b.txt"}));

    PROCESS_INFORMATION pi;
    HWND hWnd = StartProgram(L"", pi);
    if (hWnd) {
        // The desktop item, opened with "+" as the user opens it, then the
        // folder below it selected: its names fill the editor.
        HWND hTree = GetDlgItem(hWnd, IDC_TREE);
        HTREEITEM hDesktop = (HTREEITEM)SendTo(hTree, TVM_GETNEXTITEM, TVGN_NEXT,
                                               SendTo(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        SendTo(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hDesktop);
        SendTo(hTree, WM_KEYDOWN, VK_ADD, 0);
        HTREEITEM hFolder = NULL;
        for (HTREEITEM h = (HTREEITEM)SendTo(hTree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)hDesktop); h && !hFolder;
             h = (HTREEITEM)SendTo(hTree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)h))
            if (RemoteItemText(pi.hProcess, hTree, h) == folder.Name())
                hFolder = h;
        EXPECT_TRUE(hFolder) << "the folder is not in the program's tree";
        SendTo(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hFolder);
        HWND hNames = GetDlgItem(hWnd, IDC_NAMES_EDIT);
        EXPECT_EQ(RemoteEditText(hNames), L"a.txt\r\nb.txt\r\n");

        // New names typed over the old ones, and the button pressed.
        SendTo(hNames, WM_SETTEXT, 0, (LPARAM) L"1.txt\r\n2.txt\r\n");
        PostMessageW(GetDlgItem(hWnd, IDC_RENAME), BM_CLICK, 0, 0);
        const std::vector<std::wstring> renamed = {L"1.txt", L"2.txt"};
        for (DWORD start = GetTickCount(); ListFileNames(folder.Path()) != renamed && GetTickCount() - start < 10000;)
            Sleep(20);
        EXPECT_EQ(ListFileNames(folder.Path()), renamed);
        EXPECT_EQ(ReadFileText(folder / L"1.txt"), L"a.txt");
        EXPECT_EQ(ReadFileText(folder / L"2.txt"), L"b.txt");
    }
    EXPECT_TRUE(hWnd) << "the main window did not appear";
    EXPECT_EQ(CloseProgram(hWnd, pi), 0);
}
