// A string array with a stable, ascending sort that ignores letter case.
#pragma once

#include "framework/afxstr.h"

class CSortStringArray : public CStringArray {
public:
    ~CSortStringArray() override {}

    // A copy of entry i; no bounds check (0 <= i < size).
    CString GetElement(int i) const { return m_a[i]; }
    // Exchanges entries i and i + 1 when entry i compares greater.
    BOOL SwapIfGreater(int i);
    // Ascending by _mbsicmp, stable: names that compare equal (differing
    // only in case) keep their order.
    void Sort();
};
