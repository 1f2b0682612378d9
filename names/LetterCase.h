// Letter case of the names in the name editor: the part of a name before
// its extension in lower case, upper case, or each word's first letter in
// upper case; the extension stays as it is.
#pragma once

#include "framework/afxstr.h"

enum LetterCase { LETTERS_LOWER, LETTERS_UPPER, LETTERS_WORDS };

// The name in the letter case asked. Letters map as the system maps them
// for no locale in particular (accented letters too); a word starts at
// the start of the name and after a space, "-", "_", "(" or "["; letters
// without case (Hangul) stay as they are.
CString ChangeLetterCase(const CString& strName, LetterCase nCase);
