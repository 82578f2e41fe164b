#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kreivold {

// Everything the game knows lives here, under the short names the story
// logic has always used. Integers are 16-bit signed; strings hold at most
// kMaxString characters (a read never keeps more).
struct State {
    std::int16_t G = 0;   // 1 while the chapter is being played, 0 once it is over
    std::int16_t A = 0;   // number of the current scene, 1..28
    std::int16_t E = 0;   // options the last answer failed to match
    std::int16_t LW = 0;  // answer of the current letter section; 5 = letter ended early
    std::int16_t I = 0;   // index of the letter print-out, 1..8
    std::int16_t AD = 0;  // exploration sub-location: 0 fork, 1 west, 2 east, 3 girl, 4 left
    std::int16_t ZP = 0;  // 1 once the west road has been walked
    std::int16_t VS = 0;  // 1 once the east road has been walked
    std::string T;        // the line a pause reads; never looked at
    std::string V;        // the last answer typed at a prompt
    std::array<std::string, 9> L{};   // letter fragments, used 1..8
    std::array<std::int16_t, 11> S{};  // dream decisions, used 1..10
};

inline constexpr std::size_t kMaxString = 255;

// Checked access to the letter fragments: an index outside 1..8 is a fatal
// error 201, never an out-of-bounds access.
std::string& letter_fragment(State& state, std::int16_t index);

// Adds one to E; leaving the 16-bit range is a fatal error 201.
void count_mismatch(State& state);

}  // namespace kreivold
