#include "names/TagFields.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "names/tags/MediaTags.h"
#include "names/tags/TagText.h"
#include "platform/FileBytes.h"
#include "platform/NameParts.h"

namespace {

// A whole-tag unsynchronised ID3v2 tag is read into memory; larger ones
// are left unread rather than held in memory.
const unsigned long long MAX_UNSYNC_TAG = 16u << 20;
// Text frames longer than this hold no field worth a file name.
const unsigned long MAX_TEXT_FRAME = 64u << 10;
const size_t ID3V1_SIZE = 128;
const size_t ID3V2_HEADER = 10;
// Segments of a JPEG file walked before its Exif data, at most; real
// photos have a few dozen.
const int MAX_JPEG_SEGMENTS = 10000;
// Korean text in an ID3 tag is most often in the code page of a Korean
// Windows, whatever encoding the tag claims.
const UINT KOREAN_CODE_PAGE = 949;

// ID3v2 tag header flags.
const unsigned char ID3_UNSYNC = 0x80;
const unsigned char ID3_EXTENDED = 0x40;
const unsigned char ID3V22_COMPRESSED = 0x40;
// ID3v2.3 frame flags.
const unsigned V23_COMPRESSED = 0x0080;
const unsigned V23_ENCRYPTED = 0x0040;
const unsigned V23_GROUPED = 0x0020;
// ID3v2.4 frame flags.
const unsigned V24_GROUPED = 0x0040;
const unsigned V24_COMPRESSED = 0x0008;
const unsigned V24_ENCRYPTED = 0x0004;
const unsigned V24_UNSYNC = 0x0002;
const unsigned V24_DATA_LENGTH = 0x0001;

// Exif tags.
const unsigned EXIF_DATETIME = 0x0132;
const unsigned EXIF_SUB_IFD = 0x8769;
const unsigned EXIF_DATETIME_ORIGINAL = 0x9003;
const unsigned EXIF_TYPE_ASCII = 2;
const size_t EXIF_DATE_LENGTH = 19;  // "YYYY:MM:DD HH:MM:SS"

unsigned long BigEndian(const unsigned char* p, int nBytes)
{
    unsigned long n = 0;
    for (int i = 0; i < nBytes; ++i)
        n = (n << 8) | p[i];
    return n;
}

// A 28-bit number in four bytes of 7 bits each; false when a byte has its
// top bit set, as no valid tag has.
bool Syncsafe(const unsigned char* p, unsigned long& n)
{
    n = 0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] & 0x80)
            return false;
        n = (n << 7) | p[i];
    }
    return true;
}

// Undoes unsynchronisation: every FF 00 back to FF.
std::vector<unsigned char> Resynchronised(const unsigned char* p, size_t n)
{
    std::vector<unsigned char> out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        out.push_back(p[i]);
        if (p[i] == 0xFF && i + 1 < n && p[i + 1] == 0)
            ++i;
    }
    return out;
}

// How the Latin-1 texts of one file's ID3 tags are read. The texts are
// first gathered from both tags, then the whole file is decided at once:
// Korean writers wrote all of its texts in code page 949, a Latin-1 writer
// none, so one text that cannot be Korean tells for all.
struct CLatin1Texts {
    bool bGathering = true;
    bool bKorean = false;
    std::vector<std::pair<std::string, bool>> texts;  // the bytes, and whether cut by a fixed field
};

// Whether the texts pass as code page 949: every double-byte pair in the
// classic Korean range (both bytes 0xA1 or above) and at least one pair a
// Hangul syllable (lead byte 0xB0 to 0xC8). In Latin-1 an accented letter
// sits inside a word, so a syllable that touches an ASCII letter ("Ääni"
// reads "콴ni") is no evidence of Korean.
bool PassAsKorean(const std::vector<std::pair<std::string, bool>>& texts)
{
    auto letter = [](unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; };
    bool bHangul = false;
    for (const auto& text : texts) {
        const unsigned char* p = (const unsigned char*)text.first.data();
        const size_t n = text.first.size();
        for (size_t i = 0; i < n;) {
            if (p[i] < 0x80) {
                ++i;
                continue;
            }
            if (i + 1 == n && text.second && p[i] >= 0xA1)
                break;  // the first half of a pair the field cut off
            if (p[i] < 0xA1 || i + 1 == n || p[i + 1] < 0xA1 || p[i + 1] == 0xFF)
                return false;
            if (p[i] >= 0xB0 && p[i] <= 0xC8 && !(i > 0 && letter(p[i - 1])) && !(i + 2 < n && letter(p[i + 2])))
                bHangul = true;
            i += 2;
        }
    }
    return bHangul;
}

// Bytes of a tag that claims ISO-8859-1: gathered on the first reading; on
// the second, code page 949 when the file's texts passed as Korean, else
// Latin-1. bMayBeCut: the bytes come from a fixed-size field, whose last
// character the writer may have cut in half.
std::wstring WideFromTagBytes(const unsigned char* p, size_t n, bool bMayBeCut, CLatin1Texts& latin1)
{
    if (latin1.bGathering) {
        latin1.texts.emplace_back(std::string(p, p + n), bMayBeCut);
        return std::wstring(p, p + n);
    }
    if (latin1.bKorean && std::any_of(p, p + n, [](unsigned char c) { return c >= 0x80; })) {
        for (size_t nTry = n; nTry + 1 >= n && nTry > 0; --nTry) {
            int nWide = ::MultiByteToWideChar(KOREAN_CODE_PAGE, MB_ERR_INVALID_CHARS, (LPCSTR)p, (int)nTry, NULL, 0);
            if (nWide > 0) {
                std::wstring wide(nWide, L'\0');
                ::MultiByteToWideChar(KOREAN_CODE_PAGE, MB_ERR_INVALID_CHARS, (LPCSTR)p, (int)nTry, &wide[0], nWide);
                return wide;
            }
            if (!bMayBeCut || p[nTry - 1] < 0x81)
                break;
        }
    }
    return std::wstring(p, p + n);
}

std::wstring WideFromUtf8(const unsigned char* p, size_t n)
{
    if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
        p += 3;
        n -= 3;
    }
    int nWide = n ? ::MultiByteToWideChar(CP_UTF8, 0, (LPCSTR)p, (int)n, NULL, 0) : 0;
    std::wstring wide(std::max(nWide, 0), L'\0');
    if (nWide > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, (LPCSTR)p, (int)n, &wide[0], nWide);
    return wide;
}

enum Id3Encoding { ENC_LATIN1 = 0, ENC_UTF16_BOM = 1, ENC_UTF16BE = 2, ENC_UTF8 = 3 };

// The first non-empty string of an ID3v2 text frame's body (its encoding
// byte, then strings that NULs end or separate); empty when there is none
// or the encoding is unknown.
std::wstring TextOfFrameBody(const unsigned char* p, size_t n, CLatin1Texts& latin1)
{
    if (n == 0 || p[0] > ENC_UTF8)
        return std::wstring();
    const int nEncoding = p[0];
    ++p;
    --n;
    if (nEncoding == ENC_LATIN1 || nEncoding == ENC_UTF8) {
        for (size_t nStart = 0; nStart < n;) {
            size_t nEnd = std::find(p + nStart, p + n, 0) - p;
            if (nEnd > nStart)
                return nEncoding == ENC_UTF8 ? WideFromUtf8(p + nStart, nEnd - nStart)
                                             : WideFromTagBytes(p + nStart, nEnd - nStart, false, latin1);
            nStart = nEnd + 1;
        }
        return std::wstring();
    }
    // UTF-16: strings end at a NUL code unit. Each may begin with its own
    // byte-order mark; one without takes the order the first mark gave.
    const int nDefaultOrder = nEncoding == ENC_UTF16BE ? 1 : 0;  // 0 little-endian, 1 big-endian
    int nFirstOrder = -1;
    int nOrder = nDefaultOrder;
    bool bStart = true;
    std::wstring text;
    for (size_t i = 0; i + 1 < n; i += 2) {
        wchar_t c = nOrder ? (wchar_t)(p[i] << 8 | p[i + 1]) : (wchar_t)(p[i + 1] << 8 | p[i]);
        if (bStart && (c == 0xFEFF || (c == 0xFFFE && nEncoding == ENC_UTF16_BOM))) {
            // A mark read in the other order reads as FFFE.
            nOrder = c == 0xFEFF ? nOrder : 1 - nOrder;
            if (nFirstOrder < 0 && nEncoding == ENC_UTF16_BOM)
                nFirstOrder = nOrder;
            bStart = false;
            continue;
        }
        bStart = false;
        if (c != 0) {
            text += c;
        } else if (!text.empty()) {
            return text;
        } else {
            bStart = true;
            nOrder = nFirstOrder < 0 ? nDefaultOrder : nFirstOrder;
        }
    }
    return text;
}

// "3/12" -> "03", "12" -> "12", "123" -> "123"; false when the part before
// any "/" is not a number.
bool TrackNumber(const std::wstring& text, std::wstring& track)
{
    std::wstring n = text.substr(0, text.find(L'/'));
    n.erase(0, n.find_first_not_of(L' '));
    n.erase(n.find_last_not_of(L' ') + 1);
    if (n.empty() || !std::all_of(n.begin(), n.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return false;
    n.erase(0, std::min(n.find_first_not_of(L'0'), n.size() - 1));
    track = n.size() < 2 ? std::wstring(2 - n.size(), L'0') + n : n;
    return true;
}

// Stores a field read from a tag: the first frame that gives a field wins;
// an empty text or a track that is not a number gives none.
void SetField(TagFields& fields, const wchar_t* field, const std::wstring& text)
{
    if (text.empty() || fields.count(field))
        return;
    if (wcscmp(field, TAG_FIELD_TRACK) != 0) {
        fields[field] = text;
        return;
    }
    std::wstring track;
    if (TrackNumber(text, track))
        fields[field] = track;
}

// The field of an ID3v2 frame, or NULL for frames no name needs.
const wchar_t* FieldOfFrame(const char* id, int nVersion)
{
    static const struct {
        const char* id;
        const wchar_t* field;
    } s_frames[] = {
        {"TPE1", TAG_FIELD_ARTIST}, {"TIT2", TAG_FIELD_TITLE}, {"TALB", TAG_FIELD_ALBUM}, {"TYER", TAG_FIELD_YEAR},
        {"TDRC", TAG_FIELD_YEAR},   {"TRCK", TAG_FIELD_TRACK}, {"TP1", TAG_FIELD_ARTIST}, {"TT2", TAG_FIELD_TITLE},
        {"TAL", TAG_FIELD_ALBUM},   {"TYE", TAG_FIELD_YEAR},   {"TRK", TAG_FIELD_TRACK},
    };
    for (const auto& f : s_frames)
        if (strlen(f.id) == (nVersion == 2 ? 3u : 4u) && strcmp(f.id, id) == 0)
            return f.field;
    return NULL;
}

// The text of one frame's data, as its flags let it be read; empty for
// compressed or encrypted frames, which give no field.
std::wstring TextOfFrame(const unsigned char* p, size_t n, int nVersion, unsigned nFlags, bool bTagUnsync,
                         CLatin1Texts& latin1)
{
    size_t nSkip = 0;
    if (nVersion == 3) {
        if (nFlags & (V23_COMPRESSED | V23_ENCRYPTED))
            return std::wstring();
        nSkip += (nFlags & V23_GROUPED) ? 1 : 0;
    } else if (nVersion == 4) {
        if (nFlags & (V24_COMPRESSED | V24_ENCRYPTED))
            return std::wstring();
        nSkip += ((nFlags & V24_GROUPED) ? 1 : 0) + ((nFlags & V24_DATA_LENGTH) ? 4 : 0);
    }
    if (nSkip > n)
        return std::wstring();
    if (nVersion == 4 && ((nFlags & V24_UNSYNC) || bTagUnsync)) {
        std::vector<unsigned char> data = Resynchronised(p + nSkip, n - nSkip);
        return TextOfFrameBody(data.data(), data.size(), latin1);
    }
    return TextOfFrameBody(p + nSkip, n - nSkip, latin1);
}

// The frames of an ID3v2 tag's body, from nPos up to nEnd, skipping the
// data of every frame no field comes from. Stops at the padding or at the
// first frame that does not fit; true when the walk ended exactly at the
// end or at padding. bPlainSizes: v2.4 frame sizes read as plain 32-bit
// numbers, as some writers put them, rather than syncsafe.
bool ReadId3v2Frames(CByteSource& src, unsigned long long nPos, unsigned long long nEnd, int nVersion,
                     unsigned char nTagFlags, bool bPlainSizes, TagFields& fields, CLatin1Texts& latin1)
{
    if (nVersion >= 3 && (nTagFlags & ID3_EXTENDED)) {
        const unsigned char* p = src.Get(nPos, 4);
        unsigned long nExtended;
        if (!p)
            return false;
        if (nVersion == 3) {
            // Its size does not count the size field itself.
            nPos += 4 + BigEndian(p, 4);
        } else {
            if (!Syncsafe(p, nExtended))
                return false;
            nPos += nExtended;
        }
    }
    const size_t nHeader = nVersion == 2 ? 6 : 10;
    const size_t nIdLength = nVersion == 2 ? 3 : 4;
    while (nPos <= nEnd && nEnd - nPos >= nHeader) {
        const unsigned char* h = src.Get(nPos, nHeader);
        if (!h)
            return false;
        char id[5] = {0};
        for (size_t i = 0; i < nIdLength; ++i) {
            if (!((h[i] >= 'A' && h[i] <= 'Z') || (h[i] >= '0' && h[i] <= '9')))
                return h[0] == 0;  // padding, or damage
            id[i] = (char)h[i];
        }
        unsigned long nSize = 0;
        unsigned nFlags = 0;
        if (nVersion == 2) {
            nSize = BigEndian(h + 3, 3);
        } else {
            nFlags = (unsigned)BigEndian(h + 8, 2);
            if (nVersion == 3 || bPlainSizes)
                nSize = BigEndian(h + 4, 4);
            else if (!Syncsafe(h + 4, nSize))
                return false;
        }
        nPos += nHeader;
        if (nSize > nEnd - nPos)
            return false;
        const wchar_t* field = FieldOfFrame(id, nVersion);
        if (field && !fields.count(field) && nSize <= MAX_TEXT_FRAME) {
            const unsigned char* pData = src.Get(nPos, nSize);
            if (!pData)
                return false;
            std::wstring text = TextOfFrame(pData, nSize, nVersion, nFlags, (nTagFlags & ID3_UNSYNC) != 0, latin1);
            // ID3v2.4's recording time is a whole timestamp; the year leads it.
            SetField(fields, field, strcmp(id, "TDRC") == 0 ? text.substr(0, 4) : text);
        }
        nPos += nSize;
    }
    if (nPos >= nEnd)
        return nPos == nEnd;
    const unsigned char* pRest = src.Get(nPos, 1);
    return pRest && pRest[0] == 0;
}

// The frames of a v2.4 tag: walked with syncsafe sizes, and again with
// plain ones when that walk breaks off; the walk that ends cleanly wins.
void ReadId3v24Frames(CByteSource& src, unsigned long long nPos, unsigned long long nEnd, unsigned char nTagFlags,
                      TagFields& fields, CLatin1Texts& latin1)
{
    TagFields syncsafe = fields, plain = fields;
    CLatin1Texts syncsafeTexts = latin1, plainTexts = latin1;
    if (ReadId3v2Frames(src, nPos, nEnd, 4, nTagFlags, false, syncsafe, syncsafeTexts) ||
        !ReadId3v2Frames(src, nPos, nEnd, 4, nTagFlags, true, plain, plainTexts)) {
        fields = syncsafe;
        latin1 = syncsafeTexts;
    } else {
        fields = plain;
        latin1 = plainTexts;
    }
}

void ReadId3v2(CByteSource& src, TagFields& fields, CLatin1Texts& latin1)
{
    const unsigned char* h = src.Get(0, ID3V2_HEADER);
    unsigned long nBody;
    if (!h || memcmp(h, "ID3", 3) != 0 || h[3] < 2 || h[3] > 4 || h[4] == 0xFF || !Syncsafe(h + 6, nBody))
        return;
    const int nVersion = h[3];
    const unsigned char nFlags = h[5];
    // A tag that claims more than the file holds is read as far as it goes.
    const unsigned long long nEnd = std::min<unsigned long long>(ID3V2_HEADER + nBody, src.Size());
    if (nVersion == 2 && (nFlags & ID3V22_COMPRESSED))
        return;  // no compression scheme was ever defined for it
    if (nVersion < 4 && (nFlags & ID3_UNSYNC)) {
        // Unsynchronisation covers the whole tag, frame headers included:
        // the tag is undone in memory first.
        if (nBody > MAX_UNSYNC_TAG)
            return;
        const unsigned char* p = src.Get(ID3V2_HEADER, (size_t)(nEnd - ID3V2_HEADER));
        if (!p)
            return;
        std::vector<unsigned char> body = Resynchronised(p, (size_t)(nEnd - ID3V2_HEADER));
        CByteSource memory(body.data(), body.size());
        ReadId3v2Frames(memory, 0, body.size(), nVersion, nFlags, false, fields, latin1);
        return;
    }
    if (nVersion == 4)
        ReadId3v24Frames(src, ID3V2_HEADER, nEnd, nFlags, fields, latin1);
    else
        ReadId3v2Frames(src, ID3V2_HEADER, nEnd, nVersion, nFlags, false, fields, latin1);
}

// One fixed-size text field of an ID3v1 tag: up to its first NUL, trailing
// spaces trimmed.
std::wstring Id3v1Text(const unsigned char* p, size_t nField, CLatin1Texts& latin1)
{
    size_t n = std::find(p, p + nField, 0) - p;
    while (n > 0 && p[n - 1] == ' ')
        --n;
    return WideFromTagBytes(p, n, n == nField, latin1);
}

void ReadId3v1(CByteSource& src, TagFields& fields, CLatin1Texts& latin1)
{
    if (src.Size() < ID3V1_SIZE)
        return;
    const unsigned char* p = src.Get(src.Size() - ID3V1_SIZE, ID3V1_SIZE);
    if (!p || memcmp(p, "TAG", 3) != 0)
        return;
    SetField(fields, TAG_FIELD_TITLE, Id3v1Text(p + 3, 30, latin1));
    SetField(fields, TAG_FIELD_ARTIST, Id3v1Text(p + 33, 30, latin1));
    SetField(fields, TAG_FIELD_ALBUM, Id3v1Text(p + 63, 30, latin1));
    SetField(fields, TAG_FIELD_YEAR, Id3v1Text(p + 93, 4, latin1));
    // ID3v1.1: a NUL in the comment's 29th byte, the track in its 30th.
    const unsigned char* pComment = p + 97;
    if (pComment[28] == 0 && pComment[29] != 0)
        SetField(fields, TAG_FIELD_TRACK, std::to_wstring(pComment[29]));
}

TagFields ReadMp3(CByteSource& src)
{
    // The first reading gathers the Latin-1 texts of both tags, read as
    // Latin-1; only a file whose texts pass as Korean is read again.
    CLatin1Texts latin1;
    TagFields fields;
    for (int nPass = 0; nPass < 2; ++nPass) {
        fields.clear();
        ReadId3v2(src, fields, latin1);
        // Fields already read from ID3v2 are kept: ID3v1 only fills the gaps.
        ReadId3v1(src, fields, latin1);
        latin1.bGathering = false;
        latin1.bKorean = PassAsKorean(latin1.texts);
        if (!latin1.bKorean)
            break;
    }
    return fields;
}

unsigned long ExifNumber(const unsigned char* p, int nBytes, bool bLittleEndian)
{
    unsigned long n = 0;
    for (int i = 0; i < nBytes; ++i)
        n = (n << 8) | p[bLittleEndian ? nBytes - 1 - i : i];
    return n;
}

// Exif's "YYYY:MM:DD HH:MM:SS" as "YYYY-MM-DD" and "HH.MM.SS"; false when
// malformed or all zeros (a camera whose clock was never set).
bool DateAndTime(const std::string& text, std::wstring& date, std::wstring& time)
{
    static const char s_pattern[] = "dddd:dd:dd dd:dd:dd";
    if (text.size() < EXIF_DATE_LENGTH)
        return false;
    for (size_t i = 0; i < EXIF_DATE_LENGTH; ++i)
        if (s_pattern[i] == 'd' ? !(text[i] >= '0' && text[i] <= '9') : text[i] != s_pattern[i])
            return false;
    int nMonth = std::stoi(text.substr(5, 2)), nDay = std::stoi(text.substr(8, 2));
    int nHour = std::stoi(text.substr(11, 2)), nMinute = std::stoi(text.substr(14, 2));
    int nSecond = std::stoi(text.substr(17, 2));
    if (nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 || nHour > 23 || nMinute > 59 || nSecond > 60)
        return false;
    date = std::wstring(text.begin(), text.begin() + 10);
    std::replace(date.begin(), date.end(), L':', L'-');
    time = std::wstring(text.begin() + 11, text.begin() + EXIF_DATE_LENGTH);
    std::replace(time.begin(), time.end(), L':', L'.');
    return true;
}

// Reads, in the IFD at nIfd of the TIFF data t (n bytes), the ASCII value
// of tag nTag into text, and the offset its tag nPointerTag holds (0 when
// absent). Entries past the end of the data are not read.
void ReadIfd(const unsigned char* t, size_t n, unsigned long nIfd, bool bLittleEndian, unsigned nTag, std::string& text,
             unsigned nPointerTag, unsigned long& nPointer)
{
    if (nIfd > n || n - nIfd < 2)
        return;
    const size_t nEntries = std::min<size_t>(ExifNumber(t + nIfd, 2, bLittleEndian), (n - nIfd - 2) / 12);
    for (size_t i = 0; i < nEntries; ++i) {
        const unsigned char* e = t + nIfd + 2 + 12 * i;
        const unsigned nEntryTag = ExifNumber(e, 2, bLittleEndian);
        const unsigned long nCount = ExifNumber(e + 4, 4, bLittleEndian);
        const unsigned long nValue = ExifNumber(e + 8, 4, bLittleEndian);
        if (nEntryTag == nPointerTag)
            nPointer = nValue;
        // A date does not fit in the entry: its value is an offset.
        if (nEntryTag == nTag && ExifNumber(e + 2, 2, bLittleEndian) == EXIF_TYPE_ASCII &&
            nCount >= EXIF_DATE_LENGTH && nValue <= n && EXIF_DATE_LENGTH <= n - nValue)
            text.assign((const char*)t + nValue, EXIF_DATE_LENGTH);
    }
}

// The date fields of an Exif block's TIFF data; false when it gives none.
bool ReadExif(const unsigned char* t, size_t n, TagFields& fields)
{
    if (n < 8 || !((t[0] == 'I' && t[1] == 'I') || (t[0] == 'M' && t[1] == 'M')))
        return false;
    const bool bLittleEndian = t[0] == 'I';
    if (ExifNumber(t + 2, 2, bLittleEndian) != 42)
        return false;
    std::string dateTime, original;
    unsigned long nSubIfd = 0, nUnused = 0;
    ReadIfd(t, n, ExifNumber(t + 4, 4, bLittleEndian), bLittleEndian, EXIF_DATETIME, dateTime, EXIF_SUB_IFD, nSubIfd);
    if (nSubIfd)
        ReadIfd(t, n, nSubIfd, bLittleEndian, EXIF_DATETIME_ORIGINAL, original, 0, nUnused);
    std::wstring date, time;
    if (!DateAndTime(original, date, time) && !DateAndTime(dateTime, date, time))
        return false;
    fields[TAG_FIELD_DATE] = date;
    fields[TAG_FIELD_TIME] = time;
    return true;
}

// Walks the JPEG segments from the start of image to the first Exif block
// with a date; stops at the start of the image data.
TagFields ReadJpeg(CByteSource& src)
{
    TagFields fields;
    const unsigned char* p = src.Get(0, 2);
    if (!p || p[0] != 0xFF || p[1] != 0xD8)
        return fields;
    unsigned long long nPos = 2;
    for (int nSegment = 0; nSegment < MAX_JPEG_SEGMENTS; ++nSegment) {
        p = src.Get(nPos, 4);
        if (!p || p[0] != 0xFF)
            break;
        const unsigned char nMarker = p[1];
        if (nMarker == 0xFF) {  // fill byte before a marker
            ++nPos;
            continue;
        }
        if (nMarker == 0xDA || nMarker == 0xD9)  // start of scan, end of image
            break;
        if (nMarker == 0x01 || (nMarker >= 0xD0 && nMarker <= 0xD7)) {  // markers without a length
            nPos += 2;
            continue;
        }
        const unsigned nLength = (unsigned)BigEndian(p + 2, 2);
        if (nLength < 2)
            break;
        if (nMarker == 0xE1 && nLength >= 2 + 6) {
            const unsigned char* pSegment = src.Get(nPos + 4, nLength - 2);
            if (!pSegment)
                break;
            if (memcmp(pSegment, "Exif\0\0", 6) == 0 && ReadExif(pSegment + 6, nLength - 2 - 6, fields))
                break;
        }
        nPos += 2 + nLength;
    }
    return fields;
}

// The file's type, in lower case (ASCII letters).
std::wstring LowerExtension(const std::wstring& wstrPath)
{
    std::wstring ext = FileTypeOf(wstrPath).str();
    for (wchar_t& c : ext)
        if (c >= L'A' && c <= L'Z')
            c = c - L'A' + L'a';
    return ext;
}

}  // namespace

TagFields ReadMp3Fields(const TagByteReader& read, unsigned long long nSize)
{
    CByteSource src(read, nSize);
    return ReadMp3(src);
}

TagFields ReadMp3Fields(const unsigned char* pBytes, size_t nSize)
{
    CByteSource src(pBytes, nSize);
    return ReadMp3(src);
}

TagFields ReadJpegFields(const TagByteReader& read, unsigned long long nSize)
{
    CByteSource src(read, nSize);
    return ReadJpeg(src);
}

TagFields ReadJpegFields(const unsigned char* pBytes, size_t nSize)
{
    CByteSource src(pBytes, nSize);
    return ReadJpeg(src);
}

TagFileKind TagKindOfName(const std::wstring& wstrName)
{
    static const struct {
        const wchar_t* ext;
        TagFileKind nKind;
    } s_kinds[] = {
        {L".mp3", TAG_FILE_MP3},  {L".jpg", TAG_FILE_JPEG}, {L".jpeg", TAG_FILE_JPEG}, {L".flac", TAG_FILE_FLAC},
        {L".ogg", TAG_FILE_OGG},  {L".oga", TAG_FILE_OGG},  {L".opus", TAG_FILE_OGG},  {L".mp4", TAG_FILE_ISO},
        {L".m4a", TAG_FILE_ISO},  {L".m4b", TAG_FILE_ISO},  {L".heic", TAG_FILE_ISO},  {L".heif", TAG_FILE_ISO},
        {L".mov", TAG_FILE_MOV},
    };
    const std::wstring ext = LowerExtension(wstrName);
    for (const auto& k : s_kinds)
        if (ext == k.ext)
            return k.nKind;
    return TAG_FILE_NONE;
}

TagFields ReadFieldsOfKind(CByteSource& src, TagFileKind nKind, const TIME_ZONE_INFORMATION* pZone)
{
    // MP3 and JPEG keep their own checks: an MP3 may have no tag at its start.
    if (nKind == TAG_FILE_MP3)
        return ReadMp3(src);
    if (nKind == TAG_FILE_JPEG)
        return ReadJpeg(src);
    if (nKind == TAG_FILE_NONE || !IsOfKind(src, nKind))
        return TagFields();
    if (nKind == TAG_FILE_FLAC)
        return ReadFlacFields(src);
    if (nKind == TAG_FILE_OGG)
        return ReadOggFields(src);
    return ReadIsoFields(src, pZone);
}

bool IsTaggedFileName(const std::wstring& wstrName)
{
    return TagKindOfName(wstrName) != TAG_FILE_NONE;
}

bool IsJpegFileName(const std::wstring& wstrName)
{
    return TagKindOfName(wstrName) == TAG_FILE_JPEG;
}

bool IsTakenMediaFileName(const std::wstring& wstrName)
{
    const TagFileKind nKind = TagKindOfName(wstrName);
    const std::wstring ext = LowerExtension(wstrName);
    return nKind == TAG_FILE_JPEG || nKind == TAG_FILE_MOV || (nKind == TAG_FILE_ISO && ext != L".m4a" && ext != L".m4b");
}

TagFields ReadFileFields(const std::wstring& wstrPath)
{
    const TagFileKind nKind = TagKindOfName(wstrPath);
    if (nKind == TAG_FILE_NONE)
        return TagFields();
    CFileBytes file(wstrPath);
    if (!file.IsOpen())
        return TagFields();
    TagByteReader read = [&file](unsigned long long nOffset, void* pBuffer, size_t nBytes) {
        return file.Read(nOffset, pBuffer, nBytes);
    };
    CByteSource src(read, file.GetSize());
    return ReadFieldsOfKind(src, nKind);
}

void SetTagField(TagFields& fields, const wchar_t* field, const std::wstring& text)
{
    SetField(fields, field, text);
}

void SetYearField(TagFields& fields, const std::wstring& text)
{
    if (text.size() >= 4 && std::all_of(text.begin(), text.begin() + 4, [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        SetField(fields, TAG_FIELD_YEAR, text.substr(0, 4));
}

std::wstring WideFromUtf8Bytes(const unsigned char* p, size_t n)
{
    return WideFromUtf8(p, n);
}

bool ReadExifDate(const unsigned char* pTiff, size_t n, TagFields& fields)
{
    return ReadExif(pTiff, n, fields);
}
