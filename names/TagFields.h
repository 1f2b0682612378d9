// The fields a name can be made from, read from a file's tags: ID3 (v1,
// v1.1, v2.2, v2.3, v2.4) of MP3 files and the Exif date of JPEG photos
// here; FLAC, Ogg and ISO boxes (MP4, M4A, MOV, HEIC) in names/tags/.
// The parsers work on bytes handed over by a reader, so that they ask only
// for the parts they need and never for the data of frames they skip.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "names/tags/ByteSource.h"

// Field names, as a name format writes them between "%".
const wchar_t TAG_FIELD_ARTIST[] = L"artist";
const wchar_t TAG_FIELD_TITLE[] = L"title";
const wchar_t TAG_FIELD_ALBUM[] = L"album";
const wchar_t TAG_FIELD_YEAR[] = L"year";
const wchar_t TAG_FIELD_TRACK[] = L"track";
const wchar_t TAG_FIELD_DATE[] = L"date";
const wchar_t TAG_FIELD_TIME[] = L"time";
// Every file's last write, from the folder's listing.
const wchar_t TAG_FIELD_MODIFIED_DATE[] = L"modified_date";
const wchar_t TAG_FIELD_MODIFIED_TIME[] = L"modified_time";
const wchar_t* const TAG_FIELD_NAMES[] = {TAG_FIELD_ARTIST, TAG_FIELD_TITLE,         TAG_FIELD_ALBUM,
                                          TAG_FIELD_YEAR,   TAG_FIELD_TRACK,         TAG_FIELD_DATE,
                                          TAG_FIELD_TIME,   TAG_FIELD_MODIFIED_DATE, TAG_FIELD_MODIFIED_TIME};

// A file's fields by name. A field the tags do not give is absent, never
// present and empty. "track" is the number zero-padded to two digits,
// "date" and "modified_date" are "YYYY-MM-DD", "time" and "modified_time"
// "HH.MM.SS".
typedef std::map<std::wstring, std::wstring> TagFields;


// The ID3 fields of an MP3 file of nSize bytes: the ID3v2 tag at its start
// and the ID3v1 tag in its last 128 bytes; where both give a field, ID3v2's
// wins. A damaged tag gives the fields read before the damage.
TagFields ReadMp3Fields(const TagByteReader& read, unsigned long long nSize);
TagFields ReadMp3Fields(const unsigned char* pBytes, size_t nSize);

// "date" and "time" of a JPEG photo of nSize bytes, from its Exif
// DateTimeOriginal or else DateTime; none when the camera's clock was not
// set or the value is malformed.
TagFields ReadJpegFields(const TagByteReader& read, unsigned long long nSize);
TagFields ReadJpegFields(const unsigned char* pBytes, size_t nSize);

// Whether a file's tags are read, told by its name (or full path) in any
// letter case: MP3 (".mp3"), JPEG (".jpg", ".jpeg"), FLAC (".flac"), Ogg
// (".ogg", ".oga", ".opus"), MP4 and its kin (".mp4", ".m4a", ".m4b",
// ".mov") and HEIC (".heic", ".heif").
bool IsTaggedFileName(const std::wstring& wstrName);
// Whether a file is a JPEG photo (".jpg", ".jpeg"), told the same way.
bool IsJpegFileName(const std::wstring& wstrName);
// Whether a file's date tells when it was taken, told the same way: a
// photo (JPEG, HEIC) or a video (MP4, MOV); an M4A or M4B is sound only.
bool IsTakenMediaFileName(const std::wstring& wstrName);

// The fields the tags of the file at a full path give, when
// IsTaggedFileName and its first bytes confirm its type; none for other
// files or a file that cannot be read. The file is closed again before
// this returns.
TagFields ReadFileFields(const std::wstring& wstrPath);
