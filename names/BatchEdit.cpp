#include "names/BatchEdit.h"

#include <cwchar>

#include "names/NameList.h"

namespace {

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Whether position i of p (nLength units) is a character boundary: not
// between the two halves of a surrogate pair.
bool IsBoundary(const wchar_t* p, int i, int nLength)
{
    return i <= 0 || i >= nLength || !(IsHighSurrogate(p[i - 1]) && IsLowSurrogate(p[i]));
}

}  // namespace

CString ReplaceInName(const CString& strName, const CString& strFind, const CString& strReplace)
{
    const int nFind = strFind.GetLength();
    if (nFind == 0)
        return strName;
    const wchar_t* p = strName.GetString();
    const int nLength = strName.GetLength();
    CString strResult;
    int i = 0;
    int nCopied = 0;  // units of the name already in strResult
    while (i < nLength) {
        if (nLength - i >= nFind && wmemcmp(p + i, strFind.GetString(), nFind) == 0 && IsBoundary(p, i + nFind, nLength)) {
            strResult.Append(p + nCopied, i - nCopied);
            strResult += strReplace;
            i += nFind;
            nCopied = i;
        } else {
            // Step over a surrogate pair whole, so that its second half never
            // starts a match.
            i += (IsHighSurrogate(p[i]) && i + 1 < nLength && IsLowSurrogate(p[i + 1])) ? 2 : 1;
        }
    }
    strResult.Append(p + nCopied, nLength - nCopied);
    return strResult;
}

CString InsertFrontOfName(const CString& strName, const CString& strFront)
{
    return strFront + strName;
}

CString CutExtension(const CString& strLine)
{
    const wchar_t* p = strLine.GetString();
    int nCut = strLine.GetLength();
    for (int nChars = 0; nChars < 3 && nCut > 0; ++nChars)
        nCut -= (nCut >= 2 && IsLowSurrogate(p[nCut - 1]) && IsHighSurrogate(p[nCut - 2])) ? 2 : 1;
    return CString(p, nCut);
}

CString ChangeExtensionOfName(const CString& strLine, const CString& strExtension)
{
    return CutExtension(strLine) + strExtension;
}

CString TransformLines(const CString& strText, const std::function<CString(const CString& strLine)>& transform)
{
    return TransformLinesAt(strText, [&transform](int, const CString& strLine) { return transform(strLine); });
}

CString TransformLinesAt(const CString& strText,
                         const std::function<CString(int nLine, const CString& strLine)>& transform)
{
    std::vector<CString> lines = SplitLines(strText);
    for (size_t i = 0; i < lines.size(); ++i)
        if (!lines[i].IsEmpty())
            lines[i] = transform((int)i, lines[i]);
    return JoinNames(lines.data(), (int)lines.size());
}

