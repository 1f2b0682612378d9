#include "framework/afxpump.h"

#include "framework/afxloop.h"

namespace {

// Whether hWnd is hWndTop or one of its children; never for no hWndTop.
bool IsInTree(HWND hWndTop, HWND hWnd)
{
    return hWndTop && (hWnd == hWndTop || ::IsChild(hWndTop, hWnd));
}

}  // namespace

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
        if (bKeys && IsInTree(m_hWndDeaf, msg.hwnd))
            continue;
        AfxDispatchMessage(&msg, m_hWndKeys, bKeys && IsInTree(m_hWndKeys, msg.hwnd));
    }
}
