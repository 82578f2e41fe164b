#include "engine/game.hpp"

#include <cstdio>
#include <string>

#include "engine/fatal.hpp"

namespace kreivold {

namespace {

// The fatal report: "Runtime error N at $SSSS:PPPP" (scene and dialogue
// step in hexadecimal), a line saying the same in words, an empty line.
std::string report_text(const Fatal& fatal, const Dialogue& dialogue) {
    char first[64];
    std::snprintf(first, sizeof first, "Runtime error %d at $%04X:%04X\n", fatal.code,
                  static_cast<unsigned>(dialogue.scene()) & 0xFFFFU,
                  static_cast<unsigned>(dialogue.step()) & 0xFFFFU);
    std::string text = first;
    text += dialogue.scene() == 0 ? std::string("Start-up") : "Scene " + std::to_string(dialogue.scene());
    text += ", step " + std::to_string(dialogue.step()) + ": " + fatal.what + "\n\n";
    return text;
}

void start(State& state) {
    state.G = 1;
    state.A = 1;
    state.E = 0;
    state.LW = 0;
    state.AD = 0;
}

// One pass: every scene whose number A holds when its turn comes runs, in
// ascending order, so a move forward runs in this pass and a move back in
// the next. Returns whether any scene ran.
bool pass(const Script& script, State& state, Dialogue& dialogue) {
    bool ran = false;
    for (int number = 1; number <= kLastScene; ++number) {
        const Scene scene = script.scenes[static_cast<std::size_t>(number)];
        if (state.A == number && scene != nullptr) {
            dialogue.enter_scene(number);
            scene(state, dialogue);
            ran = true;
        }
    }
    return ran;
}

}  // namespace

int play(Console& console, const Script& script, State& state) {
    Dialogue dialogue(console, state);
    try {
        dialogue.clear_screen();
        start(state);
        if (script.title != nullptr) script.title(state, dialogue);
        while (state.G == 1) {
            // Only input moves the game on: a pass that reads nothing and
            // does not end the game would repeat itself for ever.
            const long reads = dialogue.reads();
            const bool ran = pass(script, state, dialogue);
            if (state.G == 1 && !ran) {
                throw Fatal{kGuardFailed, "no scene " + std::to_string(state.A)};
            }
            if (state.G == 1 && dialogue.reads() == reads) {
                throw Fatal{kGuardFailed, "the pass read nothing (scene " + std::to_string(state.A) + ")"};
            }
        }
        console.flush();
        return 0;
    } catch (const Fatal& fatal) {
        console.report(report_text(fatal, dialogue), fatal.code == kWriteFailed);
        return fatal.code;
    }
}

int play(Console& console, const Script& script) {
    State state;
    return play(console, script, state);
}

}  // namespace kreivold
