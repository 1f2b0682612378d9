#include "afxstr.h"

#include <cwchar>

int CString::Find(const wchar_t* pszSub, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    if (nStart > GetLength())
        return -1;
    size_t found = m_s.find(pszSub, (size_t)nStart);
    return found == std::wstring::npos ? -1 : (int)found;
}

int CString::CompareNoCaseAscii(const wchar_t* a, const wchar_t* b)
{
    for (;; ++a, ++b) {
        wchar_t ca = *a, cb = *b;
        if (ca >= L'A' && ca <= L'Z')
            ca += L'a' - L'A';
        if (cb >= L'A' && cb <= L'Z')
            cb += L'a' - L'A';
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

wchar_t* CString::GetBuffer(int nMinLength)
{
    if ((int)m_s.size() < nMinLength)
        m_s.resize(nMinLength);
    return &m_s[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = (int)wcslen(m_s.c_str());
    m_s.resize(nNewLength);
}

BOOL CString::LoadString(UINT nID)
{
    // With a zero length the call hands out a pointer to the resource's
    // own text, which is not NUL-terminated: no buffer to outgrow.
    const wchar_t* p = NULL;
    int n = ::LoadStringW(::GetModuleHandleW(NULL), nID, (LPWSTR)&p, 0);
    if (n > 0 && p)
        m_s.assign(p, n);
    else
        m_s.clear();
    return n > 0;
}

CString CString::FormatMessageText(DWORD dwError)
{
    wchar_t* p = NULL;
    DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS,
                               NULL, dwError, 0, (LPWSTR)&p, 0, NULL);
    CString s;
    if (n && p) {
        // System messages end with a line break; the callers add their own.
        while (n > 0 && (p[n - 1] == L'\r' || p[n - 1] == L'\n' || p[n - 1] == L' '))
            --n;
        s = CString(p, (int)n);
    }
    if (p)
        ::LocalFree(p);
    if (s.IsEmpty())
        s = L"error " + std::to_wstring(dwError);
    return s;
}

CString AfxLoadText(UINT nIDS)
{
    CString s;
    s.LoadString(nIDS);
    return s;
}

void AfxFormatStrings(CString& rString, UINT nIDS, const wchar_t* const* rglpsz, int nString)
{
    const std::wstring format = AfxLoadText(nIDS).str();
    std::wstring out;
    out.reserve(format.size());
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == L'%' && i + 1 < format.size() && format[i + 1] >= L'1' && format[i + 1] <= L'9') {
            int n = format[i + 1] - L'1';
            if (n < nString && rglpsz[n])
                out += rglpsz[n];
            ++i;
            continue;
        }
        out += format[i];
    }
    rString = CString(std::move(out));
}

void AfxFormatString1(CString& rString, UINT nIDS, const wchar_t* lpsz1)
{
    AfxFormatStrings(rString, nIDS, &lpsz1, 1);
}

void AfxFormatString2(CString& rString, UINT nIDS, const wchar_t* lpsz1, const wchar_t* lpsz2)
{
    const wchar_t* strings[2] = {lpsz1, lpsz2};
    AfxFormatStrings(rString, nIDS, strings, 2);
}
