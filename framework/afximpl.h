// What the framework's own files share; the program never includes this.
#pragma once

#include "framework/afxwnd.h"

// The object whose window is being created, bound at the first message the
// window gets (its own class's procedure, or the dialog procedure).
void AfxHookWindowCreate(CWnd* pWnd);
CWnd* AfxTakeHookedWindow();

// True while a window procedure of the framework runs on this thread.
bool AfxInHandler();

// Lets the application's idle work run when the queue is empty.
void AfxIdleIfQueueEmpty();

// Reports an exception that a handler let out, for a debugger or a log
// viewer: the program itself goes on.
void AfxTraceException(HWND hWnd, UINT message, const char* pszWhat);

// The dialog procedure of every dialog the framework creates.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
