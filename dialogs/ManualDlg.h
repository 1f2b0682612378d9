// The user manual: a fixed page of instructions, light text on black.
#pragma once

#include "framework/afxwin.h"
#include "res/resource.h"

class CManualDlg : public CDialog {
public:
    enum { IDD = IDD_MANUAL_DIALOG };
    CManualDlg();
    ~CManualDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CBrush m_brushBlack;
};
