#pragma once

#include <string>
#include <string_view>

namespace kreivold {

// The only thing the dialogue knows about the screen and the keyboard.
// A back end throws Fatal{kReadFailed} or Fatal{kWriteFailed} when the
// underlying device fails; it never retries or hides a failure.
class Console {
public:
    virtual ~Console() = default;

    // Writes bytes at the cursor. May buffer; every read flushes first.
    virtual void write(std::string_view bytes) = 0;

    // Sends whatever output is still buffered.
    virtual void flush() = 0;

    // Clears the visible screen and homes the cursor (nothing where there is
    // no screen to clear).
    virtual void clear_screen() = 0;

    // Reads one line; the line end is not returned and the line ends on the
    // screen. End of input is a failed read.
    virtual std::string read_line() = 0;

    // Waits for one key press, without Enter.
    virtual void wait_key() = 0;

    // Writes the fatal report as well as it still can; never throws.
    // `output_failed` sends it to the error stream, since the normal output
    // is what broke.
    virtual void report(std::string_view text, bool output_failed) noexcept = 0;
};

}  // namespace kreivold
