// Listing a folder of 2000 files and renaming them (to fresh names, shifted
// by one, rotated by one, and taken back), each against the bare platform
// calls it rests on.
#include <algorithm>
#include <random>
#include <vector>

#include "bench/bench.h"
#include "names/NameList.h"
#include "names/RenameRecord.h"
#include "names/Renamer.h"

namespace {

const int FILE_COUNT = 2000;
const int RUNS = 7;
const int LISTING_RUNS = 15;

// Creates the named files in random order, each holding its name, so that
// the enumeration does not hand them over sorted.
void CreateFiles(const std::string& folder, std::vector<std::string> names)
{
    std::shuffle(names.begin(), names.end(), std::mt19937(2024));
    for (const std::string& n : names) {
        HANDLE h = CreateFileA((folder + n).c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD written;
            WriteFile(h, n.data(), (DWORD)n.size(), &written, NULL);
            CloseHandle(h);
        }
    }
}

// File names of mixed case, digits and Korean.
std::vector<std::string> MakeFolderOfFiles(const std::string& folder, const char* prefix)
{
    std::vector<std::string> names;
    for (int i = 0; i < FILE_COUNT; ++i) {
        const char* stem = i % 3 == 0 ? "Track_" : i % 3 == 1 ? "track" : "노래 ";
        names.push_back(std::string(prefix) + stem + std::to_string(i * 7919 % 10007) + ".mp3");
    }
    CreateFiles(folder, names);
    return names;
}

// "곡 0001.mp3" and so on: numbered names that sort in their number's order.
std::string NumberedName(char chPrefix, int k)
{
    char buf[32];
    snprintf(buf, sizeof(buf), "%c 곡 %05d.mp3", chPrefix, k);
    return buf;
}

// A bare MoveFileA loop over paths built beforehand; returns its seconds
// and counts its failures.
double BareMoves(const std::vector<std::string>& from, const std::vector<std::string>& to, int& nFailures)
{
    double t0 = BenchNow();
    for (size_t i = 0; i < from.size(); ++i)
        if (!MoveFileA(from[i].c_str(), to[i].c_str()))
            ++nFailures;
    return BenchNow() - t0;
}

// Renames the listed files in place to chNext followed by the name less its
// first byte, with a bare MoveFileA loop; returns its seconds.
double BarePrefixChange(const std::string& folder, std::vector<CString>& cur, int nCount, char chNext,
                        int& nFailures)
{
    std::vector<std::string> from(nCount), to(nCount);
    for (int i = 0; i < nCount; ++i) {
        from[i] = folder + cur[i].str();
        cur[i] = CString(std::string(1, chNext) + cur[i].Mid(1).str());
        to[i] = folder + cur[i].str();
    }
    return BareMoves(from, to, nFailures);
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

// 2000 numbered files shifted up by one (1 -> 2, ..., 2000 -> 2001): a chain
// that only works from its far end; and rotated by one (the last takes the
// first's name): one cycle through a temporary name.
QUORVEL_BENCH(names_rename_chains)
{
    std::string folder = BenchTempFolder("chains");
    std::vector<std::string> names;
    for (int k = 1; k <= FILE_COUNT; ++k)
        names.push_back(NumberedName('a', k));
    CreateFiles(folder, names);
    std::vector<CString> cur(MAX_NAMES), lines(MAX_NAMES);
    int nCount = ListFolderFiles(CString(folder), cur.data());

    double bestShift = 1e9, bestRotation = 1e9, bestBare = 1e9;
    size_t nFailures = 0;
    int nBareFailures = 0;
    char chPrefix = 'a';
    for (int run = 0; run < RUNS; ++run) {
        // Shift: line i names the file below it; the last takes a new number.
        std::vector<CString> wanted(nCount);
        for (int i = 0; i + 1 < nCount; ++i)
            wanted[i] = cur[i + 1];
        wanted[nCount - 1] = CString(NumberedName(chPrefix, FILE_COUNT + 1 + run).c_str());
        CString text = JoinNames(wanted.data(), nCount);
        double t0 = BenchNow();
        nFailures += ApplyRenames(CString(folder), text, nCount, cur.data(), lines.data()).size();
        bestShift = std::min(bestShift, BenchNow() - t0);

        // Rotation: line i names the file below it; the last the first.
        for (int i = 0; i < nCount; ++i)
            wanted[i] = cur[(i + 1) % nCount];
        text = JoinNames(wanted.data(), nCount);
        t0 = BenchNow();
        nFailures += ApplyRenames(CString(folder), text, nCount, cur.data(), lines.data()).size();
        bestRotation = std::min(bestRotation, BenchNow() - t0);
        // The list order follows the names again: the numbers went up by one.
        std::rotate(cur.begin(), cur.begin() + nCount - 1, cur.begin() + nCount);

        // The bare loop of the same count: every file to another prefix.
        bestBare = std::min(bestBare, BarePrefixChange(folder, cur, nCount, ++chPrefix, nBareFailures));
    }
    BenchPrint("rename_chain_files", nCount);
    BenchPrint("rename_chain_failures", (double)nFailures + nBareFailures);
    BenchPrint("rename_chain_bare_movefile_loop_ms", bestBare * 1000, "ms");
    BenchPrint("rename_shift_ms", bestShift * 1000, "ms");
    BenchPrint("rename_rotation_ms", bestRotation * 1000, "ms");
    BenchPrint("rename_shift_ratio", bestShift / bestBare, "x (target <= 1.3)");
    BenchPrint("rename_rotation_ratio", bestRotation / bestBare, "x (target <= 1.3)");
    BenchRemoveTree(folder);
}

// Taking back a rename of 2000 files, as the system-menu command does,
// against a bare MoveFileA loop of the same count.
QUORVEL_BENCH(names_undo_rename)
{
    std::string folder = BenchTempFolder("undo");
    MakeFolderOfFiles(folder, "a_");
    std::vector<CString> cur(MAX_NAMES), fresh(MAX_NAMES), lines(MAX_NAMES), before(MAX_NAMES);
    int nCount = ListFolderFiles(CString(folder), cur.data());

    double bestUndo = 1e9, bestBare = 1e9;
    size_t nFailures = 0;
    int nBareFailures = 0;
    char chPrefix = 'a';
    for (int run = 0; run < RUNS; ++run) {
        for (int i = 0; i < nCount; ++i) {
            before[i] = cur[i];
            fresh[i] = CString(std::string(1, chPrefix + 1) + cur[i].Mid(1).str());
        }
        nFailures += ApplyRenames(CString(folder), JoinNames(fresh.data(), nCount), nCount, cur.data(),
                                  lines.data()).size();
        CRenameRecord record;
        record.Keep(CString(folder), before.data(), cur.data(), nCount);
        std::vector<CString> now;
        double t0 = BenchNow();
        nFailures += record.TakeBack(now).size();
        bestUndo = std::min(bestUndo, BenchNow() - t0);
        for (int i = 0; i < nCount; ++i)
            cur[i] = before[i];

        bestBare = std::min(bestBare, BarePrefixChange(folder, cur, nCount, chPrefix += 2, nBareFailures));
    }
    BenchPrint("undo_rename_files", nCount);
    BenchPrint("undo_rename_failures", (double)nFailures + nBareFailures);
    BenchPrint("undo_rename_bare_movefile_loop_ms", bestBare * 1000, "ms");
    BenchPrint("undo_rename_take_back_ms", bestUndo * 1000, "ms");
    BenchPrint("undo_rename_ratio", bestUndo / bestBare, "x (target <= 1.3)");
    BenchRemoveTree(folder);
}
