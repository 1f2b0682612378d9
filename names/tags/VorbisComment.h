// The Vorbis comment structure that FLAC and Ogg share: a vendor string,
// then a count of "NAME=value" comments, lengths little-endian, text UTF-8.
#pragma once

#include <string>

#include "names/TagFields.h"

// The bytes of one comment structure in order, wherever they lie (one
// FLAC block, or an Ogg packet across pages). Neither call goes past the
// structure's end.
class CCommentBytes {
public:
    virtual ~CCommentBytes() {}
    // Appends the next nBytes to out; false when they are not there.
    virtual bool Read(size_t nBytes, std::string& out) = 0;
    // Passes over the next nBytes without reading them; false when they are
    // not there.
    virtual bool Skip(unsigned long long nBytes) = 0;
};

// Reads ARTIST, TITLE, ALBUM, DATE (the year) and TRACKNUMBER, names in any
// letter case, the first of each; other comments, a cover picture among
// them, are skipped by their lengths.
void ReadVorbisComments(CCommentBytes& bytes, TagFields& fields);
