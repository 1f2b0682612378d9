#include "bench/bench.h"

#include <cstring>
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

std::string BenchTempFolder(const char* tag)
{
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof(cwd), cwd);
    std::string folder = std::string(cwd) + "\\bench_" + tag + "_" + std::to_string(GetCurrentProcessId()) + "\\";
    BenchRemoveTree(folder);
    CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

void BenchRemoveTree(const std::string& folder)
{
    std::string base = folder;
    if (!base.empty() && base.back() != '\\')
        base += '\\';
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((base + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!strcmp(fd.cFileName, ".") || !strcmp(fd.cFileName, ".."))
                continue;
            std::string p = base + fd.cFileName;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                BenchRemoveTree(p);
            else {
                SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(p.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(base.c_str());
}

CString BenchNamesText()
{
    static CString names[MAX_NAMES];
    for (int i = 0; i < MAX_NAMES; ++i) {
        std::string s = "곡 " + std::to_string(10000 + i) + " ";
        s.resize(36, 'a');
        names[i] = CString((s + ".mp3").c_str());
    }
    return JoinNames(names, MAX_NAMES);
}

// The application object, as the program has one: a dialog measured here
// becomes its main window.
static CWinApp s_benchApp;

int main(int argc, char** argv)
{
    AfxWinInitForTests();
    for (const Entry& e : Registry()) {
        bool run = argc < 2;
        for (int i = 1; i < argc; ++i)
            run = run || strcmp(argv[i], e.name) == 0;
        if (run)
            e.fn();
    }
    return 0;
}
