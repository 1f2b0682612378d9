// Paths as text: how a line's folder parts resolve against a folder, the
// long form every disk call takes, and which paths name the same entry, as
// Windows decides it. Plain functions of the strings; no disk is read.
#pragma once

#include <string>
#include <vector>

#include "framework/afxstr.h"

// The path with "/" read as "\" and its "." and ".." parts resolved as
// text: ".." takes back the part before it, never the root ("C:\",
// "\\server\share\", or a "\\?\" form of them). Nothing else changes: a
// part keeps its trailing dots and spaces, and a path ending with a
// separator still ends with "\".
CString ResolvePathText(const CString& strPath);

// The path for the file system's wide calls: resolved as text, then in the
// "\\?\" form, which reaches every name the file system holds (a trailing
// dot or space, a device name such as "con.txt", more than MAX_PATH
// characters) and which Windows takes as it stands. A relative path is
// only resolved.
std::wstring LongPath(const CString& strPath);

// A name with letter case folded as the file system folds it.
std::wstring FoldedName(const std::wstring& wstrName);

// Less than, equal to or greater than 0 as a sorts before, with or after
// b, letter case ignored as the file system ignores it.
int CompareFileNames(const std::wstring& a, const std::wstring& b);

// For each path, a number that two paths share exactly when Windows takes
// them for the same entry: resolved as text, then compared ignoring case as
// the file system does (CompareStringOrdinal). The numbers run from 0 upward.
std::vector<int> IdentifyPaths(const std::vector<CString>& paths);

// True when both paths name the same entry in that sense.
bool IsSamePath(const CString& strPath1, const CString& strPath2);

// True when a part of a path is a device name to Windows' plain paths:
// CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-9 and LPT1-9 (also with the
// superscript digits), before any dot, trailing spaces ignored, any case.
bool IsReservedDeviceName(const std::wstring& wstrPart);
