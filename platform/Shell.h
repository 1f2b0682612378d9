// Shell services of the platform that the folder tree relies on: the
// desktop folder, display names and small icons, the icons of
// "shell32.dll" and the drive roots.
#pragma once

#include <windows.h>

#include "framework/afxstr.h"

// The desktop folder's file-system path, without a trailing "\"; empty when
// the shell has none to give.
CString GetDesktopFolderPath(HWND hWndOwner);

// What the shell shows for a path: its display name, its small icon and its
// small open icon. The icons belong to the caller (DestroyIcon); either may
// be NULL when the shell has none.
struct CShellFileInfo {
    CString strDisplayName;
    HICON hIcon = NULL;
    HICON hOpenIcon = NULL;
};
CShellFileInfo GetShellFileInfo(const CString& strPath);

// Icon nIndex of "shell32.dll", or NULL; the caller destroys it.
HICON ExtractShellIcon(HINSTANCE hInstance, int nIndex);

// Fills pszBuffer (nSize characters) with the root of every drive, each
// ended by a NUL, and an empty string after the last. An empty first string
// means no drive (also when the call fails or the buffer is too small).
void GetDriveStrings(char* pszBuffer, DWORD nSize);
