// The parts of a name or a path: its separators, its last part, and the
// dot where its extension or its type begins. The one home of these rules;
// a rule that differs on purpose lives with its caller, under a name that
// says how it differs.
#pragma once

#include "framework/afxstr.h"

// "\" and "/", both of which Windows takes between the parts of a path.
bool IsPathSeparator(wchar_t c);

// Offset of the last part of a name or path: just past its last separator.
int LastPartStart(const CString& strPath);

// The last part of a path, trailing separators left out.
CString LastPartOf(CString strPath);

// Where the extension of a name or path begins: the last dot of its last
// part, unless that dot begins the part (".bashrc" has none); the length
// when it has none. A trailing dot begins an empty extension.
int ExtensionStart(const CString& strName);

// Windows' type of a file, from the last dot of the last part of its name
// or path, dot included; a leading dot counts (".gitignore" is a type of
// its own). Empty without a dot.
CString FileTypeOf(const CString& strPath);
