#include "afxstr.h"

#include <cstring>

int CString::Find(const char* pszSub, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    size_t nSub = strlen(pszSub);
    const size_t n = m_s.size();
    // Walk character by character so that a match never begins on the
    // trail byte of a double-byte character.
    size_t i = 0;
    while (i < n) {
        if ((int)i >= nStart && n - i >= nSub && memcmp(m_s.data() + i, pszSub, nSub) == 0)
            return (int)i;
        i += (_ismbblead((unsigned char)m_s[i]) && i + 1 < n) ? 2 : 1;
    }
    if (nSub == 0 && (int)n >= nStart)
        return (int)n;
    return -1;
}

char* CString::GetBuffer(int nMinLength)
{
    if ((int)m_s.size() < nMinLength)
        m_s.resize(nMinLength);
    return &m_s[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = (int)strlen(m_s.c_str());
    m_s.resize(nNewLength);
}

BOOL CString::LoadString(UINT nID)
{
    char buf[1024];
    int n = ::LoadStringA(GetModuleHandleA(NULL), nID, buf, sizeof(buf));
    m_s.assign(buf, n > 0 ? n : 0);
    return n > 0;
}

CString CString::FormatMessageText(DWORD dwError)
{
    char* p = NULL;
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS,
                               NULL, dwError, 0, (LPSTR)&p, 0, NULL);
    CString s;
    if (n && p) {
        // System messages end with a line break; the callers add their own.
        while (n > 0 && (p[n - 1] == '\r' || p[n - 1] == '\n' || p[n - 1] == ' '))
            --n;
        s = CString(p, (int)n);
    }
    if (p)
        LocalFree(p);
    if (s.IsEmpty()) {
        char buf[32];
        wsprintfA(buf, "error %lu", dwError);
        s = buf;
    }
    return s;
}

CString AfxLoadText(UINT nIDS)
{
    CString s;
    s.LoadString(nIDS);
    return s;
}

void AfxFormatStrings(CString& rString, UINT nIDS, const char* const* rglpsz, int nString)
{
    const std::string format = AfxLoadText(nIDS).str();
    std::string out;
    out.reserve(format.size());
    for (size_t i = 0; i < format.size(); ++i) {
        // '%' is never a trail byte of code page 949, so a byte scan
        // finds the same markers as a character-wise one.
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] >= '1' && format[i + 1] <= '9') {
            int n = format[i + 1] - '1';
            if (n < nString && rglpsz[n])
                out += rglpsz[n];
            ++i;
            continue;
        }
        out += format[i];
    }
    rString = CString(out);
}

void AfxFormatString1(CString& rString, UINT nIDS, const char* lpsz1)
{
    AfxFormatStrings(rString, nIDS, &lpsz1, 1);
}

void AfxFormatString2(CString& rString, UINT nIDS, const char* lpsz1, const char* lpsz2)
{
    const char* strings[2] = {lpsz1, lpsz2};
    AfxFormatStrings(rString, nIDS, strings, 2);
}
