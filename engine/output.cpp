#include "engine/output.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/fatal.hpp"

namespace kreivold {

namespace {

// A game writes a few kilobytes between two reads; this only bounds memory
// should a caller write without ever reading.
constexpr std::size_t kFlushAt = 64 * 1024;

}  // namespace

void Output::put(std::string_view bytes) {
    if (bytes.empty()) return;
    buffer_.append(bytes);
    line_start_ = bytes.back() == '\n';
    if (buffer_.size() >= kFlushAt) flush();
}

void Output::flush() {
    if (buffer_.empty()) return;
    // Clear first: after a failure nothing of it may be sent again.
    const std::string pending = std::move(buffer_);
    buffer_.clear();
    send(pending);
}

void Output::report(std::string_view text, bool output_failed) noexcept {
    if (!output_failed) {
        try {
            if (!line_start_) put("\n");
            put(text);
            flush();
            return;
        } catch (...) {
            // The output broke while reporting: fall through to the error stream.
        }
    }
    buffer_.clear();
    send_error(text);
}

void FdOutput::send(std::string_view bytes) {
    if (!write_fully(fd_, bytes)) {
        throw Fatal{kWriteFailed, std::string("write failed: ") + std::strerror(errno)};
    }
}

void FdOutput::send_error(std::string_view bytes) noexcept {
    write_fully(STDERR_FILENO, bytes);
}

bool write_fully(int fd, std::string_view bytes) noexcept {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace kreivold
