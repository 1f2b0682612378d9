#include "names/NameText.h"

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

namespace {

// The conjoining Jamo and the syllables made of them, as Unicode composes
// them: a leading consonant (L), a vowel (V) and an optional trailing
// consonant (T) give one syllable, by arithmetic.
const wchar_t HANGUL_S_BASE = 0xAC00, HANGUL_L_BASE = 0x1100, HANGUL_V_BASE = 0x1161, HANGUL_T_BASE = 0x11A7;
const int HANGUL_L_COUNT = 19, HANGUL_V_COUNT = 21, HANGUL_T_COUNT = 28;
const int HANGUL_S_COUNT = HANGUL_L_COUNT * HANGUL_V_COUNT * HANGUL_T_COUNT;

bool IsLeadingJamo(wchar_t c) { return c >= HANGUL_L_BASE && c < HANGUL_L_BASE + HANGUL_L_COUNT; }
bool IsVowelJamo(wchar_t c) { return c >= HANGUL_V_BASE && c < HANGUL_V_BASE + HANGUL_V_COUNT; }
bool IsTrailingJamo(wchar_t c) { return c > HANGUL_T_BASE && c < HANGUL_T_BASE + HANGUL_T_COUNT; }
// A syllable of a leading consonant and a vowel only, which a trailing
// consonant may follow.
bool IsOpenSyllable(wchar_t c)
{
    return c >= HANGUL_S_BASE && c < HANGUL_S_BASE + HANGUL_S_COUNT && (c - HANGUL_S_BASE) % HANGUL_T_COUNT == 0;
}

}  // namespace

CString ShownName(const CString& strDiskName)
{
    const std::wstring& name = strDiskName.str();
    std::wstring shown;
    shown.reserve(name.size());
    for (size_t i = 0; i < name.size(); ++i) {
        wchar_t c = name[i];
        if (IsLeadingJamo(c) && i + 1 < name.size() && IsVowelJamo(name[i + 1])) {
            c = (wchar_t)(HANGUL_S_BASE +
                          ((c - HANGUL_L_BASE) * HANGUL_V_COUNT + (name[i + 1] - HANGUL_V_BASE)) * HANGUL_T_COUNT);
            ++i;
        }
        if (IsOpenSyllable(c) && i + 1 < name.size() && IsTrailingJamo(name[i + 1])) {
            c = (wchar_t)(c + (name[i + 1] - HANGUL_T_BASE));
            ++i;
        }
        shown += c;
    }
    return shown.size() == name.size() ? strDiskName : CString(std::move(shown));
}
