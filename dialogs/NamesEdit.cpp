#include "dialogs/NamesEdit.h"

namespace {

// The point of a context menu asked for from the keyboard.
const LPARAM KEYBOARD_POINT = MAKELPARAM(-1, -1);

}  // namespace

BEGIN_MESSAGE_MAP(CNamesEdit, CEdit)
    ON_WM_CONTEXTMENU()
    ON_WM_KEYUP()
    ON_WM_SYSKEYDOWN()
    ON_WM_SYSKEYUP()
END_MESSAGE_MAP()

void CNamesEdit::OnContextMenu(CWnd* pWnd, CPoint point)
{
    GetParent()->SendMessage(WM_CONTEXTMENU, (WPARAM)m_hWnd, MAKELPARAM(point.x, point.y));
}

void CNamesEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_APPS)
        SendMessage(WM_CONTEXTMENU, (WPARAM)m_hWnd, KEYBOARD_POINT);
    else
        Default();
}

void CNamesEdit::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_F10 && (::GetKeyState(VK_SHIFT) & 0x8000)) {
        SendMessage(WM_CONTEXTMENU, (WPARAM)m_hWnd, KEYBOARD_POINT);
        // Released while the menu was open, F10 went to the menu.
        m_bMenuKeyDown = (::GetKeyState(VK_F10) & 0x8000) != 0;
    } else {
        Default();
    }
}

void CNamesEdit::OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_F10 && m_bMenuKeyDown)
        m_bMenuKeyDown = false;
    else
        Default();
}
