#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/stream_console.hpp"

namespace kreivold {

// A console for tests: the keyboard is a fixed string of bytes, read by the
// same rules as a stream, and the screen is a string. The report lands in
// the screen too (after `kErrorMark` when it went to the error stream).
class ScriptedConsole final : public LineConsole {
public:
    static constexpr std::string_view kErrorMark = "<stderr>";

    explicit ScriptedConsole(std::string input, bool screen = false)
        : LineConsole(output_, screen), input_(std::move(input)) {}

    // Everything written so far, echoes and the report included.
    const std::string& screen() const { return output_.text; }

    // The most bytes written between two reads (or before the first).
    std::size_t longest_burst() const { return output_.longest; }

    std::string read_line() override {
        std::string line = LineConsole::read_line();
        output_.burst = 0;
        return line;
    }

    void wait_key() override {
        LineConsole::wait_key();
        output_.burst = 0;
    }

    // Makes every write fail, as a closed pipe or a full disk would.
    void break_output() { output_.broken = true; }

private:
    struct Memory final : Output {
        std::string text;
        std::size_t burst = 0;
        std::size_t longest = 0;
        bool broken = false;

        void send(std::string_view bytes) override;
        void send_error(std::string_view bytes) noexcept override {
            text.append(kErrorMark);
            text.append(bytes);
        }
    };

    std::size_t read_some(char* buffer, std::size_t size) override {
        const std::size_t n = std::min(size, input_.size() - consumed_);
        std::memcpy(buffer, input_.data() + consumed_, n);
        consumed_ += n;
        return n;
    }

    std::string input_;
    std::size_t consumed_ = 0;
    Memory output_;
};

}  // namespace kreivold
