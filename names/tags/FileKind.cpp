#include <cstring>

#include "names/tags/MediaTags.h"

bool IsOfKind(CByteSource& src, TagFileKind nKind)
{
    if (nKind == TAG_FILE_FLAC)
        return IsFlac(src);
    if (nKind == TAG_FILE_OGG) {
        const unsigned char* p = src.Get(0, 4);
        return p && memcmp(p, "OggS", 4) == 0;
    }
    if (nKind == TAG_FILE_ISO || nKind == TAG_FILE_MOV)
        return IsIsoMedia(src, nKind == TAG_FILE_MOV);
    return false;
}
