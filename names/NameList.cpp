#include "names/NameList.h"

CString JoinNames(const CString* pNames, int nCount)
{
    size_t nTotal = 0;
    for (int i = 0; i < nCount; ++i)
        nTotal += pNames[i].GetLength() + 2;
    std::wstring text;
    text.reserve(nTotal);
    for (int i = 0; i < nCount; ++i) {
        text += pNames[i].str();
        text += L"\r\n";
    }
    return CString(std::move(text));
}

CString SplitNames(const CString& strText, int nCount, CString* pNames)
{
    // The text is walked by offset, never copied, so that thousands of
    // lines split in linear time.
    const std::wstring& text = strText.str();
    size_t pos = 0;
    for (int i = 0; i < nCount; ++i) {
        size_t brk = pos < text.size() ? text.find(L"\r\n", pos) : std::wstring::npos;
        if (brk != std::wstring::npos) {
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

namespace {

// Where the text's lines end: past its last character that is not part of
// a "\r\n" at its end.
size_t LinesEnd(const std::wstring& text)
{
    size_t end = text.size();
    while (end >= 2 && text[end - 2] == L'\r' && text[end - 1] == L'\n')
        end -= 2;
    return end;
}

}  // namespace

std::vector<CString> SplitLines(const CString& strText)
{
    const std::wstring& text = strText.str();
    const size_t end = LinesEnd(text);
    std::vector<CString> lines;
    for (size_t pos = 0; pos < end;) {
        size_t brk = text.find(L"\r\n", pos);
        if (brk == std::wstring::npos || brk > end)
            brk = end;
        lines.emplace_back(text.data() + pos, (int)(brk - pos));
        pos = brk + 2;
    }
    return lines;
}

int CountNameLines(const CString& strText)
{
    const std::wstring& text = strText.str();
    const size_t end = LinesEnd(text);
    if (end == 0)
        return 0;
    int nLines = 1;
    for (size_t pos = text.find(L"\r\n"); pos != std::wstring::npos && pos < end; pos = text.find(L"\r\n", pos + 2))
        ++nLines;
    return nLines;
}

CString ShownName(const CString& strDiskName)
{
    const std::wstring& name = strDiskName.str();
    if (name.empty() || ::IsNormalizedString(NormalizationC, name.data(), (int)name.size()))
        return strDiskName;
    int n = ::NormalizeString(NormalizationC, name.data(), (int)name.size(), NULL, 0);
    if (n <= 0)
        return strDiskName;
    std::wstring composed(n, L'\0');
    n = ::NormalizeString(NormalizationC, name.data(), (int)name.size(), &composed[0], n);
    if (n <= 0)
        return strDiskName;
    composed.resize(n);
    return CString(std::move(composed));
}
