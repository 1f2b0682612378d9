// The entries of Explorer's menus that open a folder in this program, for
// the current user only: a folder's menu, a folder background's menu and a
// drive's menu, each under HKCU\Software\Classes. These keys are all the
// program ever writes to the registry, and only when the user asks.
#pragma once

#include <windows.h>

#include "framework/afxstr.h"

// The full path of the running program's .exe.
CString ThisProgramPath();

// The command a menu entry runs: the program, quoted, and the path
// Explorer gives ("%1" for a folder or a drive, "%V" for a background).
CString ExplorerMenuCommand(const CString& strExePath, const wchar_t* pszPathArgument);

// True when all three entries exist and run strExePath.
bool HasExplorerMenu(const CString& strExePath);

// Writes the three entries, each key "Quorvel" with strMenuText as its
// default value, the program's icon as "Icon" and its command below it.
// Returns 0, or the system's error code, in which case nothing of them is
// left behind.
DWORD AddExplorerMenu(const CString& strExePath, const CString& strMenuText);

// Removes the three "Quorvel" keys whole (and the keys above them up to
// Software\Classes that adding them may have made, once they hold nothing
// else). Returns 0 (also when they were not there), or the error code.
DWORD RemoveExplorerMenu();
