// Shell services of the platform that the folder tree relies on: the
// desktop folder, display names and small icons, the icons of
// "shell32.dll" and the drive roots.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/afxstr.h"
#include "platform/FileSystem.h"

// The desktop folder's file-system path, without a trailing "\"; empty when
// the shell has none to give.
CString GetDesktopFolderPath(HWND hWndOwner);

// What the shell shows for a path: its display name, its small icon and its
// small open icon. Display names here are exact strings of the code page
// (composed, for decomposed Hangul); empty where the code page cannot hold
// the shell's name. The icons belong to the caller (DestroyIcon); either may
// be NULL when the shell has none.
struct CShellFileInfo {
    CString strDisplayName;
    HICON hIcon = NULL;
    HICON hOpenIcon = NULL;
};
CShellFileInfo GetShellFileInfo(const CString& strPath);

// Icon nIndex of "shell32.dll", or NULL; the caller destroys it.
HICON ExtractShellIcon(HINSTANCE hInstance, int nIndex);

// What the shell shows for an entry whose name the code page cannot hold:
// its label in full, only to be shown, and the extension (with its dot)
// that the label leaves out, exact in the code page; empty when the label
// shows it, or when the code page cannot hold it.
struct CWideLabel {
    std::wstring wstrText;
    CString strHiddenExtension;
};

// The text of a window (the label editor) as the code page holds it
// exactly; false when it holds characters the code page has not, which
// must never be taken for their nearest spelling.
bool GetExactWindowText(HWND hWnd, CString& strText);

// A message box owned by hOwner whose text is strText followed by each of
// names on a line of its own, in full: names the code page cannot hold
// show only through the wide message box.
int ShowMessageWithNames(HWND hOwner, const CString& strText, const std::vector<std::wstring>& names,
                         const CString& strCaption, UINT nType);

// Fills pszBuffer (nSize characters) with the root of every drive, each
// ended by a NUL, and an empty string after the last. An empty first string
// means no drive (also when the call fails or the buffer is too small).
void GetDriveStrings(char* pszBuffer, DWORD nSize);

// Everything the folder tree asks of the file system and the shell when it
// fills a branch or follows a rename, behind one seam: a test stands in for
// the shell where Wine cannot show what Windows shows (a folder under a
// localized name, folders marked read-only or system).
class CShellService {
public:
    virtual ~CShellService() {}

    // The entries of a folder (path ending with "\"); false when it cannot
    // be read.
    virtual bool ReadFolder(const CString& strFolderPath, std::vector<CFolderEntry>& entries);
    // Whether the folder (path ending with "\") holds a "desktop.ini",
    // through which the shell may give it an icon of its own.
    virtual bool HoldsDesktopIni(const CString& strFolderPath);
    // The shell's display names of entries of one folder (path ending with
    // "\"), one per name in the same order; "" where the shell has none.
    // The folder is reached and walked once for all of them.
    virtual void GetDisplayNames(const CString& strFolderPath, const std::vector<CString>& names,
                                 std::vector<CString>& labels);
    // The shell's display name of one path, asked by the path itself.
    virtual CString GetDisplayName(const CString& strPath);
    // The label of an entry whose name the code page cannot hold (reached
    // by its short name), asked of the shell by its path.
    virtual CWideLabel GetWideLabel(const CString& strPath);
    // Display name and small icons of one path, asked of the shell by the
    // path itself.
    virtual CShellFileInfo GetFileInfo(const CString& strPath);
    // Whether files of a type (strExtension with its dot, ".mp3") may each
    // show an icon of their own: the type has an icon handler, or takes its
    // icon from each file.
    virtual bool TypeHasIconPerFile(const CString& strExtension);
};

// The service that asks the real shell.
CShellService& SystemShellService();
