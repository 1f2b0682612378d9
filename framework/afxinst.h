// The module whose resources the framework loads and in which it registers
// its window class: the program's own, as its entry point received it.
#pragma once

#include <windows.h>

HINSTANCE AfxGetInstanceHandle();
// Set at start-up; until then the module of the process's executable.
void AfxSetInstanceHandle(HINSTANCE hInstance);
