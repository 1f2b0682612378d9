#include "names/NameCheck.h"

#include <mbctype.h>
#include <windows.h>

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
    std::string up = base;
    for (char& c : up)
        if (c >= 'a' && c <= 'z')
            c = c - 'a' + 'A';
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices)
        if (up == device)
            return true;
    if (up.size() < 4 || (up.compare(0, 3, "COM") != 0 && up.compare(0, 3, "LPT") != 0))
        return false;
    // COM1-9 and LPT1-9, and with the superscript digits Windows also takes
    // for device numbers.
    std::string number = up.substr(3);
    if (number.size() == 1 && number[0] >= '1' && number[0] <= '9')
        return true;
    return number == "¹" || number == "²" || number == "³";
}

// False when the bytes are not characters of the ANSI code page (a lone
// lead byte, an undefined pair): the platform would store something else.
bool IsWholeAnsiText(const std::string& s)
{
    return s.empty() || ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, s.data(), (int)s.size(), NULL, 0) > 0;
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
    if (bBadChar || (!bAllowFolders && parts.size() > 1) || !IsWholeAnsiText(strName.str()))
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

bool MayBeStoredShortened(const CString& strName)
{
    const std::string& s = strName.str();
    if (s.size() <= 85)
        return false;  // at most 3 UTF-8 bytes per byte: never above 255
    int nWide = ::MultiByteToWideChar(CP_ACP, 0, s.data(), (int)s.size(), NULL, 0);
    std::wstring wide(nWide, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, s.data(), (int)s.size(), &wide[0], nWide);
    return ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), nWide, NULL, 0, NULL, NULL) > 255;
}

bool IsPathTooLong(const CString& strPath)
{
    const std::string& s = strPath.str();
    return ::MultiByteToWideChar(CP_ACP, 0, s.data(), (int)s.size(), NULL, 0) >= MAX_PATH;
}
