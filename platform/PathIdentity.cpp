#include "platform/PathIdentity.h"

#include <windows.h>

#include <algorithm>
#include <numeric>

#include "platform/NameParts.h"

namespace {

// The length of the root a path begins with, separators included: "C:\",
// "\\server\share\", "\\?\C:\", "\\?\UNC\server\share\"; 0 for a relative
// path. ".." never climbs above it.
size_t RootLength(const std::wstring& path)
{
    size_t n = 0;
    if (path.compare(0, 4, L"\\\\?\\") == 0) {
        n = 4;
        if (path.compare(4, 4, L"UNC\\") == 0) {
            n = 8;
        } else {
            // "\\?\C:\"
            size_t nEnd = path.find(L'\\', n);
            return nEnd == std::wstring::npos ? path.size() : nEnd + 1;
        }
    } else if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) {
        n = 2;
    } else if (path.size() >= 2 && path[1] == L':') {
        return path.size() >= 3 && IsPathSeparator(path[2]) ? 3 : 2;
    } else {
        return 0;
    }
    // Server and share.
    for (int nPart = 0; nPart < 2 && n < path.size(); ++nPart) {
        while (n < path.size() && !IsPathSeparator(path[n]))
            ++n;
        if (n < path.size())
            ++n;
    }
    return n;
}

}  // namespace

CString ResolvePathText(const CString& strPath)
{
    const std::wstring& path = strPath.str();
    const size_t nRoot = RootLength(path);
    std::wstring root = path.substr(0, nRoot);
    std::replace(root.begin(), root.end(), L'/', L'\\');
    std::vector<std::wstring> parts;
    size_t nStart = nRoot;
    while (nStart < path.size()) {
        size_t nEnd = nStart;
        while (nEnd < path.size() && !IsPathSeparator(path[nEnd]))
            ++nEnd;
        std::wstring part = path.substr(nStart, nEnd - nStart);
        if (part == L"..") {
            if (!parts.empty() && parts.back() != L"..")
                parts.pop_back();
            else if (nRoot == 0)
                parts.push_back(part);  // a relative path keeps what it cannot resolve
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        nStart = nEnd + 1;
    }
    std::wstring out = root;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += L'\\';
        out += parts[i];
    }
    if (!path.empty() && IsPathSeparator(path.back()) && !parts.empty())
        out += L'\\';
    return CString(std::move(out));
}

std::wstring LongPath(const CString& strPath)
{
    std::wstring path = ResolvePathText(strPath).str();
    if (path.compare(0, 4, L"\\\\?\\") == 0)
        return path;
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\')
        return L"\\\\?\\" + path;
    if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\')
        return L"\\\\?\\UNC\\" + path.substr(2);
    return path;
}

std::wstring FoldedName(const std::wstring& wstrName)
{
    std::wstring folded = wstrName;
    if (!folded.empty())
        ::CharUpperBuffW(&folded[0], (DWORD)folded.size());
    return folded;
}

int CompareFileNames(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), (int)a.size(), b.c_str(), (int)b.size(), TRUE) - CSTR_EQUAL;
}

std::vector<int> IdentifyPaths(const std::vector<CString>& paths)
{
    std::vector<std::wstring> keys;
    keys.reserve(paths.size());
    for (const CString& p : paths)
        keys.push_back(ResolvePathText(p).str());
    std::vector<int> order(paths.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return CompareFileNames(keys[a], keys[b]) < 0; });
    std::vector<int> ids(paths.size());
    int nId = -1;
    for (size_t k = 0; k < order.size(); ++k) {
        if (k == 0 || CompareFileNames(keys[order[k - 1]], keys[order[k]]) != 0)
            ++nId;
        ids[order[k]] = nId;
    }
    return ids;
}

bool IsSamePath(const CString& strPath1, const CString& strPath2)
{
    return CompareFileNames(ResolvePathText(strPath1).str(), ResolvePathText(strPath2).str()) == 0;
}

bool IsReservedDeviceName(const std::wstring& wstrPart)
{
    std::wstring base = wstrPart.substr(0, wstrPart.find(L'.'));
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    for (wchar_t& c : base)
        if (c >= L'a' && c <= L'z')
            c = c - L'a' + L'A';
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (const wchar_t* device : kDevices)
        if (base == device)
            return true;
    if (base.size() != 4 || (base.compare(0, 3, L"COM") != 0 && base.compare(0, 3, L"LPT") != 0))
        return false;
    // COM1-9 and LPT1-9, and with the superscript digits Windows also takes
    // for device numbers.
    const wchar_t d = base[3];
    return (d >= L'1' && d <= L'9') || d == L'\u00B9' || d == L'\u00B2' || d == L'\u00B3';
}
