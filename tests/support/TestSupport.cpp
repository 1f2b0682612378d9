#include "TestSupport.h"

#include <algorithm>
#include <cstdio>

#include "framework/afxwin.h"

namespace {
int g_folderSerial = 0;

void ListEntries(const std::string& folder, bool wantFolders, std::vector<std::string>& out)
{
    std::string base = folder;
    if (!base.empty() && base.back() != '\\')
        base += '\\';
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((base + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string n = fd.cFileName;
        if (n == "." || n == "..")
            continue;
        bool isFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder == wantFolders)
            out.push_back(n);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    std::sort(out.begin(), out.end());
}
}  // namespace

std::string Text(UINT nIDS, const std::vector<std::string>& args)
{
    std::vector<const char*> parts;
    for (const std::string& a : args)
        parts.push_back(a.c_str());
    CString s;
    AfxFormatStrings(s, nIDS, parts.data(), (int)parts.size());
    return s.str();
}

std::string ProgramPath()
{
    char exe[MAX_PATH];
    GetModuleFileNameA(NULL, exe, sizeof(exe));
    std::string path = exe;
    path = path.substr(0, path.rfind('\\'));
    return path.substr(0, path.rfind('\\')) + "\\quorvel.exe";
}

TempFolder::TempFolder(const char* tag)
{
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof(cwd), cwd);
    m_path = std::string(cwd) + "\\tmp_" + tag + "_" + std::to_string(GetCurrentProcessId()) + "_" +
             std::to_string(++g_folderSerial) + "\\";
    RemoveTree(m_path);
    CreateDirectoryA(m_path.c_str(), NULL);
}

TempFolder::~TempFolder()
{
    RemoveTree(m_path);
}

namespace {
// Wide, so that names the code page cannot hold go too, and never through
// their nearest spellings (a name with a won sign would read as a path).
void RemoveTreeWide(const std::wstring& folder)
{
    std::wstring base = folder;
    if (!base.empty() && base.back() != L'\\')
        base += L'\\';
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((base + L"*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring n = fd.cFileName;
            if (n == L"." || n == L"..")
                continue;
            std::wstring p = base + n;
            SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTreeWide(p);
            else
                DeleteFileW(p.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(base.c_str());
}
}  // namespace

void RemoveTree(const std::string& folder)
{
    RemoveTreeWide(WideText(folder));
}

std::wstring WideText(const std::string& text)
{
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), NULL, 0);
    std::wstring w(n, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), &w[0], n);
    return w;
}

bool WriteWideFile(const std::wstring& path, const std::string& content)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, content.data(), (DWORD)content.size(), &written, NULL);
    CloseHandle(h);
    return ok && written == content.size();
}

std::string ReadWideFile(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof(buf), &got, NULL) && got)
        out.append(buf, got);
    CloseHandle(h);
    return out;
}

std::vector<std::wstring> ListWideNames(const std::wstring& folder)
{
    std::wstring base = folder;
    if (!base.empty() && base.back() != L'\\')
        base += L'\\';
    std::vector<std::wstring> out;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((base + L"*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return out;
    do {
        std::wstring n = fd.cFileName;
        if (n != L"." && n != L"..")
            out.push_back(n);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    std::sort(out.begin(), out.end());
    return out;
}

bool WriteFileBytes(const std::string& path, const std::string& content)
{
    return WriteWideFile(WideText(path), content);
}

std::string ReadFileBytes(const std::string& path)
{
    return ReadWideFile(WideText(path));
}

bool WriteNamedFiles(const std::string& folder, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        if (!WriteFileBytes(folder + name, name))
            return false;
    return true;
}

bool MakeFolder(const std::string& path)
{
    return CreateDirectoryA(path.c_str(), NULL) != 0;
}

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ListFileNames(const std::string& folder)
{
    std::vector<std::string> out;
    ListEntries(folder, false, out);
    return out;
}

std::vector<std::string> ListFolderNames(const std::string& folder)
{
    std::vector<std::string> out;
    ListEntries(folder, true, out);
    return out;
}

void PumpMessages(int msWait)
{
    if (msWait > 0)
        MsgWaitForMultipleObjects(0, NULL, FALSE, msWait, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
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
                char cls[64] = "";
                GetClassNameA(hWnd, cls, sizeof(cls));
                HWND hText = GetDlgItem(hWnd, 0xFFFF);
                if (owner != c->pid || strcmp(cls, "#32770") != 0 || !hText || !IsWindowVisible(hWnd))
                    return TRUE;
                // The default button by its style: Wine answers DM_GETDEFID
                // with IDOK whatever the box's buttons.
                HWND hDefault = NULL;
                for (HWND h = GetWindow(hWnd, GW_CHILD); h && !hDefault; h = GetWindow(h, GW_HWNDNEXT))
                    if ((GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                        hDefault = h;
                const UINT nDefault = hDefault ? GetDlgCtrlID(hDefault) : 0;
                {
                    std::lock_guard<std::mutex> lock(c->self->m_mutex);
                    auto& handled = c->self->m_handled;
                    if (std::find(handled.begin(), handled.end(), hWnd) != handled.end())
                        return TRUE;
                    handled.push_back(hWnd);
                    Seen s;
                    char buf[8192] = "";
                    GetWindowTextA(hWnd, buf, sizeof(buf));
                    s.caption = buf;
                    buf[0] = 0;
                    GetWindowTextA(hText, buf, sizeof(buf));
                    s.text = buf;
                    wchar_t wbuf[8192] = L"";
                    GetWindowTextW(hText, wbuf, 8192);
                    s.wideText = wbuf;
                    s.icon = 0;
                    // The icon control: 0x14 on Windows, stc1 (0x440) under Wine.
                    HWND hIcon = GetDlgItem(hWnd, 0x0014);
                    if (!hIcon)
                        hIcon = GetDlgItem(hWnd, 0x0440);
                    if (hIcon) {
                        HICON h = (HICON)SendMessageA(hIcon, STM_GETICON, 0, 0);
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
                    PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(c->self->m_nAnswer, BN_CLICKED), 0);
                else
                    PostMessageA(hDefault ? hDefault : hWnd, WM_KEYDOWN, VK_RETURN, 1);
                return TRUE;
            },
            (LPARAM)&ctx);
        Sleep(20);
    }
}

bool SetFolderUnreadable(const std::string& folder, bool bUnreadable)
{
    typedef char*(CDECL * UnixName)(LPCWSTR);
    UnixName pUnixName = (UnixName)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    if (!pUnixName)
        return false;
    wchar_t wide[MAX_PATH * 2];
    if (!MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide, MAX_PATH * 2))
        return false;
    char* unixPath = pUnixName(wide);
    if (!unixPath)
        return false;
    // Wine starts Unix programs given by their path on drive Z:.
    std::string cmd = std::string("/bin/chmod ") + (bUnreadable ? "000" : "755") + " \"" + unixPath + "\"";
    HeapFree(GetProcessHeap(), 0, unixPath);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA("Z:\\bin\\chmod", &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    // Wine gives no handle to wait on for a Unix program: wait for the
    // effect instead.
    if (pi.hThread)
        CloseHandle(pi.hThread);
    if (pi.hProcess)
        CloseHandle(pi.hProcess);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(20)) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE)
            FindClose(h);
        if ((h == INVALID_HANDLE_VALUE) == bUnreadable)
            return true;
    }
    return false;
}
