// The orders the name list can be shown in: by name (the listing's own
// order), as Explorer sorts names, by last-write time, by when a photo was
// taken, and by size. A plain function of the files' keys; the list moves
// its entries (and the editor its lines) by the permutation it gives.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "framework/afxstr.h"

enum ListOrder {
    ORDER_BY_NAME,      // letter case of ASCII ignored, as the listing sorts
    ORDER_EXPLORER,     // digit runs as numbers (StrCmpLogicalW)
    ORDER_BY_MODIFIED,  // oldest first
    ORDER_BY_TAKEN,     // earliest first; files without a date after the others
    ORDER_BY_SIZE,      // smallest first
};

// No photo date: such files go after the others.
const ULONGLONG NO_TAKEN_TIME = 0;

// What one listed file is ordered by.
struct ListOrderKeys {
    CString strName;      // the name the list shows
    ULONGLONG nModified;  // last-write time, as a FILETIME's 64 bits
    ULONGLONG nSize;      // in bytes
    ULONGLONG nTaken;     // TakenTimeKey of its photo date, or NO_TAKEN_TIME
};

// The files in the order: entry k is the index (into keys) of the file
// that goes k-th. Files whose keys compare equal keep the name order, and
// files equal by name too keep their order in keys, so that the same list
// always comes out the same.
std::vector<int> OrderFiles(const std::vector<ListOrderKeys>& keys, ListOrder order);

// The editor's lines once the files have moved, each file taking its line
// along: the file now at position k was at moved[k]. A file the lines do
// not reach first gets missingLine(its old position) as its line; lines
// past the last file stay at the end, in their order.
std::vector<CString> MoveLinesWithFiles(const std::vector<CString>& lines, const std::vector<int>& moved,
                                        const std::function<CString(int nOld)>& missingLine);
