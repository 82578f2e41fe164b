#pragma once

// Runs the built game as a separate process: through pipes, or on a
// pseudo-terminal as the foreground job of a small stand-in shell.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

namespace kreivold::e2e {

inline constexpr const char* kGame = KREIVOLD_GAME;

inline std::string fixture(const std::string& name) {
    std::ifstream in(std::string(KREIVOLD_FIXTURES) + "/" + name, std::ios::binary);
    if (!in) throw std::runtime_error("no fixture " + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// How a process ended: by exit (status) or by a signal.
struct Ended {
    int status = -1;
    int signal = 0;
};

inline Ended decode(int wait_status) {
    Ended ended;
    if (WIFEXITED(wait_status)) ended.status = WEXITSTATUS(wait_status);
    if (WIFSIGNALED(wait_status)) ended.signal = WTERMSIG(wait_status);
    return ended;
}

enum class Stdout { pipe, closed_pipe, dev_full };

struct PipeRun {
    Ended ended;
    std::string out;
    std::string err;
    bool timed_out = false;
};

// Runs the game with `input` on its standard input (a pipe), collecting
// what it writes. The game is killed after `limit`.
inline PipeRun run_piped(const std::string& input, Stdout mode = Stdout::pipe,
                         std::chrono::seconds limit = std::chrono::seconds(30)) {
    signal(SIGPIPE, SIG_IGN);
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe");
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], STDIN_FILENO);
        if (mode == Stdout::dev_full) {
            const int full = open("/dev/full", O_WRONLY);
            dup2(full, STDOUT_FILENO);
        } else {
            dup2(out[1], STDOUT_FILENO);
        }
        dup2(err[1], STDERR_FILENO);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
        execl(kGame, kGame, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    if (mode == Stdout::closed_pipe) {
        close(out[0]);
        out[0] = -1;
    }
    fcntl(in[1], F_SETFL, O_NONBLOCK);
    PipeRun run;
    std::size_t sent = 0;
    int to_child = in[1];
    if (input.empty()) {
        close(to_child);
        to_child = -1;
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (out[0] >= 0 || err[0] >= 0) {
        pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {to_child, POLLOUT, 0}};
        if (std::chrono::steady_clock::now() > deadline) {
            run.timed_out = true;
            kill(pid, SIGKILL);
            break;
        }
        if (poll(fds, 3, 100) < 0 && errno != EINTR) break;
        char buffer[65536];
        for (int i = 0; i < 2; ++i) {
            int& fd = i == 0 ? out[0] : err[0];
            if (fd < 0 || (fds[i].revents & (POLLIN | POLLHUP)) == 0) continue;
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got > 0) {
                (i == 0 ? run.out : run.err).append(buffer, static_cast<std::size_t>(got));
            } else {
                close(fd);
                fd = -1;
            }
        }
        if (to_child >= 0 && (fds[2].revents & (POLLOUT | POLLERR)) != 0) {
            const ssize_t wrote = write(to_child, input.data() + sent, input.size() - sent);
            if (wrote > 0) sent += static_cast<std::size_t>(wrote);
            if (wrote < 0 && errno != EAGAIN) sent = input.size();  // the game stopped reading
            if (sent == input.size()) {
                close(to_child);
                to_child = -1;
            }
        }
    }
    if (to_child >= 0) close(to_child);
    for (int fd : {out[0], err[0]}) {
        if (fd >= 0) close(fd);
    }
    int wait_status = 0;
    waitpid(pid, &wait_status, 0);
    run.ended = decode(wait_status);
    return run;
}

// The game on a pseudo-terminal. A stand-in shell is the session leader; it
// runs the game as a foreground job in a process group of its own, as a
// login shell would, so that job control (Ctrl-Z, fg) works as it does for
// a player, and exits with the game's exit status (128 + signal number when
// the game was killed).
class PtyGame {
public:
    PtyGame() {
        int pid_pipe[2], go_pipe[2];
        if (pipe(pid_pipe) != 0 || pipe(go_pipe) != 0) throw std::runtime_error("pipe");
        termios settings{};
        cfmakeraw(&settings);  // then switched to a usual cooked terminal
        settings.c_iflag = ICRNL | IXON | IUTF8;
        settings.c_oflag = OPOST | ONLCR;
        settings.c_lflag = ISIG | ICANON | ECHO | ECHOE | ECHOK | IEXTEN | ECHOCTL | ECHOKE;
        settings.c_cflag = CS8 | CREAD | B38400;
        settings.c_cc[VINTR] = 0x03;
        settings.c_cc[VQUIT] = 0x1c;
        settings.c_cc[VERASE] = 0x7f;
        settings.c_cc[VKILL] = 0x15;
        settings.c_cc[VEOF] = 0x04;
        settings.c_cc[VSUSP] = 0x1a;
        settings.c_cc[VMIN] = 1;
        winsize size{24, 80, 0, 0};
        shell_ = forkpty(&master_, nullptr, &settings, &size);
        if (shell_ < 0) throw std::runtime_error("forkpty");
        if (shell_ == 0) run_shell(pid_pipe[1], go_pipe[0]);
        close(pid_pipe[1]);
        close(go_pipe[0]);
        if (read(pid_pipe[0], &game_, sizeof game_) != static_cast<ssize_t>(sizeof game_)) {
            throw std::runtime_error("no game pid");
        }
        close(pid_pipe[0]);
        before_ = settings_now();
        const char go = 'g';
        if (write(go_pipe[1], &go, 1) != 1) throw std::runtime_error("go");
        close(go_pipe[1]);
    }

    ~PtyGame() {
        if (!ended_) {
            kill(game_, SIGKILL);
            finish();
        }
        close(master_);
    }

    PtyGame(const PtyGame&) = delete;
    PtyGame& operator=(const PtyGame&) = delete;

    void type(const std::string& keys) {
        if (::write(master_, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) {
            throw std::runtime_error("type");
        }
    }

    // Reads the screen until `needle` shows up after what was already
    // waited for; false after `limit` without it.
    bool wait_for(const std::string& needle, std::chrono::seconds limit = std::chrono::seconds(20)) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        for (;;) {
            const std::size_t at = screen_.find(needle, seen_);
            if (at != std::string::npos) {
                seen_ = at + needle.size();
                return true;
            }
            if (std::chrono::steady_clock::now() > deadline || !pump(100)) return false;
        }
    }

    // Waits for the game to end; what it wrote is read to the end first.
    Ended finish() {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (pump(100)) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(game_, SIGKILL);  // a game that does not end fails the test, not the run
                deadline = std::chrono::steady_clock::time_point::max();
            }
        }
        int wait_status = 0;
        waitpid(shell_, &wait_status, 0);
        ended_ = true;
        const Ended shell = decode(wait_status);
        Ended game;
        if (shell.status >= 128) {
            game.signal = shell.status - 128;
        } else {
            game.status = shell.status;
        }
        return game;
    }

    // Polls until the terminal's settings satisfy `ready`.
    template <class Ready>
    bool settle(Ready ready, std::chrono::seconds limit = std::chrono::seconds(10)) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!ready(settings_now())) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            pump(20);
        }
        return true;
    }

    termios settings_now() const {
        termios now{};
        tcgetattr(master_, &now);
        return now;
    }

    const termios& settings_before() const { return before_; }
    const std::string& screen() const { return screen_; }
    pid_t game() const { return game_; }

private:
    [[noreturn]] static void run_shell(int pid_out, int go_in) {
        signal(SIGTTOU, SIG_IGN);
        const pid_t game = fork();
        if (game == 0) {
            setpgid(0, 0);
            char go = 0;
            if (read(go_in, &go, 1) != 1) _exit(126);
            signal(SIGTTOU, SIG_DFL);
            execl(kGame, kGame, static_cast<char*>(nullptr));
            _exit(127);
        }
        setpgid(game, game);
        tcsetpgrp(STDIN_FILENO, game);
        if (write(pid_out, &game, sizeof game) != static_cast<ssize_t>(sizeof game)) _exit(125);
        int wait_status = 0;
        while (waitpid(game, &wait_status, 0) < 0 && errno == EINTR) {
        }
        if (WIFSIGNALED(wait_status)) _exit(128 + WTERMSIG(wait_status));
        _exit(WEXITSTATUS(wait_status));
    }

    // Reads what is there; false once the terminal is closed.
    bool pump(int timeout_ms) {
        pollfd fd{master_, POLLIN, 0};
        if (poll(&fd, 1, timeout_ms) <= 0) return true;
        char buffer[4096];
        const ssize_t got = read(master_, buffer, sizeof buffer);
        if (got <= 0) return false;
        screen_.append(buffer, static_cast<std::size_t>(got));
        return true;
    }

    int master_ = -1;
    pid_t shell_ = -1;
    pid_t game_ = -1;
    bool ended_ = false;
    termios before_{};
    std::string screen_;
    std::size_t seen_ = 0;
};

inline bool same_settings(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_lflag == b.c_lflag &&
           a.c_cflag == b.c_cflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

}  // namespace kreivold::e2e
