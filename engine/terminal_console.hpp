#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/console.hpp"
#include "engine/output.hpp"

namespace kreivold {

// The console on an interactive terminal. The terminal is put into the
// game's mode once, here: no canonical input and no kernel echo, while
// signals and output processing stay as they were. The game's own line
// editor echoes and edits. The settings the terminal had are put back on
// every way out: the destructor, a fatal error, and the signals that end or
// stop the process (a stop is followed by the game's mode again on resume).
class TerminalConsole final : public Console {
public:
    // Whether `fd` is a terminal whose settings can be read.
    static bool usable(int fd);

    TerminalConsole(int in_fd, int out_fd);
    ~TerminalConsole() override;
    TerminalConsole(const TerminalConsole&) = delete;
    TerminalConsole& operator=(const TerminalConsole&) = delete;

    void write(std::string_view bytes) override;
    void flush() override;
    void clear_screen() override;
    std::string read_line() override;
    void wait_key() override;
    void report(std::string_view text, bool output_failed) noexcept override;

    // Longest line the editor takes, in characters.
    static constexpr std::size_t kMaxTyped = 254;

private:
    std::size_t fill();
    unsigned char next_byte();
    bool skip_escape();
    void erase_last();
    bool accept(unsigned char byte);

    int in_fd_;
    FdOutput output_;
    bool screen_;
    std::string line_;         // the line being typed
    std::size_t typed_ = 0;    // characters in line_
    std::string partial_;      // bytes of a character still being received
    unsigned char buffer_[256];
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};

}  // namespace kreivold
