// Tag fields read from bytes (ID3 text encodings and structure, Exif dates,
// FLAC, Ogg and ISO boxes), damaged input that must never be read past its
// end, the listing's fields, and names made from a format.
#include <gtest/gtest.h>
#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "names/TagFields.h"
#include "names/TagFormat.h"
#include "names/TagNaming.h"
#include "names/tags/MediaTags.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"

namespace {

typedef std::vector<unsigned char> Bytes;

Bytes S(const std::string& s) { return Bytes(s.begin(), s.end()); }
Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
// nBytes of n, most significant first, or 7 bits a byte (syncsafe).
Bytes Num(unsigned long n, int nBytes, bool bSyncsafe = false)
{
    Bytes b;
    for (int i = nBytes - 1; i >= 0; --i)
        b.push_back(bSyncsafe ? (n >> (7 * i)) & 0x7F : (n >> (8 * i)) & 0xFF);
    return b;
}
Bytes Frame(int nVersion, const char* id, const Bytes& data, unsigned nFlags = 0)
{
    if (nVersion == 2)
        return S(id) + Num(data.size(), 3) + data;
    return S(id) + Num(data.size(), 4, nVersion == 4) + Num(nFlags, 2) + data;
}
Bytes Text(const std::string& s, int nEncoding = 0) { return Bytes{(unsigned char)nEncoding} + S(s); }
Bytes Tag(int nVersion, const Bytes& body, unsigned char nFlags = 0)
{
    return S("ID3") + Bytes{(unsigned char)nVersion, 0, nFlags} + Num(body.size(), 4, true) + body;
}
// FF 00 after every FF: a valid unsynchronisation, undone by FF 00 -> FF.
Bytes Unsync(const Bytes& b)
{
    Bytes out;
    for (unsigned char c : b) {
        out.push_back(c);
        if (c == 0xFF)
            out.push_back(0);
    }
    return out;
}
Bytes V1(const std::string& title, const std::string& artist, int nTrack = 0)
{
    Bytes b = S("TAG") + S(title) + Bytes(30 - title.size()) + S(artist) + Bytes(30 - artist.size());
    b = b + Bytes(30 + 4 + 28) + Bytes{0, (unsigned char)nTrack, 0};
    return b;
}
Bytes Utf16(const std::wstring& s, bool bBigEndian)
{
    Bytes b;
    for (wchar_t c : s)
        b = b + (bBigEndian ? Bytes{(unsigned char)(c >> 8), (unsigned char)c}
                            : Bytes{(unsigned char)c, (unsigned char)(c >> 8)});
    return b;
}
std::wstring Field(const TagFields& fields, const wchar_t* name)
{
    auto it = fields.find(name);
    return it == fields.end() ? L"<none>" : it->second;
}
TagFields Mp3(const Bytes& b) { return ReadMp3Fields(b.data(), b.size()); }

// A JPEG whose Exif holds the given DateTime and DateTimeOriginal (none when
// NULL), in either byte order, after an APP0 segment.
Bytes Jpeg(bool bLittle, const char* dateTime, const char* original)
{
    auto n = [bLittle](unsigned long v, int nBytes) {
        Bytes b = Num(v, nBytes);
        return bLittle ? Bytes(b.rbegin(), b.rend()) : b;
    };
    const unsigned long nSub = 8 + 2 + 2 * 12 + 4, nStrings = nSub + 2 + 12 + 4;
    Bytes tiff = S(bLittle ? "II" : "MM") + n(42, 2) + n(8, 4) + n(2, 2);
    tiff = tiff + n(dateTime ? 0x0132 : 0x0131, 2) + n(2, 2) + n(20, 4) + n(nStrings, 4);
    tiff = tiff + n(original ? 0x8769 : 0x0131, 2) + n(4, 2) + n(1, 4) + n(nSub, 4) + n(0, 4);
    tiff = tiff + n(1, 2) + n(0x9003, 2) + n(2, 2) + n(20, 4) + n(nStrings + 20, 4) + n(0, 4);
    tiff = tiff + S(dateTime ? dateTime : "") + Bytes(20 - (dateTime ? 19 : 0));
    tiff = tiff + S(original ? original : "") + Bytes(20 - (original ? 19 : 0));
    Bytes app1 = S(std::string("Exif\0\0", 6)) + tiff;
    return Bytes{0xFF, 0xD8, 0xFF, 0xE0} + Num(6, 2) + S("JFIF") + Bytes{0xFF, 0xE1} + Num(app1.size() + 2, 2) + app1 +
           Bytes{0xFF, 0xDA, 0, 2};
}

const char BUHWAL_CP949[] = "\xBA\xCE\xC8\xB0";  // "부활"

Bytes Le(unsigned long n, int nBytes = 4)
{
    Bytes b = Num(n, nBytes);
    return Bytes(b.rbegin(), b.rend());
}
// Vorbis comments (FLAC, Ogg): a vendor, then "NAME=value" each by its length.
Bytes Comments(const std::vector<std::string>& comments)
{
    Bytes b = Le(3) + S("vnd") + Le(comments.size());
    for (const std::string& c : comments)
        b = b + Le(c.size()) + S(c);
    return b;
}
Bytes FlacBlock(int nType, const Bytes& data, bool bLast = false)
{
    return Bytes{(unsigned char)(nType | (bLast ? 0x80 : 0))} + Num(data.size(), 3) + data;
}
// Packets as pages of one Ogg stream: the first packet alone on the first
// page, then at most nLacing lacing values a page.
Bytes Ogg(const std::vector<Bytes>& packets, size_t nLacing)
{
    std::vector<Bytes> segments;
    for (const Bytes& packet : packets)
        for (size_t at = 0;; at += 255) {
            segments.push_back(Bytes(packet.begin() + at, packet.begin() + std::min(at + 255, packet.size())));
            if (segments.back().size() < 255)
                break;
        }
    Bytes out;
    bool bContinued = false;
    for (size_t i = 0, nPage = 0; i < segments.size(); ++nPage) {
        Bytes lacing, data;
        for (size_t k = 0; k < nLacing && i < segments.size() && (nPage || k <= packets[0].size() / 255); ++k, ++i) {
            lacing.push_back((unsigned char)segments[i].size());
            data = data + segments[i];
        }
        out = out + S("OggS") + Bytes{0, (unsigned char)((bContinued ? 1 : 0) | (nPage ? 0 : 2))} + Bytes(8) + Le(77) +
              Le(nPage) + Bytes(4) + Bytes{(unsigned char)lacing.size()} + lacing + data;
        bContinued = lacing.back() == 255;
    }
    return out;
}
const Bytes VORBIS_ID = S("\x01vorbis") + Bytes(5, 0) + Le(44100) + Bytes(12) + Bytes{0xB8, 1};
Bytes Box(const char* type, const Bytes& data) { return Num(data.size() + 8, 4) + S(type) + data; }
Bytes Full(int nVersion, const Bytes& data) { return Bytes{(unsigned char)nVersion, 0, 0, 0} + data; }
Bytes Item(const char* key, int nType, const Bytes& value) { return Box(key, Box("data", Num(nType, 4) + Num(0, 4) + value)); }
Bytes Ftyp(const char* brand) { return Box("ftyp", S(brand) + Num(0, 4) + S(brand)); }
// mvhd at 2024-07-01 12:00:00 UTC (0: none), version 1 with 64-bit times.
Bytes Mvhd(bool bSet, int nVersion)
{
    const unsigned long long n = bSet ? 3802680000ull : 0;
    return Box("mvhd", nVersion ? Full(1, Num(n >> 32, 4) + Num(n, 4) + Bytes(8 + 4 + 8 + 80))
                                : Full(0, Num(n, 4) + Bytes(4 + 4 + 4 + 80)));
}
// A HEIC whose Exif item (id 2, after an image item) lies in two extents
// of mdat from a base offset, the second after a gap; or (bIdat) in idat.
Bytes Heic(bool bIdat)
{
    const Bytes jpeg = Jpeg(true, "2024:05:01 13:45:10", "2020:12:31 23:59:59");
    const Bytes exif = Num(6, 4) + Bytes(jpeg.begin() + 14, jpeg.end() - 4);
    const size_t nHalf = exif.size() / 2;
    const Bytes hdlr = Box("hdlr", Full(0, Num(0, 4) + S("pict") + Bytes(13)));
    const Bytes iinf = Box("iinf", Full(0, Num(2, 2) + Box("infe", Full(2, Num(1, 2) + Num(0, 2) + S("hvc1") + Bytes(1))) +
                                              Box("infe", Full(3, Num(2, 4) + Num(0, 2) + S("Exif") + Bytes(1)))));
    auto meta = [&](unsigned long nAt) {
        const Bytes exifAt = bIdat ? Num(1, 2) + Num(0, 2) + Num(0, 4) + Num(1, 2) + Num(0, 4) + Num(exif.size(), 4)
                                   : Num(0, 2) + Num(0, 2) + Num(nAt, 4) + Num(2, 2) + Num(0, 4) + Num(nHalf, 4) +
                                         Num(nHalf + 3, 4) + Num(exif.size() - nHalf, 4);
        const Bytes iloc = Box("iloc", Full(1, Bytes{0x44, 0x40} + Num(2, 2) + Num(1, 2) + Num(0, 2) + Num(0, 2) +
                                                   Num(0, 4) + Num(0, 2) + Num(2, 2) + exifAt));
        // The image item's properties, as a reader of the image wants them.
        const Bytes iprp = Box("iprp", Box("ipco", Box("hvcC", Bytes{1} + Bytes(22)) + Box("ispe", Full(0, Num(64, 4) + Num(64, 4)))) +
                                           Box("ipma", Full(0, Num(1, 4) + Num(1, 2) + Bytes{2, 0x81, 2})));
        const Bytes iref = Box("iref", Full(0, Box("cdsc", Num(2, 2) + Num(1, 2) + Num(1, 2))));
        return Box("meta", Full(0, hdlr + Box("pitm", Full(0, Num(1, 2))) + iinf + iref + iloc + iprp +
                                       (bIdat ? Box("idat", exif) : Bytes())));
    };
    const unsigned long nAt = (unsigned long)(Ftyp("heic").size() + meta(0).size() + 8);
    return Ftyp("heic") + meta(nAt) +
           Box("mdat", Bytes(exif.begin(), exif.begin() + nHalf) + S("gap") + Bytes(exif.begin() + nHalf, exif.end()));
}
// Central European time, summer time from the last Sunday of March.
TIME_ZONE_INFORMATION CentralEurope()
{
    TIME_ZONE_INFORMATION zone = {};
    zone.Bias = -60;
    zone.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
    zone.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
    zone.DaylightBias = -60;
    return zone;
}
std::wstring MediaFields(const std::wstring& name, const Bytes& b)
{
    TIME_ZONE_INFORMATION zone = CentralEurope();
    CByteSource src(b.data(), b.size());
    TagFields f = ReadFieldsOfKind(src, TagKindOfName(name), &zone);
    std::wstring all;
    for (const wchar_t* field : {TAG_FIELD_ARTIST, TAG_FIELD_TITLE, TAG_FIELD_ALBUM, TAG_FIELD_YEAR, TAG_FIELD_TRACK,
                                 TAG_FIELD_DATE, TAG_FIELD_TIME})
        all += (all.empty() ? L"" : L"|") + Field(f, field);
    return all;
}
const Bytes PICTURE = Num(3, 4) + Num(10, 4) + S("image/jpeg") + Num(0, 4) + Bytes(16) + Num(3000, 4) + Bytes(3000, 0xEE);
const std::vector<std::string> SONG = {"artist=A", "ARTIST=second", "Title=" + std::string(u8"부활"), "ALBUM=Al",
                                       "DATE=2021-03-04", "TRACKNUMBER=3/12"};
const Bytes FLAC = S("fLaC") + FlacBlock(0, Bytes(18, 0x10) + Bytes(16)) + FlacBlock(6, PICTURE) +
                   FlacBlock(4, Comments(SONG), true);
// Vorbis: the comments after a cover, across pages; the setup header after.
std::vector<std::string> CoverFirst()
{
    std::vector<std::string> comments = SONG;
    comments.insert(comments.begin(), "metadata_block_picture=" + std::string(PICTURE.begin(), PICTURE.end()));
    return comments;
}
const Bytes OGG = Ogg({VORBIS_ID, S("\x03vorbis") + Comments(CoverFirst()) + Bytes{1}, S("\x05vorbis")}, 3);
const Bytes M4A = Ftyp("M4A ") + Num(1, 4) + S("mdat") + Num(0, 4) + Num(16 + 5000, 4) + Bytes(5000, 0xAA) +
                  Box("moov", Mvhd(true, 0) + Box("trak", Box("tkhd", Bytes(92))) +
                                  Box("udta", Box("meta", Full(0, Box("hdlr", Bytes(25)) +
                                                                      Box("ilst", Item("\xA9" "ART", 1, S("A")) +
                                                                                      Item("\xA9nam", 1, S(u8"부활")) +
                                                                                      Item("\xA9" "alb", 1, S("Al")) +
                                                                                      Item("\xA9" "day", 1, S("2021-03-04T00:00:00Z")) +
                                                                                      Item("trkn", 0, Num(3, 4) + Num(12 << 16, 4)))))));

}  // namespace

TEST(Tags, TextEncodings)
{
    const Bytes bom_le{0xFF, 0xFE}, bom_be{0xFE, 0xFF};
    // 14 syllables after "a" fill 29 bytes; the writer cut the 15th in half.
    std::string cut = "a";
    for (int i = 0; i < 15; ++i)
        cut += std::string(BUHWAL_CP949 + 2 * (i % 2), 2);
    cut.resize(30);
    std::wstring cutWide = L"a";
    for (int i = 0; i < 14; ++i)
        cutWide += i % 2 ? L"활" : L"부";
    struct {
        const char* what;
        Bytes file;
        std::wstring title;
    } cases[] = {
        {"v1 CP949", V1(BUHWAL_CP949, "x"), L"부활"},
        {"v1 CP949 cut at 30 bytes", V1(cut, "x"), cutWide},
        {"v2.3 Latin-1 frame, CP949", Tag(3, Frame(3, "TIT2", Text(BUHWAL_CP949))), L"부활"},
        {"Latin-1 that is Hanja in CP949", Tag(3, Frame(3, "TIT2", Text("\xE9\xE9"))), L"\xE9\xE9"},
        {"Latin-1 before an ASCII letter", Tag(3, Frame(3, "TIT2", Text("Die \xC4rzte"))), L"Die \xC4rzte"},
        {"Latin-1 at the start", Tag(3, Frame(3, "TIT2", Text("\xC5sa Jinder"))), L"\xC5sa Jinder"},
        {"a Hangul pair touching a letter", Tag(3, Frame(3, "TIT2", Text("\xC4\xE4ni ja vimma"))), L"\xC4\xE4ni ja vimma"},
        {"one Latin-1 frame makes the tag Latin-1",
         Tag(3, Frame(3, "TPE1", Text("Die \xC4rzte")) + Frame(3, "TIT2", Text(BUHWAL_CP949))), L"\xBA\xCE\xC8\xB0"},
        {"and so does the ID3v1 tag", Tag(3, Frame(3, "TIT2", Text(BUHWAL_CP949))) + V1("", "\xC5sa"),
         L"\xBA\xCE\xC8\xB0"},
        {"v2.4 with plain frame sizes", Tag(4, Frame(3, "COMM", Bytes(200, 'c')) + Frame(3, "TIT2", Text("plain"))),
         L"plain"},
        {"UTF-16 LE BOM", Tag(3, Frame(3, "TIT2", Text("", 1) + bom_le + Utf16(L"부활", false))), L"부활"},
        {"UTF-16 BE BOM", Tag(3, Frame(3, "TIT2", Text("", 1) + bom_be + Utf16(L"부활", true))), L"부활"},
        {"UTF-16BE", Tag(4, Frame(4, "TIT2", Text("", 2) + Utf16(L"부활", true))), L"부활"},
        {"UTF-8", Tag(4, Frame(4, "TIT2", Text(u8"부활", 3))), L"부활"},
        {"first of several, trailing NULs", Tag(4, Frame(4, "TIT2", Text(std::string("ab\0cd\0\0", 7)))), L"ab"},
        {"empty first string, BOM-less second in the first BOM's order",
         Tag(4, Frame(4, "TIT2", Text("", 1) + bom_be + Bytes{0, 0} + Utf16(L"부활", true))), L"부활"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Field(Mp3(c.file), TAG_FIELD_TITLE), c.title) << c.what;
}

TEST(Tags, Id3Structure)
{
    // Whole-tag unsynchronisation (v2.3) over an extended header and a
    // skipped frame of 255 bytes of FF: its size and data hold FF too.
    Bytes v23 = Num(6, 4) + Bytes(6) + Frame(3, "APIC", Bytes(255, 0xFF)) + Frame(3, "TIT2", Text("t23"));
    EXPECT_EQ(Field(Mp3(Tag(3, Unsync(v23), 0x80 | 0x40)), TAG_FIELD_TITLE), L"t23");
    // v2.4: extended header counting itself, a syncsafe frame size above
    // 127, a frame unsynchronised on its own behind a data-length indicator.
    Bytes text = Text("", 1) + Bytes{0xFF, 0xFE} + Utf16(L"\xFF\x4E00", false);
    Bytes v24 = Num(6, 4, true) + Bytes(2) + Frame(4, "PRIV", Bytes(200, 'p')) + Frame(4, "TDRC", Text("2024-05-01")) +
                Frame(4, "TIT2", Num(text.size(), 4, true) + Unsync(text), 0x0003);
    TagFields f24 = Mp3(Tag(4, v24, 0x40));
    EXPECT_EQ(Field(f24, TAG_FIELD_TITLE), L"\xFF\x4E00");
    EXPECT_EQ(Field(f24, TAG_FIELD_YEAR), L"2024");
    // v2.2: three-letter ids and sizes.
    TagFields f22 =
        Mp3(Tag(2, Frame(2, "TP1", Text("a22")) + Frame(2, "TT2", Text("t22")) + Frame(2, "TRK", Text("3/12"))));
    EXPECT_EQ(Field(f22, TAG_FIELD_ARTIST) + Field(f22, TAG_FIELD_TITLE) + Field(f22, TAG_FIELD_TRACK), L"a22t2203");
    // ID3v2 wins over ID3v1 field by field; v1.1's track fills the gap.
    TagFields both = Mp3(Tag(3, Frame(3, "TIT2", Text("v2"))) + Bytes(50) + V1("v1", "v1 artist", 7));
    EXPECT_EQ(Field(both, TAG_FIELD_TITLE) + Field(both, TAG_FIELD_ARTIST) + Field(both, TAG_FIELD_TRACK),
              L"v2v1 artist07");
    for (auto track : {std::make_pair("12", L"12"), std::make_pair("123/200", L"123"), std::make_pair("x/3", L"<none>"),
                       std::make_pair("", L"<none>")})
        EXPECT_EQ(Field(Mp3(Tag(3, Frame(3, "TRCK", Text(track.first)))), TAG_FIELD_TRACK), track.second)
            << track.first;
    // Compressed and encrypted frames give nothing; the next frame still counts.
    for (auto vf : {std::make_pair(3, 0x0080u), std::make_pair(3, 0x0040u), std::make_pair(4, 0x0008u),
                    std::make_pair(4, 0x0004u)}) {
        const int v = vf.first;
        TagFields f = Mp3(Tag(v, Frame(v, "TIT2", Text("hidden"), vf.second) + Frame(v, "TALB", Text("al"))));
        EXPECT_EQ(Field(f, TAG_FIELD_TITLE) + Field(f, TAG_FIELD_ALBUM), L"<none>al") << vf.first << " " << vf.second;
    }
}

TEST(Tags, ExifDates)
{
    const char* T1 = "2024:05:01 13:45:10";
    const char* T2 = "2020:12:31 23:59:59";
    const char* UNSET = "0000:00:00 00:00:00";
    for (bool bLittle : {true, false}) {
        struct {
            const char *dateTime, *original;
            const wchar_t *date, *time;
        } cases[] = {
            {T2, T1, L"2024-05-01", L"13.45.10"}, {T2, NULL, L"2020-12-31", L"23.59.59"},
            {NULL, UNSET, L"<none>", L"<none>"},  {T2, UNSET, L"2020-12-31", L"23.59.59"},
            {NULL, "2024:13:01 10:00:00", L"<none>", L"<none>"},
        };
        for (const auto& c : cases) {
            Bytes jpeg = Jpeg(bLittle, c.dateTime, c.original);
            TagFields f = ReadJpegFields(jpeg.data(), jpeg.size());
            EXPECT_EQ(Field(f, TAG_FIELD_DATE) + Field(f, TAG_FIELD_TIME), std::wstring(c.date) + c.time)
                << bLittle << " case " << (&c - cases);
        }
    }
}

TEST(Tags, MediaFormatsAndTheirTraps)
{
    const std::wstring NONE = L"<none>|<none>|<none>|<none>|<none>|<none>|<none>", SONG_FIELDS = L"A|부활|Al|2021|03|";
    const Bytes opus = Ogg({S("OpusHead") + Bytes(11), S("OpusTags") + Comments({"TITLE=o", "date=1999"})}, 255);
    const Bytes mov = Box("wide", Bytes()) + Box("moov", Mvhd(true, 0)) + Num(0, 4) + S("mdat") + Bytes(50);
    struct {
        const wchar_t* name;
        Bytes file;
        std::wstring fields;
    } cases[] = {
        {L"picture first.FLAC", FLAC, SONG_FIELDS + L"<none>|<none>"},
        {L"ID3v2 first.flac", S("ID3") + Bytes{4, 0, 0} + Num(20, 4, true) + Bytes(20) + FLAC, SONG_FIELDS + L"<none>|<none>"},
        {L"cover across pages.ogg", OGG, SONG_FIELDS + L"<none>|<none>"},
        {L"opus.opus", opus, L"<none>|o|<none>|1999|<none>|<none>|<none>"},
        {L"moov after a 64-bit mdat.m4a", M4A, SONG_FIELDS + L"2024-07-01|14.00.00"},
        {L"mvhd v1.mp4", Ftyp("isom") + Box("moov", Mvhd(true, 1)), NONE.substr(0, 35) + L"2024-07-01|14.00.00"},
        {L"created at 0.mp4", Ftyp("isom") + Box("moov", Mvhd(false, 1)), NONE},
        {L"old movie, last box to the end.mov", mov, NONE.substr(0, 35) + L"2024-07-01|14.00.00"},
        {L"Exif in a second extent.heic", Heic(false), NONE.substr(0, 35) + L"2020-12-31|23.59.59"},
        {L"Exif in idat.heif", Heic(true), NONE.substr(0, 35) + L"2020-12-31|23.59.59"},
        {L"flac bytes.m4a", FLAC, NONE},
        {L"m4a bytes.flac", M4A, NONE},
        {L"m4a bytes.ogg", M4A, NONE},
        {L"ogg bytes.mp4", OGG, NONE},
        {L"old movie bytes.mp4", mov, NONE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MediaFields(c.name, c.file), c.fields) << c.name;
}

// Modified times come from the listing in local time (summer time as of
// that date); online-only files get only those, their tags never read.
TEST(Tags, ListingFieldsAndOnlineOnlyFiles)
{
    TempFolder folder;
    StandInShell shell;
    const struct {
        const wchar_t* name;
        DWORD dwAttributes;
        ULONGLONG nWritten;
        const wchar_t* fields;
    } files[] = {
        {L"here.flac", 0, 133497936000000000ull, L"A 2024-01-15 13.00.00"},
        {L"data.flac", FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS, 133643088000000000ull, L"<none> 2024-07-01 14.00.00"},
        {L"open.flac", FILE_ATTRIBUTE_RECALL_ON_OPEN, 133497936000000000ull, L"<none> 2024-01-15 13.00.00"},
        {L"offline.flac", FILE_ATTRIBUTE_OFFLINE, 133497936000000000ull, L"<none> 2024-01-15 13.00.00"},
    };
    std::vector<CString> names;
    for (const auto& f : files) {
        HANDLE h = CreateFileW((folder / f.name).c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
        DWORD n;
        FILETIME written = {(DWORD)f.nWritten, (DWORD)(f.nWritten >> 32)};
        ASSERT_TRUE(WriteFile(h, FLAC.data(), (DWORD)FLAC.size(), &n, NULL) && SetFileTime(h, NULL, NULL, &written));
        CloseHandle(h);
        shell.addedAttributes[f.name] = f.dwAttributes;
        names.push_back(f.name);
    }
    TIME_ZONE_INFORMATION zone = CentralEurope();
    CNameList list;
    list.Reset(folder.Path().c_str());
    for (const CString& strName : names)
        list.Add(strName);
    CListedFields listed;
    listed.ReadListing(shell, list, &zone);
    ASSERT_TRUE(listed.ReadAllTags());
    for (int i = 0; i < listed.GetCount(); ++i) {
        const TagFields& f = listed.Fields(i, true);
        EXPECT_EQ(Field(f, TAG_FIELD_ARTIST) + L" " + Field(f, TAG_FIELD_MODIFIED_DATE) + L" " +
                      Field(f, TAG_FIELD_MODIFIED_TIME),
                  files[i].fields)
            << names[i].str();
        EXPECT_EQ(listed.IsOnlineOnly(i), files[i].dwAttributes != 0);
    }
    // A format of listing fields alone asks for no file's tags.
    CTagFormat format;
    std::wstring unknown;
    ASSERT_TRUE(format.Parse(L"%MODIFIED_DATE% %modified_time%", unknown));
    EXPECT_FALSE(format.NeedsFileTags());
}

TEST(Tags, DamagedInputIsNeverReadPastItsEnd)
{
    // Each buffer ends where a page without access begins.
    const size_t PAGE = 4096, DATA_PAGES = 4;
    unsigned char* pBase =
        (unsigned char*)VirtualAlloc(NULL, PAGE * (DATA_PAGES + 1), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_TRUE(pBase);
    DWORD nOld;
    ASSERT_TRUE(VirtualProtect(pBase + PAGE * DATA_PAGES, PAGE, PAGE_NOACCESS, &nOld));
    unsigned char* pEnd = pBase + PAGE * DATA_PAGES;

    const Bytes samples[] = {
        Tag(3, Unsync(Num(6, 4) + Bytes(6) + Frame(3, "TIT2", Text("\xFF\xFF t")) + Frame(3, "TRCK", Text("1"))), 0xC0),
        Tag(4, Num(6, 4, true) + Bytes(2) + Frame(4, "TPE1", Num(5, 4, true) + Unsync(Text("\xFF" "abc")), 3)) +
            V1("t", "a", 1),
        Tag(2, Frame(2, "TT2", Text("", 1) + Bytes{0xFF, 0xFE} + Utf16(L"abc", false))) + V1("t", "a", 2),
        Jpeg(true, "2024:05:01 13:45:10", "2020:12:31 23:59:59"),
        Jpeg(false, "2024:05:01 13:45:10", "2020:12:31 23:59:59"),
        FLAC, OGG, M4A, Heic(false), Heic(true),
    };
    std::mt19937 rng(20240501);
    for (int i = 0; i < 10000; ++i) {
        Bytes b;
        if (i % 4 == 0) {
            b.resize(rng() % 600);
            for (unsigned char& c : b)
                c = (unsigned char)rng();
            const Bytes starts[] = {S("ID3\x03"), S("ID3\x04"), Bytes{0xFF, 0xD8, 0xFF, 0xE1}, S("fLaC"), S("OggS"),
                                    Num(1, 4) + S("ftyp"), Num(40, 4) + S("meta")};
            if (i % 8 == 0 && b.size() >= 8)
                std::copy(starts[i / 8 % 7].begin(), starts[i / 8 % 7].end(), b.begin());
        } else {
            b = samples[rng() % (sizeof(samples) / sizeof(samples[0]))];
            for (int nFlips = i % 3; nFlips > 0; --nFlips)  // sizes, offsets, counts
                b[rng() % b.size()] = (unsigned char)rng();
            b.resize(rng() % (b.size() + 1));
        }
        unsigned char* p = pEnd - b.size();
        std::copy(b.begin(), b.end(), p);
        // Through a reader (its own window on the bytes) the fields are the same.
        TagByteReader read = [&](unsigned long long nOffset, void* pBuffer, size_t nBytes) -> size_t {
            size_t n = nOffset < b.size() ? std::min<size_t>(nBytes, b.size() - nOffset) : 0;
            std::copy(p + nOffset, p + nOffset + n, (unsigned char*)pBuffer);
            return n;
        };
        ASSERT_EQ(ReadMp3Fields(p, b.size()), ReadMp3Fields(read, b.size())) << i;
        ASSERT_EQ(ReadJpegFields(p, b.size()), ReadJpegFields(read, b.size())) << i;
        for (TagFileKind nKind : {TAG_FILE_FLAC, TAG_FILE_OGG, TAG_FILE_MOV}) {
            CByteSource memory(p, b.size()), file(read, b.size());
            ASSERT_EQ(ReadFieldsOfKind(memory, nKind), ReadFieldsOfKind(file, nKind)) << i << " " << nKind;
        }
    }
    VirtualFree(pBase, 0, MEM_RELEASE);
}

TEST(Tags, FormatToName)
{
    CTagFormat format;
    std::wstring unknown;
    EXPECT_FALSE(format.Parse(L"%track% %titel%", unknown));
    EXPECT_EQ(unknown, L"titel");

    const TagFields song = {{L"track", L"03"}, {L"title", L"a/b:c*?\"<>|\td. ."}, {L"date", L"2024-05-01"}};
    struct {
        const wchar_t *format, *file, *name;
    } cases[] = {
        {L"%track% %TITLE%", L"x.mp3", L"03 a_b_c______d.mp3"},
        {L"%artist% - %title%", L"x.mp3", NULL},
        {L"%date%  . ", L"C:\\a.b\\IMG.JPG", L"2024-05-01.JPG"},
        {L"%track%", L"x.tar.gz", L"03.gz"},
        {L"%track%", L".bashrc", L"03"},
        {L"%track%", L"C:\\a.b\\noext", L"03"},
        {L" ..", L"x.mp3", NULL},
        {L"100%", L"x.mp3", L"100%.mp3"},
    };
    for (const auto& c : cases) {
        std::wstring name = L"<none>";
        ASSERT_TRUE(format.Parse(c.format, unknown)) << c.format;
        EXPECT_EQ(format.MakeName(song, c.file, name), c.name != NULL) << c.format;
        EXPECT_EQ(name, c.name ? c.name : L"<none>") << c.format;
    }
}
