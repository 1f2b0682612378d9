#include "names/SortStringArray.h"

#include <algorithm>

BOOL CSortStringArray::SwapIfGreater(int i)
{
    if (m_a[i].CompareNoCase(m_a[i + 1]) > 0) {
        std::swap(m_a[i], m_a[i + 1]);
        return TRUE;
    }
    return FALSE;
}

void CSortStringArray::Sort()
{
    // The same order as repeated passes of SwapIfGreater until none swaps
    // (a stable ascending sort), in O(n log n).
    std::stable_sort(m_a.begin(), m_a.end(), NameSortsBefore);
}
