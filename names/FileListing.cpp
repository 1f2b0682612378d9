#include <mbstring.h>

#include <algorithm>

#include "names/NameList.h"
#include "names/SortStringArray.h"
#include "platform/FileSystem.h"

void CollectFileNames(const CString& strFolderPath, CSortStringArray& rNames,
                      const std::function<bool(const CString&)>& accept, std::vector<std::wstring>* pLeftOut)
{
    std::vector<CFolderEntry> entries;
    ReadFolderEntries(strFolderPath, entries);
    // Every entry is kept: the cut to MAX_NAMES comes after the sort, so
    // which files show does not depend on the platform's order.
    std::vector<const CFolderEntry*> leftOut;
    for (const CFolderEntry& entry : entries) {
        if (entry.IsFolder())
            continue;
        if (entry.use != NAME_UNUSABLE) {
            if (accept(entry.strName))
                rNames.Add(entry.strName);
            continue;
        }
        // A name no line can stand for is never listed, not even by its
        // short name; the caller is told of it by its name in full.
        if (accept(entry.strName.IsEmpty() ? entry.strNearName : entry.strName))
            leftOut.push_back(&entry);
    }
    if (!pLeftOut)
        return;
    // In the order of their nearest spellings, as the list itself is sorted.
    std::stable_sort(leftOut.begin(), leftOut.end(), [](const CFolderEntry* a, const CFolderEntry* b) {
        return _mbsicmp((const unsigned char*)a->strNearName.GetString(),
                        (const unsigned char*)b->strNearName.GetString()) < 0;
    });
    for (const CFolderEntry* pEntry : leftOut)
        pLeftOut->push_back(pEntry->wstrShown);
}

int KeepFirstNames(CSortStringArray& rNames, CString* pNames)
{
    rNames.Sort();
    int nCount = 0;
    for (int i = 0; i < rNames.GetSize() && nCount < MAX_NAMES; ++i)
        pNames[nCount++] = rNames[i];
    return nCount;
}

int ListFolderFiles(const CString& strFolderPath, CString* pNames, int* pnFound, std::vector<std::wstring>* pLeftOut)
{
    CSortStringArray names;
    CollectFileNames(strFolderPath, names, [](const CString&) { return true; }, pLeftOut);
    if (pnFound)
        *pnFound = names.GetSize();
    return KeepFirstNames(names, pNames);
}
