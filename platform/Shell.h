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
// small open icon. For a path the shell cannot reach, no name and the
// generic icons of a folder or of a file of its type. The icons belong to
// the caller (DestroyIcon); either may be NULL when the shell has none.
struct CShellFileInfo {
    CString strDisplayName;
    HICON hIcon = NULL;
    HICON hOpenIcon = NULL;
};
CShellFileInfo GetShellFileInfo(const CString& strPath);

// The icon of a path (its open icon, with bOpen) at cx pixels, from the
// shell's image list of that size, scaled by the caller's image list where
// the shell has none; NULL when there is none. The caller destroys it.
HICON GetShellIcon(const CString& strPath, bool bOpen, int cx);

// Icon nIndex of "shell32.dll" at cx pixels (0: the system's size), or
// NULL; the caller destroys it.
HICON ExtractShellIcon(HINSTANCE hInstance, int nIndex, int cx = 0);

// True when the shell can be asked about the path as it stands: it takes
// plain paths only, and these do not reach a part that ends with a dot or a
// space, a device name ("con.txt"), or a path of MAX_PATH characters or
// more. The tree shows such entries by their names on disk, with the
// generic icons of their kind.
bool IsShellReachable(const CString& strPath);

// Fills pszBuffer (nSize characters) with the root of every drive, each
// ended by a NUL, and an empty string after the last. An empty first string
// means no drive (also when the call fails or the buffer is too small).
void GetDriveStrings(wchar_t* pszBuffer, DWORD nSize);

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
    // "\"), one per name in the same order; "" where the shell has none or
    // cannot reach the entry. The folder is reached and walked once for all
    // of them.
    virtual void GetDisplayNames(const CString& strFolderPath, const std::vector<CString>& names,
                                 std::vector<CString>& labels);
    // The shell's display name of one path, asked by the path itself; ""
    // where it has none or cannot reach the path.
    virtual CString GetDisplayName(const CString& strPath);
    // Display name and small icons of one path, asked of the shell by the
    // path itself.
    virtual CShellFileInfo GetFileInfo(const CString& strPath);
    // The icon of one path at cx pixels (GetShellIcon).
    virtual HICON GetIcon(const CString& strPath, bool bOpen, int cx);
    // Whether files of a type (strExtension with its dot, ".mp3") may each
    // show an icon of their own: the type has an icon handler, or takes its
    // icon from each file.
    virtual bool TypeHasIconPerFile(const CString& strExtension);
};

// The service that asks the real shell.
CShellService& SystemShellService();
