#include "names/SortStringArray.h"

#include <algorithm>

namespace {

// Same sign as _mbsicmp, at a fraction of its cost on names that share
// long prefixes: byte-identical characters are equal whatever the case
// mapping, and two ASCII characters compare as lower case, as _mbsicmp
// compares them. The first other pair of characters, and everything after
// it, is left to _mbsicmp itself, which compares character by character, so
// starting it at a character boundary past equal characters changes nothing.
int CompareNoCaseFast(const unsigned char* a, const unsigned char* b)
{
    for (;;) {
        unsigned char ca = *a, cb = *b;
        if (ca == cb) {
            if (ca == 0)
                return 0;
            if (_ismbblead(ca)) {
                if (a[1] != b[1] || a[1] == 0)
                    break;
                a += 2;
                b += 2;
            } else {
                ++a;
                ++b;
            }
            continue;
        }
        if (ca >= 0x80 || cb >= 0x80)
            break;
        int la = (ca >= 'A' && ca <= 'Z') ? ca + ('a' - 'A') : ca;
        int lb = (cb >= 'A' && cb <= 'Z') ? cb + ('a' - 'A') : cb;
        if (la != lb)
            return la - lb;
        ++a;
        ++b;
    }
    return _mbsicmp(a, b);
}

}  // namespace

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
    if (m_a.size() < 2)
        return;
    // The same order as repeated passes of SwapIfGreater until none swaps
    // (a stable ascending sort), in O(n log n).
    std::stable_sort(m_a.begin(), m_a.end(), [](const CString& a, const CString& b) {
        return CompareNoCaseFast((const unsigned char*)a.GetString(), (const unsigned char*)b.GetString()) < 0;
    });
}
