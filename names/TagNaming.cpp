#include "names/TagNaming.h"

#include <unordered_map>

#include "names/tags/MediaTags.h"
#include "platform/Shell.h"

void CListedFields::ReadListing(CShellService& shell, const CNameList& list, const TIME_ZONE_INFORMATION* pZone)
{
    const int nCount = list.GetCount();
    m_strFolderPath = list.GetFolderPath();
    m_files.assign(nCount > 0 ? nCount : 0, CFile());
    std::vector<CFolderEntry> entries;
    shell.ReadFolder(m_strFolderPath, entries);
    std::unordered_map<std::wstring, const CFolderEntry*> byName;
    for (const CFolderEntry& entry : entries)
        byName[entry.strName.str()] = &entry;
    for (int i = 0; i < nCount; ++i) {
        CFile& file = m_files[i];
        file.strDiskName = list[i].strDiskName;
        auto found = byName.find(list[i].strDiskName.str());
        if (found == byName.end())
            continue;  // gone since it was listed: no fields
        std::wstring date, time;
        if (LocalDateAndTime(found->second->ftLastWrite, pZone, date, time)) {
            file.fields[TAG_FIELD_MODIFIED_DATE] = date;
            file.fields[TAG_FIELD_MODIFIED_TIME] = time;
        }
        file.bOnlineOnly = found->second->IsOnlineOnly();
        file.bRead = file.bOnlineOnly;
    }
}

const TagFields& CListedFields::Fields(int i, bool bTags)
{
    CFile& file = m_files[i];
    if (bTags && !file.bRead) {
        file.bRead = true;
        const TagFields tags = ReadFileFields((m_strFolderPath + file.strDiskName).str());
        file.fields.insert(tags.begin(), tags.end());
    }
    return file.fields;
}

bool CListedFields::ReadAllTags(const TagReadProgress& progress)
{
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i) {
        if (progress && !progress(i, nCount, m_files[i].strDiskName))
            return false;
        Fields(i, true);
    }
    return true;
}

CString TagNameLine(const CTagFormat& format, const TagFields& fields, const CString& strDiskName,
                    const CString& strLine, bool* pbMissing)
{
    std::wstring name;
    const bool bMade = format.MakeName(fields, strDiskName.str(), name);
    if (pbMissing)
        *pbMissing = !bMade;
    return bMade ? CString(std::move(name)) : strLine;
}
