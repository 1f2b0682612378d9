// The nested message pump of long work that runs on the user-interface
// thread in steps: between two steps every waiting message is handled, so
// that the windows stay alive, while the handler that started the work has
// not returned yet.
#pragma once

#include <windows.h>

class CWorkPump {
public:
    CWorkPump() {}
    // A WM_QUIT the pump took is posted again, as the modal loop does, so
    // that the loop below it ends too.
    ~CWorkPump();

    // Only this window (the progress window) and its children get their
    // keys pre-translated: the dialog below must not turn an Enter or an
    // Escape into a command meanwhile.
    void SetKeyWindow(HWND hWnd) { m_hWndKeys = hWnd; }
    // Keys aimed at this window or its children are dropped unseen: while
    // work runs, an Escape in an edit box would otherwise close the dialog
    // under it before its progress window shows.
    void SetDeafWindow(HWND hWnd) { m_hWndDeaf = hWnd; }

    // Handles every message waiting, then returns.
    void Pump();

    bool QuitSeen() const { return m_bQuit; }

private:
    CWorkPump(const CWorkPump&) = delete;
    CWorkPump& operator=(const CWorkPump&) = delete;

    HWND m_hWndKeys = NULL;
    HWND m_hWndDeaf = NULL;
    bool m_bQuit = false;
    WPARAM m_nQuitCode = 0;
};
