// Opening and closing big folders in a real, shown tree window: 1,000 and
// 4,000 subfolders, and 1,000 ".mp3" files. Wall time and this process's
// CPU time (the shell under Wine does part of its work in other processes),
// and against a bare baseline measured in the same run: the same folder
// enumerated and its names inserted into a bare tree view with one icon
// and drawing off, the least any tree could do.
#include <algorithm>
#include <cwchar>
#include <string>

#include "bench/bench.h"
#include "framework/afxwin.h"
#include "support/TestSupport.h"
#include "support/TreeHost.h"

namespace {

const int RUNS = 2;

struct Figures {
    double wall = 1e9;
    double cpu = 1e9;
    void Keep(const Figures& f)
    {
        wall = std::min(wall, f.wall);
        cpu = std::min(cpu, f.cpu);
    }
};

double CpuNow()
{
    FILETIME ftCreate, ftExit, ftKernel, ftUser;
    GetProcessTimes(GetCurrentProcess(), &ftCreate, &ftExit, &ftKernel, &ftUser);
    ULARGE_INTEGER k, u;
    k.LowPart = ftKernel.dwLowDateTime;
    k.HighPart = ftKernel.dwHighDateTime;
    u.LowPart = ftUser.dwLowDateTime;
    u.HighPart = ftUser.dwHighDateTime;
    return (double)(k.QuadPart + u.QuadPart) / 1e7;
}

class Stopwatch {
public:
    Stopwatch() : m_wall(BenchNow()), m_cpu(CpuNow()) {}
    Figures Stop() const
    {
        Figures f;
        f.wall = BenchNow() - m_wall;
        f.cpu = CpuNow() - m_cpu;
        return f;
    }

private:
    double m_wall, m_cpu;
};

// At least five digits, zeros in front.
std::wstring Name(int i)
{
    std::wstring digits = std::to_wstring(i * 7919 % 100003);
    return std::wstring(digits.size() < 5 ? 5 - digits.size() : 0, L'0') + digits;
}

// Fills folder with n subfolders, or n ".mp3" files.
void Fill(const std::wstring& folder, int n, bool bFiles)
{
    for (int i = 0; i < n; ++i) {
        std::wstring path = folder + (bFiles ? L"track " + Name(i) + L".mp3" : L"folder " + Name(i));
        if (bFiles)
            WriteFileText(path, L"");
        else
            MakeFolder(path);
    }
}

struct Case {
    Figures open, close, bare;
    int nItems = 0;
};

// The baseline: enumerates the folder and inserts every entry's name into
// a bare tree view beside the real one, one icon for all, drawing off.
Figures OpenBare(HWND hBare, const std::wstring& folder)
{
    Stopwatch bare;
    SendMessageW(hBare, WM_SETREDRAW, FALSE, 0);
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW((folder + L"*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (!wcscmp(fd.cFileName, L".") || !wcscmp(fd.cFileName, L".."))
                continue;
            TVINSERTSTRUCTW tvis = {};
            tvis.hParent = TVI_ROOT;
            tvis.hInsertAfter = TVI_LAST;
            tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
            tvis.item.pszText = fd.cFileName;
            SendMessageW(hBare, TVM_INSERTITEMW, 0, (LPARAM)&tvis);
        } while (FindNextFileW(hFind, &fd));
        FindClose(hFind);
    }
    SendMessageW(hBare, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hBare, NULL, TRUE);
    UpdateWindow(hBare);
    Figures f = bare.Stop();
    SendMessageW(hBare, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    PumpMessages();
    return f;
}

// Opens and closes the folder "big" below a throwaway desktop folder in the
// real tree, then opens it in the bare baseline.
Case Measure(int n, bool bFiles)
{
    TreeHost host;
    ShowWindow(GetParent(host.tree.m_hWnd), SW_SHOWNOACTIVATE);
    DesktopFolder folder(host.tree.GetDesktopPath().str());
    MakeFolder(folder / L"big");
    Fill(folder / L"big\\", n, bFiles);
    HTREEITEM hBig = host.OpenPath(host.tree.GetDesktopItem(), {folder.Name()});
    hBig = hBig ? host.Child(hBig, L"big") : NULL;
    host.Close(hBig);
    PumpMessages();

    Case c;
    for (int run = 0; run < RUNS && hBig; ++run) {
        Stopwatch open;
        host.Open(hBig);
        UpdateWindow(host.tree.m_hWnd);
        c.open.Keep(open.Stop());
        c.nItems = (int)host.Children(hBig).size();

        Stopwatch close;
        host.Close(hBig);
        UpdateWindow(host.tree.m_hWnd);
        c.close.Keep(close.Stop());
        PumpMessages();
    }
    HWND hFrame = GetParent(host.tree.m_hWnd);
    RECT rc;
    GetClientRect(host.tree.m_hWnd, &rc);
    HWND hBare = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES,
                                 0, 0, rc.right, rc.bottom, hFrame, NULL, NULL, NULL);
    HIMAGELIST himl = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                       ILC_COLOR32 | ILC_MASK, 1, 1);
    HICON hIcon = LoadIconW(NULL, (LPCWSTR)IDI_APPLICATION);
    ImageList_ReplaceIcon(himl, -1, hIcon);
    SendMessageW(hBare, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)himl);
    ShowWindow(host.tree.m_hWnd, SW_HIDE);
    for (int run = 0; run < RUNS && hBig; ++run)
        c.bare.Keep(OpenBare(hBare, folder / L"big\\"));
    DestroyWindow(hBare);
    ImageList_Destroy(himl);
    return c;
}

void Print(const std::string& tag, const Case& c)
{
    BenchPrint(("tree_" + tag + "_items").c_str(), c.nItems);
    BenchPrint(("tree_" + tag + "_open_wall_s").c_str(), c.open.wall, "s");
    BenchPrint(("tree_" + tag + "_open_cpu_s").c_str(), c.open.cpu, "s");
    BenchPrint(("tree_" + tag + "_close_wall_s").c_str(), c.close.wall, "s");
    BenchPrint(("tree_" + tag + "_close_cpu_s").c_str(), c.close.cpu, "s");
    BenchPrint(("tree_" + tag + "_bare_wall_s").c_str(), c.bare.wall, "s");
}

}  // namespace

QUORVEL_BENCH(tree)
{
    Case folders1000 = Measure(1000, false);
    Print("1000_folders", folders1000);
    Case folders4000 = Measure(4000, false);
    Print("4000_folders", folders4000);
    Case files1000 = Measure(1000, true);
    Print("1000_mp3_files", files1000);

    BenchPrint("tree_open_vs_bare_1000_folders", folders1000.open.wall / folders1000.bare.wall, "x (target <= 10)");
    BenchPrint("tree_open_vs_bare_1000_mp3", files1000.open.wall / files1000.bare.wall, "x (target <= 10)");
    BenchPrint("tree_open_ratio_4000_1000_wall", folders4000.open.wall / folders1000.open.wall, "x (target <= 4.5)");
    BenchPrint("tree_open_ratio_4000_1000_cpu", folders4000.open.cpu / folders1000.open.cpu, "x");
    BenchPrint("tree_close_ratio_4000_1000_wall", folders4000.close.wall / folders1000.close.wall, "x (target < 6)");
    BenchPrint("tree_close_ratio_4000_1000_cpu", folders4000.close.cpu / folders1000.close.cpu, "x");
}
