// FLAC: "fLaC", then metadata blocks, each a header of one byte (the
// last-block bit and a 7-bit type) and a 24-bit big-endian length. Only
// the VORBIS_COMMENT block is read; a PICTURE block before it is skipped.
#include <cstring>

#include "names/tags/MediaTags.h"
#include "names/tags/VorbisComment.h"

namespace {

const unsigned char FLAC_LAST_BLOCK = 0x80;
const unsigned char FLAC_TYPE_MASK = 0x7F;
const unsigned char FLAC_VORBIS_COMMENT = 4;
const unsigned char FLAC_INVALID = 127;
// Real files have a handful of blocks; beyond this is damage.
const int MAX_FLAC_BLOCKS = 1000;

// The bytes of one block, from nPos to nEnd.
class CBlockBytes : public CCommentBytes {
public:
    CBlockBytes(CByteSource& src, unsigned long long nPos, unsigned long long nEnd)
        : m_src(src), m_nPos(nPos), m_nEnd(nEnd)
    {
    }
    bool Read(size_t nBytes, std::string& out) override
    {
        const unsigned char* p = nBytes <= m_nEnd - m_nPos ? m_src.Get(m_nPos, nBytes) : NULL;
        if (!p)
            return false;
        out.append((const char*)p, nBytes);
        m_nPos += nBytes;
        return true;
    }
    bool Skip(unsigned long long nBytes) override
    {
        if (nBytes > m_nEnd - m_nPos)
            return false;
        m_nPos += nBytes;
        return true;
    }

private:
    CByteSource& m_src;
    unsigned long long m_nPos, m_nEnd;
};

// Where "fLaC" stands: at 0, or after an ID3v2 tag some tools put first.
unsigned long long FlacStart(CByteSource& src)
{
    const unsigned char* h = src.Get(0, 10);
    if (!h || memcmp(h, "ID3", 3) != 0)
        return 0;
    unsigned long long nSize = 0;
    for (int i = 6; i < 10; ++i)
        nSize = (nSize << 7) | (h[i] & 0x7F);
    const bool bFooter = (h[5] & 0x10) != 0;
    return 10 + nSize + (bFooter ? 10 : 0);
}

}  // namespace

bool IsFlac(CByteSource& src)
{
    const unsigned char* p = src.Get(FlacStart(src), 4);
    return p && memcmp(p, "fLaC", 4) == 0;
}

TagFields ReadFlacFields(CByteSource& src)
{
    TagFields fields;
    unsigned long long nPos = FlacStart(src) + 4;
    for (int nBlock = 0; nBlock < MAX_FLAC_BLOCKS; ++nBlock) {
        const unsigned char* h = src.Get(nPos, 4);
        if (!h)
            break;
        const unsigned char nType = h[0] & FLAC_TYPE_MASK;
        const bool bLast = (h[0] & FLAC_LAST_BLOCK) != 0;
        const unsigned long long nLength = BigEndianAt(h + 1, 3);
        nPos += 4;
        if (nType == FLAC_INVALID || nLength > src.Size() - nPos)
            break;
        if (nType == FLAC_VORBIS_COMMENT) {
            CBlockBytes block(src, nPos, nPos + nLength);
            ReadVorbisComments(block, fields);
            break;
        }
        nPos += nLength;
        if (bLast)
            break;
    }
    return fields;
}
