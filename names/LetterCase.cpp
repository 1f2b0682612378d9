#include "names/LetterCase.h"

#include <cwchar>

#include "names/BatchEdit.h"

namespace {

const wchar_t WORD_STARTS_AFTER[] = L" -_([";

// nLength units of p mapped with an LCMapStringEx flag; as they are should
// the system refuse them.
CString MapLetters(const wchar_t* p, int nLength, DWORD dwFlags)
{
    if (nLength <= 0)
        return CString();
    const int nMapped = ::LCMapStringEx(LOCALE_NAME_INVARIANT, dwFlags, p, nLength, NULL, 0, NULL, NULL, 0);
    if (nMapped <= 0)
        return CString(p, nLength);
    CString strMapped;
    ::LCMapStringEx(LOCALE_NAME_INVARIANT, dwFlags, p, nLength, strMapped.GetBuffer(nMapped), nMapped, NULL, NULL, 0);
    strMapped.ReleaseBuffer(nMapped);
    return strMapped;
}

// Whether position i > 0 of p starts a word.
bool StartsWord(const wchar_t* p, int i)
{
    return wcschr(WORD_STARTS_AFTER, p[i - 1]) != NULL;
}

}  // namespace

CString ChangeLetterCase(const CString& strName, LetterCase nCase)
{
    const int nEnd = ExtensionStart(strName);
    const CString strExtension = strName.Mid(nEnd);
    const wchar_t* p = strName.GetString();
    if (nCase != LETTERS_WORDS)
        return MapLetters(p, nEnd, nCase == LETTERS_UPPER ? LCMAP_UPPERCASE : LCMAP_LOWERCASE) + strExtension;
    // The system's title case has a word rule of its own (and Wine lacks
    // it): each word's first character goes upper, the rest of it lower.
    CString strResult;
    for (int i = 0; i < nEnd;) {
        // A surrogate pair is one character.
        const int nFirst = (i + 1 < nEnd && IS_HIGH_SURROGATE(p[i]) && IS_LOW_SURROGATE(p[i + 1])) ? 2 : 1;
        int nNextWord = i + nFirst;
        while (nNextWord < nEnd && !StartsWord(p, nNextWord))
            ++nNextWord;
        strResult += MapLetters(p + i, nFirst, LCMAP_UPPERCASE);
        strResult += MapLetters(p + i + nFirst, nNextWord - i - nFirst, LCMAP_LOWERCASE);
        i = nNextWord;
    }
    return strResult + strExtension;
}
