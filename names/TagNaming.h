// Names from tags for the listed files: their fields read one file after
// another, and each file's line made from a format.
#pragma once

#include <functional>
#include <vector>

#include "framework/afxstr.h"
#include "names/TagFields.h"
#include "names/TagFormat.h"

// Told before each file is read: nDone files of nTotal read so far, strName
// the name on disk of the one next; returns false to stop the reading.
typedef std::function<bool(int nDone, int nTotal, const CString& strName)> TagReadProgress;

// The fields of the first nCount listed files, each read by its name on
// disk in strFolderPath (ending with "\"): fields[i] for pDiskNames[i].
// Returns false when progress stopped it; the files left unread have no
// fields.
bool ReadListedFields(const CString& strFolderPath, const CString* pDiskNames, int nCount,
                      std::vector<TagFields>& fields, const TagReadProgress& progress = TagReadProgress());

// The line of the file named strDiskName after naming from tags: the name
// the format makes of its fields, with the file's extension as on disk; the
// line as it stands when a field is missing. *pbMissing (when given) tells
// whether an MP3 or JPEG file kept its line for want of a field.
CString TagNameLine(const CTagFormat& format, const TagFields& fields, const CString& strDiskName,
                    const CString& strLine, bool* pbMissing = NULL);
