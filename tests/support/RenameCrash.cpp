#include "RenameCrash.h"

#include <windows.h>
#include <shellapi.h>

#include <fstream>
#include <sstream>

#include "names/RenameJournal.h"
#include "names/RenamePlan.h"
#include "names/Renamer.h"

namespace {

const wchar_t CHILD_ARGUMENT[] = L"--rename-crash-child";
HANDLE g_hReady = NULL;
int g_nKillBefore = 0, g_nMoves = 0;

void WaitForKill()
{
    if (g_nMoves++ == g_nKillBefore) {
        SetEvent(g_hReady);
        Sleep(INFINITE);
    }
}

}  // namespace

bool RenameAndKill(const CrashRename& job)
{
    static int serial = 0;
    const std::wstring tag = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    const std::wstring event = L"Local\\quorvel-crash-" + tag, jobPath = L"crash-job-" + tag + L".txt";
    // The job, one field a line: the names never hold a line break.
    std::wstring text = event + L"\n" + std::to_wstring(job.nKillBefore) + L"\n" + job.folder + L"\n";
    for (size_t i = 0; i < job.shown.size(); ++i)
        text += job.shown[i] + L"\n" + job.disk[i] + L"\n" + job.wanted[i] + L"\n";
    std::ofstream(std::string(jobPath.begin(), jobPath.end()), std::ios::binary).write((const char*)text.data(), text.size() * sizeof(wchar_t));
    HANDLE hReady = CreateEventW(NULL, TRUE, FALSE, event.c_str());
    wchar_t szExe[MAX_PATH];
    GetModuleFileNameW(NULL, szExe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(szExe) + L"\" " + CHILD_ARGUMENT + L" " + jobPath;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    bool bKilled = false;
    if (CreateProcessW(szExe, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        HANDLE waits[2] = {hReady, pi.hProcess};
        bKilled = WaitForMultipleObjects(2, waits, FALSE, 120000) == WAIT_OBJECT_0;
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(hReady);
    DeleteFileW(jobPath.c_str());
    return bKilled;
}

int RunRenameCrashChild()
{
    int nArgs = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    if (nArgs != 3 || std::wstring(args[1]) != CHILD_ARGUMENT)
        return -1;
    const std::wstring jobPath = args[2];  // a name of plain letters
    std::ifstream in(std::string(jobPath.begin(), jobPath.end()), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::wistringstream lines(std::wstring((const wchar_t*)bytes.data(), bytes.size() / sizeof(wchar_t)));
    std::wstring event, kill, folder, line;
    std::getline(lines, event);
    std::getline(lines, kill);
    std::getline(lines, folder);
    std::vector<CString> names[3];
    for (int k = 0; std::getline(lines, line); ++k)
        names[k % 3].push_back(line.c_str());
    const int n = (int)names[0].size();
    g_hReady = OpenEventW(EVENT_MODIFY_STATE, FALSE, event.c_str());
    g_nKillBefore = std::stoi(kill);
    SetBeforeMoveHook(WaitForKill);
    // As the rename button runs it: shown names, names on disk, lines.
    const RenamePlan plan = PlanRenames(folder.c_str(), names[0].data(), names[2].data(), n, names[1].data());
    CRenameJournal journal;
    CRenameRun run;
    run.pJournal = &journal;
    ApplyPlan(folder.c_str(), plan, names[0].data(), names[2].data(), names[1].data(), &run);
    journal.End();
    return 0;
}
