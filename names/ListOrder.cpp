#include "names/ListOrder.h"

#include <shlwapi.h>

#include <algorithm>
#include <numeric>

#include "names/SortStringArray.h"

namespace {

// <0, 0 or >0 as a's key comes before, with or after b's.
template <typename T> int Compare(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareKeys(const ListOrderKeys& a, const ListOrderKeys& b, ListOrder order)
{
    switch (order) {
    case ORDER_BY_NAME:
        return 0;
    case ORDER_EXPLORER:
        return ::StrCmpLogicalW(a.strName, b.strName);
    case ORDER_BY_MODIFIED:
        return Compare(a.nModified, b.nModified);
    case ORDER_BY_TAKEN:
        // A file without a date sorts as the latest of all.
        return Compare(a.nTaken - 1, b.nTaken - 1);
    case ORDER_BY_SIZE:
        return Compare(a.nSize, b.nSize);
    }
    return 0;
}

}  // namespace

std::vector<int> OrderFiles(const std::vector<ListOrderKeys>& keys, ListOrder order)
{
    std::vector<int> permutation(keys.size());
    std::iota(permutation.begin(), permutation.end(), 0);
    std::stable_sort(permutation.begin(), permutation.end(), [&keys, order](int a, int b) {
        const int nByKey = CompareKeys(keys[a], keys[b], order);
        return nByKey != 0 ? nByKey < 0 : NameSortsBefore(keys[a].strName, keys[b].strName);
    });
    return permutation;
}

std::vector<CString> MoveLinesWithFiles(const std::vector<CString>& lines, const std::vector<int>& moved,
                                        const std::function<CString(int nOld)>& missingLine)
{
    std::vector<CString> out;
    out.reserve(std::max(lines.size(), moved.size()));
    for (int nOld : moved)
        out.push_back(nOld >= 0 && nOld < (int)lines.size() ? lines[nOld] : missingLine(nOld));
    for (size_t k = moved.size(); k < lines.size(); ++k)
        out.push_back(lines[k]);
    return out;
}
