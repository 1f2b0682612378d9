#include "names/TagFormat.h"

#include <cwchar>
#include <cwctype>

#include "platform/NameParts.h"

namespace {

const wchar_t FIELD_MARK = L'%';
// Characters Windows refuses in a file name.
const wchar_t NAME_FORBIDDEN[] = L"\\/:*?\"<>|";
const wchar_t NAME_REPLACEMENT = L'_';

// The known field named by text in any letter case, or NULL.
const wchar_t* KnownField(const std::wstring& text)
{
    for (const wchar_t* field : TAG_FIELD_NAMES) {
        if (wcslen(field) != text.size())
            continue;
        size_t i = 0;
        while (i < text.size() && (wchar_t)towlower(text[i]) == field[i])
            ++i;
        if (i == text.size())
            return field;
    }
    return NULL;
}

// The extension a name made from tags carries over: the file's own, but
// for a lone trailing dot, which Windows drops from a name.
std::wstring CarriedExtension(const CString& strFileName)
{
    const int nDot = ExtensionStart(strFileName);
    return nDot + 1 < strFileName.GetLength() ? strFileName.Mid(nDot).str() : std::wstring();
}

}  // namespace

bool CTagFormat::Parse(const std::wstring& wstrFormat, std::wstring& wstrUnknownField)
{
    m_pieces.clear();
    size_t nPos = 0;
    while (nPos < wstrFormat.size()) {
        size_t nOpen = wstrFormat.find(FIELD_MARK, nPos);
        size_t nClose = nOpen == std::wstring::npos ? nOpen : wstrFormat.find(FIELD_MARK, nOpen + 1);
        if (nClose == std::wstring::npos) {
            m_pieces.push_back({false, wstrFormat.substr(nPos)});
            break;
        }
        if (nOpen > nPos)
            m_pieces.push_back({false, wstrFormat.substr(nPos, nOpen - nPos)});
        std::wstring name = wstrFormat.substr(nOpen + 1, nClose - nOpen - 1);
        const wchar_t* field = KnownField(name);
        if (!field) {
            m_pieces.clear();
            wstrUnknownField = name;
            return false;
        }
        m_pieces.push_back({true, field});
        nPos = nClose + 1;
    }
    return true;
}

bool CTagFormat::MakeName(const TagFields& fields, const std::wstring& wstrFileName, std::wstring& wstrNewName) const
{
    std::wstring text;
    for (const CPiece& piece : m_pieces) {
        if (!piece.bField) {
            text += piece.wstrText;
            continue;
        }
        TagFields::const_iterator it = fields.find(piece.wstrText);
        if (it == fields.end())
            return false;
        text += it->second;
    }
    std::wstring name;
    for (wchar_t c : text) {
        if (c < L' ')
            continue;
        name += wcschr(NAME_FORBIDDEN, c) ? NAME_REPLACEMENT : c;
    }
    // Windows drops trailing dots and spaces from a name itself, so that a
    // name ending so would not be the name on disk.
    name.erase(name.find_last_not_of(L". ") + 1);
    if (name.empty())
        return false;
    wstrNewName = name + CarriedExtension(wstrFileName);
    return true;
}

bool CTagFormat::NeedsFileTags() const
{
    for (const CPiece& piece : m_pieces)
        if (piece.bField && piece.wstrText != TAG_FIELD_MODIFIED_DATE && piece.wstrText != TAG_FIELD_MODIFIED_TIME)
            return true;
    return false;
}
