#include "framework/afxloop.h"

#include <stdexcept>

#include "framework/afximpl.h"

namespace {

// Offers the message to the window under pMsg->hwnd and its parents up to
// hWndStop; true when one took it. The same guard as the window
// procedure's: a pre-translation that throws swallows its message, which
// is then not dispatched (the dialog's own handling would turn an Enter
// into IDOK).
bool PreTranslate(HWND hWndStop, MSG* pMsg)
{
    try {
        for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
            if (pWnd && pWnd->PreTranslateMessage(pMsg))
                return true;
            if (hWnd == hWndStop)
                break;
        }
    } catch (const std::exception& e) {
        AfxTraceException(pMsg->hwnd, pMsg->message, e.what());
        return true;
    } catch (...) {
        AfxTraceException(pMsg->hwnd, pMsg->message, NULL);
        return true;
    }
    return false;
}

}  // namespace

void AfxDispatchMessage(MSG* pMsg, HWND hWndStop, bool bPreTranslate)
{
    if (bPreTranslate && PreTranslate(hWndStop, pMsg))
        return;
    ::TranslateMessage(pMsg);
    ::DispatchMessageW(pMsg);
}
