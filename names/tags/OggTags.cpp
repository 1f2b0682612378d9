// Ogg Vorbis and Ogg Opus: the comment header is the stream's second
// packet ("\x03vorbis" or "OpusTags"), which may span pages. A page is
// "OggS", a header of 27 bytes whose last gives the count of lacing values,
// then those values: a packet goes on past each value of 255 and ends at
// the first below it, on the same page or, flagged as continued, the next.
#include <cstring>
#include <vector>

#include "names/tags/MediaTags.h"
#include "names/tags/VorbisComment.h"

namespace {

const size_t OGG_PAGE_HEADER = 27;
const size_t OGG_MAX_LACING = 255;
const unsigned char OGG_CONTINUED = 0x01;
// Pages walked at most: a cover of tens of megabytes in the comments spans
// a few thousand.
const int MAX_OGG_PAGES = 100000;

// The bytes of one logical stream's packets in order, page by page: only
// page headers are read until the bytes are asked for.
class COggPackets : public CCommentBytes {
public:
    explicit COggPackets(CByteSource& src) : m_src(src) {}

    // Moves to the first packet of the stream that begins the file; false
    // when no page is there.
    bool Start()
    {
        const unsigned char* h = m_src.GetOnly(0, OGG_PAGE_HEADER);
        if (!h)
            return false;
        m_nSerial = (unsigned long)BigEndianAt(h + 14, 4);
        return NextPage(false) && NextRun();
    }
    // Passes over the rest of the packet under way; then the next begins.
    bool EndPacket()
    {
        for (;;) {
            m_nDataAt += m_nRun;
            m_nRun = 0;
            if (m_bRunEnds)
                return NextRun();
            if (!NextRun())
                return false;
        }
    }
    bool Read(size_t nBytes, std::string& out) override { return Take(nBytes, &out); }
    bool Skip(unsigned long long nBytes) override { return Take(nBytes, NULL); }

private:
    // Takes nBytes of the packet under way, appending them to *pOut when
    // given; never past the packet's end.
    bool Take(unsigned long long nBytes, std::string* pOut)
    {
        while (nBytes > 0) {
            if (m_nRun == 0 && (m_bRunEnds || !NextRun()))
                return false;
            const unsigned long long nStep = nBytes < m_nRun ? nBytes : m_nRun;
            if (pOut) {
                const unsigned char* p = m_src.Get(m_nDataAt, (size_t)nStep);
                if (!p)
                    return false;
                pOut->append((const char*)p, (size_t)nStep);
            }
            m_nDataAt += nStep;
            m_nRun -= nStep;
            nBytes -= nStep;
        }
        return true;
    }
    // The next run of the packet under way on this page (lacing values up
    // to one below 255), or on the next page when this one is used up.
    bool NextRun()
    {
        if (m_iLacing == m_lacing.size() && !NextPage(!m_bRunEnds))
            return false;
        m_nRun = 0;
        m_bRunEnds = false;
        while (m_iLacing < m_lacing.size() && !m_bRunEnds) {
            m_nRun += m_lacing[m_iLacing];
            m_bRunEnds = m_lacing[m_iLacing++] < OGG_MAX_LACING;
        }
        return true;
    }
    // Reads the next page's header of the stream; bContinued: a packet is
    // under way, which the page must say it goes on with.
    bool NextPage(bool bContinued)
    {
        for (; m_nPages < MAX_OGG_PAGES; ++m_nPages) {
            const unsigned long long nAt = m_nNextPage;
            // The header and its lacing values in one read, and no more.
            if (nAt > m_src.Size() || m_src.Size() - nAt < OGG_PAGE_HEADER)
                return false;
            const unsigned long long nLeft = m_src.Size() - nAt;
            const size_t nMost = OGG_PAGE_HEADER + OGG_MAX_LACING;
            const unsigned char* h = m_src.GetOnly(nAt, nLeft < nMost ? (size_t)nLeft : nMost);
            if (!h || memcmp(h, "OggS", 4) != 0 || h[4] != 0)
                return false;
            const bool bPageContinued = (h[5] & OGG_CONTINUED) != 0;
            const unsigned long nSerial = (unsigned long)BigEndianAt(h + 14, 4);
            const size_t nLacing = h[26];
            if (OGG_PAGE_HEADER + nLacing > nLeft)
                return false;
            const unsigned char* l = h + OGG_PAGE_HEADER;
            unsigned long long nData = 0;
            for (size_t i = 0; i < nLacing; ++i)
                nData += l[i];
            const unsigned long long nDataAt = nAt + OGG_PAGE_HEADER + nLacing;
            if (nData > m_src.Size() - nDataAt)
                return false;
            m_nNextPage = nDataAt + nData;
            if (nSerial != m_nSerial)
                continue;  // a page of another stream woven in
            if (bPageContinued != bContinued)
                return false;
            m_lacing.assign(l, l + nLacing);
            m_iLacing = 0;
            m_nDataAt = nDataAt;
            ++m_nPages;
            return true;
        }
        return false;
    }

    CByteSource& m_src;
    unsigned long m_nSerial = 0;
    unsigned long long m_nNextPage = 0;
    std::vector<unsigned char> m_lacing;
    size_t m_iLacing = 0;
    unsigned long long m_nDataAt = 0;  // the next byte of the packet in the file
    unsigned long long m_nRun = 0;     // bytes of the packet from there on this page
    bool m_bRunEnds = true;            // whether the packet ends with the run
    int m_nPages = 0;
};

}  // namespace

TagFields ReadOggFields(CByteSource& src)
{
    TagFields fields;
    COggPackets packets(src);
    std::string head;
    if (!packets.Start() || !packets.Read(8, head))
        return fields;
    // The first packet names the codec; its comment header follows.
    std::string expected;
    if (head.compare(0, 7, "\x01vorbis") == 0)
        expected = "\x03vorbis";
    else if (head == "OpusHead")
        expected = "OpusTags";
    std::string magic;
    if (expected.empty() || !packets.EndPacket() || !packets.Read(expected.size(), magic) || magic != expected)
        return fields;
    ReadVorbisComments(packets, fields);
    return fields;
}
