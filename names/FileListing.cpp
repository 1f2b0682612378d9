#include <algorithm>
#include <numeric>

#include "names/NameList.h"
#include "names/SortStringArray.h"
#include "platform/FileSystem.h"

void CollectFileNames(const CString& strFolderPath, std::vector<CString>& rDiskNames,
                      const std::function<bool(const CString&)>& accept)
{
    std::vector<CFolderEntry> entries;
    ReadFolderEntries(strFolderPath, entries);
    // Every entry is kept: the cut to MAX_NAMES comes after the sort, so
    // which files show does not depend on the platform's order.
    for (CFolderEntry& entry : entries)
        if (!entry.IsFolder() && accept(entry.strName))
            rDiskNames.push_back(std::move(entry.strName));
}

int KeepFirstNames(const std::vector<CString>& diskNames, CString* pNames, CString* pDiskNames)
{
    std::vector<CString> shown;
    shown.reserve(diskNames.size());
    for (const CString& strName : diskNames)
        shown.push_back(ShownName(strName));
    std::vector<int> order(diskNames.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return NameSortsBefore(shown[a], shown[b]); });
    int nCount = 0;
    for (size_t k = 0; k < order.size() && nCount < MAX_NAMES; ++k, ++nCount) {
        pNames[nCount] = shown[order[k]];
        pDiskNames[nCount] = diskNames[order[k]];
    }
    return nCount;
}

int ListFolderFiles(const CString& strFolderPath, CString* pNames, CString* pDiskNames, int* pnFound)
{
    std::vector<CString> diskNames;
    CollectFileNames(strFolderPath, diskNames, [](const CString&) { return true; });
    if (pnFound)
        *pnFound = (int)diskNames.size();
    return KeepFirstNames(diskNames, pNames, pDiskNames);
}
