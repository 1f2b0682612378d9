// Helpers shared by the test suites: throwaway folders, files with known
// contents, message pumping, and a watcher that answers message boxes.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The string-table entry nIDS with %1, %2, ... replaced by args, as the
// program shows it: tests compare the program's texts by id.
std::string Text(UINT nIDS, const std::vector<std::string>& args = {});

// build\quorvel.exe, beside the folder of the test programs.
std::string ProgramPath();

// A fresh folder under the current folder, removed with everything in it
// when the object goes. Path() ends with "\".
class TempFolder {
public:
    explicit TempFolder(const char* tag = "t");
    ~TempFolder();
    const std::string& Path() const { return m_path; }
    // Path of a name inside the folder.
    std::string operator/(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

void RemoveTree(const std::string& folder);
bool WriteFileBytes(const std::string& path, const std::string& content);
// The file's bytes, or "<missing>" when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Creates each named file in the folder (ending with "\"), holding its own
// name as content, in the order given; false when one cannot be created.
bool WriteNamedFiles(const std::string& folder, const std::vector<std::string>& names);
bool MakeFolder(const std::string& path);

// Names the code page cannot hold, through the wide API: the wide form of a
// code-page string; a new file with the content; the content of a file
// ("<missing>" when it cannot be read); every entry of a folder (files
// and folders), sorted.
std::wstring WideText(const std::string& text);
bool WriteWideFile(const std::wstring& path, const std::string& content);
std::string ReadWideFile(const std::wstring& path);
std::vector<std::wstring> ListWideNames(const std::wstring& folder);
bool PathExists(const std::string& path);
// The names of the entries of a folder (without "." and ".."), sorted
// byte-wise; files only, or folders only.
std::vector<std::string> ListFileNames(const std::string& folder);
std::vector<std::string> ListFolderNames(const std::string& folder);

// Takes all access to a folder away (bUnreadable) or gives it back, with
// the Unix permissions Wine maps a folder onto; false when the folder's
// listing does not follow (not under Wine, or run with rights that pass over
// permissions).
bool SetFolderUnreadable(const std::string& folder, bool bUnreadable);

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
        std::string caption;
        std::string text;
        std::wstring wideText;  // the text as the box shows it, in full
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
