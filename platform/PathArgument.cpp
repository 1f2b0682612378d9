#include "platform/PathArgument.h"

#include <windows.h>

#include <string>

#include "platform/PathIdentity.h"

CString FirstCommandLineArgument(const wchar_t* pszArgs)
{
    if (!pszArgs)
        return CString();
    const wchar_t* p = pszArgs;
    while (*p == L' ' || *p == L'\t')
        ++p;
    std::wstring arg;
    bool bQuoted = false;
    while (*p && (bQuoted || (*p != L' ' && *p != L'\t'))) {
        if (*p == L'\\') {
            size_t nSlashes = 0;
            while (*p == L'\\') {
                ++nSlashes;
                ++p;
            }
            if (*p != L'"') {
                arg.append(nSlashes, L'\\');
                continue;
            }
            arg.append(nSlashes / 2, L'\\');
            if (nSlashes % 2) {
                arg.push_back(L'"');
                ++p;
            }
        } else if (*p == L'"') {
            bQuoted = !bQuoted;
            ++p;
        } else {
            arg.push_back(*p++);
        }
    }
    return CString(std::move(arg));
}

namespace {

bool StartsWith(const std::wstring& s, const wchar_t* pszPrefix)
{
    const size_t n = wcslen(pszPrefix);
    return s.size() >= n && CompareStringOrdinal(s.c_str(), (int)n, pszPrefix, (int)n, TRUE) == CSTR_EQUAL;
}

bool IsDriveLetterPath(const std::wstring& s)
{
    return s.size() >= 2 && s[1] == L':' && ((s[0] >= L'A' && s[0] <= L'Z') || (s[0] >= L'a' && s[0] <= L'z'));
}

// A Win32 call that fills a buffer of characters, asked again with the
// size it says it needs; empty when it fails.
template <typename Call>
std::wstring FilledBy(Call call)
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (int nTries = 0; nTries < 3; ++nTries) {
        const DWORD n = call(&buffer[0], (DWORD)buffer.size());
        if (n == 0)
            return std::wstring();
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.assign(n + 1, L'\0');
    }
    return std::wstring();
}

}  // namespace

CPathArgument ResolvePathArgument(const CString& strArgument)
{
    CPathArgument result;
    std::wstring path = strArgument.str();
    if (!path.empty() && path.back() == L'"')
        path.pop_back();
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    if (path.empty())
        return result;
    if (StartsWith(path, L"\\\\?\\UNC\\")) {
        result.kind = PATH_ARGUMENT_NETWORK;
        return result;
    }
    if (StartsWith(path, L"\\\\?\\"))
        path.erase(0, 4);
    // "D:" alone would be the drive's current folder; what hands it over
    // means its root.
    if (path.size() == 2 && IsDriveLetterPath(path))
        path.push_back(L'\\');
    // Resolved against the current folder, which may itself be a share.
    std::wstring full =
        FilledBy([&](wchar_t* pBuf, DWORD n) { return ::GetFullPathNameW(path.c_str(), n, pBuf, NULL); });
    if (full.empty())
        full = path;
    if (!IsDriveLetterPath(full)) {
        // A share ("\\server\share\..."), or a device's or volume's own
        // namespace, which the tree cannot show either.
        const bool bShare = StartsWith(full, L"\\\\") && !StartsWith(full, L"\\\\.\\") && !StartsWith(full, L"\\\\?\\");
        result.kind = bShare ? PATH_ARGUMENT_NETWORK : PATH_ARGUMENT_MISSING;
        result.strPath = CString(full);
        return result;
    }
    const DWORD dwAttributes = ::GetFileAttributesW(LongPath(CString(full)).c_str());
    if (dwAttributes == INVALID_FILE_ATTRIBUTES) {
        result.kind = PATH_ARGUMENT_MISSING;
        result.strPath = CString(full);
        return result;
    }
    // Short (8.3) parts become the names the tree's items keep.
    std::wstring longForm =
        FilledBy([&](wchar_t* pBuf, DWORD n) { return ::GetLongPathNameW(full.c_str(), pBuf, n); });
    if (!longForm.empty())
        full = longForm;
    const bool bFolder = (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (bFolder && full.back() != L'\\')
        full.push_back(L'\\');
    result.kind = bFolder ? PATH_ARGUMENT_FOLDER : PATH_ARGUMENT_FILE;
    result.strPath = CString(full);
    return result;
}
