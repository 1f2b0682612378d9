#include "platform/DiskNames.h"

#include <algorithm>
#include <map>

namespace {

// Program path -> name on disk of its last part, for entries whose program
// name is not their name on disk. Keyed with letter case folded, so that
// another spelling of a remembered name ("노래.MP3" for "노래.mp3") reaches
// the same entry, as it would on disk; ordered, so that a folder's entries
// and everything below it are neighbours.
std::map<std::wstring, std::wstring>& Remembered()
{
    static std::map<std::wstring, std::wstring> names;
    return names;
}

bool StartsWith(const std::wstring& str, const std::wstring& prefix)
{
    return str.size() >= prefix.size() && str.compare(0, prefix.size(), prefix) == 0;
}

// Whether a part of a path may be one the platform remembers: a composed
// spelling holds a letter beyond ASCII, a short name a "~".
bool MayBeRemembered(const wchar_t* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (p[i] >= 0x80 || p[i] == L'~')
            return true;
    return false;
}

}  // namespace

std::wstring FoldedWide(std::wstring wstr)
{
    if (!wstr.empty())
        ::CharUpperBuffW(&wstr[0], (DWORD)wstr.size());
    return wstr;
}

int CompareWideNoCase(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), (int)a.size(), b.c_str(), (int)b.size(), TRUE) - CSTR_EQUAL;
}

bool FindEntry(const std::wstring& wstrPath, WIN32_FIND_DATAW& fd)
{
    HANDLE hFind = ::FindFirstFileW(wstrPath.c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(hFind);
    return true;
}

std::wstring WideFromCodePage(const CString& str)
{
    int n = ::MultiByteToWideChar(CP_ACP, 0, str, str.GetLength(), NULL, 0);
    std::wstring w(n, L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, str, str.GetLength(), &w[0], n);
    return w;
}

bool ExactCodePage(const std::wstring& wstr, CString& str)
{
    if (wstr.empty()) {
        str.Empty();
        return true;
    }
    // A name on disk is at most a few hundred characters: it is converted
    // on the stack, one call each way, as listing thousands of names asks.
    char szLocal[1024];
    wchar_t wszBack[512];
    std::string heap;
    char* psz = szLocal;
    int cb = (int)sizeof(szLocal);
    if (wstr.size() * 2 > sizeof(szLocal)) {
        heap.resize(wstr.size() * 2);
        psz = &heap[0];
        cb = (int)heap.size();
    }
    BOOL bDefaultUsed = FALSE;
    int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wstr.data(), (int)wstr.size(), psz, cb, NULL,
                                  &bDefaultUsed);
    if (n <= 0 || bDefaultUsed)
        return false;
    // The name must come back unchanged: then the code-page string stands
    // for this name and no other.
    if (wstr.size() <= sizeof(wszBack) / sizeof(wszBack[0])) {
        int nBack = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, psz, n, wszBack,
                                          (int)(sizeof(wszBack) / sizeof(wszBack[0])));
        if (nBack != (int)wstr.size() || wstr.compare(0, wstr.size(), wszBack, nBack) != 0)
            return false;
        str = CString(psz, n);
        return true;
    }
    CString strCandidate(psz, n);
    if (WideFromCodePage(strCandidate) != wstr)
        return false;
    str = strCandidate;
    return true;
}

bool ComposedCodePage(const std::wstring& wstr, CString& str)
{
    if (ExactCodePage(wstr, str))
        return true;
    int n = ::NormalizeString(NormalizationC, wstr.data(), (int)wstr.size(), NULL, 0);
    if (n <= 0)
        return false;
    std::wstring composed(n, L'\0');
    n = ::NormalizeString(NormalizationC, wstr.data(), (int)wstr.size(), &composed[0], n);
    if (n <= 0)
        return false;
    composed.resize(n);
    return ExactCodePage(composed, str);
}

CString NearestCodePage(const std::wstring& wstr)
{
    int n = ::WideCharToMultiByte(CP_ACP, 0, wstr.data(), (int)wstr.size(), NULL, 0, NULL, NULL);
    if (n <= 0)
        return CString();
    std::string s(n, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wstr.data(), (int)wstr.size(), &s[0], n, NULL, NULL);
    return CString(s);
}

std::wstring ProgramPath(const CString& strPath)
{
    // "/" separates folders as "\\" does; the platform keeps one spelling.
    std::wstring wstrPath = WideFromCodePage(strPath);
    std::replace(wstrPath.begin(), wstrPath.end(), L'/', L'\\');
    return wstrPath;
}

std::wstring DiskPath(const CString& strPath)
{
    std::wstring wstrPath = ProgramPath(strPath);
    const std::map<std::wstring, std::wstring>& names = Remembered();
    if (names.empty())
        return wstrPath;
    // Part by part: a remembered part is known by the program path up to
    // its end.
    const std::wstring wstrKey = FoldedWide(wstrPath);
    std::wstring wstrDisk;
    size_t nStart = 0;
    while (nStart <= wstrPath.size()) {
        size_t nEnd = wstrPath.find(L'\\', nStart);
        if (nEnd == std::wstring::npos)
            nEnd = wstrPath.size();
        auto found = names.end();
        if (nEnd > nStart && MayBeRemembered(wstrPath.data() + nStart, nEnd - nStart))
            found = names.find(wstrKey.substr(0, nEnd));
        if (found != names.end())
            wstrDisk += found->second;
        else
            wstrDisk.append(wstrPath, nStart, nEnd - nStart);
        if (nEnd < wstrPath.size())
            wstrDisk += L'\\';
        nStart = nEnd + 1;
    }
    return wstrDisk;
}

void ForgetFolderEntries(const std::wstring& wstrProgramFolder)
{
    const std::wstring wstrFolder = FoldedWide(wstrProgramFolder);
    std::map<std::wstring, std::wstring>& names = Remembered();
    for (auto it = names.lower_bound(wstrFolder); it != names.end() && StartsWith(it->first, wstrFolder);) {
        // Only the folder's own entries; those of its subfolders stay.
        if (it->first.find(L'\\', wstrFolder.size()) == std::wstring::npos)
            it = names.erase(it);
        else
            ++it;
    }
}

void RememberDiskName(const std::wstring& wstrProgramPath, const std::wstring& wstrDiskName)
{
    Remembered()[FoldedWide(wstrProgramPath)] = wstrDiskName;
}

void FollowMove(const std::wstring& wstrOldProgramPath, const std::wstring& wstrNewProgramPath)
{
    std::map<std::wstring, std::wstring>& names = Remembered();
    if (names.empty())
        return;
    const std::wstring wstrOldPath = FoldedWide(wstrOldProgramPath), wstrNewPath = FoldedWide(wstrNewProgramPath);
    // The entry now has the name the move gave it.
    names.erase(wstrOldPath);
    const std::wstring wstrOldFolder = wstrOldPath + L"\\";
    auto it = names.lower_bound(wstrOldFolder);
    if (it == names.end() || !StartsWith(it->first, wstrOldFolder))
        return;
    std::map<std::wstring, std::wstring> moved;
    while (it != names.end() && StartsWith(it->first, wstrOldFolder)) {
        moved[wstrNewPath + L"\\" + it->first.substr(wstrOldFolder.size())] = it->second;
        it = names.erase(it);
    }
    for (auto& entry : moved)
        names[entry.first] = entry.second;
}
