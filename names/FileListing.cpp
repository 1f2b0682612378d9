#include "framework/afxfile.h"
#include "names/NameList.h"
#include "names/SortStringArray.h"

void CollectFileNames(const CString& strPattern, CSortStringArray& rNames,
                      const std::function<bool(const CString&)>& accept)
{
    CFileFind finder;
    BOOL bWorking = finder.FindFile(strPattern);
    // Every entry is kept: the cut to MAX_NAMES comes after the sort, so
    // which files show does not depend on the platform's order.
    while (bWorking) {
        bWorking = finder.FindNextFile();
        if (finder.IsDirectory())
            continue;
        CString strName = finder.GetFileName();
        if (accept(strName))
            rNames.Add(strName);
    }
}

int KeepFirstNames(CSortStringArray& rNames, CString* pNames)
{
    rNames.Sort();
    int nCount = 0;
    for (int i = 0; i < rNames.GetSize() && nCount < MAX_NAMES; ++i)
        pNames[nCount++] = rNames[i];
    return nCount;
}

int ListFolderFiles(const CString& strFolderPath, CString* pNames, int* pnFound)
{
    CSortStringArray names;
    CollectFileNames(strFolderPath + "*.*", names, [](const CString&) { return true; });
    if (pnFound)
        *pnFound = names.GetSize();
    return KeepFirstNames(names, pNames);
}
