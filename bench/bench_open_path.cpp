// The program started with a folder four levels below a drive's root,
// until the folder's files are listed, against the program started with no
// argument, until its window shows: what opening the branches at the start
// costs. Each figure is the mean of RUNS starts.
#include "bench/bench.h"
#include "res/resource.h"
#include "support/MappedDrive.h"
#include "support/TestSupport.h"

namespace {

const int RUNS = 3;

// Milliseconds from the start until the window shows, and until done()
// holds for it (at once when not given).
template <typename Done>
double StartMs(const std::wstring& program, const std::wstring& arguments, Done done)
{
    PROCESS_INFORMATION pi;
    const double t0 = BenchNow();
    HWND hWnd = StartProgram(arguments, pi, program);
    while (hWnd && !done(hWnd) && BenchNow() - t0 < 30)
        Sleep(1);
    const double ms = (BenchNow() - t0) * 1000.0;
    CloseProgram(hWnd, pi);
    return hWnd ? ms : -1;
}

}  // namespace

QUORVEL_BENCH(open_path)
{
    const std::wstring base = BenchTempFolder(L"open_path");
    {
        MappedDrive drive(base);
        std::wstring folder = drive.Ok() ? drive.Root() : base;
        for (const wchar_t* part : {L"음악", L"가요", L"2024", L"앨범"}) {
            folder += std::wstring(part) + L"\\";
            CreateDirectoryW(folder.c_str(), NULL);
        }
        for (int i = 0; i < 20; ++i) {
            HANDLE h = CreateFileW((folder + L"곡 " + std::to_wstring(i) + L".mp3").c_str(), GENERIC_WRITE, 0, NULL,
                                   CREATE_NEW, 0, NULL);
            CloseHandle(h);
        }
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(NULL, exe, MAX_PATH);
        std::wstring program = exe;
        program = program.substr(0, program.rfind(L'\\')) + L"\\quorvel.exe";
        double none = 0, opened = 0;
        for (int i = 0; i < RUNS; ++i) {
            none += StartMs(program, L"", [](HWND) { return true; });
            opened += StartMs(program, L"\"" + folder + L"\\\"", [](HWND hWnd) {
                return SendTo(GetDlgItem(hWnd, IDC_NAMES_EDIT), WM_GETTEXTLENGTH, 0, 0) > 0;
            });
        }
        BenchPrint("open_path_ms", opened / RUNS, "ms");
        BenchPrint("open_path_no_argument_ms", none / RUNS, "ms");
        BenchPrint("open_path_extra_ms", (opened - none) / RUNS, "ms");
    }
    BenchRemoveTree(base);
}
