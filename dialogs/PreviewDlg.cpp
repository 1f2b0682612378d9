#include "dialogs/PreviewDlg.h"

#include <algorithm>
#include <string>

namespace {

enum { COLUMN_OLD, COLUMN_NEW, COLUMN_NOTE, COLUMN_COUNT };

// The layout, in dialog units: the margin round the controls, the buttons'
// size and the gap between them, the summary's height.
const int MARGIN = 7;
const int BUTTON_WIDTH = 50;
const int BUTTON_HEIGHT = 14;
const int GAP = 4;
const int SUMMARY_HEIGHT = 18;
// The least width of a column: a name keeps a dozen characters in view.
const int MIN_COLUMN = 60;

}  // namespace

CPreviewDlg::CPreviewDlg(const RenamePreview& preview, int nFiles, int nLines,
                         std::function<CString(DWORD)> reasonText, CWnd* pParent)
    : CDialog(IDD, pParent), m_preview(preview), m_nFiles(nFiles), m_nLines(nLines),
      m_reasonText(std::move(reasonText))
{
}

CString CPreviewDlg::SummaryText(const RenamePreview& preview, int nFiles, int nLines)
{
    CString strText;
    AfxFormatString1(strText, IDS_PREVIEW_COUNT, std::to_wstring(preview.nRenamed).c_str());
    if (nLines != nFiles) {
        // The first line of the rename button's question.
        CString strQuestion;
        AfxFormatString2(strQuestion, IDS_SHIFTED_LINES_QUESTION, std::to_wstring(nFiles).c_str(),
                         std::to_wstring(nLines).c_str());
        const int nEnd = strQuestion.Find(L'\n');
        strText += L"\r\n" + (nEnd < 0 ? strQuestion : strQuestion.Left(nEnd));
    }
    return strText;
}

void CPreviewDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PREVIEW_LIST, m_list);
    DDX_Control(pDX, IDC_PREVIEW_SUMMARY, m_summary);
    DDX_Control(pDX, IDC_PREVIEW_RENAME, m_btnRename);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
}

BEGIN_MESSAGE_MAP(CPreviewDlg, CDialog)
    ON_BN_CLICKED(IDC_PREVIEW_RENAME, OnRenameButton)
    ON_NOTIFY(LVN_GETDISPINFOW, IDC_PREVIEW_LIST, OnGetDispInfo)
    ON_WM_SIZE()
    ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
    ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
END_MESSAGE_MAP()

// Fills the columns and tells the list how many rows it has.
BOOL CPreviewDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_reasons.reserve(m_preview.rows.size());
    for (const PreviewRow& row : m_preview.rows)
        m_reasons.push_back(row.dwError && m_reasonText ? m_reasonText(row.dwError) : CString());
    m_summary.SetWindowText(SummaryText(m_preview, m_nFiles, m_nLines));
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_DOUBLEBUFFER);
    const UINT headings[COLUMN_COUNT] = {IDS_PREVIEW_OLD_NAME, IDS_PREVIEW_NEW_NAME, IDS_PREVIEW_NOTE};
    for (int nCol = 0; nCol < COLUMN_COUNT; ++nCol)
        m_list.InsertColumn(nCol, AfxLoadText(headings[nCol]));
    m_list.SetItemCountEx((int)m_preview.rows.size());
    CRect rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    m_minTrack = {rcWindow.Width(), rcWindow.Height()};
    m_nDpi = AfxGetWindowDpi(m_hWnd);
    CRect rcClient;
    GetClientRect(&rcClient);
    LayOut(rcClient.Width(), rcClient.Height());
    // Renaming from here is a step further than looking: the focus starts
    // on the list, and Enter does not rename.
    m_list.SetFocus();
    return FALSE;
}

// "이름바꾸기": the dialog closes, and the caller renames as its own
// button does.
void CPreviewDlg::OnRenameButton()
{
    EndDialog(IDC_PREVIEW_RENAME);
}

// The list view asks for the text of a row's column it is about to draw.
void CPreviewDlg::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVDISPINFOW* pInfo = (NMLVDISPINFOW*)pNMHDR;
    LVITEMW& item = pInfo->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0)
        return;
    item.pszText[0] = 0;
    if (item.iItem < 0 || item.iItem >= (int)m_preview.rows.size())
        return;
    const PreviewRow& row = m_preview.rows[item.iItem];
    const CString& strText = item.iSubItem == COLUMN_OLD   ? row.strOld
                             : item.iSubItem == COLUMN_NEW ? row.strNew
                                                           : m_reasons[item.iItem];
    lstrcpynW(item.pszText, strText, item.cchTextMax);
}

int CPreviewDlg::DialogUnitsX(int n)
{
    RECT r = {0, 0, n, 0};
    ::MapDialogRect(m_hWnd, &r);
    return r.right;
}

int CPreviewDlg::DialogUnitsY(int n)
{
    RECT r = {0, 0, 0, n};
    ::MapDialogRect(m_hWnd, &r);
    return r.bottom;
}

// The window was resized: the list takes the room the text and the
// buttons leave.
void CPreviewDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    LayOut(cx, cy);
}

void CPreviewDlg::LayOut(int cx, int cy)
{
    if (!m_list.GetSafeHwnd() || !::IsWindow(m_list.GetSafeHwnd()))
        return;
    // In dialog units mapped at the dialog's font, so that the layout
    // follows the DPI as the template does.
    const int margin = DialogUnitsX(MARGIN), marginY = DialogUnitsY(MARGIN);
    const int buttonWidth = DialogUnitsX(BUTTON_WIDTH), buttonHeight = DialogUnitsY(BUTTON_HEIGHT);
    const int gap = DialogUnitsX(GAP), gapY = DialogUnitsY(GAP);
    const int summaryHeight = DialogUnitsY(SUMMARY_HEIGHT);
    const int width = std::max(0, cx - 2 * margin);
    const int buttonTop = cy - marginY - buttonHeight;
    const int listTop = marginY + summaryHeight + gapY;
    const int listHeight = std::max(0, buttonTop - gapY - listTop);
    m_summary.SetWindowPos(NULL, margin, marginY, width, summaryHeight, SWP_NOZORDER);
    m_list.SetWindowPos(NULL, margin, listTop, width, listHeight, SWP_NOZORDER);
    m_btnClose.SetWindowPos(NULL, cx - margin - buttonWidth, buttonTop, buttonWidth, buttonHeight, SWP_NOZORDER);
    m_btnRename.SetWindowPos(NULL, cx - margin - 2 * buttonWidth - gap, buttonTop, buttonWidth, buttonHeight,
                             SWP_NOZORDER);
    // The names share the width equally, the note takes what is left; no
    // column narrower than a dozen characters, however small the window.
    CRect rcList;
    m_list.GetClientRect(&rcList);
    const int minColumn = DialogUnitsX(MIN_COLUMN);
    const int nameWidth = std::max(minColumn, rcList.Width() * 37 / 100);
    m_list.SetColumnWidth(COLUMN_OLD, nameWidth);
    m_list.SetColumnWidth(COLUMN_NEW, nameWidth);
    m_list.SetColumnWidth(COLUMN_NOTE, std::max(minColumn, rcList.Width() - 2 * nameWidth));
}

// The window is never made smaller than the template.
LRESULT CPreviewDlg::OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam)
{
    MINMAXINFO* pInfo = (MINMAXINFO*)lParam;
    if (m_minTrack.cx > 0) {
        pInfo->ptMinTrackSize.x = m_minTrack.cx;
        pInfo->ptMinTrackSize.y = m_minTrack.cy;
    }
    return 0;
}

// Moved to a monitor of another DPI: Windows has scaled the font and the
// controls; the window takes the suggested rectangle, and the least size
// and the columns follow.
LRESULT CPreviewDlg::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    const UINT nNew = LOWORD(wParam);
    if (m_nDpi > 0 && nNew > 0 && nNew != m_nDpi)
        m_minTrack = {::MulDiv(m_minTrack.cx, nNew, m_nDpi), ::MulDiv(m_minTrack.cy, nNew, m_nDpi)};
    m_nDpi = nNew;
    if (const RECT* pRect = (const RECT*)lParam)
        SetWindowPos(NULL, pRect->left, pRect->top, pRect->right - pRect->left, pRect->bottom - pRect->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rcClient;
    GetClientRect(&rcClient);
    LayOut(rcClient.Width(), rcClient.Height());
    return 0;
}
