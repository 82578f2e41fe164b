#pragma once

#include <string>

namespace kreivold {

// Error numbers of the fatal report; each one is also the exit status.
inline constexpr int kReadFailed = 100;
inline constexpr int kWriteFailed = 101;
inline constexpr int kGuardFailed = 201;

// Thrown wherever the game cannot go on. It unwinds to the game's top level,
// which writes the report and ends the run with `code` as exit status.
struct Fatal {
    int code;
    std::string what;  // short description for the report's location lines
};

}  // namespace kreivold
