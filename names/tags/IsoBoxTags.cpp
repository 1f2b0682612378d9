// ISO base media boxes (MP4, M4A, M4B, MOV, HEIC). A box is a 32-bit size
// and a 4-letter type; a size of 1 means a 64-bit size follows, 0 that the
// box runs to the end of what holds it. The top level is walked by sizes,
// so that an mdat of gigabytes before moov is passed over unread. Only
// known paths are followed (moov/mvhd, moov/udta/meta/ilst, meta/iinf,
// iloc, idat), so the walk has a fixed depth.
#include <cstring>
#include <vector>

#include "names/tags/MediaTags.h"
#include "names/tags/TagText.h"

namespace {

// Boxes walked at most in one container; real files have a few dozen.
const int MAX_BOXES = 10000;
// Item tables and text larger than these are damage, or hold nothing a
// name needs.
const unsigned long long MAX_TABLE = 1u << 20;
const unsigned long long MAX_TEXT = 64u << 10;
const unsigned long long MAX_EXIF = 1u << 20;
// mvhd counts seconds from 1904-01-01 UTC; a FILETIME counts 100 ns from
// 1601-01-01 UTC.
const unsigned long long SECONDS_1601_TO_1904 = 9561628800ull;
const unsigned long long FILETIME_PER_SECOND = 10000000ull;
const unsigned ILST_TYPE_UTF8 = 1;
const int HEIC_FROM_FILE = 0, HEIC_FROM_IDAT = 1;

struct CBox {
    char type[5] = {0};
    unsigned long long nData = 0;  // its first byte after the header
    unsigned long long nEnd = 0;   // its end
    bool Is(const char* t) const { return memcmp(type, t, 4) == 0; }
};

// The box at nPos of a container ending at nLimit; false when its header or
// size does not fit there.
bool BoxAt(CByteSource& src, unsigned long long nPos, unsigned long long nLimit, CBox& box)
{
    if (nPos > nLimit || nLimit - nPos < 8)
        return false;
    const unsigned char* h = src.Get(nPos, 8);
    if (!h)
        return false;
    unsigned long long nSize = BigEndianAt(h, 4);
    memcpy(box.type, h + 4, 4);
    unsigned long long nHeader = 8;
    if (nSize == 1) {
        h = nLimit - nPos >= 16 ? src.Get(nPos + 8, 8) : NULL;
        if (!h)
            return false;
        nSize = BigEndianAt(h, 8);
        nHeader = 16;
    } else if (nSize == 0) {
        nSize = nLimit - nPos;
    }
    if (nSize < nHeader || nSize > nLimit - nPos)
        return false;
    box.nData = nPos + nHeader;
    box.nEnd = nPos + nSize;
    return true;
}

// The first child of the given type between nFrom and nTo.
bool FindBox(CByteSource& src, unsigned long long nFrom, unsigned long long nTo, const char* type, CBox& box)
{
    for (int i = 0; i < MAX_BOXES && BoxAt(src, nFrom, nTo, box); ++i) {
        if (box.Is(type))
            return true;
        nFrom = box.nEnd;
    }
    return false;
}

// A box's contents copied out, when not larger than nMost.
bool BoxBytes(CByteSource& src, const CBox& box, unsigned long long nMost, std::vector<unsigned char>& bytes)
{
    const unsigned long long n = box.nEnd - box.nData;
    const unsigned char* p = n <= nMost ? src.Get(box.nData, (size_t)n) : NULL;
    if (!p)
        return false;
    bytes.assign(p, p + n);
    return true;
}

// Big-endian numbers read one after another from memory; once one does not
// fit, every later read gives 0 and Ok() is false.
class CNumbers {
public:
    explicit CNumbers(const std::vector<unsigned char>& bytes) : m_bytes(bytes) {}
    unsigned long long Take(size_t nBytes)
    {
        if (!m_bOk || nBytes > m_bytes.size() - m_nAt) {
            m_bOk = false;
            return 0;
        }
        const unsigned long long n = BigEndianAt(m_bytes.data() + m_nAt, (int)nBytes);
        m_nAt += nBytes;
        return n;
    }
    bool Ok() const { return m_bOk; }

private:
    const std::vector<unsigned char>& m_bytes;
    size_t m_nAt = 0;
    bool m_bOk = true;
};

// Where the children of a meta box begin: it is a full box, with 4 bytes
// of version and flags first, though QuickTime writes it without them.
unsigned long long MetaChildren(CByteSource& src, const CBox& meta)
{
    const unsigned char* p = src.Get(meta.nData + 4, 4);
    return p && memcmp(p, "hdlr", 4) == 0 ? meta.nData : meta.nData + 4;
}

// One ilst item's first value, from its data box: a type (1: UTF-8) and a
// locale of 4 bytes each before the value.
bool ItemValue(CByteSource& src, const CBox& item, unsigned& nType, std::vector<unsigned char>& value)
{
    CBox data;
    if (!FindBox(src, item.nData, item.nEnd, "data", data) || data.nEnd - data.nData < 8)
        return false;
    const unsigned char* h = src.Get(data.nData, 8);
    if (!h)
        return false;
    nType = (unsigned)BigEndianAt(h + 1, 3);
    data.nData += 8;
    return BoxBytes(src, data, MAX_TEXT, value);
}

void ReadIlst(CByteSource& src, const CBox& ilst, TagFields& fields)
{
    // The keys begin with the byte A9, not with the UTF-8 of "©".
    static const struct {
        const char* key;
        const wchar_t* field;
    } s_keys[] = {{"\xA9" "ART", TAG_FIELD_ARTIST}, {"\xA9nam", TAG_FIELD_TITLE}, {"\xA9" "alb", TAG_FIELD_ALBUM},
                  {"\xA9" "day", TAG_FIELD_YEAR},   {"trkn", TAG_FIELD_TRACK}};
    CBox item;
    unsigned long long nPos = ilst.nData;
    for (int i = 0; i < MAX_BOXES && BoxAt(src, nPos, ilst.nEnd, item); ++i, nPos = item.nEnd) {
        for (const auto& k : s_keys) {
            unsigned nType = 0;
            std::vector<unsigned char> value;
            if (!item.Is(k.key) || fields.count(k.field) || !ItemValue(src, item, nType, value))
                continue;
            if (k.field == TAG_FIELD_TRACK) {
                // A reserved 16 bits, the track, the total, a reserved 16 bits.
                if (value.size() >= 4 && BigEndianAt(value.data() + 2, 2) != 0)
                    SetTagField(fields, k.field, std::to_wstring(BigEndianAt(value.data() + 2, 2)));
            } else if (nType == ILST_TYPE_UTF8) {
                const std::wstring text = WideFromUtf8Bytes(value.data(), value.size());
                if (k.field == TAG_FIELD_YEAR)
                    SetYearField(fields, text);
                else
                    SetTagField(fields, k.field, text);
            }
        }
    }
}

// The creation time of mvhd (version 1: 64-bit times), in local time; a
// time of 0 is none.
void ReadMvhd(CByteSource& src, const CBox& mvhd, const TIME_ZONE_INFORMATION* pZone, TagFields& fields)
{
    const unsigned char* p = mvhd.nEnd - mvhd.nData >= 12 ? src.Get(mvhd.nData, 12) : NULL;
    if (!p || p[0] > 1)
        return;
    const unsigned long long nSeconds = p[0] == 1 ? BigEndianAt(p + 4, 8) : BigEndianAt(p + 4, 4);
    if (nSeconds == 0 || nSeconds > (0x7FFFFFFFFFFFFFFFull / FILETIME_PER_SECOND) - SECONDS_1601_TO_1904)
        return;
    const unsigned long long n = (nSeconds + SECONDS_1601_TO_1904) * FILETIME_PER_SECOND;
    FILETIME utc = {(DWORD)n, (DWORD)(n >> 32)};
    std::wstring date, time;
    if (LocalDateAndTime(utc, pZone, date, time)) {
        fields[TAG_FIELD_DATE] = date;
        fields[TAG_FIELD_TIME] = time;
    }
}

void ReadMoov(CByteSource& src, const CBox& moov, const TIME_ZONE_INFORMATION* pZone, TagFields& fields)
{
    CBox mvhd, udta, meta, ilst;
    if (FindBox(src, moov.nData, moov.nEnd, "mvhd", mvhd))
        ReadMvhd(src, mvhd, pZone, fields);
    if (FindBox(src, moov.nData, moov.nEnd, "udta", udta) && FindBox(src, udta.nData, udta.nEnd, "meta", meta) &&
        FindBox(src, MetaChildren(src, meta), meta.nEnd, "ilst", ilst))
        ReadIlst(src, ilst, fields);
}

// The id of the item of type "Exif" in iinf: infe version 2 has 16-bit
// item ids, version 3 32-bit ones; older versions have no type.
bool ExifItemId(CByteSource& src, const CBox& iinf, unsigned long& nId)
{
    std::vector<unsigned char> bytes;
    if (!BoxBytes(src, iinf, MAX_TABLE, bytes) || bytes.empty())
        return false;
    CByteSource table(bytes.data(), bytes.size());
    CBox infe;
    unsigned long long nPos = bytes[0] == 0 ? 4 + 2 : 4 + 4;  // version and flags, the entry count
    for (int i = 0; i < MAX_BOXES && BoxAt(table, nPos, bytes.size(), infe); ++i, nPos = infe.nEnd) {
        const unsigned char* p = infe.Is("infe") ? table.Get(infe.nData, 4) : NULL;
        const int nVersion = p ? p[0] : 0;
        if (nVersion != 2 && nVersion != 3)
            continue;
        const size_t nIdSize = nVersion == 2 ? 2 : 4;
        p = table.Get(infe.nData + 4, nIdSize + 2 + 4);
        if (p && infe.nEnd - infe.nData >= 4 + nIdSize + 2 + 4 && memcmp(p + nIdSize + 2, "Exif", 4) == 0) {
            nId = (unsigned long)BigEndianAt(p, (int)nIdSize);
            return true;
        }
    }
    return false;
}

struct CExtent {
    unsigned long long nOffset, nLength;
};

// Where item nId lies, by iloc: its construction method and extents, the
// base offset added. Field sizes come from iloc's nibbles.
bool ItemLocation(CByteSource& src, const CBox& iloc, unsigned long nId, int& nMethod, std::vector<CExtent>& extents)
{
    std::vector<unsigned char> bytes;
    if (!BoxBytes(src, iloc, MAX_TABLE, bytes))
        return false;
    CNumbers in(bytes);
    const int nVersion = (int)in.Take(1);
    in.Take(3);
    const unsigned nSizes = (unsigned)in.Take(1), nMore = (unsigned)in.Take(1);
    const size_t nOffsetSize = nSizes >> 4, nLengthSize = nSizes & 15, nBaseSize = nMore >> 4;
    const size_t nIndexSize = (nVersion == 1 || nVersion == 2) ? (nMore & 15) : 0;
    for (size_t n : {nOffsetSize, nLengthSize, nBaseSize, nIndexSize})
        if (n != 0 && n != 4 && n != 8)
            return false;
    if (nVersion > 2)
        return false;
    const unsigned long long nItems = in.Take(nVersion < 2 ? 2 : 4);
    for (unsigned long long i = 0; i < nItems && in.Ok(); ++i) {
        const unsigned long long nItem = in.Take(nVersion < 2 ? 2 : 4);
        nMethod = nVersion >= 1 ? (int)(in.Take(2) & 15) : HEIC_FROM_FILE;
        in.Take(2);  // data reference index
        const unsigned long long nBase = in.Take(nBaseSize);
        const unsigned long long nExtents = in.Take(2);
        extents.clear();
        for (unsigned long long e = 0; e < nExtents && in.Ok(); ++e) {
            in.Take(nIndexSize);
            const unsigned long long nOffset = in.Take(nOffsetSize);
            const unsigned long long nLength = in.Take(nLengthSize);
            if (nOffset > ~0ull - nBase)
                return false;
            extents.push_back({nBase + nOffset, nLength});
        }
        if (in.Ok() && nItem == nId)
            return true;
    }
    return false;
}

// The Exif item of a HEIC's meta box: its extents joined, from the file or
// from idat; it starts with a 4-byte offset to its TIFF header.
void ReadHeicMeta(CByteSource& src, const CBox& meta, TagFields& fields)
{
    const unsigned long long nChildren = meta.nData + 4;
    CBox iinf, iloc, idat;
    unsigned long nId = 0;
    int nMethod = 0;
    std::vector<CExtent> extents;
    if (!FindBox(src, nChildren, meta.nEnd, "iinf", iinf) || !ExifItemId(src, iinf, nId) ||
        !FindBox(src, nChildren, meta.nEnd, "iloc", iloc) || !ItemLocation(src, iloc, nId, nMethod, extents))
        return;
    unsigned long long nBase = 0, nLimit = src.Size();
    if (nMethod == HEIC_FROM_IDAT) {
        if (!FindBox(src, nChildren, meta.nEnd, "idat", idat))
            return;
        nBase = idat.nData;
        nLimit = idat.nEnd;
    } else if (nMethod != HEIC_FROM_FILE) {
        return;
    }
    std::vector<unsigned char> exif;
    for (const CExtent& e : extents) {
        if (e.nLength == 0 || e.nOffset > nLimit - nBase || e.nLength > nLimit - nBase - e.nOffset ||
            e.nLength > MAX_EXIF - exif.size())
            return;
        const unsigned char* p = src.Get(nBase + e.nOffset, (size_t)e.nLength);
        if (!p)
            return;
        exif.insert(exif.end(), p, p + e.nLength);
    }
    if (exif.size() < 4)
        return;
    const unsigned long long nTiff = 4 + BigEndianAt(exif.data(), 4);
    if (nTiff < exif.size())
        ReadExifDate(exif.data() + nTiff, exif.size() - nTiff, fields);
}

}  // namespace

bool IsIsoMedia(CByteSource& src, bool bOldMovie)
{
    CBox box;
    if (!BoxAt(src, 0, src.Size(), box))
        return false;
    return box.Is("ftyp") || (bOldMovie && (box.Is("wide") || box.Is("free") || box.Is("mdat") || box.Is("moov")));
}

TagFields ReadIsoFields(CByteSource& src, const TIME_ZONE_INFORMATION* pZone)
{
    TagFields fields;
    CBox box;
    unsigned long long nPos = 0;
    bool bMoov = false, bMeta = false;
    for (int i = 0; i < MAX_BOXES && BoxAt(src, nPos, src.Size(), box); ++i, nPos = box.nEnd) {
        if (box.Is("moov") && !bMoov) {
            ReadMoov(src, box, pZone, fields);
            bMoov = true;
        } else if (box.Is("meta") && !bMeta) {
            ReadHeicMeta(src, box, fields);
            bMeta = true;
        }
    }
    return fields;
}
