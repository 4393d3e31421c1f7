#include "platform/terminal.h"

#include <windows.h>

#include <io.h>
#include <atomic>
#include <clocale>
#include <cstdio>

namespace lenscout {

namespace {

// The console whose echo is off, and its mode before, for the handler of
// Ctrl-C, which Windows runs on a thread of its own.
std::atomic<HANDLE> gQuietConsole{nullptr};
DWORD gQuietSaved = 0;
std::atomic<bool> gCounting{false};
std::atomic<int> gSeen{0};

BOOL WINAPI onInterrupt(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    if (HANDLE console = gQuietConsole.load()) ::SetConsoleMode(console, gQuietSaved);
    if (gCounting && gSeen.fetch_add(1) == 0) return TRUE;
    return FALSE;  // the system's handler ends the process
}

// The console's input, with echo off until the object goes.
class QuietConsole {
public:
    QuietConsole()
        : in_(::CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr)) {
        ok_ = in_ != INVALID_HANDLE_VALUE && ::GetConsoleMode(in_, &saved_) &&
              ::SetConsoleMode(in_, (saved_ & ~ENABLE_ECHO_INPUT) | ENABLE_LINE_INPUT);
        if (!ok_) return;
        gQuietSaved = saved_;
        gQuietConsole = in_;
    }
    ~QuietConsole() {
        gQuietConsole = nullptr;
        if (ok_) ::SetConsoleMode(in_, saved_);
        if (in_ != INVALID_HANDLE_VALUE) ::CloseHandle(in_);
    }
    QuietConsole(const QuietConsole&) = delete;
    QuietConsole& operator=(const QuietConsole&) = delete;
    bool ok() const { return ok_; }
    HANDLE handle() const { return in_; }

private:
    HANDLE in_;
    DWORD saved_ = 0;
    bool ok_ = false;
};

}  // namespace

bool isTerminal(StdStream stream) { return ::_isatty(static_cast<int>(stream)) != 0; }

int terminalColumns() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!::GetConsoleScreenBufferInfo(::GetStdHandle(STD_ERROR_HANDLE), &info)) return 80;
    return info.srWindow.Right - info.srWindow.Left + 1;
}

bool readHiddenLine(const char* prompt, std::string* line) {
    QuietConsole console;
    if (!console.ok()) return false;
    std::fputs(prompt, stderr);
    std::fflush(stderr);
    line->clear();
    char c = 0;
    DWORD n = 0;
    while (::ReadConsoleA(console.handle(), &c, 1, &n, nullptr) && n == 1 && c != '\n')
        if (c != '\r') line->push_back(c);
    std::fputs("\n", stderr);
    return n == 1;
}

void followUserLocale() { std::setlocale(LC_ALL, ""); }

// Windows has no SIGPIPE: a write to a closed pipe only fails.
void ignoreBrokenPipes() {}

void handleInterrupts() { ::SetConsoleCtrlHandler(onInterrupt, TRUE); }

void countInterrupts() { gCounting = true; }

int interruptsSeen() { return gSeen.load() > 0 ? 1 : 0; }

}  // namespace lenscout
