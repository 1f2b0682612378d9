// String and string array of the window framework: UTF-16 throughout, as
// Windows keeps names and texts. Lengths, positions and cuts count UTF-16
// units; the callers that must not split a surrogate pair (the batch
// commands) walk characters themselves.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CString {
public:
    CString() {}
    CString(const wchar_t* psz) : m_s(psz ? psz : L"") {}
    CString(const wchar_t* pch, int nLength) : m_s(pch, nLength > 0 ? nLength : 0) {}
    CString(const std::wstring& s) : m_s(s) {}
    CString(std::wstring&& s) : m_s(std::move(s)) {}

    int GetLength() const { return (int)m_s.size(); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    wchar_t GetAt(int i) const { return m_s[i]; }
    operator const wchar_t*() const { return m_s.c_str(); }
    const wchar_t* GetString() const { return m_s.c_str(); }
    const std::wstring& str() const { return m_s; }

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

    // First occurrence at or after nStart; -1 when there is none.
    int Find(const wchar_t* pszSub, int nStart = 0) const;
    int Find(wchar_t ch, int nStart = 0) const { wchar_t s[2] = {ch, 0}; return Find(s, nStart); }

    // Ordinal, unit by unit.
    int Compare(const wchar_t* psz) const { return m_s.compare(psz ? psz : L""); }
    // Ordinal with ASCII letters compared as lower case, as the C runtime's
    // _wcsicmp compares in its default locale; every other character as it
    // is, so the order is the same on every system.
    int CompareNoCase(const wchar_t* psz) const { return CompareNoCaseAscii(m_s.c_str(), psz ? psz : L""); }
    static int CompareNoCaseAscii(const wchar_t* a, const wchar_t* b);

    CString& operator=(const wchar_t* psz) { m_s = psz ? psz : L""; return *this; }
    CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
    CString& operator+=(const wchar_t* psz) { m_s += psz; return *this; }
    CString& operator+=(wchar_t ch) { m_s += ch; return *this; }
    void Append(const wchar_t* pch, int nLength) { m_s.append(pch, nLength); }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const wchar_t* b) { return CString(a.m_s + b); }
    friend CString operator+(const wchar_t* a, const CString& b) { return CString(a + b.m_s); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }

    // Reserve room for nMinLength units to be written in place; ReleaseBuffer
    // then takes the length up to the first NUL (or nNewLength when given).
    wchar_t* GetBuffer(int nMinLength);
    void ReleaseBuffer(int nNewLength = -1);

    BOOL LoadString(UINT nID);
    static CString FormatMessageText(DWORD dwError);

private:
    int Clamp(int n) const { return n < 0 ? 0 : (n > GetLength() ? GetLength() : n); }
    std::wstring m_s;
};

// The string-table entry nIDS with %1, %2, ... replaced by the given
// strings, in one pass: a %n inside an inserted string stays as it is.
void AfxFormatStrings(CString& rString, UINT nIDS, const wchar_t* const* rglpsz, int nString);
void AfxFormatString1(CString& rString, UINT nIDS, const wchar_t* lpsz1);
void AfxFormatString2(CString& rString, UINT nIDS, const wchar_t* lpsz1, const wchar_t* lpsz2);
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
