// One turn of every message loop of the framework: the application's, the
// modal dialog's and the work pump's.
#pragma once

#include <windows.h>

// Handles a message taken from the queue: the windows from its own up to
// hWndStop (NULL: to the top) may take it in PreTranslateMessage, when
// bPreTranslate; what none takes is translated and dispatched. No
// exception leaves a pre-translation: one is reported, and the message
// counts as taken.
void AfxDispatchMessage(MSG* pMsg, HWND hWndStop, bool bPreTranslate = true);
