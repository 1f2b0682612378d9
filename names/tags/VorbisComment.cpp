#include "names/tags/VorbisComment.h"

#include <cstring>

#include "names/tags/ByteSource.h"
#include "names/tags/TagText.h"

namespace {

// The name before "=" is looked for in this many bytes; names are short.
const size_t MAX_NAME = 32;
// Comments longer than this hold no field worth a file name.
const unsigned long MAX_TEXT = 64u << 10;
// A count beyond this is damage; real files hold a few dozen.
const unsigned long MAX_COMMENTS = 100000;

const wchar_t* FieldOfName(const std::string& name)
{
    static const struct {
        const char* name;
        const wchar_t* field;
    } s_names[] = {{"ARTIST", TAG_FIELD_ARTIST}, {"TITLE", TAG_FIELD_TITLE},       {"ALBUM", TAG_FIELD_ALBUM},
                   {"DATE", TAG_FIELD_YEAR},     {"TRACKNUMBER", TAG_FIELD_TRACK}};
    for (const auto& n : s_names)
        if (_stricmp(n.name, name.c_str()) == 0)
            return n.field;
    return NULL;
}

bool ReadLength(CCommentBytes& bytes, unsigned long& n)
{
    std::string b;
    if (!bytes.Read(4, b))
        return false;
    n = LittleEndian32((const unsigned char*)b.data());
    return true;
}

}  // namespace

void ReadVorbisComments(CCommentBytes& bytes, TagFields& fields)
{
    unsigned long nVendor, nCount;
    if (!ReadLength(bytes, nVendor) || !bytes.Skip(nVendor) || !ReadLength(bytes, nCount))
        return;
    for (unsigned long i = 0; i < nCount && i < MAX_COMMENTS; ++i) {
        unsigned long nLength;
        std::string text;
        if (!ReadLength(bytes, nLength) || !bytes.Read(nLength < MAX_NAME ? nLength : MAX_NAME, text))
            return;
        const size_t nEquals = text.find('=');
        const wchar_t* field = nEquals == std::string::npos ? NULL : FieldOfName(text.substr(0, nEquals));
        if (!field || fields.count(field) || nLength > MAX_TEXT) {
            if (!bytes.Skip(nLength - text.size()))
                return;
            continue;
        }
        if (!bytes.Read(nLength - text.size(), text))
            return;
        const std::wstring value =
            WideFromUtf8Bytes((const unsigned char*)text.data() + nEquals + 1, text.size() - nEquals - 1);
        if (field == TAG_FIELD_YEAR)
            SetYearField(fields, value);
        else
            SetTagField(fields, field, value);
    }
}
