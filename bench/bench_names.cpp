// Listing a folder of 2000 files and renaming them (to fresh names, shifted
// by one, rotated by one, and taken back), each against the bare platform
// calls it rests on.
#include <algorithm>
#include <random>
#include <vector>

#include "bench/bench.h"
#include "dialogs/LongWork.h"
#include "names/NameList.h"
#include "names/RenameJournal.h"
#include "names/RenameRecord.h"
#include "names/Renamer.h"
#include "support/TestSupport.h"

namespace {

const int FILE_COUNT = 2000;
const int RUNS = 7;
const int LISTING_RUNS = 15;

// Creates the named files in random order, each holding its name, so that
// the enumeration does not hand them over sorted.
void CreateFiles(const std::wstring& folder, std::vector<std::wstring> names)
{
    std::shuffle(names.begin(), names.end(), std::mt19937(2024));
    for (const std::wstring& n : names)
        WriteFileText(folder + n, n);
}

// File names of mixed case, digits and Korean.
std::vector<std::wstring> MakeFolderOfFiles(const std::wstring& folder, const wchar_t* prefix)
{
    std::vector<std::wstring> names;
    for (int i = 0; i < FILE_COUNT; ++i) {
        const wchar_t* stem = i % 3 == 0 ? L"Track_" : i % 3 == 1 ? L"track" : L"노래 ";
        names.push_back(prefix + std::wstring(stem) + std::to_wstring(i * 7919 % 10007) + L".mp3");
    }
    CreateFiles(folder, names);
    return names;
}

// "a 곡 00001.mp3" and so on: numbered names that sort in their number's order.
std::wstring NumberedName(wchar_t chPrefix, int k)
{
    std::wstring digits = std::to_wstring(k);
    return std::wstring(1, chPrefix) + L" 곡 " + std::wstring(5 - digits.size(), L'0') + digits + L".mp3";
}

// The name with its first character replaced by chNext.
CString WithPrefix(const CString& strName, wchar_t chNext)
{
    return CString(std::wstring(1, chNext) + strName.Mid(1).str());
}

// Renames the listed files in place to chNext followed by the name less its
// first character, with a bare loop of the platform's wide rename over
// paths built beforehand; the names shown and on disk follow. Returns its
// seconds and counts its failures.
double BarePrefixChange(const std::wstring& folder, std::vector<CString>& cur, std::vector<CString>& disk,
                        int nCount, wchar_t chNext, int& nFailures)
{
    std::vector<std::wstring> from(nCount), to(nCount);
    for (int i = 0; i < nCount; ++i) {
        from[i] = folder + disk[i].str();
        cur[i] = disk[i] = WithPrefix(disk[i], chNext);
        to[i] = folder + disk[i].str();
    }
    double t0 = BenchNow();
    for (int i = 0; i < nCount; ++i)
        if (!MoveFileExW(from[i].c_str(), to[i].c_str(), 0))
            ++nFailures;
    return BenchNow() - t0;
}

int BareEnumeration(const std::wstring& folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"*.*").c_str(), &fd);
    int n = 0;
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++n;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return n;
}

}  // namespace

QUORVEL_BENCH(names_listing)
{
    std::wstring folder = BenchTempFolder(L"listing");
    MakeFolderOfFiles(folder, L"");
    double bestEnum = 1e9, bestList = 1e9;
    int nEnumerated = 0, nListed = 0;
    size_t nTextBytes = 0;
    for (int run = 0; run < LISTING_RUNS; ++run) {
        double t0 = BenchNow();
        nEnumerated = BareEnumeration(folder);
        double t1 = BenchNow();
        CNameList list;
        nListed = ListFolderFiles(CString(folder), list);
        CString text = list.ShownText();
        double t2 = BenchNow();
        nTextBytes = text.GetLength() * sizeof(wchar_t);
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

// The folder listed as the dialog lists it, into the names shown and on
// disk of the benchmarks' own loops.
static int ListInto(const std::wstring& folder, std::vector<CString>& cur, std::vector<CString>& disk)
{
    CNameList list;
    const int nCount = ListFolderFiles(CString(folder), list);
    for (int i = 0; i < nCount; ++i) {
        cur[i] = list[i].strShown;
        disk[i] = list[i].strDiskName;
    }
    return nCount;
}

// ApplyRenames as the rename button runs it: as long work, whose pump runs
// between every two moves, its window showing after the usual delay (or
// nShowAfterMs), with its journal written, a record a move, and deleted.
size_t RenameAsLongWork(const std::wstring& folder, const CString& text, int nCount, std::vector<CString>& cur,
                        std::vector<CString>& lines, std::vector<CString>& disk,
                        DWORD nShowAfterMs = LONG_WORK_WINDOW_DELAY_MS)
{
    CLongWork work(NULL, nShowAfterMs);
    CRenameJournal journal;
    CRenameRun run;
    run.progress = work.AsProgress();
    run.pJournal = &journal;
    CNameList list;
    list.Reset(folder.c_str());
    for (int i = 0; i < nCount; ++i)
        list.Add(disk[i], cur[i]);
    const size_t nFailures = ApplyRenames(list, text, &run).size();
    journal.End();
    for (int i = 0; i < nCount; ++i) {
        cur[i] = list[i].strShown;
        disk[i] = list[i].strDiskName;
        lines[i] = list[i].strNew;
    }
    return nFailures;
}

QUORVEL_BENCH(names_rename)
{
    std::wstring folder = BenchTempFolder(L"rename");
    MakeFolderOfFiles(folder, L"a_");
    std::vector<CString> cur(MAX_NAMES), disk(MAX_NAMES), fresh(MAX_NAMES), lines(MAX_NAMES);
    int nCount = ListInto(folder, cur, disk);

    // Each run renames every file from one prefix to another, alternately
    // through ApplyRenames and through a bare loop of the platform's
    // rename, so both see the same kind of files and names.
    double bestApply = 1e9, bestBare = 1e9;
    size_t nFailures = 0;
    int nBareFailures = 0;
    wchar_t chPrefix = L'a';
    for (int run = 0; run < RUNS; ++run) {
        for (int i = 0; i < nCount; ++i)
            fresh[i] = WithPrefix(cur[i], chPrefix + 1);
        CString text = JoinNames(fresh.data(), nCount);
        double t0 = BenchNow();
        nFailures += RenameAsLongWork(folder, text, nCount, cur, lines, disk);
        bestApply = std::min(bestApply, BenchNow() - t0);
        ++chPrefix;

        bestBare = std::min(bestBare, BarePrefixChange(folder, cur, disk, nCount, ++chPrefix, nBareFailures));
    }
    BenchPrint("rename_files", nCount);
    BenchPrint("rename_failures", (double)nFailures + nBareFailures);
    BenchPrint("rename_bare_movefile_loop_ms", bestBare * 1000, "ms");
    BenchPrint("rename_apply_renames_ms", bestApply * 1000, "ms");
    BenchPrint("rename_ratio", bestApply / bestBare, "x (target <= 1.05)");
    BenchRemoveTree(folder);
}

// 2000 numbered files shifted up by one (1 -> 2, ..., 2000 -> 2001): a chain
// that only works from its far end; and rotated by one (the last takes the
// first's name): one cycle through a temporary name.
QUORVEL_BENCH(names_rename_chains)
{
    std::wstring folder = BenchTempFolder(L"chains");
    std::vector<std::wstring> names;
    for (int k = 1; k <= FILE_COUNT; ++k)
        names.push_back(NumberedName(L'a', k));
    CreateFiles(folder, names);
    std::vector<CString> cur(MAX_NAMES), disk(MAX_NAMES), lines(MAX_NAMES);
    int nCount = ListInto(folder, cur, disk);

    double bestShift = 1e9, bestRotation = 1e9, bestBare = 1e9;
    size_t nFailures = 0;
    int nBareFailures = 0;
    wchar_t chPrefix = L'a';
    for (int run = 0; run < RUNS; ++run) {
        // Shift: line i names the file below it; the last takes a new number.
        std::vector<CString> wanted(nCount);
        for (int i = 0; i + 1 < nCount; ++i)
            wanted[i] = cur[i + 1];
        wanted[nCount - 1] = CString(NumberedName(chPrefix, FILE_COUNT + 1 + run));
        CString text = JoinNames(wanted.data(), nCount);
        double t0 = BenchNow();
        nFailures += RenameAsLongWork(folder, text, nCount, cur, lines, disk);
        bestShift = std::min(bestShift, BenchNow() - t0);

        // Rotation: line i names the file below it; the last the first.
        for (int i = 0; i < nCount; ++i)
            wanted[i] = cur[(i + 1) % nCount];
        text = JoinNames(wanted.data(), nCount);
        t0 = BenchNow();
        nFailures += RenameAsLongWork(folder, text, nCount, cur, lines, disk);
        bestRotation = std::min(bestRotation, BenchNow() - t0);
        // The list order follows the names again: the numbers went up by one.
        std::rotate(cur.begin(), cur.begin() + nCount - 1, cur.begin() + nCount);
        std::rotate(disk.begin(), disk.begin() + nCount - 1, disk.begin() + nCount);

        // The bare loop of the same count: every file to another prefix.
        bestBare = std::min(bestBare, BarePrefixChange(folder, cur, disk, nCount, ++chPrefix, nBareFailures));
    }
    BenchPrint("rename_chain_files", nCount);
    BenchPrint("rename_chain_failures", (double)nFailures + nBareFailures);
    BenchPrint("rename_chain_bare_movefile_loop_ms", bestBare * 1000, "ms");
    BenchPrint("rename_shift_ms", bestShift * 1000, "ms");
    BenchPrint("rename_rotation_ms", bestRotation * 1000, "ms");
    BenchPrint("rename_shift_ratio", bestShift / bestBare, "x (target <= 1.10)");
    BenchPrint("rename_rotation_ratio", bestRotation / bestBare, "x (target <= 1.10)");
    BenchRemoveTree(folder);
}

// Taking back a rename of 2000 files, as the system-menu command does,
// against a bare loop of the platform's rename of the same count.
QUORVEL_BENCH(names_undo_rename)
{
    std::wstring folder = BenchTempFolder(L"undo");
    MakeFolderOfFiles(folder, L"a_");
    std::vector<CString> cur(MAX_NAMES), disk(MAX_NAMES), fresh(MAX_NAMES), lines(MAX_NAMES);
    int nCount = ListInto(folder, cur, disk);

    double bestUndo = 1e9, bestBare = 1e9;
    size_t nFailures = 0;
    int nBareFailures = 0;
    wchar_t chPrefix = L'a';
    for (int run = 0; run < RUNS; ++run) {
        const std::vector<CString> before = disk;
        for (int i = 0; i < nCount; ++i)
            fresh[i] = WithPrefix(cur[i], chPrefix + 1);
        nFailures += RenameAsLongWork(folder, JoinNames(fresh.data(), nCount), nCount, cur, lines, disk);
        // The record keeps the names on disk, as the dialog's does.
        CRenameRecord record;
        record.Keep(CString(folder), before.data(), disk.data(), nCount);
        std::vector<CString> now;
        double t0 = BenchNow();
        {
            CLongWork work(NULL);
            CRenameJournal journal;
            CRenameRun takeBack;
            takeBack.progress = work.AsProgress();
            takeBack.pJournal = &journal;
            nFailures += record.TakeBack(now, &takeBack).size();
            journal.End();
        }
        bestUndo = std::min(bestUndo, BenchNow() - t0);
        cur = disk = before;

        chPrefix += 2;
        bestBare = std::min(bestBare, BarePrefixChange(folder, cur, disk, nCount, chPrefix, nBareFailures));
    }
    BenchPrint("undo_rename_files", nCount);
    BenchPrint("undo_rename_failures", (double)nFailures + nBareFailures);
    BenchPrint("undo_rename_bare_movefile_loop_ms", bestBare * 1000, "ms");
    BenchPrint("undo_rename_take_back_ms", bestUndo * 1000, "ms");
    BenchPrint("undo_rename_ratio", bestUndo / bestBare, "x (target <= 1.05)");
    BenchRemoveTree(folder);
}

// The 2000-file rename with its progress window shown from the start, and
// with none, alternately: what showing the window costs.
QUORVEL_BENCH(names_rename_progress)
{
    std::wstring folder = BenchTempFolder(L"progress");
    MakeFolderOfFiles(folder, L"a_");
    std::vector<CString> cur(MAX_NAMES), disk(MAX_NAMES), fresh(MAX_NAMES), lines(MAX_NAMES);
    int nCount = ListInto(folder, cur, disk);
    double bestShown = 1e9, bestHidden = 1e9;
    size_t nFailures = 0;
    wchar_t chPrefix = L'a';
    for (int run = 0; run < 2 * RUNS; ++run) {
        ++chPrefix;
        for (int i = 0; i < nCount; ++i)
            fresh[i] = WithPrefix(cur[i], chPrefix);
        const bool bShown = run % 2 == 0;
        double t0 = BenchNow();
        nFailures += RenameAsLongWork(folder, JoinNames(fresh.data(), nCount), nCount, cur, lines, disk,
                                      bShown ? 0 : INFINITE);
        double& best = bShown ? bestShown : bestHidden;
        best = std::min(best, BenchNow() - t0);
    }
    BenchPrint("rename_progress_failures", (double)nFailures);
    BenchPrint("rename_progress_shown_ms", bestShown * 1000, "ms");
    BenchPrint("rename_progress_hidden_ms", bestHidden * 1000, "ms");
    BenchPrint("rename_progress_overhead", bestShown / bestHidden, "x (target <= 1.05)");
    BenchRemoveTree(folder);
}
