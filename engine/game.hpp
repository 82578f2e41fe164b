#pragma once

#include <array>

#include "engine/console.hpp"
#include "engine/dialogue.hpp"
#include "engine/state.hpp"

namespace kreivold {

inline constexpr int kLastScene = 28;

// A scene block sees the state and the dialogue, nothing else.
using Scene = void (*)(State&, Dialogue&);

// The chapter as the engine plays it: a title screen and the scene blocks,
// indexed by scene number 1..kLastScene.
struct Script {
    Scene title = nullptr;
    std::array<Scene, kLastScene + 1> scenes{};
};

// Plays the whole game on `console`: start-up, title, the scene loop until
// the chapter ends. Returns the process exit status: 0 at the normal end,
// the error number after a fatal error (whose report has then been written).
int play(Console& console, const Script& script, State& state);
int play(Console& console, const Script& script);

}  // namespace kreivold
