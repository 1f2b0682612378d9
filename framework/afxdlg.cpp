#include "framework/afxdlg.h"

#include <stdexcept>
#include <string>

#include "framework/afxapp.h"
#include "framework/afximpl.h"
#include "framework/afxinst.h"
#include "framework/afxloop.h"
#include "framework/afxres.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWndDlg = pDX->m_pDlgWnd->m_hWnd;
    if (rControl.SubclassWindow(::GetDlgItem(hWndDlg, nIDC)))
        return;
    // Every later call through rControl would go to no window: say so
    // loudly, in every build, and stop the exchange.
    wchar_t sz[160];
    _snwprintf(sz, 159, L"Quorvel: DDX_Control: dialog %p has no control with id %d, or it is bound already\n",
               (void*)hWndDlg, nIDC);
    sz[159] = 0;
    ::OutputDebugStringW(sz);
    CString strText;
    AfxFormatString1(strText, IDS_NO_CONTROL, std::to_wstring(nIDC).c_str());
    ::MessageBoxW(hWndDlg, strText, AfxLoadText(IDS_PROGRAM_ERROR_CAPTION), MB_OK | MB_ICONHAND);
    throw std::runtime_error("no dialog control with id " + std::to_string(nIDC));
}

// The dialog procedure only binds the dialog window to its object at the
// first message it sees; from then on the object's window procedure comes
// first and this procedure leaves everything to the platform's dialog code.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!CWnd::FromHandlePermanent(hWnd)) {
        CWnd* pWnd = AfxTakeHookedWindow();
        if (!pWnd)
            return FALSE;
        pWnd->SubclassWindow(hWnd);
        if (message == WM_INITDIALOG)
            return (INT_PTR)pWnd->WindowProc(message, wParam, lParam);
    }
    return FALSE;
}

BOOL CDialog::CreateFromTemplate(HWND hWndOwner)
{
    m_bEnded = false;
    m_nModalResult = -1;
    HINSTANCE hInst = AfxGetInstanceHandle();
    HRSRC hRes = ::FindResourceW(hInst, MAKEINTRESOURCEW(m_nIDTemplate), (LPCWSTR)RT_DIALOG);
    if (!hRes)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    LPCDLGTEMPLATEW pTemplate = hGlobal ? (LPCDLGTEMPLATEW)::LockResource(hGlobal) : NULL;
    if (!pTemplate)
        return FALSE;
    AfxHookWindowCreate(this);
    m_bCreating = true;
    HWND hWnd = ::CreateDialogIndirectParamW(hInst, pTemplate, hWndOwner, AfxDlgProc, 0);
    m_bCreating = false;
    AfxTakeHookedWindow();
    if (!hWnd)
        return FALSE;
    // Never bound (no message reached the dialog procedure), or ended by
    // its own initialisation: it goes before it is ever shown.
    if (m_hWnd != hWnd || m_bEnded) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(pParentWnd ? pParentWnd->m_hWnd : NULL);
}

INT_PTR CDialog::DoModal()
{
    HWND hWndOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : NULL;
    if (!hWndOwner) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain && pMain != this)
            hWndOwner = pMain->m_hWnd;
    }
    if (hWndOwner)
        hWndOwner = ::GetAncestor(hWndOwner, GA_ROOT);
    BOOL bEnableOwner = FALSE;
    if (hWndOwner && ::IsWindowEnabled(hWndOwner)) {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = TRUE;
    }

    bool bQuit = false;
    WPARAM nQuitCode = 0;
    if (CreateFromTemplate(hWndOwner)) {
        m_bModalRunning = true;
        if (!m_bEnded)
            ShowWindow(SW_SHOWNORMAL);
        while (!m_bEnded && m_hWnd) {
            AfxIdleIfQueueEmpty();
            MSG msg;
            BOOL r = ::GetMessageW(&msg, NULL, 0, 0);
            if (r <= 0) {
                bQuit = r == 0;
                nQuitCode = msg.wParam;
                break;
            }
            AfxDispatchMessage(&msg, m_hWnd);
        }
        m_bModalRunning = false;
    }

    // The owner gets the activation back before this window goes.
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd)
        DestroyWindow();
    if (bQuit)
        ::PostQuitMessage((int)nQuitCode);
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bEnded = true;
    // Inside WM_INITDIALOG the window is still being made: destroying it
    // there would pull it from under its creation. The creator sees the
    // flag and ends it.
    if (m_bCreating)
        return;
    if (m_hWnd && !m_bModalRunning)
        DestroyWindow();
    else if (m_hWnd)
        PostMessage(WM_NULL);  // wake the modal loop
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Dialog keyboard handling (Tab, arrows, mnemonics, Enter, Escape)
    // for keyboard and mouse input only.
    if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) &&
        (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

LRESULT CDialog::ProcessWndProcException(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        EndDialog(-1);
        return FALSE;
    }
    return CWnd::ProcessWndProcException(message, wParam, lParam);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_INITDIALOG) {
        *pResult = OnInitDialog();
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            *pResult = 0;
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            *pResult = 0;
            return TRUE;
        }
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
