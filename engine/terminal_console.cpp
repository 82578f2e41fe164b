#include "engine/terminal_console.hpp"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "engine/fatal.hpp"
#include "engine/utf8.hpp"

namespace kreivold {

namespace {

// Everything the signal handlers need, in one place. Handlers only call
// tcsetattr, signal and raise on it, which are safe inside a handler.
struct TerminalModes {
    int fd = -1;
    termios original{};  // as the terminal was before the game
    termios game{};      // the game's mode
    volatile std::sig_atomic_t active = 0;
};

TerminalModes modes;

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

void restore_original() {
    if (modes.active != 0) tcsetattr(modes.fd, TCSANOW, &modes.original);
}

// Puts the terminal back, then lets the signal do what it does by default
// (end the process), now that nothing of the game's mode is left behind.
extern "C" void on_ending_signal(int sig) {
    restore_original();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}


// Ctrl-Z: the shell gets its settings back while the game is stopped.
extern "C" void on_stop(int) {
    restore_original();
    std::signal(SIGTSTP, SIG_DFL);
    std::raise(SIGTSTP);
}

// fg: the game's mode again, and ready for the next Ctrl-Z.
extern "C" void on_resume(int) {
    if (modes.active != 0) tcsetattr(modes.fd, TCSANOW, &modes.game);
    std::signal(SIGTSTP, on_stop);
}

void install(int sig, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(sig, &action, nullptr);
}

void enter_game_mode(int fd) {
    modes.fd = fd;
    tcgetattr(fd, &modes.original);
    modes.game = modes.original;
    // Keys come one at a time and are not echoed by the kernel; the editor
    // echoes them. ISIG stays on (Ctrl-C, Ctrl-Z, Ctrl-\), and so does output
    // processing, so a line end still moves to the start of the next row.
    modes.game.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHONL | IEXTEN);
    modes.game.c_cc[VMIN] = 1;
    modes.game.c_cc[VTIME] = 0;
    for (int sig : kEndingSignals) install(sig, on_ending_signal);
    install(SIGTSTP, on_stop);
    install(SIGCONT, on_resume);
    modes.active = 1;
    // TCSANOW: keys typed before the game started are kept, not flushed.
    tcsetattr(fd, TCSANOW, &modes.game);
}

void leave_game_mode() {
    restore_original();
    modes.active = 0;
    for (int sig : kEndingSignals) std::signal(sig, SIG_DFL);
    std::signal(SIGTSTP, SIG_DFL);
    std::signal(SIGCONT, SIG_DFL);
}

bool is_control(unsigned char byte) { return byte < 0x20U || byte == 0x7FU; }

// C1 control characters arrive as a valid two-byte sequence C2 80..9F.
bool is_c1_control(std::string_view ch) {
    return ch.size() == 2 && static_cast<unsigned char>(ch[0]) == 0xC2U &&
           static_cast<unsigned char>(ch[1]) < 0xA0U;
}

}  // namespace

bool TerminalConsole::usable(int fd) {
    termios probe{};
    return isatty(fd) != 0 && tcgetattr(fd, &probe) == 0;
}

TerminalConsole::TerminalConsole(int in_fd, int out_fd)
    : in_fd_(in_fd), output_(out_fd), screen_(isatty(out_fd) != 0) {
    enter_game_mode(in_fd);
}

TerminalConsole::~TerminalConsole() {
    try {
        output_.flush();
    } catch (...) {
        // Nothing left to tell; the terminal is put back all the same.
    }
    leave_game_mode();
}

void TerminalConsole::write(std::string_view bytes) { output_.put(bytes); }

void TerminalConsole::flush() { output_.flush(); }

void TerminalConsole::clear_screen() {
    if (screen_) output_.put("\x1b[H\x1b[2J");
}

void TerminalConsole::report(std::string_view text, bool output_failed) noexcept {
    output_.report(text, output_failed);
}

// Fills the buffer with what the keyboard sends next, after showing all
// output; returns the number of bytes, 0 when the terminal has hung up.
std::size_t TerminalConsole::fill() {
    output_.flush();
    ssize_t got = 0;
    do {
        got = ::read(in_fd_, buffer_, sizeof buffer_);
    } while (got < 0 && errno == EINTR);  // a signal is not the end of the line
    if (got < 0) throw Fatal{kReadFailed, std::string("read failed: ") + std::strerror(errno)};
    begin_ = 0;
    end_ = static_cast<std::size_t>(got);
    return end_;
}

unsigned char TerminalConsole::next_byte() {
    if (begin_ == end_ && fill() == 0) throw Fatal{kReadFailed, "read failed: end of input"};
    return buffer_[begin_++];
}

// Skips the rest of a key's escape sequence: "ESC [ params final" (the final
// byte is 0x40-0x7E, so "ESC [ 1 ; 5 D" goes whole), "ESC O x", or ESC with
// one more key (Alt+key). A control key right after ESC is handled as itself;
// returns whether that key ended the line.
bool TerminalConsole::skip_escape() {
    const unsigned char kind = next_byte();
    if (kind == '[') {
        for (;;) {
            const unsigned char byte = next_byte();
            if (byte >= 0x40U && byte <= 0x7EU) return false;
            if (byte < 0x20U || byte > 0x7EU) return accept(byte);  // not a sequence after all
        }
    }
    if (kind == 'O') {
        next_byte();
        return false;
    }
    return is_control(kind) && accept(kind);
}

void TerminalConsole::erase_last() {
    partial_.clear();
    if (line_.empty()) return;
    std::size_t start = line_.size() - 1;
    while (start > 0 && (static_cast<unsigned char>(line_[start]) & 0xC0U) == 0x80U) --start;
    line_.resize(start);
    --typed_;
    output_.put("\b \b");
}

// Takes one byte of typing and tells whether it ended the line. Control keys
// are handled or ignored; printable characters are stored and echoed once
// their last byte has arrived.
bool TerminalConsole::accept(unsigned char byte) {
    if (byte == '\r' || byte == '\n') return true;
    if (byte == 0x7FU || byte == '\b') {
        erase_last();
        return false;
    }
    if (byte == 0x1BU) {
        partial_.clear();
        return skip_escape();
    }
    if (is_control(byte)) return false;
    // A new character while one is incomplete: the incomplete one is dropped.
    if (!partial_.empty() && (byte & 0xC0U) != 0x80U) partial_.clear();
    partial_.push_back(static_cast<char>(byte));
    const auto lead = static_cast<unsigned char>(partial_[0]);
    if (partial_.size() < utf8::expected_length(lead)) return false;
    std::string ch;
    ch.swap(partial_);
    const bool valid = utf8::char_length(ch, 0) == ch.size() && !is_c1_control(ch) &&
                       !(lead >= 0x80U && ch.size() == 1);  // a stray byte is no character
    if (valid && typed_ < kMaxTyped) {
        line_ += ch;
        ++typed_;
        output_.put(ch);
    }
    return false;
}

std::string TerminalConsole::read_line() {
    line_.clear();
    partial_.clear();
    typed_ = 0;
    while (!accept(next_byte())) {
    }
    output_.put("\n");
    std::string done;
    done.swap(line_);
    return done;
}

void TerminalConsole::wait_key() {
    output_.flush();
    // A key typed ahead is the key; a hung-up terminal ends the wait too.
    if (begin_ == end_) fill();
    // Whatever else is pending (the rest of a multi-byte key, keys typed
    // ahead) is dropped so it never reaches the shell.
    begin_ = end_ = 0;
    tcflush(in_fd_, TCIFLUSH);
}

}  // namespace kreivold
