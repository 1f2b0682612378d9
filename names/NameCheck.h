// Which new names are handed to the file system at all.
#pragma once

#include "framework/afxstr.h"

// True when the name can be stored as written on Windows. Refused: the
// empty name; bytes that are no characters of the ANSI code page;
// characters below 0x20 and < > : " | ? *; reserved device names (CON, PRN,
// AUX, NUL, CONIN$, CONOUT$, COM1-9, LPT1-9 and COM/LPT with a superscript
// digit, with or without extension) as any part; a last part that is empty, "." or "..", or any part ending in
// a dot or a space (Windows drops those, storing another name than the
// line's). With bAllowFolders, "\" and "/" separate parts of a path
// relative to the folder, "." and ".." included, so a name may move its
// file as the platform allows; without it they are refused too.
bool IsAcceptableName(const CString& strName, bool bAllowFolders);

// Byte offset of the last part of a name: just past its last "\" or "/",
// walking whole characters so that a trail byte is never taken for one.
int LastPartStart(const CString& strName);

// True when a file system that keeps at most 255 UTF-8 bytes per name could
// store the name cut short (Wine on Linux does so and reports success), so
// the stored name must be read back after a rename.
bool MayBeStoredShortened(const CString& strName);

// True when the path has MAX_PATH characters or more: Windows refuses such a
// path in its ANSI calls, and a file given one could not be opened by most
// programs even where the platform accepts it.
bool IsPathTooLong(const CString& strPath);
