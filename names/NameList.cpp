#include "names/NameList.h"

#include <cstring>

CString JoinNames(const CString* pNames, int nCount)
{
    size_t nTotal = 0;
    for (int i = 0; i < nCount; ++i)
        nTotal += pNames[i].GetLength() + 2;
    std::string text;
    text.reserve(nTotal);
    for (int i = 0; i < nCount; ++i) {
        text += pNames[i].str();
        text += "\r\n";
    }
    return CString(text);
}

CString SplitNames(const CString& strText, int nCount, CString* pNames)
{
    // Neither '\r' nor '\n' can be the trail byte of a double-byte character
    // in code page 949, so a plain byte search finds the same line breaks as
    // a character-wise one. The text is walked by offset, never copied, so
    // that thousands of lines split in linear time.
    const std::string& text = strText.str();
    size_t pos = 0;
    for (int i = 0; i < nCount; ++i) {
        size_t brk = pos < text.size() ? text.find("\r\n", pos) : std::string::npos;
        if (brk != std::string::npos) {
            pNames[i] = CString(text.data() + pos, (int)(brk - pos));
            pos = brk + 2;
        } else {
            // No closed line left: the name is empty and the unclosed rest
            // loses its first byte, as each missing line consumes one.
            pNames[i].Empty();
            if (pos < text.size())
                ++pos;
        }
    }
    return CString(text.data() + pos, (int)(text.size() - pos));
}
