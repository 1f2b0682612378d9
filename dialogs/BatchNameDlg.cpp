#include "dialogs/BatchNameDlg.h"
#include "dialogs/RenameReport.h"

#include <algorithm>
#include <unordered_map>

#include "dialogs/ManualDlg.h"
#include "names/RenameJournal.h"
#include "names/Renamer.h"
#include "platform/PathIdentity.h"

namespace {

// Layout constants, in client pixels at 96 DPI; each is scaled to the
// window's DPI.
const int WIDTH_THRESHOLD = 420;
const int PANE_TOP = 63;
const int PANE_SHORTER = 81;
const int STRIP_HEIGHT = 18;
const int RENAME_TOP = 8;
const int RENAME_HEIGHT = 50;
const int PANE_GAP = 1;
const int MANUAL_GAP = 3;
// The rename button's formula: its left edge and width follow the width.
const int RENAME_WIDTH_ORIGIN = 400;
const int RENAME_WIDTH_OFFSET = 3200;

RECT Box(int x, int y, int cx, int cy)
{
    RECT r = {x, y, cx, cy};
    return r;
}

}  // namespace

bool ComputeDialogLayout(int cx, int cy, UINT nDpi, DialogLayout& layout)
{
    auto px = [nDpi](int nPixels) { return AfxScaleForDpi(nPixels, nDpi); };
    if (cx <= px(WIDTH_THRESHOLD))
        return false;
    int half = cx / 2;
    int right = cx - half;
    // A client area too low for the panes gives them no height rather than
    // a negative one.
    int paneHeight = cy - px(PANE_SHORTER);
    if (paneHeight < 0)
        paneHeight = 0;
    int stripTop = cy - px(STRIP_HEIGHT);
    layout.tree = Box(0, px(PANE_TOP), right, paneHeight);
    layout.names = Box(half + px(PANE_GAP), px(PANE_TOP), right, paneHeight);
    layout.manualButton = Box(half + px(MANUAL_GAP), stripTop, right - px(MANUAL_GAP), px(STRIP_HEIGHT));
    layout.renameButton = Box(cx + (9 * (px(RENAME_WIDTH_ORIGIN) - cx)) / 10, px(RENAME_TOP),
                              (8 * cx - px(RENAME_WIDTH_OFFSET)) / 10, px(RENAME_HEIGHT));
    return true;
}

POINT IconPosition(int nClientWidth, int nClientHeight, int nIconWidth, int nIconHeight)
{
    POINT pt = {(nClientWidth - nIconWidth + 1) / 2, (nClientHeight - nIconHeight + 1) / 2};
    return pt;
}

EnterCommand EnterCommandFor(HWND hFocus, HWND hFindCombo, HWND hReplaceCombo, HWND hFrontEdit)
{
    if (!hFocus)
        return ENTER_NOTHING;
    HWND hParent = ::GetParent(hFocus);
    // The edit field of a drop-down combo box is its child.
    if (hParent && (hParent == hReplaceCombo || hParent == hFindCombo))
        return ENTER_REPLACE;
    if (hFocus == hFrontEdit)
        return ENTER_INSERT_FRONT;
    return ENTER_NOTHING;
}

// ---------------------------------------------------------------------------

CBatchNameDlg::CBatchNameDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_nOrder(ORDER_BY_NAME), m_hIcon(NULL), m_hSmallIcon(NULL),
      m_nDpi(AFX_DEFAULT_DPI), m_nProgressDelayMs(LONG_WORK_WINDOW_DELAY_MS), m_bEndingLabelEdit(false),
      m_bFollowingRenames(false), m_nLoadSerial(0), m_pWork(NULL), m_bCloseAfterWork(false), m_bNoticeDeferred(false),
      m_nDeferredNoticeFound(0), m_nDeferredNoticeLoad(0)
{
}

CBatchNameDlg::~CBatchNameDlg()
{
    DestroyIcons();
}

void CBatchNameDlg::DestroyIcons()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
    if (m_hSmallIcon)
        ::DestroyIcon(m_hSmallIcon);
    m_hIcon = m_hSmallIcon = NULL;
}

// The big and the small icon, each loaded at its size for the window's DPI
// from the icon's own images, and handed to the window.
void CBatchNameDlg::LoadIcons()
{
    HICON hOldIcon = m_hIcon, hOldSmallIcon = m_hSmallIcon;
    const int cx = AfxGetSystemMetricsForDpi(SM_CXICON, m_nDpi), cy = AfxGetSystemMetricsForDpi(SM_CYICON, m_nDpi);
    const int cxSmall = AfxGetSystemMetricsForDpi(SM_CXSMICON, m_nDpi);
    const int cySmall = AfxGetSystemMetricsForDpi(SM_CYSMICON, m_nDpi);
    m_hIcon = (HICON)::LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, cx, cy, 0);
    m_hSmallIcon =
        (HICON)::LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, cxSmall, cySmall, 0);
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hSmallIcon, FALSE);
    // The window has its new icons: the old ones may go.
    if (hOldIcon)
        ::DestroyIcon(hOldIcon);
    if (hOldSmallIcon)
        ::DestroyIcon(hOldSmallIcon);
}

void CBatchNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FRONT_EDIT, m_editFront);
    DDX_Control(pDX, IDC_UNDO, m_btnUndo);
    DDX_Control(pDX, IDC_REPLACE, m_btnReplace);
    DDX_Control(pDX, IDC_INSERT_FRONT, m_btnInsertFront);
    DDX_Control(pDX, IDC_MANUAL_BUTTON, m_btnManual);
    DDX_Control(pDX, IDC_NAMES_EDIT, m_editNames);
    DDX_Control(pDX, IDC_REPLACE_COMBO, m_comboReplace);
    DDX_Control(pDX, IDC_FIND_COMBO, m_comboFind);
    DDX_Control(pDX, IDC_RENAME, m_btnRename);
    DDX_Control(pDX, IDC_TREE, m_tree);
}

BEGIN_MESSAGE_MAP(CBatchNameDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_RENAME, OnRename)
    ON_NOTIFY(TVN_BEGINLABELEDIT, IDC_TREE, OnBeginLabelEdit)
    ON_NOTIFY(TVN_ENDLABELEDIT, IDC_TREE, OnEndLabelEdit)
    ON_BN_CLICKED(IDC_REPLACE, OnReplace)
    ON_NOTIFY(TVN_SELCHANGED, IDC_TREE, OnSelChangedTree)
    ON_WM_CTLCOLOR()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_BN_CLICKED(IDC_MANUAL_BUTTON, OnManual)
    ON_BN_CLICKED(IDC_INSERT_FRONT, OnInsertFront)
    ON_BN_CLICKED(IDC_UNDO, OnUndo)
    ON_BN_CLICKED(IDC_CHANGE_EXTENSION, OnChangeExtension)
    ON_CBN_EDITCHANGE(IDC_REPLACE_COMBO, OnEditChangeReplaceCombo)
    ON_MESSAGE(WM_REOPEN_LABEL_EDIT, OnReopenLabelEdit)
    ON_MESSAGE(WM_LISTING_NOTICE, OnListingNotice)
    ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
    ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
    ON_NOTIFY(TVN_SELCHANGING, IDC_TREE, OnSelChangingTree)
    ON_MESSAGE(WM_QUERYENDSESSION, OnQueryEndSession)
    ON_MESSAGE(WM_ENDSESSION, OnEndSession)
    ON_MESSAGE(WM_AFTER_SHOWN, OnAfterShown)
    ON_WM_DROPFILES()
    ON_MESSAGE(WM_INITMENU, OnInitMenu)
    // The name editor's menu and its commands.
    ON_WM_CONTEXTMENU()
    ON_COMMAND_RANGE(ID_NAMES_EDIT_UNDO, ID_NAMES_EDIT_SELECT_ALL, OnNamesEditCommand)
    ON_COMMAND(ID_NAMES_NUMBER, OnNumberNames)
    ON_COMMAND(ID_NAMES_FROM_TAGS, OnNamesFromTags)
    ON_COMMAND_RANGE(ID_NAMES_LOWER_CASE, ID_NAMES_WORD_CASE, OnLetterCase)
    ON_COMMAND_RANGE(ID_NAMES_ORDER_NAME, ID_NAMES_ORDER_SIZE, OnListOrder)
    ON_COMMAND(ID_NAMES_PREVIEW, OnPreviewRenames)
END_MESSAGE_MAP()

// Runs once when the window exists: binds the controls, extends the system
// menu, sets the icons and builds the tree's top level.
BOOL CBatchNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu) {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
        // Grayed until a rename has renamed a file.
        CString strUndoMenu = AfxLoadText(IDS_UNDO_RENAME);
        if (!strUndoMenu.IsEmpty())
            pSysMenu->AppendMenu(MF_STRING | MF_GRAYED, IDM_UNDO_RENAME, strUndoMenu);
        pSysMenu->AppendMenu(MF_STRING, IDM_EXPLORER_MENU, AfxLoadText(IDS_EXPLORER_MENU_ADD));
        UpdateExplorerMenuItem();
    }

    m_nDpi = AfxGetWindowDpi(m_hWnd);
    LoadIcons();

    // An edit control takes 32,767 characters from the keyboard and the
    // clipboard until told otherwise; a pasted list of a large folder must
    // arrive whole, or the files past the cut would get empty names.
    m_editNames.SetLimitText(0);

    m_tree.InitTree(AfxLoadText(IDS_COMPUTER));

    ResetUndo();
    ::DragAcceptFiles(m_hWnd, TRUE);
    PostMessage(WM_AFTER_SHOWN);
    return TRUE;
}

// The system menu: its added items open the manual, take back the last
// rename and add or remove Explorer's menu entries.
void CBatchNameDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if (IsBusy() && ((nID & 0xFFF0) == IDM_ABOUTBOX || (nID & 0xFFF0) == IDM_UNDO_RENAME ||
                     (nID & 0xFFF0) == IDM_EXPLORER_MENU))
        return;
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CManualDlg dlgAbout;
        dlgAbout.DoModal();
    } else if ((nID & 0xFFF0) == IDM_UNDO_RENAME) {
        OnTakeBackRename();
    } else if ((nID & 0xFFF0) == IDM_EXPLORER_MENU) {
        OnExplorerMenu();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

// The window is being closed (its close box, Alt+F4, the taskbar): the
// program ends.
void CBatchNameDlg::OnClose()
{
    // During long work, closing means stop: the program ends once the work
    // has reached its stop point.
    if (IsBusy()) {
        m_bCloseAfterWork = true;
        m_pWork->RequestStop();
        return;
    }
    EndDialog(IDCANCEL);
}

// Draws the icon while the dialog is minimised.
void CBatchNameDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
        int cxIcon = AfxGetSystemMetricsForDpi(SM_CXICON, m_nDpi);
        int cyIcon = AfxGetSystemMetricsForDpi(SM_CYICON, m_nDpi);
        CRect rect;
        GetClientRect(&rect);
        POINT pt = IconPosition(rect.Width(), rect.Height(), cxIcon, cyIcon);
        dc.DrawIcon(pt.x, pt.y, m_hIcon);
    } else {
        CDialog::OnPaint();
    }
}

// The cursor while the minimised window is dragged.
HCURSOR CBatchNameDlg::OnQueryDragIcon()
{
    return (HCURSOR)m_hIcon;
}

// The tree's selection changed: load the selected folder's files.
void CBatchNameDlg::OnSelChangedTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bFollowingRenames || IsBusy())
        return;
    // Reading a folder shows the wait cursor, and no progress window.
    HCURSOR hOldCursor = ::SetCursor(::LoadCursorW(NULL, (LPCWSTR)IDC_WAIT));
    auto restore = AfxScopeExit([hOldCursor] { ::SetCursor(hOldCursor); });
    HTREEITEM hItem = m_tree.GetSelectedItem();
    int nFound = 0;
    // An item that stands for no folder (the computer item, a placeholder
    // row) lists nothing: an empty path would be the process's current
    // folder, whose files the user never chose.
    m_names.Reset();
    if (hItem)
        m_tree.ListFiles(hItem, m_names, &nFound);
    const bool bClosing = OrderListing();
    m_editNames.SetWindowText(m_names.ShownText());
    ResetUndo();
    // Told once the load is done, so that the box does not stop the
    // selection change halfway.
    ++m_nLoadSerial;
    if (nFound > m_names.GetCount())
        PostMessage(WM_LISTING_NOTICE, (WPARAM)nFound, (LPARAM)m_nLoadSerial);
    if (bClosing)
        EndDialog(IDCANCEL);
}

// Posted by a load that found more files than the list takes.
LRESULT CBatchNameDlg::OnListingNotice(WPARAM wParam, LPARAM lParam)
{
    // Work under way: told once it is done.
    if (IsBusy()) {
        m_bNoticeDeferred = true;
        m_nDeferredNoticeFound = wParam;
        m_nDeferredNoticeLoad = lParam;
        return 0;
    }
    // Another folder has been loaded since: that load says what it needs.
    if ((int)lParam != m_nLoadSerial)
        return 0;
    // Moving through the tree with the arrow keys must not stop at the
    // same box again and again.
    for (const CString& strFolder : m_strNoticedFolders)
        if (IsSamePath(strFolder, m_names.GetFolderPath()))
            return 0;
    m_strNoticedFolders.push_back(m_names.GetFolderPath());
    CString strText;
    AfxFormatString2(strText, IDS_TOO_MANY_FILES, std::to_wstring((int)wParam).c_str(),
                     std::to_wstring(MAX_NAMES).c_str());
    ShowMessage(strText, AfxLoadText(IDS_RENAME_CAPTION), MB_OK | MB_ICONINFORMATION);
    return 0;
}

// The rename button: file i takes the name on line i; failures are reported.
void CBatchNameDlg::OnRename()
{
    // Nothing listed: nothing to rename, and nothing of the user's is reset.
    if (m_names.IsEmpty() || IsBusy())
        return;
    CString strText;
    m_editNames.GetWindowText(strText);
    // Lines pair with files by position alone: a line deleted or added
    // gives every file below it another file's name.
    const int nLines = CountNameLines(strText);
    if (nLines != m_names.GetCount() && !ConfirmShiftedRename(nLines))
        return;

    const std::vector<CString> before = m_names.DiskNames();
    CRenameRun run;
    // Written while the rename runs; it goes once the report has been shown.
    CRenameJournal journal;
    auto ended = AfxScopeExit([&journal] { journal.End(); });
    run.pJournal = &journal;
    std::vector<RenameFailure> failures;
    const bool bClosing = RunLongWork([&](CLongWork& work) {
        run.progress = work.AsProgress();
        work.SetRun(&run);
        failures = ApplyRenames(m_names, strText, &run);
    });
    // What moved is kept for the take-back, a stop or not.
    ResetUndo();
    const bool bStopped = std::any_of(failures.begin(), failures.end(),
                                      [](const RenameFailure& f) { return f.dwError == ERROR_CANCELLED; });
    if (m_renameRecord.KeepOrExtend(before, m_names, run.identities, bStopped))
        UpdateTakeBackItem();
    FollowRenamesInTree(m_names.GetFolderPath(), before, m_names.DiskNames());
    if (bClosing) {
        EndDialog(IDCANCEL);
        return;
    }
    if (!failures.empty())
        ShowMessage(FormatRenameReport(m_names.GetCount(), failures), AfxLoadText(IDS_RENAME_CAPTION),
                    MB_OK | MB_ICONHAND);
}

void CBatchNameDlg::FollowRenamesInTree(const CString& strFolderPath, const std::vector<CString>& before,
                                        const std::vector<CString>& after)
{
    // An item the tree drops or selects anew meanwhile is no folder the
    // user chose: the list stays as it is.
    m_bFollowingRenames = true;
    auto restore = AfxScopeExit([this] { m_bFollowingRenames = false; });
    m_tree.FollowRenames(strFolderPath, before, after);
}

bool CBatchNameDlg::ConfirmShiftedRename(int nLines)
{
    CString strQuestion;
    AfxFormatString2(strQuestion, IDS_SHIFTED_LINES_QUESTION, std::to_wstring(m_names.GetCount()).c_str(),
                     std::to_wstring(nLines).c_str());
    return ShowMessage(strQuestion, AfxLoadText(IDS_RENAME_CAPTION),
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

// System-menu command 32: the files of the last rename go back to their
// old names.
void CBatchNameDlg::OnTakeBackRename()
{
    if (m_renameRecord.IsEmpty() || IsBusy())
        return;
    // Once only: the record goes whatever the outcome, but for the files a
    // stop left under their new names.
    CRenameRecord record = m_renameRecord;
    m_renameRecord.Clear();
    UpdateTakeBackItem();

    std::vector<CString> now;
    std::vector<RenameFailure> failures;
    CRenameRun run;
    CRenameJournal journal;
    auto ended = AfxScopeExit([&journal] { journal.End(); });
    run.pJournal = &journal;
    const bool bClosing = RunLongWork([&](CLongWork& work) {
        run.progress = work.AsProgress();
        work.SetRun(&run);
        failures = record.TakeBack(now, &run);
    });
    m_renameRecord = record.Stopped(failures);
    UpdateTakeBackItem();
    const std::vector<CString>& renamed = record.GetNewNames();
    FollowRenamesInTree(record.GetFolderPath(), renamed, now);

    // The loaded folder: each line becomes the name its file now has, as
    // the list shows a name read from disk.
    if (!m_names.IsEmpty() && IsSamePath(record.GetFolderPath(), m_names.GetFolderPath())) {
        std::unordered_map<std::wstring, int> recorded;
        for (int k = 0; k < record.GetCount(); ++k)
            recorded.emplace(renamed[k].str(), k);
        for (int i = 0; i < m_names.GetCount(); ++i) {
            CNameEntry& entry = m_names[i];
            auto it = recorded.find(entry.strDiskName.str());
            if (it != recorded.end() && now[it->second] != entry.strDiskName) {
                entry.strDiskName = now[it->second];
                entry.strShown = ShownName(entry.strDiskName);
            }
            entry.strNew = entry.strShown;
        }
        m_editNames.SetWindowText(m_names.ShownText());
        ResetUndo();
    }
    if (bClosing) {
        EndDialog(IDCANCEL);
        return;
    }
    if (!failures.empty())
        ShowMessage(FormatRenameReport(record.GetCount(), failures, IDS_UNDO_RENAME_REPORT),
                    AfxLoadText(IDS_RENAME_CAPTION), MB_OK | MB_ICONHAND);
}

bool CBatchNameDlg::RunLongWork(const std::function<void(CLongWork&)>& work)
{
    {
        CLongWork longWork(this, m_nProgressDelayMs);
        m_pWork = &longWork;
        auto done = AfxScopeExit([this] { m_pWork = NULL; });
        work(longWork);
    }
    if (m_bNoticeDeferred) {
        m_bNoticeDeferred = false;
        PostMessage(WM_LISTING_NOTICE, m_nDeferredNoticeFound, m_nDeferredNoticeLoad);
    }
    return m_bCloseAfterWork;
}

// While work runs the cursor over the dialog is the wait cursor.
LRESULT CBatchNameDlg::OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    if (IsBusy() && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(::LoadCursorW(NULL, (LPCWSTR)IDC_WAIT));
        return TRUE;
    }
    return Default();
}

// The tree is about to select another item: not while work runs.
void CBatchNameDlg::OnSelChangingTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = IsBusy() ? TRUE : FALSE;
}

// Windows asks whether the session may end: not while work runs (the
// session shows the block reason). The work goes on, since another program
// may still cancel the shutdown; it stops only when the session really ends.
LRESULT CBatchNameDlg::OnQueryEndSession(WPARAM wParam, LPARAM lParam)
{
    return IsBusy() ? FALSE : TRUE;
}

// The session is ending: work under way is brought to its stop point first
// (a cycle of renames put back or finished), so that no file is left under
// a temporary name.

LRESULT CBatchNameDlg::OnEndSession(WPARAM wParam, LPARAM lParam)
{
    if (IsBusy() && wParam)
        m_pWork->RunToStopPoint();
    return 0;
}

void CBatchNameDlg::UpdateTakeBackItem()
{
    if (CMenu* pSysMenu = GetSystemMenu(FALSE))
        pSysMenu->EnableMenuItem(IDM_UNDO_RENAME,
                                 MF_BYCOMMAND | (m_renameRecord.IsEmpty() ? MF_GRAYED : MF_ENABLED));
}

int CBatchNameDlg::ShowMessage(const CString& strText, const CString& strCaption, UINT nType)
{
    return MessageBox(strText, strCaption, nType);
}

void CBatchNameDlg::ResetUndo()
{
    m_undo.Reset();
    GetDlgItem(IDC_UNDO)->EnableWindow(FALSE);
}

// Button 1011: the manual.
void CBatchNameDlg::OnManual()
{
    if (IsBusy())
        return;
    CManualDlg dlg;
    dlg.DoModal();
}

// Typing in the replacement combo box needs nothing from the dialog.
void CBatchNameDlg::OnEditChangeReplaceCombo() {}

void CBatchNameDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    CDialog::OnMouseMove(nFlags, point);
}

void CBatchNameDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonDown(nFlags, point);
}

// The window was resized: the panes share the width, below the command rows.
void CBatchNameDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    LayOut(cx, cy);
}

void CBatchNameDlg::LayOut(int cx, int cy)
{
    DialogLayout layout;
    // The first size message comes before the controls are bound.
    if (!m_tree.GetSafeHwnd() || !::IsWindow(m_tree.GetSafeHwnd()) || !ComputeDialogLayout(cx, cy, m_nDpi, layout))
        return;
    const struct {
        CWnd* pWnd;
        const RECT& r;
    } moves[] = {{&m_tree, layout.tree},
                 {&m_editNames, layout.names},
                 {&m_btnManual, layout.manualButton},
                 {&m_btnRename, layout.renameButton}};
    for (const auto& m : moves)
        m.pWnd->SetWindowPos(NULL, m.r.left, m.r.top, m.r.right, m.r.bottom, SWP_NOZORDER);
}

// The window moved to a monitor of another DPI, or the monitor's scale
// changed: Windows has scaled the template's controls and the dialog font
// already; the window takes the rectangle Windows suggests, and what the
// dialog sizes itself follows the new DPI.
LRESULT CBatchNameDlg::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    m_nDpi = LOWORD(wParam);
    const RECT* pRect = (const RECT*)lParam;
    if (pRect)
        SetWindowPos(NULL, pRect->left, pRect->top, pRect->right - pRect->left, pRect->bottom - pRect->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rcClient;
    GetClientRect(&rcClient);
    LayOut(rcClient.Width(), rcClient.Height());
    LoadIcons();
    m_tree.SetIconSize(AfxGetSystemMetricsForDpi(SM_CXSMICON, m_nDpi), AfxGetSystemMetricsForDpi(SM_CYSMICON, m_nDpi));
    return 0;
}

HBRUSH CBatchNameDlg::Brush(int nBrush, COLORREF color)
{
    if (!m_brushes[nBrush].GetSafeHandle())
        m_brushes[nBrush].CreateSolidBrush(color);
    return m_brushes[nBrush];
}

// Every control's colours, and the dialog's own background.
HBRUSH CBatchNameDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    switch (pWnd ? pWnd->GetDlgCtrlID() : 0) {
    case IDC_FIND_COMBO:
        pDC->SetTextColor(RGB(50, 50, 100));
        pDC->SetBkColor(RGB(115, 255, 255));
        return Brush(BRUSH_FIND, RGB(255, 55, 55));
    case IDC_REPLACE_COMBO:
        pDC->SetTextColor(RGB(50, 50, 100));
        pDC->SetBkColor(RGB(155, 255, 255));
        return Brush(BRUSH_REPLACE, RGB(55, 55, 255));
    case IDC_FRONT_EDIT:
        pDC->SetTextColor(RGB(50, 50, 10));
        pDC->SetBkColor(RGB(225, 255, 225));
        return Brush(BRUSH_FRONT, RGB(155, 255, 155));
    case IDC_TREE:
        pDC->SetTextColor(RGB(50, 50, 100));
        pDC->SetBkColor(RGB(255, 250, 250));
        return Brush(BRUSH_TREE, RGB(255, 245, 245));
    case IDC_NAMES_EDIT:
        pDC->SetTextColor(RGB(50, 50, 100));
        pDC->SetBkColor(RGB(245, 245, 255));
        return Brush(BRUSH_NAMES, RGB(245, 245, 255));
    default:
        if (nCtlColor == CTLCOLOR_STATIC) {
            pDC->SetTextColor(RGB(0, 150, 0));
            pDC->SetBkColor(RGB(230, 230, 255));
        }
        return Brush(BRUSH_DIALOG, RGB(230, 230, 255));
    }
}

// Enter runs the command of the field that has the focus and goes no
// further; Escape never closes the dialog.
BOOL CBatchNameDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
        switch (EnterCommandFor(::GetFocus(), m_comboFind.GetSafeHwnd(), m_comboReplace.GetSafeHwnd(),
                                m_editFront.GetSafeHwnd())) {
        case ENTER_REPLACE:
            OnReplace();
            break;
        case ENTER_INSERT_FRONT:
            OnInsertFront();
            break;
        case ENTER_NOTHING:
            break;
        }
        return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE)
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}
