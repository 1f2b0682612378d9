// When a photo was taken, read for ordering the list: the Exif date of a
// JPEG file (DateTimeOriginal, else DateTime), as a number that sorts as
// time does. Only the bytes up to the Exif block are read, and a file that
// is not a photo, or whose data is not on the disk, is not opened at all.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/afxstr.h"
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
