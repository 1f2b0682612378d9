#include "framework/afxpump.h"

#include "framework/afxwnd.h"

CWorkPump::~CWorkPump()
{
    if (m_bQuit)
        ::PostQuitMessage((int)m_nQuitCode);
}

void CWorkPump::Pump()
{
    MSG msg;
    while (!m_bQuit && ::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            m_bQuit = true;
            m_nQuitCode = msg.wParam;
            break;
        }
        const bool bKeys = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
        if (bKeys && m_hWndDeaf && (msg.hwnd == m_hWndDeaf || ::IsChild(m_hWndDeaf, msg.hwnd)))
            continue;
        if (bKeys && m_hWndKeys && (msg.hwnd == m_hWndKeys || ::IsChild(m_hWndKeys, msg.hwnd))) {
            if (CWnd::WalkPreTranslateTree(m_hWndKeys, &msg))
                continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}
