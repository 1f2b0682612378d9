#include "names/NameCheck.h"

#include <cwchar>
#include <vector>

#include "platform/PathIdentity.h"

namespace {

const size_t MAX_NAME_CHARS = 255;
const size_t MAX_LONG_PATH_CHARS = 32767;

// The parts of a name between separators.
std::vector<std::wstring> SplitParts(const std::wstring& s)
{
    std::vector<std::wstring> parts(1);
    for (wchar_t c : s) {
        if (IsPathSeparator(c))
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// False for characters no name may hold, and for half a surrogate pair.
bool HoldsOnlyNameCharacters(const std::wstring& s)
{
    for (size_t i = 0; i < s.size(); ++i) {
        wchar_t c = s[i];
        if (c < 0x20 || wcschr(L"<>:\"|?*", c))
            return false;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF)
                return false;
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsAcceptableName(const CString& strName, bool bAllowFolders)
{
    if (!HoldsOnlyNameCharacters(strName.str()))
        return false;
    std::vector<std::wstring> parts = SplitParts(strName.str());
    if (!bAllowFolders && parts.size() > 1)
        return false;
    const std::wstring& last = parts.back();
    if (last.empty() || last == L"." || last == L"..")
        return false;
    for (const std::wstring& part : parts) {
        if (part.empty() || part == L"." || part == L"..")
            continue;
        if (part.back() == L'.' || part.back() == L' ' || IsReservedDeviceName(part))
            return false;
    }
    return true;
}

bool MayBeStoredShortened(const CString& strName)
{
    const std::wstring& s = strName.str();
    if (s.size() <= 85)
        return false;  // at most 3 UTF-8 bytes per UTF-16 unit: never above 255
    return ::WideCharToMultiByte(CP_UTF8, 0, s.data(), (int)s.size(), NULL, 0, NULL, NULL) > 255;
}

bool IsPathTooLong(const CString& strPath)
{
    for (const std::wstring& part : SplitParts(strPath.str()))
        if (part.size() > MAX_NAME_CHARS)
            return true;
    return LongPath(strPath).size() >= MAX_LONG_PATH_CHARS;
}
