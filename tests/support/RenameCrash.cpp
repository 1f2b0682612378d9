#include "RenameCrash.h"

#include <windows.h>
#include <shellapi.h>

#include <fstream>

#include "TestSupport.h"
#include "names/NameText.h"
#include "names/RenameJournal.h"
#include "names/RenamePlan.h"
#include "names/Renamer.h"

namespace {

// The child's one argument: its job's file, whose name is also its event's.
const std::wstring JOB_PREFIX = L"rename-crash-";
std::wstring g_event;
int g_nMovesLeft = 0;

void WaitForKillAtMove()
{
    if (g_nMovesLeft-- == 0) {
        SetEvent(OpenEventW(EVENT_MODIFY_STATE, FALSE, g_event.c_str()));
        Sleep(INFINITE);
    }
}

}  // namespace

bool RenameAndKill(const CrashRename& job)
{
    // One field a line: no name holds a line break.
    std::wstring text = std::to_wstring(job.nKillBefore) + L"\r\n" + job.folder + L"\r\n";
    for (size_t i = 0; i < job.shown.size(); ++i)
        text += job.shown[i] + L"\r\n" + job.disk[i] + L"\r\n" + job.wanted[i] + L"\r\n";
    text += L"end";  // so that empty lines before it stay lines
    const std::wstring jobPath = JOB_PREFIX + std::to_wstring(GetCurrentProcessId());
    const std::string jobFile(jobPath.begin(), jobPath.end());
    std::ofstream(jobFile, std::ios::binary).write((const char*)text.data(), text.size() * sizeof(wchar_t));
    HANDLE hReady = CreateEventW(NULL, TRUE, FALSE, (L"Local\\" + jobPath).c_str());
    wchar_t szExe[MAX_PATH];
    GetModuleFileNameW(NULL, szExe, MAX_PATH);
    std::wstring command = L"child " + jobPath;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(szExe, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    HANDLE waits[2] = {hReady, pi.hProcess};
    const bool bKilled = WaitForMultipleObjects(2, waits, FALSE, 120000) == WAIT_OBJECT_0;
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, INFINITE);
    for (HANDLE h : {hReady, pi.hProcess, pi.hThread})
        CloseHandle(h);
    DeleteFileA(jobFile.c_str());
    return bKilled;
}

int RunRenameCrashChild()
{
    int nArgs = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    if (nArgs != 2 || std::wstring(args[1]).compare(0, JOB_PREFIX.size(), JOB_PREFIX) != 0)
        return -1;
    const std::wstring jobPath = args[1];
    g_event = L"Local\\" + jobPath;
    std::ifstream in(std::string(jobPath.begin(), jobPath.end()), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<CString> lines = SplitLines(CString((const wchar_t*)bytes.data(), (int)(bytes.size() / 2)));
    g_nMovesLeft = _wtoi(lines[0]);
    const CString folder = lines[1];
    std::vector<CString> names[3];  // shown, on disk, wanted
    for (size_t k = 2; k + 1 < lines.size(); ++k)
        names[(k - 2) % 3].push_back(lines[k]);
    SetBeforeMoveHook(WaitForKillAtMove);
    // As the rename button runs it, with its journal.
    const int n = (int)names[0].size();
    const RenamePlan plan = PlanRenames(folder, names[0].data(), names[2].data(), n, names[1].data());
    CRenameJournal journal;
    CRenameRun run;
    run.pJournal = &journal;
    ApplyPlan(folder, plan, names[0].data(), names[2].data(), names[1].data(), &run);
    journal.End();
    return 0;
}
