#include "engine/stream_console.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/fatal.hpp"
#include "engine/state.hpp"
#include "engine/utf8.hpp"

namespace kreivold {

namespace {

// The first kMaxString characters of a line never take more bytes than this,
// so a longer line is skipped without being held in memory.
constexpr std::size_t kMaxLineBytes = kMaxString * 4;

}  // namespace

void LineConsole::write(std::string_view bytes) { output_.put(bytes); }

void LineConsole::flush() { output_.flush(); }

void LineConsole::clear_screen() {
    if (screen_) output_.put("\x1b[H\x1b[2J");
}

bool LineConsole::next_byte(char& byte) {
    if (begin_ == end_) {
        begin_ = 0;
        end_ = read_some(buffer_, sizeof buffer_);
        if (end_ == 0) return false;
    }
    byte = buffer_[begin_++];
    return true;
}

std::string LineConsole::read_line() {
    output_.flush();
    std::string line;
    std::size_t length = 0;  // bytes of the line seen, kept or not
    bool ended = false;
    char byte = 0;
    while (next_byte(byte)) {
        if (byte == '\n') {
            ended = true;
            break;
        }
        if (line.size() < kMaxLineBytes) line.push_back(byte);
        ++length;
    }
    if (!ended && length == 0) throw Fatal{kReadFailed, "read failed: end of input"};
    if (ended && length == line.size() && !line.empty() && line.back() == '\r') line.pop_back();
    line.resize(utf8::prefix(line, kMaxString));
    output_.put(line);
    output_.put("\n");
    return line;
}

void LineConsole::wait_key() {
    output_.flush();
    char byte = 0;
    next_byte(byte);  // end of input counts as the key
}

void LineConsole::report(std::string_view text, bool output_failed) noexcept {
    output_.report(text, output_failed);
}

std::size_t StreamConsole::read_some(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(in_fd_, buffer, size);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) {
            throw Fatal{kReadFailed, std::string("read failed: ") + std::strerror(errno)};
        }
    }
}

}  // namespace kreivold
