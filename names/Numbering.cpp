#include "names/Numbering.h"

#include <string>

#include "names/BatchEdit.h"

namespace {

// The typed text as a number no greater than nMax; false for anything else
// (empty, a sign, a letter, too many digits).
bool ParseCount(const CString& strText, unsigned long nMax, unsigned long& nValue)
{
    std::wstring text = strText.str();
    text.erase(0, text.find_first_not_of(L' '));
    text.erase(text.find_last_not_of(L' ') + 1);
    if (text.empty())
        return false;
    unsigned long long n = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return false;
        n = n * 10 + (c - L'0');
        if (n > nMax)
            return false;
    }
    nValue = (unsigned long)n;
    return true;
}

}  // namespace

NumberingError ParseNumbering(const CString& strStart, const CString& strStep, const CString& strDigits,
                              NumberingOptions& options)
{
    unsigned long nStart, nStep, nDigits;
    if (!ParseCount(strStart, NUMBER_START_MAX, nStart))
        return NUMBERING_BAD_START;
    if (!ParseCount(strStep, NUMBER_STEP_MAX, nStep) || nStep < NUMBER_STEP_MIN)
        return NUMBERING_BAD_STEP;
    if (!ParseCount(strDigits, NUMBER_DIGITS_MAX, nDigits) || (int)nDigits < NUMBER_DIGITS_MIN)
        return NUMBERING_BAD_DIGITS;
    options.nStart = nStart;
    options.nStep = nStep;
    options.nDigits = (int)nDigits;
    return NUMBERING_OK;
}

CString NumberLine(const CString& strLine, int nLine, const NumberingOptions& options)
{
    // Lines past the list may be many: the number is computed in 64 bits.
    std::wstring number =
        std::to_wstring((unsigned long long)options.nStart + (unsigned long long)nLine * options.nStep);
    if ((int)number.size() < options.nDigits)
        number.insert(0, options.nDigits - number.size(), L'0');
    if (options.place == NUMBER_IN_FRONT)
        return CString(number) + options.strSeparator + strLine;
    const int nExtension = ExtensionStart(strLine);
    return strLine.Left(nExtension) + options.strSeparator + CString(number) + strLine.Mid(nExtension);
}
