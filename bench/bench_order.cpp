// The list's orders on 2000 files. Explorer's order: the files ordered and
// the editor's text rewritten with each line moved along with its file,
// against a bare stable sort with StrCmpLogicalW and one WM_SETTEXT. The
// order by taken date of 2000 JPEG photos, their dates read, against
// opening each and reading its first 4 KB.
#include <shlwapi.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "bench/bench.h"
#include "framework/afxwin.h"
#include "names/ListOrder.h"
#include "names/NameList.h"  // MAX_NAMES
#include "names/SortStringArray.h"
#include "names/TakenDate.h"

namespace {

const int RUNS = 5;
const size_t PHOTO_SIZE = 64 * 1024;

std::string Num(unsigned long n, int nBytes)
{
    std::string b;
    for (int i = nBytes - 1; i >= 0; --i)
        b += (char)((n >> (8 * i)) & 0xFF);
    return b;
}

// A JPEG whose Exif (little-endian) gives DateTime, then picture-like
// bytes up to PHOTO_SIZE.
std::string Photo(int k)
{
    char date[20];
    snprintf(date, sizeof(date), "2024:%02d:%02d %02d:%02d:%02d", 1 + k % 12, 1 + k % 28, k % 24, k % 60, (k * 7) % 60);
    const std::string tiff = "II" + Num(0x2A00, 2) + Num(0x08000000, 4) + Num(0x0100, 2) + Num(0x3201, 2) +
                             Num(0x0200, 2) + Num(0x14000000, 4) + Num(0x1A000000, 4) + Num(0, 4) + date + Num(0, 1);
    const std::string app1 = std::string("Exif\0\0", 6) + tiff;
    std::string file = "\xFF\xD8\xFF\xE1" + Num(app1.size() + 2, 2) + app1 + "\xFF\xDA";
    for (size_t i = file.size(); i < PHOTO_SIZE; ++i)
        file += (char)(i * 131 + k);
    return file;
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD n = 0;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &n, NULL);
    CloseHandle(h);
}

// The editor's text of the lines, each followed by "\r\n", and back.
CString Join(const std::vector<CString>& lines)
{
    std::wstring text;
    for (const CString& line : lines)
        text += line.str() + L"\r\n";
    return CString(std::move(text));
}

std::vector<CString> Split(const CString& text)
{
    std::vector<CString> lines;
    const std::wstring& s = text.str();
    for (size_t at = 0; at < s.size();) {
        const size_t end = s.find(L"\r\n", at);
        lines.push_back(CString(s.substr(at, end == std::wstring::npos ? std::wstring::npos : end - at)));
        at = end == std::wstring::npos ? s.size() : end + 2;
    }
    return lines;
}

CString EditText(HWND hEdit)
{
    CString strText;
    const int n = GetWindowTextLengthW(hEdit);
    wchar_t* p = strText.GetBuffer(n + 1);
    GetWindowTextW(hEdit, p, n + 1);
    strText.ReleaseBuffer(n);
    return strText;
}

}  // namespace

QUORVEL_BENCH(order_explorer)
{
    // "track N …" in the name order, N shuffled: Explorer's order differs.
    std::vector<int> numbers(MAX_NAMES);
    for (int i = 0; i < MAX_NAMES; ++i)
        numbers[i] = i + 1;
    std::mt19937 rng(27);
    std::shuffle(numbers.begin(), numbers.end(), rng);
    std::vector<CString> names;
    for (int n : numbers)
        names.push_back(CString(L"track " + std::to_wstring(n) + L" 곡 이름 " + std::wstring(20, L'a') + L".mp3"));
    std::stable_sort(names.begin(), names.end(), NameSortsBefore);
    const CString text = Join(names);
    std::vector<ListOrderKeys> keys;
    for (const CString& name : names)
        keys.push_back({name, 0, 0, NO_TAKEN_TIME});

    HWND hEdit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 0, 0,
                                 400, 400, NULL, NULL, GetModuleHandleW(NULL), NULL);
    SendMessageW(hEdit, EM_SETLIMITTEXT, 0, 0);
    double bestBare = 1e9, bestOrder = 1e9;
    for (int run = 0; run < RUNS; ++run) {
        SetWindowTextW(hEdit, text);
        double t0 = BenchNow();
        std::vector<CString> sorted = names;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const CString& a, const CString& b) { return StrCmpLogicalW(a, b) < 0; });
        SetWindowTextW(hEdit, Join(sorted));
        bestBare = std::min(bestBare, BenchNow() - t0);

        SetWindowTextW(hEdit, text);
        t0 = BenchNow();
        const std::vector<int> moved = OrderFiles(keys, ORDER_EXPLORER);
        const std::vector<CString> lines =
            MoveLinesWithFiles(Split(EditText(hEdit)), moved, [&](int nOld) { return names[nOld]; });
        SetWindowTextW(hEdit, Join(lines));
        bestOrder = std::min(bestOrder, BenchNow() - t0);
    }
    DestroyWindow(hEdit);
    BenchPrint("order_explorer_bare_ms", bestBare * 1000, "ms");
    BenchPrint("order_explorer_ms", bestOrder * 1000, "ms");
    BenchPrint("order_explorer_ratio", bestOrder / bestBare, "x (target <= 1.5)");
}

QUORVEL_BENCH(order_taken)
{
    const std::wstring folder = BenchTempFolder(L"order_taken");
    std::vector<CString> names;
    std::vector<std::wstring> paths;
    for (int k = 0; k < MAX_NAMES; ++k) {
        names.push_back(CString(L"IMG_" + std::to_wstring(10000 + k) + L".jpg"));
        paths.push_back(folder + names.back().str());
        WriteBytes(paths.back(), Photo(k));
    }
    const std::vector<DWORD> attributes(MAX_NAMES, FILE_ATTRIBUTE_ARCHIVE);
    double bestBare = 1e9, bestOrder = 1e9;
    int nDated = 0;
    for (int run = 0; run < RUNS; ++run) {
        bestBare = std::min(bestBare, BenchBareReads(paths));

        double t0 = BenchNow();
        std::vector<ULONGLONG> taken;
        ReadTakenTimes(CString(folder), names, attributes, taken);
        std::vector<ListOrderKeys> keys;
        for (int k = 0; k < MAX_NAMES; ++k)
            keys.push_back({names[k], 0, 0, taken[k]});
        const std::vector<int> moved = OrderFiles(keys, ORDER_BY_TAKEN);
        bestOrder = std::min(bestOrder, BenchNow() - t0);
        nDated = (int)std::count_if(taken.begin(), taken.end(), [](ULONGLONG t) { return t != NO_TAKEN_TIME; });
    }
    BenchPrint("order_taken_dated", nDated);
    BenchPrint("order_taken_bare_s", bestBare, "s");
    BenchPrint("order_taken_s", bestOrder, "s");
    BenchPrint("order_taken_ratio", bestOrder / bestBare, "x (target <= 1.5)");
    BenchRemoveTree(folder);
}
