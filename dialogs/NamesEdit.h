// The name editor: an edit control whose context menu is its dialog's.
#pragma once

#include "framework/afxwin.h"

class CNamesEdit : public CEdit {
protected:
    // Right-click, the context-menu key or Shift+F10: the dialog opens its
    // own menu in place of the edit control's.
    void OnContextMenu(CWnd* pWnd, CPoint point);
    // The two keys are answered here rather than by the default processing,
    // so that they act alike on Windows and under Wine: Wine's ignores the
    // context-menu key, and after Shift+F10 it opens the window's system
    // menu as well once F10 is released.
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

    // Set from Shift+F10 until F10 is released.
    bool m_bMenuKeyDown = false;
};
