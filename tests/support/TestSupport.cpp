#include "TestSupport.h"

#include <algorithm>
#include <cstdio>

#include "framework/afxwin.h"
#include "platform/PathIdentity.h"
#include "platform/VolumeKind.h"

namespace {
int g_folderSerial = 0;

// The system's volumes, with a call before each move.
struct BeforeEachMove : CVolumeService {
    void (*pfnHook)() = NULL;
    BOOL MoveEntry(const wchar_t* pszFrom, const wchar_t* pszTo) override
    {
        pfnHook();
        return CVolumeService::MoveEntry(pszFrom, pszTo);
    }
} g_beforeEachMove;

// Entries of a folder: files (0), folders (1) or both (2).
std::vector<std::wstring> ListEntries(const std::wstring& folder, int nWhich)
{
    std::wstring base = folder;
    if (!base.empty() && base.back() != L'\\')
        base += L'\\';
    std::vector<std::wstring> out;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((LongPath(base.c_str()) + L"*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return out;
    do {
        std::wstring n = fd.cFileName;
        if (n == L"." || n == L"..")
            continue;
        int nKind = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
        if (nWhich == 2 || nKind == nWhich)
            out.push_back(n);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    std::sort(out.begin(), out.end());
    return out;
}

std::wstring Long(const std::wstring& path)
{
    return LongPath(path.c_str());
}
}  // namespace

std::wstring Text(UINT nIDS, const std::vector<std::wstring>& args)
{
    std::vector<const wchar_t*> parts;
    for (const std::wstring& a : args)
        parts.push_back(a.c_str());
    CString s;
    AfxFormatStrings(s, nIDS, parts.data(), (int)parts.size());
    return s.str();
}

std::wstring ProgramPath()
{
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(NULL, exe, MAX_PATH);
    std::wstring path = exe;
    path = path.substr(0, path.rfind(L'\\'));
    return path.substr(0, path.rfind(L'\\')) + L"\\quorvel.exe";
}

TempFolder::TempFolder(const wchar_t* tag)
{
    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    m_path = std::wstring(cwd) + L"\\tmp_" + tag + L"_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
             std::to_wstring(++g_folderSerial) + L"\\";
    RemoveTree(m_path);
    CreateDirectoryW(m_path.c_str(), NULL);
}

TempFolder::~TempFolder()
{
    RemoveTree(m_path);
}

void RemoveTree(const std::wstring& folder)
{
    std::wstring base = folder;
    if (!base.empty() && base.back() != L'\\')
        base += L'\\';
    for (const std::wstring& n : ListEntries(base, 2)) {
        std::wstring p = Long(base + n);
        SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (GetFileAttributesW(p.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(base + n);
        else
            DeleteFileW(p.c_str());
    }
    RemoveDirectoryW(Long(base).c_str());
}

void SetBeforeMoveHook(void (*pfnHook)())
{
    g_beforeEachMove.pfnHook = pfnHook;
    SetVolumeService(pfnHook ? &g_beforeEachMove : NULL);
}

bool WriteFileText(const std::wstring& path, const std::wstring& text)
{
    HANDLE h = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    std::string bytes(text.size() * 3 + 1, '\0');
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &bytes[0], (int)bytes.size(), NULL, NULL);
    DWORD written = 0;
    BOOL ok = WriteFile(h, bytes.data(), (DWORD)n, &written, NULL);
    CloseHandle(h);
    return ok && written == (DWORD)n;
}

std::wstring ReadFileText(const std::wstring& path)
{
    HANDLE h = CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return L"<missing>";
    std::string bytes;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof(buf), &got, NULL) && got)
        bytes.append(buf, got);
    CloseHandle(h);
    std::wstring text(bytes.size(), L'\0');
    int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), &text[0], (int)text.size());
    text.resize(n > 0 ? n : 0);
    return text;
}

bool WriteNamedFiles(const std::wstring& folder, const std::vector<std::wstring>& names)
{
    for (const std::wstring& name : names)
        if (!WriteFileText(folder + name, name))
            return false;
    return true;
}

bool MakeFolder(const std::wstring& path)
{
    return CreateDirectoryW(Long(path).c_str(), NULL) != 0;
}

bool PathExists(const std::wstring& path)
{
    return GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> ListFileNames(const std::wstring& folder)
{
    return ListEntries(folder, 0);
}

std::vector<std::wstring> ListFolderNames(const std::wstring& folder)
{
    return ListEntries(folder, 1);
}

std::vector<std::wstring> ListAllNames(const std::wstring& folder)
{
    return ListEntries(folder, 2);
}

void TypeText(HWND hWnd, const std::wstring& text)
{
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != L'\n' || i == 0 || text[i - 1] != L'\r')
            SendMessageW(hWnd, WM_CHAR, text[i], 1);
}

void PumpMessages(int msWait)
{
    if (msWait > 0)
        MsgWaitForMultipleObjects(0, NULL, FALSE, msWait, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (CWinApp* pApp = AfxGetApp())
        pApp->OnIdle(0);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    const DWORD start = GetTickCount();
    for (PumpMessages(); !done(); PumpMessages(10))
        if (GetTickCount() - start >= (DWORD)timeoutMs)
            return false;
    return true;
}

MessageBoxWatcher::MessageBoxWatcher(UINT nAnswer) : m_nAnswer(nAnswer), m_thread([this] { Run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher()
{
    m_stop = true;
    m_thread.join();
}

std::vector<MessageBoxWatcher::Seen> MessageBoxWatcher::Boxes()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_seen;
}

void MessageBoxWatcher::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_seen.clear();
}

void MessageBoxWatcher::Run()
{
    const DWORD pid = GetCurrentProcessId();
    while (!m_stop) {
        struct Ctx {
            MessageBoxWatcher* self;
            DWORD pid;
        } ctx = {this, pid};
        EnumWindows(
            [](HWND hWnd, LPARAM lp) -> BOOL {
                Ctx* c = (Ctx*)lp;
                DWORD owner = 0;
                GetWindowThreadProcessId(hWnd, &owner);
                wchar_t cls[64] = L"";
                GetClassNameW(hWnd, cls, 64);
                HWND hText = GetDlgItem(hWnd, 0xFFFF);
                if (owner != c->pid || wcscmp(cls, L"#32770") != 0 || !hText || !IsWindowVisible(hWnd))
                    return TRUE;
                // The default button by its style: Wine answers DM_GETDEFID
                // with IDOK whatever the box's buttons.
                HWND hDefault = NULL;
                for (HWND h = GetWindow(hWnd, GW_CHILD); h && !hDefault; h = GetWindow(h, GW_HWNDNEXT))
                    if ((GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                        hDefault = h;
                const UINT nDefault = hDefault ? GetDlgCtrlID(hDefault) : 0;
                {
                    std::lock_guard<std::mutex> lock(c->self->m_mutex);
                    auto& handled = c->self->m_handled;
                    if (std::find(handled.begin(), handled.end(), hWnd) != handled.end())
                        return TRUE;
                    handled.push_back(hWnd);
                    Seen s;
                    wchar_t buf[8192] = L"";
                    GetWindowTextW(hWnd, buf, 8192);
                    s.caption = buf;
                    buf[0] = 0;
                    GetWindowTextW(hText, buf, 8192);
                    s.text = buf;
                    s.icon = 0;
                    // The icon control: 0x14 on Windows, stc1 (0x440) under Wine.
                    HWND hIcon = GetDlgItem(hWnd, 0x0014);
                    if (!hIcon)
                        hIcon = GetDlgItem(hWnd, 0x0440);
                    if (hIcon) {
                        HICON h = (HICON)SendMessageW(hIcon, STM_GETICON, 0, 0);
                        if (h == LoadIcon(NULL, IDI_HAND))
                            s.icon = MB_ICONHAND;
                        else if (h == LoadIcon(NULL, IDI_EXCLAMATION))
                            s.icon = MB_ICONEXCLAMATION;
                        else if (h == LoadIcon(NULL, IDI_ASTERISK))
                            s.icon = MB_ICONASTERISK;
                        else if (h == LoadIcon(NULL, IDI_QUESTION))
                            s.icon = MB_ICONQUESTION;
                    }
                    s.defaultButton = nDefault;
                    c->self->m_seen.push_back(s);
                }
                // IDOK closes any box; Enter presses its default button.
                if (c->self->m_nAnswer)
                    PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(c->self->m_nAnswer, BN_CLICKED), 0);
                else
                    PostMessageW(hDefault ? hDefault : hWnd, WM_KEYDOWN, VK_RETURN, 1);
                return TRUE;
            },
            (LPARAM)&ctx);
        Sleep(20);
    }
}

bool SetFolderUnreadable(const std::wstring& folder, bool bUnreadable)
{
    typedef char*(CDECL * UnixName)(LPCWSTR);
    UnixName pUnixName = (UnixName)(void*)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    if (!pUnixName)
        return false;
    char* unixPath = pUnixName(folder.c_str());
    if (!unixPath)
        return false;
    // Wine starts Unix programs given by their path on drive Z:. The Unix
    // path is UTF-8, as the command line's text is once widened.
    std::string cmd = std::string("/bin/chmod ") + (bUnreadable ? "000" : "755") + " \"" + unixPath + "\"";
    HeapFree(GetProcessHeap(), 0, unixPath);
    std::wstring wcmd(cmd.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_UTF8, 0, cmd.data(), (int)cmd.size(), &wcmd[0], (int)wcmd.size());
    wcmd.resize(n);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(L"Z:\\bin\\chmod", &wcmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    // Wine gives no handle to wait on for a Unix program: wait for the
    // effect instead.
    if (pi.hThread)
        CloseHandle(pi.hThread);
    if (pi.hProcess)
        CloseHandle(pi.hProcess);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(20)) {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE)
            FindClose(h);
        if ((h == INVALID_HANDLE_VALUE) == bUnreadable)
            return true;
    }
    return false;
}

HWND StartProgram(const std::wstring& arguments, PROCESS_INFORMATION& pi, const std::wstring& program)
{
    pi = PROCESS_INFORMATION();
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    const std::wstring path = program.empty() ? ProgramPath() : program;
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    if (!CreateProcessW(path.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return NULL;
    // Dialogs of other test programs may carry the same caption: only the
    // started program's own window counts, once it shows.
    const wchar_t* pszCaption = L"Quorvel 1.07 - 화일 이름을 쉽게";
    for (DWORD start = GetTickCount(); GetTickCount() - start < 30000; Sleep(50)) {
        for (HWND h = NULL; (h = FindWindowExW(NULL, h, NULL, pszCaption)) != NULL;) {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == pi.dwProcessId && IsWindowVisible(h))
                return h;
        }
    }
    return NULL;
}

int CloseProgram(HWND hWnd, PROCESS_INFORMATION& pi)
{
    if (hWnd)
        PostMessageW(hWnd, WM_CLOSE, 0, 0);
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(pi.hProcess, hWnd ? 30000 : 0) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, (UINT)-1);
    else
        GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return (int)code;
}

LRESULT SendTo(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hWnd, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result);
    return (LRESULT)result;
}

// The item structure and its text buffer live in that process's memory.
std::wstring RemoteItemText(HANDLE hProcess, HWND hTree, HTREEITEM hItem)
{
    struct Block {
        TVITEMW item;
        wchar_t text[MAX_PATH];
    };
    Block* pRemote = (Block*)VirtualAllocEx(hProcess, NULL, sizeof(Block), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!pRemote)
        return L"";
    Block local = {};
    local.item.mask = TVIF_TEXT;
    local.item.hItem = hItem;
    local.item.pszText = pRemote->text;
    local.item.cchTextMax = MAX_PATH;
    std::wstring text;
    if (WriteProcessMemory(hProcess, pRemote, &local, sizeof(local), NULL) &&
        SendTo(hTree, TVM_GETITEMW, 0, (LPARAM)pRemote) &&
        ReadProcessMemory(hProcess, pRemote, &local, sizeof(local), NULL))
        text.assign(local.text, wcsnlen(local.text, MAX_PATH));
    VirtualFreeEx(hProcess, pRemote, 0, MEM_RELEASE);
    return text;
}

std::wstring RemoteEditText(HWND hEdit)
{
    std::wstring text(SendTo(hEdit, WM_GETTEXTLENGTH, 0, 0) + 1, '\0');
    text.resize(SendTo(hEdit, WM_GETTEXT, text.size(), (LPARAM)&text[0]));
    return text;
}
