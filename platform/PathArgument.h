// A path handed to the program from outside (its command line, Send To,
// Explorer's menu, a drop): the first argument of a command line, and what
// the path stands for on disk.
#pragma once

#include "framework/afxstr.h"

// The first argument of the arguments that follow the program's name
// (wWinMain's command line), split as Windows' own parser splits it:
// separated by spaces or tabs, quotes grouping, 2n backslashes before a
// quote giving n, 2n+1 giving n and the quote itself. Empty when there is
// none.
CString FirstCommandLineArgument(const wchar_t* pszArgs);

enum PathArgumentKind {
    PATH_ARGUMENT_NONE,     // no path was given
    PATH_ARGUMENT_FOLDER,   // strPath: the folder's full path, ending with "\"
    PATH_ARGUMENT_FILE,     // strPath: the file's full path
    PATH_ARGUMENT_NETWORK,  // a path of a share with no drive letter
    PATH_ARGUMENT_MISSING,  // strPath: the full path, where nothing is
};

struct CPathArgument {
    PathArgumentKind kind = PATH_ARGUMENT_NONE;
    CString strPath;
};

// What a path as Windows hands it over stands for: quoted or not, with "/"
// or "\", relative to the current folder, in its long or short (8.3) form,
// with or without a trailing separator, "\\?\" before a drive letter. A
// trailing quote is dropped: Explorer's "%V" of a drive root, "D:\" in
// quotes, arrives as D:" (its "\"" read as an escaped quote). A drive
// letter alone ("D:") is the drive's root. A found path comes back in its
// long form.
CPathArgument ResolvePathArgument(const CString& strArgument);
