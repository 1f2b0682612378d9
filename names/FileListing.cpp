#include "framework/afxfile.h"
#include "names/NameList.h"
#include "names/SortStringArray.h"

void CollectFileNames(const CString& strPattern, CSortStringArray& rNames,
                      const std::function<bool(const CString&)>& accept)
{
    CFileFind finder;
    BOOL bWorking = finder.FindFile(strPattern);
    // Skipping never ends the enumeration: every entry is visited, so the
    // names kept are the first MAX_NAMES accepted ones in platform order.
    while (bWorking) {
        bWorking = finder.FindNextFile();
        if (finder.IsDirectory())
            continue;
        CString strName = finder.GetFileName();
        if (!accept(strName))
            continue;
        if (rNames.GetSize() >= MAX_NAMES)
            continue;
        rNames.Add(strName);
    }
}

int ListFolderFiles(const CString& strFolderPath, CString* pNames)
{
    CSortStringArray names;
    CollectFileNames(strFolderPath + "*.*", names, [](const CString&) { return true; });
    names.Sort();
    int nCount = 0;
    for (int i = 0; i < names.GetSize(); ++i)
        pNames[nCount++] = names[i];
    return nCount;
}
