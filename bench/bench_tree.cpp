// Opening and closing big folders in a real, shown tree window: 1,000 and
// 4,000 subfolders, and 1,000 ".mp3" files. Wall time and this process's
// CPU time (the shell under Wine does part of its work in other processes),
// and the shell calls of the same paths alone, to show where the time goes.
#include <algorithm>
#include <string>

#include "bench/bench.h"
#include "platform/Shell.h"
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

std::string Name(int i)
{
    char sz[16];
    snprintf(sz, sizeof(sz), "%05d", i * 7919 % 100003);
    return sz;
}

// Fills folder with n subfolders, or n ".mp3" files.
void Fill(const std::string& folder, int n, bool bFiles)
{
    for (int i = 0; i < n; ++i) {
        std::string path = folder + (bFiles ? "track " + Name(i) + ".mp3" : "folder " + Name(i));
        if (bFiles)
            WriteFileBytes(path, "");
        else
            MakeFolder(path);
    }
}

struct Case {
    Figures open, close, shell;
    int nItems = 0;
};

// Opens and closes the folder "big" below a throwaway desktop folder, and
// asks the shell for the display name and both icons of each entry alone.
Case Measure(int n, bool bFiles)
{
    TreeHost host;
    ShowWindow(GetParent(host.tree.m_hWnd), SW_SHOWNOACTIVATE);
    DesktopFolder folder(host.tree.GetDesktopPath().str());
    MakeFolder(folder / "big");
    Fill(folder / "big\\", n, bFiles);
    HTREEITEM hBig = host.OpenPath(host.tree.GetDesktopItem(), {folder.Name()});
    hBig = hBig ? host.Child(hBig, "big") : NULL;
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
    // Once: the shell's answers are the bulk of an opening under Wine.
    Stopwatch shell;
    for (int i = 0; i < n && hBig; ++i) {
        std::string name = bFiles ? "track " + Name(i) + ".mp3" : "folder " + Name(i);
        CShellFileInfo info = GetShellFileInfo(CString(folder / ("big\\" + name)));
        if (info.hIcon)
            DestroyIcon(info.hIcon);
        if (info.hOpenIcon)
            DestroyIcon(info.hOpenIcon);
    }
    c.shell = shell.Stop();
    return c;
}

void Print(const std::string& tag, const Case& c)
{
    BenchPrint(("tree_" + tag + "_items").c_str(), c.nItems);
    BenchPrint(("tree_" + tag + "_open_wall_s").c_str(), c.open.wall, "s");
    BenchPrint(("tree_" + tag + "_open_cpu_s").c_str(), c.open.cpu, "s");
    BenchPrint(("tree_" + tag + "_close_wall_s").c_str(), c.close.wall, "s");
    BenchPrint(("tree_" + tag + "_close_cpu_s").c_str(), c.close.cpu, "s");
    BenchPrint(("tree_" + tag + "_shell_calls_wall_s").c_str(), c.shell.wall, "s");
    BenchPrint(("tree_" + tag + "_shell_calls_cpu_s").c_str(), c.shell.cpu, "s");
    // How much of an opening the shell's answers alone take (about 1: the
    // tree's own work is lost in their noise).
    BenchPrint(("tree_" + tag + "_shell_share_of_open").c_str(), c.shell.wall / c.open.wall);
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

    BenchPrint("tree_open_ratio_4000_1000_wall", folders4000.open.wall / folders1000.open.wall, "x (target < 6)");
    BenchPrint("tree_open_ratio_4000_1000_cpu", folders4000.open.cpu / folders1000.open.cpu, "x");
    BenchPrint("tree_close_ratio_4000_1000_wall", folders4000.close.wall / folders1000.close.wall, "x (target < 6)");
    BenchPrint("tree_close_ratio_4000_1000_cpu", folders4000.close.cpu / folders1000.close.cpu, "x");
    BenchPrint("tree_shell_calls_ratio_4000_1000_wall", folders4000.shell.wall / folders1000.shell.wall, "x");
    BenchPrint("tree_shell_calls_ratio_4000_1000_cpu", folders4000.shell.cpu / folders1000.shell.cpu, "x");
}
