// When a photo was taken, read for ordering the list: the Exif date of a
// JPEG file (DateTimeOriginal, else DateTime), or a video's creation time,
// as a number that sorts as time does. Only the bytes up to the Exif block
// are read, and a file that is neither, or whose data is not on the disk,
// is not opened at all.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/afxstr.h"
#include "names/ListOrder.h"
#include "names/TagFields.h"
#include "names/TagNaming.h"

// The taken time of a file's fields as YYYYMMDDhhmmss, or NO_TAKEN_TIME
// (0) when they give no date; a date without a time counts as its
// midnight.
ULONGLONG TakenTimeKey(const TagFields& fields);

// Whether a file of these attributes keeps its data elsewhere (a cloud's
// online-only file, an offline file): opening it would fetch the whole
// file.
bool IsDataElsewhere(DWORD dwAttributes);

// The taken time of each file of strFolderPath (ending with "\"), by its
// name on disk: taken[i] for diskNames[i], whose attributes are
// attributes[i]. Returns false when progress stopped it (taken is then
// left as it was).
bool ReadTakenTimes(const CString& strFolderPath, const std::vector<CString>& diskNames,
                    const std::vector<DWORD>& attributes, std::vector<ULONGLONG>& taken,
                    const TagReadProgress& progress = TagReadProgress());

class CShellService;

// The keys of the listed files for an order. Times
// and sizes come from the folder's listing through the shell's service;
// the taken times (only for ORDER_BY_TAKEN) from the files themselves.
// Returns false when progress stopped the reading (keys are then left as
// they were).
bool ReadListOrderKeys(CShellService& shell, const CNameList& list, ListOrder order, std::vector<ListOrderKeys>& keys,
                       const TagReadProgress& progress = TagReadProgress());
