// Numbers for the lines of the name editor: line i gets start + i x step,
// zero-padded, in front of its name or before its extension.
#pragma once

#include "framework/afxstr.h"

// The ranges the user may type.
const unsigned long NUMBER_START_MAX = 999999999;
const unsigned long NUMBER_STEP_MIN = 1;
const unsigned long NUMBER_STEP_MAX = 999999;
const int NUMBER_DIGITS_MIN = 1;
const int NUMBER_DIGITS_MAX = 9;

enum NumberPlace { NUMBER_IN_FRONT, NUMBER_BEFORE_EXTENSION };

struct NumberingOptions {
    unsigned long nStart = 1;
    unsigned long nStep = 1;
    int nDigits = 2;
    NumberPlace place = NUMBER_IN_FRONT;
    CString strSeparator = L" ";
};

// The first typed value that is no number in its range, if any.
enum NumberingError { NUMBERING_OK, NUMBERING_BAD_START, NUMBERING_BAD_STEP, NUMBERING_BAD_DIGITS };

// Takes the typed start, step and digits (decimal digits, spaces around
// them allowed) into options; on an error options stay as they were.
NumberingError ParseNumbering(const CString& strStart, const CString& strStep, const CString& strDigits,
                              NumberingOptions& options);

// Line nLine (from 0) with its number: "01 a.mp3" in front, "a_01.mp3"
// before the extension (at the end when there is none). A number wider
// than the digits is written whole.
CString NumberLine(const CString& strLine, int nLine, const NumberingOptions& options);
