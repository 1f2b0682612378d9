#include "dialogs/ManualDlg.h"

CManualDlg::CManualDlg() : CDialog(IDD)
{
    m_brushBlack.CreateSolidBrush(RGB(0, 0, 0));
}

CManualDlg::~CManualDlg() {}

void CManualDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

BEGIN_MESSAGE_MAP(CManualDlg, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

// Light lavender text on black; the warning line in red, the group caption
// in blue.
HBRUSH CManualDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    switch (pWnd ? pWnd->GetDlgCtrlID() : 0) {
    case IDC_MANUAL_WARNING:
        pDC->SetTextColor(RGB(255, 70, 70));
        break;
    case IDC_MANUAL_GROUP:
        pDC->SetTextColor(RGB(70, 70, 255));
        break;
    default:
        pDC->SetTextColor(RGB(200, 200, 255));
        break;
    }
    pDC->SetBkColor(RGB(0, 0, 0));
    return m_brushBlack;
}
