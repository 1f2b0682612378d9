#include "platform/NameParts.h"

bool IsPathSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

int LastPartStart(const CString& strPath)
{
    const size_t nSep = strPath.str().find_last_of(L"\\/");
    return nSep == std::wstring::npos ? 0 : (int)nSep + 1;
}

CString LastPartOf(CString strPath)
{
    int nEnd = strPath.GetLength();
    while (nEnd > 0 && IsPathSeparator(strPath.GetAt(nEnd - 1)))
        --nEnd;
    strPath = strPath.Left(nEnd);
    return strPath.Mid(LastPartStart(strPath));
}

int ExtensionStart(const CString& strName)
{
    const size_t nStart = LastPartStart(strName);
    const size_t nDot = strName.str().rfind(L'.');
    return nDot != std::wstring::npos && nDot > nStart ? (int)nDot : strName.GetLength();
}

CString FileTypeOf(const CString& strPath)
{
    const int nStart = LastPartStart(strPath);
    const size_t nDot = strPath.str().rfind(L'.');
    return nDot == std::wstring::npos || (int)nDot < nStart ? CString() : strPath.Mid((int)nDot);
}
