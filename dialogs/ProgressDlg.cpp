#include "dialogs/ProgressDlg.h"

#include <algorithm>

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
