// The name list's text format and loading: one name per line in the name
// editor, each followed by "\r\n", lines paired with files by position.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/afxstr.h"

#define MAX_NAMES 2000

// Line join: each of the first nCount names followed by "\r\n".
CString JoinNames(const CString* pNames, int nCount);

// Line split: cuts exactly nCount names off strText into pNames and
// returns the text not consumed. A last run of text not closed by "\r\n"
// is a name too; past the text's end the names are empty.
CString SplitNames(const CString& strText, int nCount, CString* pNames);

// The lines the text holds, as the rename and the batch commands read it:
// a last run not closed by "\r\n" is a line, empty lines at the end of the
// text are none.
std::vector<CString> SplitLines(const CString& strText);

// The number of lines SplitLines finds.
int CountNameLines(const CString& strText);

// The name the list shows for a name read from disk: runs of conjoining
// Hangul Jamo composed into syllables, as macOS writes Hangul decomposed,
// so that a typed or replaced "한글" finds it. No other character changes:
// full normalization would also turn the compatibility Hanja of code page
// 949, the ohm sign and the angstrom sign into other characters, and a
// command would then rename the file to them. The list keeps the exact
// name on disk beside it; what the user types is never composed.
CString ShownName(const CString& strDiskName);

// Appends to rDiskNames the exact name of every file (not folder) of the
// folder (path ending with "\") that accept() takes, in the order of
// enumeration; accept() is asked with the name on disk.
void CollectFileNames(const CString& strFolderPath, std::vector<CString>& rDiskNames,
                      const std::function<bool(const CString&)>& accept);

// Sorts the names by the names the list shows (stable, letter case of
// ASCII ignored) and writes the first MAX_NAMES of them into pNames (shown)
// and pDiskNames (on disk), each with room for MAX_NAMES; returns how many
// were written.
int KeepFirstNames(const std::vector<CString>& diskNames, CString* pNames, CString* pDiskNames);

// Lists the files of a folder path into pNames and pDiskNames (room for
// MAX_NAMES each): all of them sorted, the first MAX_NAMES kept; returns how
// many were written, and in *pnFound (when given) how many were found. Used
// where no tree item stands for the folder.
int ListFolderFiles(const CString& strFolderPath, CString* pNames, CString* pDiskNames, int* pnFound = NULL);
