// The batch commands' work on the names, apart from the window: each
// transformation of one name, and each whole command from the name editor's
// text to its new text.
#pragma once

#include "framework/afxstr.h"

// Every occurrence of strFind replaced by strReplace, scanning left to
// right and going on behind each inserted text; exact comparison (letter
// case matters), on whole characters: a match never begins or ends inside
// a surrogate pair. An empty strFind changes nothing.
CString ReplaceInName(const CString& strName, const CString& strFind, const CString& strReplace);

// strFront followed by the name.
CString InsertFrontOfName(const CString& strName, const CString& strFront);

// The line less its last 3 characters (the empty name for 3 or fewer); a
// surrogate pair (an emoji) is one character.
CString CutExtension(const CString& strLine);

// The line cut by CutExtension, followed by strExtension as typed.
CString ChangeExtensionOfName(const CString& strLine, const CString& strExtension);

// The whole commands: split strText into nCount names in pNewNames (the
// edited names), transform each, and return the join of them. The split's
// leftover is dropped, so the result holds exactly nCount lines.
CString ReplaceInNames(const CString& strText, int nCount, CString* pNewNames,
                       const CString& strFind, const CString& strReplace);
CString InsertFrontOfNames(const CString& strText, int nCount, CString* pNewNames,
                           const CString& strFront);
CString ChangeExtensionOfNames(const CString& strText, int nCount, CString* pNewNames,
                               const CString& strExtension);
