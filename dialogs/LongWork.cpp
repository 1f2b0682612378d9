#include "dialogs/LongWork.h"

#include "names/RenameJournal.h"

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

bool CLongWork::Progress(int nDone, int nTotal, const CString& strName)
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
