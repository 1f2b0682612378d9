#include "names/NameList.h"

#include <cstring>

CString JoinNames(const CString* pNames, int nCount)
{
    int nTotal = 0;
    for (int i = 0; i < nCount; ++i)
        nTotal += pNames[i].GetLength() + 2;
    // Sized once and filled in place: one allocation for up to 2000 names.
    CString strText;
    char* p = strText.GetBuffer(nTotal);
    for (int i = 0; i < nCount; ++i) {
        memcpy(p, pNames[i].GetString(), pNames[i].GetLength());
        p += pNames[i].GetLength();
        *p++ = '\r';
        *p++ = '\n';
    }
    strText.ReleaseBuffer(nTotal);
    return strText;
}

CString SplitNames(const CString& strText, int nCount, CString* pNames)
{
    const std::string& text = strText.str();
    const size_t nLength = text.size();
    size_t nPos = 0;
    int i = 0;
    // Neither byte of "\r\n" can be the trail byte of a double-byte
    // character, so a plain byte search finds every line end.
    for (; i < nCount; ++i) {
        size_t nEnd = text.find("\r\n", nPos);
        if (nEnd == std::string::npos)
            break;
        pNames[i] = CString(text.data() + nPos, (int)(nEnd - nPos));
        nPos = nEnd + 2;
    }
    // No line end is left, so every remaining name is empty; each one still
    // consumes a byte of the unclosed run. Done without searching again so
    // that a short text with a large count stays linear.
    for (; i < nCount; ++i) {
        pNames[i].Empty();
        if (nPos < nLength)
            ++nPos;
    }
    return CString(text.data() + nPos, (int)(nLength - nPos));
}
