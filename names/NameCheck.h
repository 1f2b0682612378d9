// Which new names are handed to the file system at all.
#pragma once

#include "framework/afxstr.h"
#include "platform/NameParts.h"

// True when the name can be stored as written on Windows. Refused: the
// empty name; a surrogate that is not half of a pair; characters below 0x20
// and < > : " | ? *; reserved device names (CON, PRN, AUX, NUL, CONIN$,
// CONOUT$, COM1-9, LPT1-9 and COM/LPT with a superscript digit, with or
// without extension) as any part; a last part that is empty, "." or "..",
// or any part ending in a dot or a space (Windows drops those, storing
// another name than the line's). With bAllowFolders, "\" and "/" separate
// parts of a path relative to the folder, "." and ".." included, so a name
// may move its file as the platform allows; without it they are refused
// too.
bool IsAcceptableName(const CString& strName, bool bAllowFolders);

// True when a file system that keeps at most 255 UTF-8 bytes per name could
// store the name cut short (Wine on Linux does so and reports success), so
// the stored name must be read back after a rename.
bool MayBeStoredShortened(const CString& strName);

// True when a part of the path is longer than the 255 characters a name may
// have, or the path is longer than the 32,767 characters of its long form.
bool IsPathTooLong(const CString& strPath);
