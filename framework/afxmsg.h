// Message tables: BEGIN_MESSAGE_MAP ... END_MESSAGE_MAP expand into the
// class's OnWndMsg, a chain of tests that unpack each message into the
// handler's typed arguments and end in the base class's OnWndMsg.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

// Reflected notifications reach the control's own message table under
// this offset, before the parent's table sees them.
#define WM_REFLECT_BASE 0xBC00

#define DECLARE_MESSAGE_MAP() \
protected:                    \
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                          \
    BOOL theClass::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) \
    {                                                                                   \
        typedef baseClass TheBaseClass;                                                 \
        (void)wParam;                                                                   \
        (void)lParam;

#define END_MESSAGE_MAP()                                               \
    return TheBaseClass::OnWndMsg(message, wParam, lParam, pResult); \
    }

#define ON_COMMAND(id, memberFxn)                                          \
    if (message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == 0) { \
        memberFxn();                                                       \
        *pResult = 0;                                                      \
        return TRUE;                                                       \
    }

// Menu commands idFirst to idLast, each handled with its id.
#define ON_COMMAND_RANGE(idFirst, idLast, memberFxn)                                          \
    if (message == WM_COMMAND && HIWORD(wParam) == 0 && LOWORD(wParam) >= (idFirst) &&          \
        LOWORD(wParam) <= (idLast)) {                                                          \
        memberFxn((UINT)LOWORD(wParam));                                                       \
        *pResult = 0;                                                                          \
        return TRUE;                                                                           \
    }

#define ON_CONTROL(code, id, memberFxn)                                           \
    if (message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (code)) { \
        memberFxn();                                                              \
        *pResult = 0;                                                             \
        return TRUE;                                                              \
    }
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)

// The notification code is named wNotifyCode: a parameter named "code"
// would replace the NMHDR member of the same name.
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                            \
    if (message == WM_NOTIFY && ((NMHDR*)lParam)->idFrom == (UINT_PTR)(id) &&             \
        ((NMHDR*)lParam)->code == (UINT)(wNotifyCode)) {                                  \
        *pResult = 0;                                                                     \
        memberFxn((NMHDR*)lParam, pResult);                                               \
        return TRUE;                                                                      \
    }

#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                 \
    if (message == WM_REFLECT_BASE + WM_NOTIFY && ((NMHDR*)lParam)->code == (UINT)(wNotifyCode)) { \
        *pResult = 0;                                                                             \
        memberFxn((NMHDR*)lParam, pResult);                                                       \
        return TRUE;                                                                              \
    }

#define ON_MESSAGE(msg, memberFxn)                  \
    if (message == (msg)) {                         \
        *pResult = memberFxn(wParam, lParam);       \
        return TRUE;                                \
    }

#define ON_WM_SYSCOMMAND()                          \
    if (message == WM_SYSCOMMAND) {                 \
        OnSysCommand((UINT)wParam, lParam);         \
        *pResult = 0;                               \
        return TRUE;                                \
    }

#define ON_WM_CLOSE()         \
    if (message == WM_CLOSE) { \
        OnClose();             \
        *pResult = 0;          \
        return TRUE;           \
    }

#define ON_WM_PAINT()         \
    if (message == WM_PAINT) { \
        OnPaint();             \
        *pResult = 0;          \
        return TRUE;           \
    }

#define ON_WM_QUERYDRAGICON()                        \
    if (message == WM_QUERYDRAGICON) {               \
        *pResult = (LRESULT)OnQueryDragIcon();       \
        return TRUE;                                 \
    }

#define ON_WM_SIZE()                                                       \
    if (message == WM_SIZE) {                                              \
        OnSize((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam)); \
        *pResult = 0;                                                      \
        return TRUE;                                                       \
    }

#define ON_WM_MOUSEMOVE()                                                              \
    if (message == WM_MOUSEMOVE) {                                                     \
        OnMouseMove((UINT)wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam))); \
        *pResult = 0;                                                                  \
        return TRUE;                                                                   \
    }

#define ON_WM_LBUTTONDOWN()                                                              \
    if (message == WM_LBUTTONDOWN) {                                                     \
        OnLButtonDown((UINT)wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam))); \
        *pResult = 0;                                                                    \
        return TRUE;                                                                     \
    }

#define ON_WM_DROPFILES()                \
    if (message == WM_DROPFILES) {       \
        OnDropFiles((HDROP)wParam);      \
        *pResult = 0;                    \
        return TRUE;                     \
    }

// Key messages: the virtual key, the repeat count and the flags.
#define ON_KEY_MESSAGE(msg, memberFxn)                                 \
    if (message == (msg)) {                                            \
        memberFxn((UINT)wParam, LOWORD(lParam), HIWORD(lParam));       \
        *pResult = 0;                                                  \
        return TRUE;                                                   \
    }
#define ON_WM_KEYUP() ON_KEY_MESSAGE(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() ON_KEY_MESSAGE(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() ON_KEY_MESSAGE(WM_SYSKEYUP, OnSysKeyUp)

// The point is in screen coordinates; (-1, -1) when the keyboard asked.
#define ON_WM_CONTEXTMENU()                                                                           \
    if (message == WM_CONTEXTMENU) {                                                                  \
        OnContextMenu(CWnd::FromHandle((HWND)wParam), CPoint((short)LOWORD(lParam), (short)HIWORD(lParam))); \
        *pResult = 0;                                                                                 \
        return TRUE;                                                                                  \
    }

// Every WM_CTLCOLORxxx message goes to OnCtlColor with its colour kind
// (CTLCOLOR_MSGBOX 0 ... CTLCOLOR_STATIC 6).
#define ON_WM_CTLCOLOR()                                                               \
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {                \
        CDC dcCtl((HDC)wParam);                                                        \
        *pResult = (LRESULT)OnCtlColor(&dcCtl, CWnd::FromHandle((HWND)lParam),         \
                                       message - WM_CTLCOLORMSGBOX);                   \
        return TRUE;                                                                   \
    }
