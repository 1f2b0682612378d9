// Multi-byte string and string array of the window framework.
// Lengths, positions and cuts count bytes of the system code page (949 on a
// Korean system); comparisons go through the C runtime's multi-byte functions.
#pragma once

#include <windows.h>
#include <mbstring.h>
#include <string>
#include <vector>

class CString {
public:
    CString() {}
    CString(const char* psz) : m_s(psz ? psz : "") {}
    CString(const char* pch, int nLength) : m_s(pch, nLength > 0 ? nLength : 0) {}
    CString(const std::string& s) : m_s(s) {}

    int GetLength() const { return (int)m_s.size(); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    char GetAt(int i) const { return m_s[i]; }
    operator const char*() const { return m_s.c_str(); }
    const char* GetString() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }

    // Cuts clamp their counts: a negative count is 0, a count beyond the
    // length is the whole string.
    CString Left(int n) const { return CString(m_s.substr(0, Clamp(n))); }
    CString Right(int n) const { n = Clamp(n); return CString(m_s.substr(m_s.size() - n)); }
    CString Mid(int nFirst) const { nFirst = Clamp(nFirst); return CString(m_s.substr(nFirst)); }
    CString Mid(int nFirst, int nCount) const
    {
        nFirst = Clamp(nFirst);
        return CString(m_s.substr(nFirst, Clamp(nCount)));
    }

    // First occurrence at or after nStart that begins on a character
    // boundary of the code page; -1 when there is none.
    int Find(const char* pszSub, int nStart = 0) const;
    int Find(char ch, int nStart = 0) const { char s[2] = {ch, 0}; return Find(s, nStart); }

    int Compare(const char* psz) const { return _mbscmp(Bytes(), (const unsigned char*)psz); }
    int CompareNoCase(const char* psz) const { return _mbsicmp(Bytes(), (const unsigned char*)psz); }

    CString& operator=(const char* psz) { m_s = psz ? psz : ""; return *this; }
    CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
    CString& operator+=(const char* psz) { m_s += psz; return *this; }
    CString& operator+=(char ch) { m_s += ch; return *this; }
    void Append(const char* pch, int nLength) { m_s.append(pch, nLength); }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_s + b); }
    friend CString operator+(const char* a, const CString& b) { return CString(a + b.m_s); }
    friend bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }

    // Reserve room for nMinLength bytes to be written in place; ReleaseBuffer
    // then takes the length up to the first NUL (or nNewLength when given).
    char* GetBuffer(int nMinLength);
    void ReleaseBuffer(int nNewLength = -1);

    BOOL LoadString(UINT nID);
    static CString FormatMessageText(DWORD dwError);

private:
    int Clamp(int n) const { return n < 0 ? 0 : (n > GetLength() ? GetLength() : n); }
    const unsigned char* Bytes() const { return (const unsigned char*)m_s.c_str(); }
    std::string m_s;
};

// The string-table entry nIDS with %1, %2, ... replaced by the given
// strings, in one pass: a %n inside an inserted string stays as it is.
void AfxFormatStrings(CString& rString, UINT nIDS, const char* const* rglpsz, int nString);
void AfxFormatString1(CString& rString, UINT nIDS, const char* lpsz1);
void AfxFormatString2(CString& rString, UINT nIDS, const char* lpsz1, const char* lpsz2);
// The string-table entry nIDS; empty when there is none.
CString AfxLoadText(UINT nIDS);

class CStringArray {
public:
    virtual ~CStringArray() {}
    int GetSize() const { return (int)m_a.size(); }
    int GetCount() const { return (int)m_a.size(); }
    int Add(const CString& s) { m_a.push_back(s); return (int)m_a.size() - 1; }
    const CString& GetAt(int i) const { return m_a[i]; }
    void SetAt(int i, const CString& s) { m_a[i] = s; }
    CString& ElementAt(int i) { return m_a[i]; }
    CString& operator[](int i) { return m_a[i]; }
    const CString& operator[](int i) const { return m_a[i]; }
    void RemoveAll() { m_a.clear(); }
    void SetSize(int n) { m_a.resize(n); }

protected:
    std::vector<CString> m_a;
};
