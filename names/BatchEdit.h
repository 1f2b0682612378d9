// The batch commands' work on the names, apart from the window: each
// transformation of one name, and a whole command from the name editor's
// text to its new text.
#pragma once

#include <functional>

#include "framework/afxstr.h"
#include "platform/NameParts.h"

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

// A whole command on the name editor's text: each line as it stands
// transformed, an empty line left empty, the same number of lines written
// back, each closed with "\r\n" (see SplitLines). The command neither
// invents a line for a file that has none nor drops a line the user added,
// so a text whose lines no longer pair with the files stays so.
CString TransformLines(const CString& strText, const std::function<CString(const CString& strLine)>& transform);

// TransformLines for commands whose result depends on where a line stands
// (a number, the file of that line): the transform also gets the line's
// index from 0, empty lines counted, so that line i stays paired with
// file i.
CString TransformLinesAt(const CString& strText,
                         const std::function<CString(int nLine, const CString& strLine)>& transform);

