// File-system services of the platform that the name list relies on.
#pragma once

#include "framework/afxstr.h"

// Renames (or moves) a file or folder from one full path to another. Never
// replaces anything: when the new path exists the call fails and both stay
// as they were. Returns 0 on success, else the system's error code.
DWORD RenamePath(const CString& strOldPath, const CString& strNewPath);

// The name, as the file system spells it, of the entry that a full path
// without wildcards stands for; empty when there is none.
CString GetStoredName(const CString& strPath);

// The full path that the platform makes of a path (folder parts "." and
// ".." resolved, relative paths against the current folder).
CString GetFullPath(const CString& strPath);
