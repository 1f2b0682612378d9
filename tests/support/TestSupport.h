// Helpers shared by the test suites: throwaway folders, files with known
// contents, message pumping, and a watcher that answers message boxes.
// Every name and text is UTF-16, as the program has them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The string-table entry nIDS with %1, %2, ... replaced by args, as the
// program shows it: tests compare the program's texts by id.
std::wstring Text(UINT nIDS, const std::vector<std::wstring>& args = {});

// build\quorvel.exe, beside the folder of the test programs.
std::wstring ProgramPath();

// A fresh folder under the current folder, removed with everything in it
// when the object goes. Path() ends with "\".
class TempFolder {
public:
    explicit TempFolder(const wchar_t* tag = L"t");
    ~TempFolder();
    const std::wstring& Path() const { return m_path; }
    // Path of a name inside the folder.
    std::wstring operator/(const std::wstring& name) const { return m_path + name; }

private:
    std::wstring m_path;
};

// Removes a folder and everything in it; names any Win32 path cannot reach
// (a trailing dot) are reached through the long form.
void RemoveTree(const std::wstring& folder);
// A new file holding the text, stored as UTF-8; false when it cannot be
// created (or already exists).
bool WriteFileText(const std::wstring& path, const std::wstring& text);
// The file's text, or "<missing>" when it cannot be read.
std::wstring ReadFileText(const std::wstring& path);
// Creates each named file in the folder (ending with "\"), holding its own
// name as its text, in the order given; false when one cannot be created.
bool WriteNamedFiles(const std::wstring& folder, const std::vector<std::wstring>& names);
bool MakeFolder(const std::wstring& path);
bool PathExists(const std::wstring& path);
// A function the platform calls before each move it makes (to make moves
// slow, or to act between them), standing in as the volume service; NULL
// puts the system's service back.
void SetBeforeMoveHook(void (*pfnHook)());
// The names of the entries of a folder (without "." and ".."), sorted by
// UTF-16 unit; files only, folders only, or both.
std::vector<std::wstring> ListFileNames(const std::wstring& folder);
std::vector<std::wstring> ListFolderNames(const std::wstring& folder);
std::vector<std::wstring> ListAllNames(const std::wstring& folder);

// Types the text into the window as an input method delivers it: one
// WM_CHAR per UTF-16 unit, a surrogate pair as two, and a line break as the
// Enter key gives it ("\r").
void TypeText(HWND hWnd, const std::wstring& text);

// Takes all access to a folder away (bUnreadable) or gives it back, with
// the Unix permissions Wine maps a folder onto; false when the folder's
// listing does not follow (not under Wine, or run with rights that pass over
// permissions).
bool SetFolderUnreadable(const std::wstring& folder, bool bUnreadable);

// Dispatches every queued message of this thread, then runs the idle work
// as the program's message loop does once it has nothing left to do. With
// msWait, it first waits up to that long for a message to arrive: one step
// of a polling loop that keeps its own deadline.
void PumpMessages(int msWait = 0);
// Pumps messages until done() holds or timeoutMs have passed; returns
// done(). For what arrives later by itself (a posted message, another
// thread's work), never for the result of a call that has returned.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Watches for message boxes (dialog class "#32770" with a static text 0xFFFF)
// owned by this process, records caption and text, and closes each with
// the button nAnswer (IDOK: the first button of any box; 0: the Enter key,
// which presses the default button). Runs on its own thread while the test
// thread sits in the message box's modal loop.
class MessageBoxWatcher {
public:
    struct Seen {
        std::wstring caption;
        std::wstring text;
        UINT icon;          // MB_ICONHAND etc. when it can be told, else 0
        UINT defaultButton; // IDOK, IDNO etc.
    };
    explicit MessageBoxWatcher(UINT nAnswer = IDOK);
    ~MessageBoxWatcher();
    std::vector<Seen> Boxes();
    void Clear();

private:
    void Run();
    UINT m_nAnswer;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<Seen> m_seen;
    std::vector<HWND> m_handled;
    std::thread m_thread;
};

// Driving build\quorvel.exe from outside, as another process: starting it
// and reading its controls across the process boundary.
// The program (build\quorvel.exe by default) started with the arguments
// after its name; returns its main window once it shows (its
// initialisation done), NULL after 30 seconds without it. pi receives the
// process, for CloseProgram.
HWND StartProgram(const std::wstring& arguments, PROCESS_INFORMATION& pi, const std::wstring& program = L"");
// Closes the window and waits for the program to end; its exit code, or -1
// when it had to be ended (a program left running would hold the test
// run's output open).
int CloseProgram(HWND hWnd, PROCESS_INFORMATION& pi);

// Another process's window gets its message, or the call gives up after
// ten seconds rather than hanging the test with the program.
LRESULT SendTo(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// The label of an item of a tree in another process.
std::wstring RemoteItemText(HANDLE hProcess, HWND hTree, HTREEITEM hItem);
std::wstring RemoteEditText(HWND hEdit);
