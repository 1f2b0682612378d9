// Readers of the tags of today's media files, each over one bounds-checked
// byte source. Each reads only the headers it walks and the text it keeps;
// pictures, audio and video are skipped by their sizes. A damaged file
// gives the fields read before the damage, or none.
#pragma once

#include <windows.h>

#include "names/TagFields.h"
#include "names/tags/ByteSource.h"

// The kinds of file whose tags are read, told by the extension.
enum TagFileKind { TAG_FILE_NONE, TAG_FILE_MP3, TAG_FILE_JPEG, TAG_FILE_FLAC, TAG_FILE_OGG, TAG_FILE_ISO, TAG_FILE_MOV };

// Whether a file's first bytes are those of its kind: "fLaC" (an ID3v2 tag
// may stand before it), "OggS", an ISO "ftyp" box first, or for an old
// QuickTime movie a first box "wide", "free", "mdat" or "moov".
bool IsOfKind(CByteSource& src, TagFileKind nKind);

// The probes IsOfKind asks: FLAC, and ISO boxes (bOldMovie: the first
// boxes of an old QuickTime movie are taken too).
bool IsFlac(CByteSource& src);
bool IsIsoMedia(CByteSource& src, bool bOldMovie);

// FLAC: the VORBIS_COMMENT block.
TagFields ReadFlacFields(CByteSource& src);
// Ogg Vorbis and Ogg Opus: the comment header, across pages.
TagFields ReadOggFields(CByteSource& src);
// ISO boxes: the ilst atoms of moov/udta/meta and the mvhd creation time
// (MP4, M4A, M4B, MOV), the Exif item of a top-level meta box (HEIC). The
// creation time is shown in the time zone pZone, the system's when NULL.
TagFields ReadIsoFields(CByteSource& src, const TIME_ZONE_INFORMATION* pZone = NULL);

// A UTC time as "YYYY-MM-DD" and "HH.MM.SS" in the time zone pZone (the
// system's when NULL), with that zone's summer time of that date; false
// when it cannot be shown.
bool LocalDateAndTime(const FILETIME& utc, const TIME_ZONE_INFORMATION* pZone, std::wstring& date,
                      std::wstring& time);

// The kind of a file by its name's extension, in any letter case.
TagFileKind TagKindOfName(const std::wstring& wstrName);
// The fields of a file of nKind: none when its first bytes are not those of
// its kind (it is never read as another kind).
TagFields ReadFieldsOfKind(CByteSource& src, TagFileKind nKind, const TIME_ZONE_INFORMATION* pZone = NULL);
