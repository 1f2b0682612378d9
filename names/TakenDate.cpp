#include "names/TakenDate.h"

#include <unordered_map>

#include "names/ListOrder.h"
#include "platform/FileBytes.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace {

// The digits of text from nAt on, as a number; false unless there are
// exactly nDigits of them there.
bool Digits(const std::wstring& text, size_t nAt, size_t nDigits, ULONGLONG& n)
{
    if (text.size() < nAt + nDigits)
        return false;
    for (size_t k = nAt; k < nAt + nDigits; ++k) {
        if (text[k] < L'0' || text[k] > L'9')
            return false;
        n = n * 10 + (text[k] - L'0');
    }
    return true;
}

ULONGLONG Field(const TagFields& fields, const wchar_t* field, const size_t (&at)[3], size_t nDigitsFirst, bool& bOk)
{
    ULONGLONG n = 0;
    auto it = fields.find(field);
    bOk = it != fields.end() && Digits(it->second, at[0], nDigitsFirst, n) && Digits(it->second, at[1], 2, n) &&
          Digits(it->second, at[2], 2, n);
    return n;
}

}  // namespace

ULONGLONG TakenTimeKey(const TagFields& fields)
{
    bool bDate = false, bTime = false;
    // "YYYY-MM-DD" and "HH.MM.SS".
    const ULONGLONG nDate = Field(fields, TAG_FIELD_DATE, {0, 5, 8}, 4, bDate);
    const ULONGLONG nTime = Field(fields, TAG_FIELD_TIME, {0, 3, 6}, 2, bTime);
    if (!bDate || nDate == 0)
        return NO_TAKEN_TIME;
    return nDate * 1000000 + (bTime ? nTime : 0);
}

bool IsDataElsewhere(DWORD dwAttributes)
{
    return IsOnlineOnlyAttributes(dwAttributes);
}

bool ReadTakenTimes(const CString& strFolderPath, const std::vector<CString>& diskNames,
                    const std::vector<DWORD>& attributes, std::vector<ULONGLONG>& taken,
                    const TagReadProgress& progress)
{
    const int nCount = (int)diskNames.size();
    std::vector<ULONGLONG> read(nCount, NO_TAKEN_TIME);
    for (int i = 0; i < nCount; ++i) {
        if (progress && !progress(i, nCount, diskNames[i]))
            return false;
        // Only photos and videos are opened: the name says which files are.
        if ((i < (int)attributes.size() && IsDataElsewhere(attributes[i])) ||
            !IsTakenMediaFileName(diskNames[i].str()))
            continue;
        if (!IsJpegFileName(diskNames[i].str())) {
            // A video's boxes are walked by their sizes, its media skipped.
            read[i] = TakenTimeKey(ReadFileFields((strFolderPath + diskNames[i]).str()));
            continue;
        }
        CFileBytes file((strFolderPath + diskNames[i]).str());
        if (!file.IsOpen())
            continue;
        TagByteReader reader = [&file](unsigned long long nOffset, void* pBuffer, size_t nBytes) {
            return file.Read(nOffset, pBuffer, nBytes);
        };
        read[i] = TakenTimeKey(ReadJpegFields(reader, file.GetSize()));
    }
    taken.swap(read);
    return true;
}

bool ReadListOrderKeys(CShellService& shell, const CNameList& list, ListOrder order, std::vector<ListOrderKeys>& keys,
                       const TagReadProgress& progress)
{
    const int nCount = list.GetCount();
    std::vector<ListOrderKeys> read;
    for (int i = 0; i < nCount; ++i)
        read.push_back({list[i].strShown, 0, 0, NO_TAKEN_TIME});
    if (order != ORDER_BY_NAME && order != ORDER_EXPLORER) {
        std::vector<CFolderEntry> entries;
        shell.ReadFolder(list.GetFolderPath(), entries);
        std::unordered_map<std::wstring, const CFolderEntry*> byName;
        for (const CFolderEntry& entry : entries)
            byName[entry.strName.str()] = &entry;
        const std::vector<CString> diskNames = list.DiskNames();
        std::vector<DWORD> attributes(nCount, 0);
        for (int i = 0; i < nCount; ++i) {
            auto found = byName.find(list[i].strDiskName.str());
            if (found == byName.end())
                continue;  // gone since it was listed: keys of 0
            const FILETIME& ft = found->second->ftLastWrite;
            read[i].nModified = ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
            read[i].nSize = found->second->nSize;
            attributes[i] = found->second->dwAttributes;
        }
        std::vector<ULONGLONG> taken;
        if (order == ORDER_BY_TAKEN) {
            if (!ReadTakenTimes(list.GetFolderPath(), diskNames, attributes, taken, progress))
                return false;
            for (int i = 0; i < nCount; ++i)
                read[i].nTaken = taken[i];
        }
    }
    keys.swap(read);
    return true;
}
