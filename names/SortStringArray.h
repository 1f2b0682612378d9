// A string array with a stable, ascending sort that ignores the letter case
// of ASCII letters, the order of file names in the list and the tree.
#pragma once

#include "framework/afxstr.h"

// True when a sorts before b: UTF-16 units compared in order, ASCII
// letters as lower case (as _wcsicmp compares in its default locale).
inline bool NameSortsBefore(const CString& a, const CString& b)
{
    return a.CompareNoCase(b) < 0;
}

class CSortStringArray : public CStringArray {
public:
    ~CSortStringArray() override {}

    // Ascending by NameSortsBefore, stable: names that compare equal
    // (differing only in the case of ASCII letters) keep their order.
    void Sort();
};
