// Dialogs from templates: a modal run of our own, controls bound to member
// objects by DDX_Control.
#pragma once

#include "framework/afxwnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Binds the live control nIDC of the dialog to rControl, once. A dialog
// without that control is a mistake of the program: it is reported, with
// the id, in every build, and the exchange throws, so that a dialog being
// initialised ends at once (DoModal gives -1).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialog : public CWnd {
public:
    CDialog() : m_nIDTemplate(0), m_pParentWnd(NULL) {}
    CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

    // Runs the dialog modally: creates it, disables its owner and loops
    // until EndDialog; returns the value given to EndDialog, -1 on failure.
    // EndDialog from OnInitDialog ends the run before the window shows.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless (used where a caller drives it directly).
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    BOOL IsModalRunning() const { return m_bModalRunning; }

    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // A dialog whose initialisation threw never opens: it ends with -1.
    LRESULT ProcessWndProcException(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    BOOL CreateFromTemplate(HWND hWndOwner);
    bool m_bModalRunning = false;
    // Set while the window is being created (WM_INITDIALOG runs inside).
    bool m_bCreating = false;
    bool m_bEnded = false;
    int m_nModalResult = -1;
};
