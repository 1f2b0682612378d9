// The name editor's text format: one name per line, each followed by
// "\r\n", lines paired with files by position; and the name a file is shown
// by.
#pragma once

#include <vector>

#include "framework/afxstr.h"

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
