// Names made from tags: a format such as "%track% %title%" filled in with
// one file's fields.
#pragma once

#include <string>
#include <vector>

#include "names/TagFields.h"

class CTagFormat {
public:
    // Takes a format: text in which "%name%" stands for the field of that
    // name (any letter case). A "%" left without its pair is plain text.
    // Returns false when the format names a field that does not exist, with
    // that name in wstrUnknownField; the format is then empty.
    bool Parse(const std::wstring& wstrFormat, std::wstring& wstrUnknownField);

    // The new name of the file named wstrFileName (a name or a full path)
    // from its fields: the format filled in, characters a file name cannot
    // hold replaced by "_", control characters dropped, trailing dots and
    // spaces trimmed, then the file's own extension as it is on disk.
    // Returns false, and the file keeps its name, when the file lacks a
    // field the format names or the name comes out empty.
    bool MakeName(const TagFields& fields, const std::wstring& wstrFileName, std::wstring& wstrNewName) const;

    // Whether the format names a field of a file's own tags, not only
    // fields the folder's listing gives (%modified_date%, %modified_time%).
    bool NeedsFileTags() const;

private:
    struct CPiece {
        bool bField;
        std::wstring wstrText;  // the field's name, or plain text
    };
    std::vector<CPiece> m_pieces;
};
