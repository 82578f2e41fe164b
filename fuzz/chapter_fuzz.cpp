// Plays the whole chapter with the fuzzer's bytes as the keyboard. Whatever
// the bytes, the game must end at the exit pause (status 0) or, when the
// bytes run out, with the failed-read report (status 100); and it must never
// write more than a bounded amount between two reads.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/fatal.hpp"
#include "engine/game.hpp"
#include "engine/scripted_console.hpp"
#include "script/chapter.hpp"

namespace {

// A wrong answer costs its notice and a new ">", and a scene's text is
// written once per visit: a few kilobytes at most between two reads.
constexpr std::size_t kMaxBurst = 8 * 1024;

[[noreturn]] void fail(const char* what, int status, std::size_t burst) {
    std::fprintf(stderr, "fuzz: %s (status %d, longest burst %zu bytes)\n", what, status, burst);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kreivold::ScriptedConsole console(std::string(reinterpret_cast<const char*>(data), size));
    kreivold::State state;
    const int status = kreivold::play(console, kreivold::script::chapter(), state);
    if (status != 0 && status != kreivold::kReadFailed) fail("unexpected exit status", status, 0);
    if (status == 0 && state.G != 0) fail("ended without the chapter's end", status, 0);
    if (console.longest_burst() > kMaxBurst) fail("too much output between two reads", status, console.longest_burst());
    return 0;
}
