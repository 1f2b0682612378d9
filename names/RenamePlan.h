// The order in which the listed files of one folder take their new names,
// planned before the first one touches the disk: a file waits for the file
// that still holds its new name, a swap or rotation goes through a
// temporary name, and what can be refused from the names alone is refused.
// A plain function of the names; the renamer carries the moves out.
#pragma once

#include <vector>

#include "framework/afxstr.h"

// Temporary names begin with this; a file keeps one only while its cycle
// is being carried out.
#define RENAME_TEMP_PREFIX L"~quorvel-"

enum RenameMoveKind {
    MOVE_DIRECT,     // current name -> new name
    MOVE_TO_TEMP,    // current name -> the temporary name: a cycle's first move
    MOVE_FROM_TEMP,  // the temporary name -> new name: a cycle's last move
};

struct RenameMove {
    RenameMoveKind kind;
    int nIndex;       // the file, by its position in the name list
    int nCycle;       // the cycle the move belongs to (its moves stand together), or -1
    CString strFrom;  // names relative to the folder (from: the name on disk)
    CString strTo;
};

struct RenameRefusal {
    int nIndex;
    DWORD dwError;  // what the report gives as the reason
};

struct RenamePlan {
    std::vector<RenameMove> moves;         // in the order they are to be made
    std::vector<RenameRefusal> refusals;   // in list order; no disk call for these
    CString strTempName;                   // held by no listed file, wanted by none
};

// Plans the renames of nCount files of strFolderPath (ending with "\") from
// pCurNames to pNewNames. A file whose new name is its current name exactly
// has nothing to do. A new name Windows would refuse or store altered, or a
// path too long, is refused; with bCheckNewNames false the new names are
// names the files had on disk (a take-back) and are tried as they are.
// pDiskNames, when given, are the files' exact names on disk (pCurNames
// are then the names the list shows for them): the moves start from them
// and they say which file holds which name. Names are compared as Windows
// compares them (resolved paths, case ignored as the file system ignores
// it); among files wanting one name, the one whose own name it is keeps it,
// else the first in list order tries, and the others are refused as "name
// in use". Everything else goes in list order, but a file whose new name a
// moving listed file holds goes after that file, and a cycle of such files
// goes through the temporary name.
RenamePlan PlanRenames(const CString& strFolderPath, const CString* pCurNames, const CString* pNewNames,
                       int nCount, const CString* pDiskNames = NULL, bool bCheckNewNames = true);
