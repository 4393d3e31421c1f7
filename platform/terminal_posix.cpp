#include "platform/terminal.h"

#include "platform/descriptor_posix.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <clocale>
#include <csignal>
#include <cstdio>

namespace lenscout {

namespace {

// What the signal handler needs: the terminal whose echo is off, and how
// it was before. Written before the echo goes, cleared before it returns.
volatile sig_atomic_t gEchoOff = 0;
int gEchoFd = -1;
termios gEchoSaved{};
volatile sig_atomic_t gCounting = 0;
volatile sig_atomic_t gSeen = 0;

extern "C" void onInterrupt(int signal) {
    if (gEchoOff) ::tcsetattr(gEchoFd, TCSANOW, &gEchoSaved);
    if (gCounting && gSeen == 0) {
        gSeen = 1;
        return;
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// The controlling terminal, open for the object's lifetime.
class TtyFile {
public:
    TtyFile() : fd_(::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC)) {}
    ~TtyFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    TtyFile(const TtyFile&) = delete;
    TtyFile& operator=(const TtyFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// Echo off until the object goes, whatever path the read takes.
class EchoOff {
public:
    explicit EchoOff(int fd) : fd_(fd), ok_(tcgetattr(fd, &saved_) == 0) {
        if (!ok_) return;
        termios quiet = saved_;
        quiet.c_lflag &= static_cast<tcflag_t>(~(ECHO | ECHONL));
        quiet.c_lflag |= ICANON;
        gEchoFd = fd;
        gEchoSaved = saved_;
        gEchoOff = 1;
        ok_ = tcsetattr(fd, TCSAFLUSH, &quiet) == 0;
        if (!ok_) gEchoOff = 0;
    }
    ~EchoOff() {
        gEchoOff = 0;
        if (ok_) tcsetattr(fd_, TCSAFLUSH, &saved_);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;
    bool ok() const { return ok_; }

private:
    int fd_;
    termios saved_{};
    bool ok_;
};

}  // namespace

bool isTerminal(StdStream stream) { return ::isatty(static_cast<int>(stream)) == 1; }

int terminalColumns() {
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return 80;
    return size.ws_col;
}

bool readHiddenLine(const char* prompt, std::string* line) {
    TtyFile tty;
    if (tty.fd() < 0) return false;
    bool ended = false;
    {
        EchoOff quiet(tty.fd());
        if (!quiet.ok()) return false;
        writeAll(tty.fd(), prompt);
        line->clear();
        char c = 0;
        ssize_t n = 0;
        while ((n = ::read(tty.fd(), &c, 1)) == 1 && c != '\n') line->push_back(c);
        ended = n == 1;
    }
    // The newline that the user typed was not echoed.
    writeAll(tty.fd(), "\n");
    return ended;
}

void followUserLocale() { std::setlocale(LC_ALL, ""); }

void ignoreBrokenPipes() { std::signal(SIGPIPE, SIG_IGN); }

void handleInterrupts() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

void countInterrupts() { gCounting = 1; }

int interruptsSeen() { return gSeen; }

}  // namespace lenscout
