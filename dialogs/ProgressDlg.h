// The window of long work that shows how far it has got, with its stop
// button.
#pragma once

#include <functional>

#include "framework/afxwin.h"
#include "res/resource.h"

// The progress window: a bar of files done out of files to do, the file
// under way, and a stop button. Modeless, owned by the main dialog. Its
// controls have ids of their own, so that nothing takes it for a message
// box.
class CProgressDlg : public CDialog {
public:
    enum { IDD = IDD_PROGRESS_DIALOG };
    CProgressDlg() {}

    BOOL Create(CWnd* pOwner) { return CDialog::Create(IDD, pOwner); }
    void SetProgress(int nDone, int nTotal, const CString& strName);
    // While stopping, the file's line says so.
    void ShowStopping();

    // Called when the user asks to stop: the stop button, Escape, Alt+F4 or
    // closing the window.
    std::function<void()> onStop;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnCancel() override;
    void OnStop();
    void OnSysCommand(UINT nID, LPARAM lParam);
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()

    CProgressCtrl m_bar;
    CWnd m_file;
    bool m_bStopping = false;
};
