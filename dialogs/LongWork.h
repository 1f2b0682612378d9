// Long work on the user-interface thread (renaming, taking a rename back,
// reading tags): the run that drives the progress window between the
// work's steps.
#pragma once

#include <functional>

#include "dialogs/ProgressDlg.h"
#include "framework/afxpump.h"
#include "names/Renamer.h"

// Work still running after this long shows its progress window.
#define LONG_WORK_WINDOW_DELAY_MS 500
// The bar and the file's line change at most this often.
#define LONG_WORK_UPDATE_MS 100
// Messages are handled between steps at most this often: under Wine each
// look at the queue is a round trip to the server, dearer than a move.
#define LONG_WORK_PUMP_MS 20

// A piece of long work under way: a wait cursor from its start, the
// owner's keys dropped from its start, a progress window once it has run
// LONG_WORK_WINDOW_DELAY_MS (the owner disabled meanwhile, and given its
// focus back afterwards), messages handled between its steps every
// LONG_WORK_PUMP_MS, and a stop asked for by the user or by the session.
// The session is told why it should wait while the work runs.
class CLongWork {
public:
    explicit CLongWork(CWnd* pOwner, DWORD nShowAfterMs = LONG_WORK_WINDOW_DELAY_MS);
    ~CLongWork();

    // Called between two steps of the work: shows how far it has got and
    // handles the messages waiting; false once a stop is asked for.
    bool Progress(int nDone, int nTotal, const CString& strName);
    void RequestStop();
    bool IsStopping() const { return m_bStopping; }
    // The renamer's run under way, which a session ending brings to its
    // next stop point at once.
    void SetRun(CRenameRun* pRun) { m_pRun = pRun; }
    void RunToStopPoint();
    // The work's progress as a renamer or a reading of files reports it.
    std::function<bool(int, int, const CString&)> AsProgress()
    {
        return [this](int nDone, int nTotal, const CString& strName) { return Progress(nDone, nTotal, strName); };
    }
    bool IsWindowShown() const { return m_dlg.GetSafeHwnd() != NULL; }

private:
    CLongWork(const CLongWork&) = delete;
    CLongWork& operator=(const CLongWork&) = delete;
    void ShowProgressWindow();

    CWnd* m_pOwner;
    DWORD m_nShowAfterMs;
    ULONGLONG m_nStart;
    ULONGLONG m_nLastUpdate = 0;
    ULONGLONG m_nLastPump;
    bool m_bUpdated = false;
    bool m_bStopping = false;
    HCURSOR m_hOldCursor;
    HWND m_hWndFocus = NULL;
    CRenameRun* m_pRun = NULL;
    CProgressDlg m_dlg;
    CWorkPump m_pump;
};
