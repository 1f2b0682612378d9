// What every tag reader shares with the ID3 and Exif readers (whose file,
// names/TagFields.cpp, holds it): storing a field, UTF-8 text, Exif dates.
#pragma once

#include <string>

#include "names/TagFields.h"

// Stores a field read from a tag: the first value that gives a field wins;
// an empty text gives none, nor a track that is not a number ("3/12" gives
// "03").
void SetTagField(TagFields& fields, const wchar_t* field, const std::wstring& text);
// A year from a date's text ("2024-05-01", "2024"): its first four digits;
// none when it does not begin with them.
void SetYearField(TagFields& fields, const std::wstring& text);

// UTF-8 bytes as text; a byte-order mark is dropped.
std::wstring WideFromUtf8Bytes(const unsigned char* p, size_t n);

// "date" and "time" from Exif's TIFF data (n bytes at pTiff); false when it
// gives none.
bool ReadExifDate(const unsigned char* pTiff, size_t n, TagFields& fields);
