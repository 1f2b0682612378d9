#include "names/SortStringArray.h"

#include <algorithm>

void CSortStringArray::Sort()
{
    // Stable, so that names equal but for the case of their letters keep
    // the order they came in.
    std::stable_sort(m_a.begin(), m_a.end(), NameSortsBefore);
}
