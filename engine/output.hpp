#pragma once

#include <string>
#include <string_view>

namespace kreivold {

// Buffered output shared by the console back ends. Text is kept until the
// next flush, which every back end makes before it waits for input, so the
// player always sees the prompt before the game waits.
class Output {
public:
    virtual ~Output() = default;

    void put(std::string_view bytes);

    // Sends everything buffered; a failed write is Fatal{kWriteFailed}.
    void flush();

    // Writes the fatal report, starting on a row of its own. When the normal
    // output failed, what is still buffered is dropped and the report goes to
    // the error stream. Never throws.
    void report(std::string_view text, bool output_failed) noexcept;

protected:
    virtual void send(std::string_view bytes) = 0;               // throws on failure
    virtual void send_error(std::string_view bytes) noexcept = 0;

private:
    std::string buffer_;
    bool line_start_ = true;  // the last byte put was a line end (or none yet)
};

// Output to a file descriptor; the error stream is standard error.
class FdOutput final : public Output {
public:
    explicit FdOutput(int fd) : fd_(fd) {}

private:
    void send(std::string_view bytes) override;
    void send_error(std::string_view bytes) noexcept override;

    int fd_;
};

// Writes all of `bytes` to `fd`, retrying after signals and short writes.
// Returns false on any other failure.
bool write_fully(int fd, std::string_view bytes) noexcept;

}  // namespace kreivold
