// Runs in a prefix of its own whose screen is scaled to 150% (144 DPI): the
// dialog lays out what it sizes itself in the window's DPI, and follows a
// change of DPI (which Wine cannot make per monitor, so it is sent).
#include <gtest/gtest.h>

#include "support/DialogDriver.h"
#include "support/TestSupport.h"

namespace {

const int kLaidOut[] = {IDC_TREE, IDC_NAMES_EDIT, IDC_MANUAL_BUTTON, IDC_RENAME};

RECT ChildRect(HWND hDlg, HWND hChild)
{
    RECT r;
    GetWindowRect(hChild, &r);
    MapWindowPoints(NULL, hDlg, (POINT*)&r, 2);
    return r;
}

// Each laid-out control where the layout at nDpi puts it for the client
// area, within tolerance pixels (scaled from 96 DPI, say).
void ExpectLaidOut(HWND hDlg, const DialogLayout& layout, int tolerance)
{
    const RECT* boxes[] = {&layout.tree, &layout.names, &layout.manualButton, &layout.renameButton};
    for (int i = 0; i < 4; ++i) {
        RECT r = ChildRect(hDlg, GetDlgItem(hDlg, kLaidOut[i]));
        const RECT& b = *boxes[i];
        SCOPED_TRACE(testing::Message() << "control " << kLaidOut[i]);
        EXPECT_NEAR(r.left, b.left, tolerance);
        EXPECT_NEAR(r.top, b.top, tolerance);
        EXPECT_NEAR(r.right - r.left, b.right, tolerance);
        EXPECT_NEAR(r.bottom - r.top, b.bottom, tolerance);
    }
}

int IconWidth(HICON hIcon)
{
    ICONINFO info = {};
    if (!hIcon || !GetIconInfo(hIcon, &info))
        return 0;
    BITMAP bm = {};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bm.bmWidth;
}

}  // namespace

TEST(DialogDpi, LayoutScalesAndNothingCoversAnything)
{
    TestBatchNameDlg dlg;
    ASSERT_EQ(AfxGetWindowDpi(dlg.m_hWnd), 144u);
    for (SIZE client : {SIZE{900, 600}, SIZE{1200, 800}}) {
        SCOPED_TRACE(testing::Message() << client.cx << " x " << client.cy);
        dlg.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.cx, client.cy));
        // 1.5 times the places the same window has at 96 DPI.
        DialogLayout at96;
        ASSERT_TRUE(ComputeDialogLayout(client.cx * 2 / 3, client.cy * 2 / 3, 96, at96));
        for (RECT* b : {&at96.tree, &at96.names, &at96.manualButton, &at96.renameButton})
            *b = {b->left * 3 / 2, b->top * 3 / 2, b->right * 3 / 2, b->bottom * 3 / 2};
        ExpectLaidOut(dlg.m_hWnd, at96, 1);

        // No control covers another. Group boxes frame others and are left
        // out. Wine's stand-in for "굴림" is a little taller than Windows'
        // own, so the template's rows reach a few pixels further down at
        // every DPI: up to 8 pixels of overlap are let pass.
        std::vector<std::pair<int, RECT>> controls;
        for (HWND h = GetWindow(dlg.m_hWnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            wchar_t cls[32] = L"";
            GetClassNameW(h, cls, 32);
            if (!IsWindowVisible(h) ||
                (!_wcsicmp(cls, L"Button") && (GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX))
                continue;
            controls.emplace_back(GetDlgCtrlID(h), ChildRect(dlg.m_hWnd, h));
        }
        for (size_t i = 0; i < controls.size(); ++i)
            for (size_t j = i + 1; j < controls.size(); ++j) {
                RECT overlap;
                if (IntersectRect(&overlap, &controls[i].second, &controls[j].second)) {
                    EXPECT_LE(std::min(overlap.right - overlap.left, overlap.bottom - overlap.top), 8)
                        << controls[i].first << " and " << controls[j].first;
                }
            }
    }
}

TEST(DialogDpi, AChangeOfDpiLaysOutAndLoadsIconsAtTheNewSizes)
{
    TestBatchNameDlg dlg;
    HTREEITEM hDesktop = dlg.m_tree.GetDesktopItem();
    dlg.OpenItem(hDesktop);
    int nImage = 0, nSelected = 0;
    HTREEITEM hChild = dlg.m_tree.GetChildItem(hDesktop);
    ASSERT_TRUE(hChild);
    dlg.m_tree.GetItemImage(hChild, nImage, nSelected);
    const int nCount = dlg.m_tree.GetImages().GetImageCount();

    RECT rect = {10, 10, 10 + 1250, 10 + 880};
    dlg.SendMessage(WM_DPICHANGED, MAKEWPARAM(192, 192), (LPARAM)&rect);
    RECT client;
    GetClientRect(dlg.m_hWnd, &client);
    DialogLayout layout;
    ASSERT_TRUE(ComputeDialogLayout(client.right, client.bottom, 192, layout));
    ExpectLaidOut(dlg.m_hWnd, layout, 0);
    EXPECT_EQ(layout.tree.top, 126);

    EXPECT_EQ(IconWidth((HICON)dlg.SendMessage(WM_GETICON, ICON_BIG)), AfxGetSystemMetricsForDpi(SM_CXICON, 192));
    EXPECT_EQ(IconWidth((HICON)dlg.SendMessage(WM_GETICON, ICON_SMALL)),
              AfxGetSystemMetricsForDpi(SM_CXSMICON, 192));
    int cx = 0, cy = 0;
    ImageList_GetIconSize(dlg.m_tree.GetImages(), &cx, &cy);
    EXPECT_EQ(cx, AfxGetSystemMetricsForDpi(SM_CXSMICON, 192));
    EXPECT_EQ(dlg.m_tree.GetImages().GetImageCount(), nCount);
    int nImageAfter = 0, nSelectedAfter = 0;
    dlg.m_tree.GetItemImage(hChild, nImageAfter, nSelectedAfter);
    EXPECT_EQ(nImageAfter, nImage);
    EXPECT_EQ(nSelectedAfter, nSelected);
    HICON hImage = dlg.m_tree.GetImages().ExtractIcon(nImage);
    EXPECT_EQ(IconWidth(hImage), cx);
    DestroyIcon(hImage);
}
