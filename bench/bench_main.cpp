#include "bench/bench.h"

#include <cstring>
#include <cwchar>
#include <vector>

#include "framework/afxwin.h"
#include "names/NameList.h"

namespace {
struct Entry {
    const char* name;
    BenchFn fn;
};
std::vector<Entry>& Registry()
{
    static std::vector<Entry> r;
    return r;
}
}  // namespace

BenchRegistrar::BenchRegistrar(const char* name, BenchFn fn)
{
    Registry().push_back({name, fn});
}

double BenchNow()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return (double)c.QuadPart / (double)f.QuadPart;
}

void BenchPrint(const char* name, double value, const char* unit)
{
    printf("%s: %.3f%s%s\n", name, value, *unit ? " " : "", unit);
    fflush(stdout);
}

std::wstring BenchTempFolder(const wchar_t* tag)
{
    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    std::wstring folder =
        std::wstring(cwd) + L"\\bench_" + tag + L"_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    BenchRemoveTree(folder);
    CreateDirectoryW(folder.c_str(), NULL);
    return folder;
}

double BenchBareReads(const std::vector<std::wstring>& paths, int* pnFull)
{
    const DWORD BARE_READ = 4096;
    std::vector<char> buffer(BARE_READ);
    double t0 = BenchNow();
    for (const std::wstring& path : paths) {
        HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        DWORD n = 0;
        if (h != INVALID_HANDLE_VALUE) {
            if (ReadFile(h, buffer.data(), BARE_READ, &n, NULL) && n == BARE_READ && pnFull)
                ++*pnFull;
            CloseHandle(h);
        }
    }
    return BenchNow() - t0;
}

void BenchRemoveTree(const std::wstring& folder)
{
    std::wstring base = folder;
    if (!base.empty() && base.back() != L'\\')
        base += L'\\';
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((base + L"*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!wcscmp(fd.cFileName, L".") || !wcscmp(fd.cFileName, L".."))
                continue;
            std::wstring p = base + fd.cFileName;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                BenchRemoveTree(p);
            else {
                SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(p.c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(base.c_str());
}

CString BenchNamesText()
{
    static CString names[MAX_NAMES];
    for (int i = 0; i < MAX_NAMES; ++i) {
        std::wstring s = L"곡 " + std::to_wstring(10000 + i) + L" ";
        s.resize(36, L'a');
        names[i] = CString(s + L".mp3");
    }
    return JoinNames(names, MAX_NAMES);
}

// The application object, as the program has one: a dialog measured here
// becomes its main window.
static CWinApp s_benchApp;

int main(int argc, char** argv)
{
    Enable3dControlsStatic();
    for (const Entry& e : Registry()) {
        bool run = argc < 2;
        for (int i = 1; i < argc; ++i)
            run = run || strcmp(argv[i], e.name) == 0;
        if (run)
            e.fn();
    }
    return 0;
}
