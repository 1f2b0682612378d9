#include "names/BatchEdit.h"

#include <mbctype.h>
#include <mbstring.h>

#include <cstring>

#include "names/NameList.h"

namespace {

// Bytes of the character that starts at i: 2 for a lead byte with its
// trail byte present, else 1 (a lone lead byte at the end stands alone).
int CharLength(const char* p, int i, int nLength)
{
    return (_ismbblead((unsigned char)p[i]) && i + 1 < nLength) ? 2 : 1;
}

}  // namespace

CString ReplaceInName(const CString& strName, const CString& strFind, const CString& strReplace)
{
    const int nFind = strFind.GetLength();
    if (nFind == 0)
        return strName;
    const char* p = strName.GetString();
    const int nLength = strName.GetLength();
    CString strResult;
    int i = 0;
    int nCopied = 0;  // bytes of the name already in strResult
    while (i < nLength) {
        if (nLength - i >= nFind && memcmp(p + i, strFind.GetString(), nFind) == 0) {
            strResult.Append(p + nCopied, i - nCopied);
            strResult += strReplace;
            i += nFind;
            nCopied = i;
        } else {
            // Step over a double-byte character whole, so that its trail
            // byte never starts a match.
            i += CharLength(p, i, nLength);
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
    const char* p = strLine.GetString();
    const int nLength = strLine.GetLength();
    int nCut = nLength - 3;
    if (nCut <= 0)
        return CString();
    // Characters are found walking from the start: a trail byte of code
    // page 949 can have the value of a lead byte, so looking back from the
    // cut cannot tell them apart.
    int i = 0;
    while (i < nCut) {
        int nChar = CharLength(p, i, nLength);
        if (i + nChar > nCut) {
            nCut = i;
            break;
        }
        i += nChar;
    }
    return CString(p, nCut);
}

CString ChangeExtensionOfName(const CString& strLine, const CString& strExtension)
{
    return CutExtension(strLine) + strExtension;
}

CString ReplaceInNames(const CString& strText, int nCount, CString* pNewNames,
                       const CString& strFind, const CString& strReplace)
{
    SplitNames(strText, nCount, pNewNames);
    for (int i = 0; i < nCount; ++i)
        pNewNames[i] = ReplaceInName(pNewNames[i], strFind, strReplace);
    return JoinNames(pNewNames, nCount);
}

CString InsertFrontOfNames(const CString& strText, int nCount, CString* pNewNames,
                           const CString& strFront)
{
    SplitNames(strText, nCount, pNewNames);
    for (int i = 0; i < nCount; ++i)
        pNewNames[i] = InsertFrontOfName(pNewNames[i], strFront);
    return JoinNames(pNewNames, nCount);
}

CString ChangeExtensionOfNames(const CString& strText, int nCount, CString* pNewNames,
                               const CString& strExtension)
{
    SplitNames(strText, nCount, pNewNames);
    for (int i = 0; i < nCount; ++i)
        pNewNames[i] = ChangeExtensionOfName(pNewNames[i], strExtension);
    return JoinNames(pNewNames, nCount);
}
