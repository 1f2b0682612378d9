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
            // No line break left: a last run of text is still a line (the
            // user deleted its break, or pasted a list without one); past
            // it the names are empty.
            pNames[i] = CString(text.data() + pos, (int)(text.size() - pos));
            pos = text.size();
        }
    }
    return CString(text.data() + pos, (int)(text.size() - pos));
}

int CountNameLines(const CString& strText)
{
    const std::string& text = strText.str();
    size_t end = text.size();
    while (end >= 2 && text[end - 2] == '\r' && text[end - 1] == '\n')
        end -= 2;
    if (end == 0)
        return 0;
    int nLines = 1;
    for (size_t pos = text.find("\r\n"); pos != std::string::npos && pos < end; pos = text.find("\r\n", pos + 2))
        ++nLines;
    return nLines;
}
