// The names on disk behind the program's names. Above the platform every
// name is an exact string of the code page; a name on disk that the code
// page cannot hold is either used under its composed spelling or reached
// by its short name. The platform remembers which entry on disk each such
// name stands for, so that every call reaches the entry that was listed and
// never another one that a converted name would find. Only the platform
// includes this header.
#pragma once

#include <windows.h>

#include <string>

#include "framework/afxstr.h"

// A name or path with letter case folded as the file system folds it.
std::wstring FoldedWide(std::wstring wstr);

// Less than, equal to or greater than 0 as a sorts before, with or after b,
// letter case ignored as the file system ignores it.
int CompareWideNoCase(const std::wstring& a, const std::wstring& b);

// The entry at wstrPath (a path on disk, no wildcards meant), read into
// fd; false when nothing is there.
bool FindEntry(const std::wstring& wstrPath, WIN32_FIND_DATAW& fd);

// The wide form of a code-page string (exact: every string of the code
// page has one).
std::wstring WideFromCodePage(const CString& str);

// The code-page form of a wide string when the code page holds it exactly,
// with no best-fit letter and no default character; false otherwise.
bool ExactCodePage(const std::wstring& wstr, CString& str);

// The same for the composed form (NFC) of the string: decomposed Hangul,
// as macOS writes it, is held by the code page once composed.
bool ComposedCodePage(const std::wstring& wstr, CString& str);

// The code page's nearest spelling of a wide string (best fit): for
// ordering and telling a type by its extension only, never to reach a file.
CString NearestCodePage(const std::wstring& wstr);

// The wide form of a path of the program, with "\\" for every "/".
std::wstring ProgramPath(const CString& strPath);

// The wide path on disk that a path of the program designates: each part
// that the platform listed under another name than its own is replaced by
// the name on disk. Parts are matched with letter case ignored, as the
// file system matches them.
std::wstring DiskPath(const CString& strPath);

// The folder strFolder (program form, wide, ending with "\") is read
// afresh: what was remembered of its entries is forgotten.
void ForgetFolderEntries(const std::wstring& wstrFolder);

// The entry wstrProgramPath (program form, wide) is named wstrDiskName on
// disk.
void RememberDiskName(const std::wstring& wstrProgramPath, const std::wstring& wstrDiskName);

// An entry was moved from one program path to another: what was remembered
// of it, and of everything below it, follows.
void FollowMove(const std::wstring& wstrOldPath, const std::wstring& wstrNewPath);
