#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/console.hpp"
#include "engine/output.hpp"

namespace kreivold {

// A console over a plain byte stream (a pipe or a file), for walkthroughs
// played from a file and for tests. A line is everything up to the next LF
// (a CR just before it belongs to the line end); at most kMaxString
// characters are kept and the rest of the line is skipped. The kept text is
// echoed with a line end, so the output reads like the screen would.
class LineConsole : public Console {
public:
    void write(std::string_view bytes) override;
    void flush() override;
    void clear_screen() override;
    std::string read_line() override;
    void wait_key() override;
    void report(std::string_view text, bool output_failed) noexcept override;

protected:
    // `screen`: whether clearing the screen writes the escape sequence.
    LineConsole(Output& output, bool screen) : output_(output), screen_(screen) {}

    // Reads up to `size` bytes; 0 means end of input. A failure throws
    // Fatal{kReadFailed}.
    virtual std::size_t read_some(char* buffer, std::size_t size) = 0;

private:
    bool next_byte(char& byte);

    Output& output_;
    bool screen_;
    char buffer_[4096];
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};

// The stream console on file descriptors (standard input and output).
class StreamConsole final : public LineConsole {
public:
    StreamConsole(int in_fd, int out_fd, bool screen)
        : LineConsole(output_, screen), in_fd_(in_fd), output_(out_fd) {}

private:
    std::size_t read_some(char* buffer, std::size_t size) override;

    int in_fd_;
    FdOutput output_;
};

}  // namespace kreivold
