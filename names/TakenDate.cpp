#include "names/TakenDate.h"

#include "names/ListOrder.h"
#include "platform/FileBytes.h"
#include "platform/FileSystem.h"

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
        // Only photos are opened: the name says which files are.
        if ((i < (int)attributes.size() && IsDataElsewhere(attributes[i])) || !IsJpegFileName(diskNames[i].str()))
            continue;
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
