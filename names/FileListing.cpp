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

void KeepFirstNames(const std::vector<CString>& diskNames, CNameList& list)
{
    std::vector<CString> shown;
    shown.reserve(diskNames.size());
    for (const CString& strName : diskNames)
        shown.push_back(ShownName(strName));
    std::vector<int> order(diskNames.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return NameSortsBefore(shown[a], shown[b]); });
    for (size_t k = 0; k < order.size() && list.GetCount() < MAX_NAMES; ++k)
        list.Add(diskNames[order[k]], shown[order[k]]);
}

int ListFolderFiles(const CString& strFolderPath, CNameList& list, int* pnFound)
{
    list.Reset(strFolderPath);
    std::vector<CString> diskNames;
    CollectFileNames(strFolderPath, diskNames, [](const CString&) { return true; });
    if (pnFound)
        *pnFound = (int)diskNames.size();
    KeepFirstNames(diskNames, list);
    return list.GetCount();
}

void CNameList::Reset(const CString& strFolderPath)
{
    m_strFolderPath = strFolderPath;
    m_entries.clear();
}

void CNameList::Add(const CString& strDiskName, const CString& strShown)
{
    CNameEntry entry;
    entry.strDiskName = strDiskName;
    entry.strShown = strShown;
    entry.strNew = strShown;
    entry.nNameOrder = GetCount();
    m_entries.push_back(std::move(entry));
}

std::vector<CString> CNameList::Names(CString CNameEntry::*pName) const
{
    std::vector<CString> names;
    names.reserve(m_entries.size());
    for (const CNameEntry& entry : m_entries)
        names.push_back(entry.*pName);
    return names;
}

CString CNameList::ShownText() const
{
    const std::vector<CString> shown = ShownNames();
    return JoinNames(shown.data(), (int)shown.size());
}

std::vector<int> CNameList::NameOrder() const
{
    std::vector<int> order;
    order.reserve(m_entries.size());
    for (const CNameEntry& entry : m_entries)
        order.push_back(entry.nNameOrder);
    return order;
}

void CNameList::Move(const std::vector<int>& moved)
{
    std::vector<CNameEntry> entries;
    entries.reserve(moved.size());
    for (int nOld : moved)
        entries.push_back(std::move(m_entries[nOld]));
    m_entries.swap(entries);
}
