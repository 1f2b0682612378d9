#include "platform/PathIdentity.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "platform/DiskNames.h"

namespace {

// The path in wide characters with its folder parts resolved. The code page
// cannot tell its letters' cases apart the way the file system does (the
// C runtime folds Latin letters only), so names are compared in Unicode.
std::wstring ResolvedWide(const CString& strPath)
{
    std::wstring wide = WideFromCodePage(strPath);
    if (wide.empty())
        return wide;
    DWORD nFull = ::GetFullPathNameW(wide.c_str(), 0, NULL, NULL);
    if (nFull == 0)
        return wide;
    std::wstring full(nFull, L'\0');
    nFull = ::GetFullPathNameW(wide.c_str(), nFull, &full[0], NULL);
    if (nFull == 0 || nFull >= full.size())
        return wide;
    full.resize(nFull);
    return full;
}

}  // namespace

std::vector<int> IdentifyPaths(const std::vector<CString>& paths)
{
    std::vector<std::wstring> keys;
    keys.reserve(paths.size());
    for (const CString& p : paths)
        keys.push_back(ResolvedWide(p));
    std::vector<int> order(paths.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return CompareWideNoCase(keys[a], keys[b]) < 0; });
    std::vector<int> ids(paths.size());
    int nId = -1;
    for (size_t k = 0; k < order.size(); ++k) {
        if (k == 0 || CompareWideNoCase(keys[order[k - 1]], keys[order[k]]) != 0)
            ++nId;
        ids[order[k]] = nId;
    }
    return ids;
}

bool IsSamePath(const CString& strPath1, const CString& strPath2)
{
    return CompareWideNoCase(ResolvedWide(strPath1), ResolvedWide(strPath2)) == 0;
}
