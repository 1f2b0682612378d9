#include "names/NameCheck.h"

#include <mbctype.h>

#include <cstring>
#include <vector>

namespace {

bool IsSeparator(unsigned char c)
{
    return c == '\\' || c == '/';
}

// The parts of a name between separators, cut at character boundaries.
std::vector<std::string> SplitParts(const std::string& s, bool& bBadChar)
{
    std::vector<std::string> parts(1);
    bBadChar = false;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = (unsigned char)s[i];
        if (_ismbblead(c) && i + 1 < s.size()) {
            parts.back().append(s, i, 2);
            i += 2;
            continue;
        }
        if (IsSeparator(c))
            parts.emplace_back();
        else {
            if (c < 0x20 || strchr("<>:\"|?*", c))
                bBadChar = true;
            parts.back() += (char)c;
        }
        ++i;
    }
    return parts;
}

bool IsReservedDeviceName(const std::string& part)
{
    // The device name is the part before its first dot, trailing spaces
    // ignored: "con.txt" and "NUL .mp3" are the devices too.
    std::string base = part.substr(0, part.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    if (base.size() != 3 && base.size() != 4)
        return false;
    char up[5] = {};
    for (size_t i = 0; i < base.size(); ++i)
        up[i] = (base[i] >= 'a' && base[i] <= 'z') ? base[i] - 'a' + 'A' : base[i];
    if (!strcmp(up, "CON") || !strcmp(up, "PRN") || !strcmp(up, "AUX") || !strcmp(up, "NUL"))
        return true;
    return base.size() == 4 && (!strncmp(up, "COM", 3) || !strncmp(up, "LPT", 3)) && up[3] >= '1' && up[3] <= '9';
}

}  // namespace

int LastPartStart(const CString& strName)
{
    const std::string& s = strName.str();
    int nStart = 0;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = (unsigned char)s[i];
        if (_ismbblead(c) && i + 1 < s.size()) {
            i += 2;
            continue;
        }
        ++i;
        if (IsSeparator(c))
            nStart = (int)i;
    }
    return nStart;
}

bool IsAcceptableName(const CString& strName, bool bAllowFolders)
{
    bool bBadChar = false;
    std::vector<std::string> parts = SplitParts(strName.str(), bBadChar);
    if (bBadChar || (!bAllowFolders && parts.size() > 1))
        return false;
    const std::string& last = parts.back();
    if (last.empty() || last == "." || last == "..")
        return false;
    for (const std::string& part : parts) {
        if (part.empty() || part == "." || part == "..")
            continue;
        // '.' and ' ' are never trail bytes in code page 949.
        if (part.back() == '.' || part.back() == ' ' || IsReservedDeviceName(part))
            return false;
    }
    return true;
}
