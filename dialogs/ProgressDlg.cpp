#include "dialogs/ProgressDlg.h"

#include <algorithm>

#include "names/RenameJournal.h"

void CProgressDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS_BAR, m_bar);
    DDX_Control(pDX, IDC_PROGRESS_FILE, m_file);
}

BEGIN_MESSAGE_MAP(CProgressDlg, CDialog)
    ON_BN_CLICKED(IDC_PROGRESS_STOP, OnStop)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

// Over the main window, where the user's eyes are, rather than in the
// middle of the screen; kept on the owner's monitor.
BOOL CProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    RECT rcOwner, rcSelf;
    if (!hOwner || ::IsIconic(hOwner) || !::GetWindowRect(hOwner, &rcOwner) || !::GetWindowRect(m_hWnd, &rcSelf))
        return TRUE;
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromWindow(hOwner, MONITOR_DEFAULTTONEAREST), &mi);
    const int cx = rcSelf.right - rcSelf.left, cy = rcSelf.bottom - rcSelf.top;
    int x = (rcOwner.left + rcOwner.right - cx) / 2, y = (rcOwner.top + rcOwner.bottom - cy) / 2;
    x = std::max((int)mi.rcWork.left, std::min(x, (int)mi.rcWork.right - cx));
    y = std::max((int)mi.rcWork.top, std::min(y, (int)mi.rcWork.bottom - cy));
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void CProgressDlg::SetProgress(int nDone, int nTotal, const CString& strName)
{
    m_bar.SetRange32(0, nTotal > 0 ? nTotal : 1);
    m_bar.SetPos(nDone);
    if (!m_bStopping)
        m_file.SetWindowText(strName);
}

void CProgressDlg::ShowStopping()
{
    m_bStopping = true;
    m_file.SetWindowText(AfxLoadText(IDS_STOPPING));
}

// Escape, Alt+F4 and closing the window come here: each means stop, and
// the window stays until the work ends.
void CProgressDlg::OnCancel()
{
    OnStop();
}

// Button 3203: stop.
void CProgressDlg::OnStop()
{
    if (onStop)
        onStop();
}

// The minimise box minimises the owner: this window, owned by it, goes
// with it.
void CProgressDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if ((nID & 0xFFF0) == SC_MINIMIZE && hOwner)
        ::ShowWindow(hOwner, SW_MINIMIZE);
    else
        CDialog::OnSysCommand(nID, lParam);
}

// ---------------------------------------------------------------------------

CLongWork::CLongWork(CWnd* pOwner, DWORD nShowAfterMs)
    : m_pOwner(pOwner), m_nShowAfterMs(nShowAfterMs), m_nStart(::GetTickCount64()), m_nLastPump(m_nStart)
{
    m_hOldCursor = ::SetCursor(::LoadCursorW(NULL, (LPCWSTR)IDC_WAIT));
    if (m_pOwner && m_pOwner->GetSafeHwnd()) {
        ::ShutdownBlockReasonCreate(m_pOwner->GetSafeHwnd(), AfxLoadText(IDS_BUSY_REASON));
        // Not disabled yet, which would take the focus from a label being
        // edited; deaf is enough until the progress window shows.
        m_pump.SetDeafWindow(m_pOwner->GetSafeHwnd());
    }
    m_dlg.onStop = [this] { RequestStop(); };
}

CLongWork::~CLongWork()
{
    HWND hOwner = m_pOwner ? m_pOwner->GetSafeHwnd() : NULL;
    if (m_dlg.GetSafeHwnd()) {
        // The owner is enabled before the window goes, so that it gets the
        // activation back, and then its focus.
        if (hOwner)
            ::EnableWindow(hOwner, TRUE);
        m_dlg.DestroyWindow();
        if (hOwner)
            ::SetActiveWindow(hOwner);
        if (m_hWndFocus && ::IsWindow(m_hWndFocus))
            ::SetFocus(m_hWndFocus);
    }
    if (hOwner)
        ::ShutdownBlockReasonDestroy(hOwner);
    ::SetCursor(m_hOldCursor);
}

bool CLongWork::Step(int nDone, int nTotal, const CString& strName)
{
    const ULONGLONG now = ::GetTickCount64();
    if (now - m_nLastPump < LONG_WORK_PUMP_MS && !m_bStopping)
        return true;
    m_nLastPump = now;
    if (!m_dlg.GetSafeHwnd() && now - m_nStart >= m_nShowAfterMs)
        ShowProgressWindow();
    if (m_dlg.GetSafeHwnd() && (!m_bUpdated || now - m_nLastUpdate >= LONG_WORK_UPDATE_MS)) {
        m_dlg.SetProgress(nDone, nTotal, strName);
        m_nLastUpdate = now;
        m_bUpdated = true;
    }
    m_pump.Pump();
    return !m_bStopping;
}

void CLongWork::RequestStop()
{
    m_bStopping = true;
    if (m_dlg.GetSafeHwnd())
        m_dlg.ShowStopping();
}

void CLongWork::RunToStopPoint()
{
    RequestStop();
    if (m_pRun && m_pRun->pStepper)
        m_pRun->pStepper->RunToStopPoint();
    // The session may end the program as soon as this returns: what was
    // done stands, and nothing is left for a recovery to ask about.
    if (m_pRun && m_pRun->pJournal)
        m_pRun->pJournal->End();
}

void CLongWork::ShowProgressWindow()
{
    HWND hOwner = m_pOwner ? m_pOwner->GetSafeHwnd() : NULL;
    m_hWndFocus = ::GetFocus();
    if (!m_dlg.Create(m_pOwner))
        return;
    if (hOwner)
        ::EnableWindow(hOwner, FALSE);
    if (m_bStopping)
        m_dlg.ShowStopping();
    m_dlg.ShowWindow(SW_SHOW);
    m_pump.SetKeyWindow(m_dlg.GetSafeHwnd());
}
