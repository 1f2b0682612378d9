#include "names/TagNaming.h"

bool ReadListedFields(const CString& strFolderPath, const CString* pDiskNames, int nCount,
                      std::vector<TagFields>& fields, const TagReadProgress& progress)
{
    fields.assign(nCount > 0 ? nCount : 0, TagFields());
    for (int i = 0; i < nCount; ++i) {
        if (progress && !progress(i, nCount, pDiskNames[i]))
            return false;
        fields[i] = ReadFileFields((strFolderPath + pDiskNames[i]).str());
    }
    return true;
}

CString TagNameLine(const CTagFormat& format, const TagFields& fields, const CString& strDiskName,
                    const CString& strLine, bool* pbMissing)
{
    std::wstring name;
    const bool bMade = format.MakeName(fields, strDiskName.str(), name);
    if (pbMissing)
        *pbMissing = !bMade && IsTaggedFileName(strDiskName.str());
    return bMade ? CString(std::move(name)) : strLine;
}
