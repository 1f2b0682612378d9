// Listing a folder of 2000 files and renaming them, each against the bare
// platform calls it rests on.
#include <algorithm>
#include <random>
#include <vector>

#include "bench/bench.h"
#include "names/NameList.h"
#include "names/Renamer.h"

namespace {

const int FILE_COUNT = 2000;
const int RUNS = 7;
const int LISTING_RUNS = 15;

// File names of mixed case, digits and Korean, created in random order so
// that the enumeration does not hand them over sorted.
std::vector<std::string> MakeFolderOfFiles(const std::string& folder, const char* prefix)
{
    std::vector<std::string> names;
    for (int i = 0; i < FILE_COUNT; ++i) {
        const char* stem = i % 3 == 0 ? "Track_" : i % 3 == 1 ? "track" : "노래 ";
        names.push_back(std::string(prefix) + stem + std::to_string(i * 7919 % 10007) + ".mp3");
    }
    std::vector<std::string> order = names;
    std::shuffle(order.begin(), order.end(), std::mt19937(2024));
    for (const std::string& n : order) {
        HANDLE h = CreateFileA((folder + n).c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD written;
            WriteFile(h, n.data(), (DWORD)n.size(), &written, NULL);
            CloseHandle(h);
        }
    }
    return names;
}

int BareEnumeration(const std::string& folder)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*.*").c_str(), &fd);
    int n = 0;
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++n;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}

}  // namespace

QUORVEL_BENCH(names_listing)
{
    std::string folder = BenchTempFolder("listing");
    MakeFolderOfFiles(folder, "");
    std::vector<CString> names(MAX_NAMES);

    double bestEnum = 1e9, bestList = 1e9;
    int nEnumerated = 0, nListed = 0;
    size_t nTextBytes = 0;
    for (int run = 0; run < LISTING_RUNS; ++run) {
        double t0 = BenchNow();
        nEnumerated = BareEnumeration(folder);
        double t1 = BenchNow();
        nListed = ListFolderFiles(CString(folder), names.data());
        CString text = JoinNames(names.data(), nListed);
        double t2 = BenchNow();
        nTextBytes = text.GetLength();
        bestEnum = std::min(bestEnum, t1 - t0);
        bestList = std::min(bestList, t2 - t1);
    }
    BenchPrint("listing_files_enumerated", nEnumerated);
    BenchPrint("listing_names_listed", nListed);
    BenchPrint("listing_text_bytes", (double)nTextBytes);
    BenchPrint("listing_bare_enumeration_ms", bestEnum * 1000, "ms");
    BenchPrint("listing_list_and_join_ms", bestList * 1000, "ms");
    BenchPrint("listing_ratio", bestList / bestEnum, "x (target <= 1.5)");
    BenchRemoveTree(folder);
}

QUORVEL_BENCH(names_rename)
{
    std::string folder = BenchTempFolder("rename");
    MakeFolderOfFiles(folder, "a_");
    std::vector<CString> cur(MAX_NAMES), fresh(MAX_NAMES);
    int nCount = ListFolderFiles(CString(folder), cur.data());

    // Each run renames every file from one prefix to another, alternately
    // through ApplyRenames and through a bare MoveFileA loop over paths
    // built beforehand, so both see the same kind of files and names.
    double bestApply = 1e9, bestBare = 1e9;
    size_t nFailures = 0;
    int nBareFailures = 0;
    char chPrefix = 'a';
    for (int run = 0; run < RUNS; ++run) {
        char chNext = chPrefix + 1;
        for (int i = 0; i < nCount; ++i)
            fresh[i] = CString(std::string(1, chNext) + cur[i].Mid(1).str());
        CString text = JoinNames(fresh.data(), nCount);
        std::vector<CString> lines(MAX_NAMES);
        double t0 = BenchNow();
        nFailures += ApplyRenames(CString(folder), text, nCount, cur.data(), lines.data()).size();
        double t1 = BenchNow();
        bestApply = std::min(bestApply, t1 - t0);
        chPrefix = chNext;

        chNext = chPrefix + 1;
        std::vector<std::string> from(nCount), to(nCount);
        for (int i = 0; i < nCount; ++i) {
            from[i] = folder + cur[i].str();
            cur[i] = CString(std::string(1, chNext) + cur[i].Mid(1).str());
            to[i] = folder + cur[i].str();
        }
        double t2 = BenchNow();
        for (int i = 0; i < nCount; ++i)
            if (!MoveFileA(from[i].c_str(), to[i].c_str()))
                ++nBareFailures;
        double t3 = BenchNow();
        bestBare = std::min(bestBare, t3 - t2);
        chPrefix = chNext;
    }
    BenchPrint("rename_files", nCount);
    BenchPrint("rename_failures", (double)nFailures + nBareFailures);
    BenchPrint("rename_bare_movefile_loop_ms", bestBare * 1000, "ms");
    BenchPrint("rename_apply_renames_ms", bestApply * 1000, "ms");
    BenchPrint("rename_ratio", bestApply / bestBare, "x (target <= 1.2)");
    BenchRemoveTree(folder);
}
