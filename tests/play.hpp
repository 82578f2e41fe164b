#pragma once

// Helpers for playing the chapter in-process through the scripted console.

#include <string>
#include <string_view>
#include <vector>

#include "engine/fatal.hpp"
#include "engine/game.hpp"
#include "engine/scripted_console.hpp"
#include "script/chapter.hpp"

namespace kreivold::testing {

// What a game left behind: its exit status, the screen and the state.
struct Played {
    int status = 0;
    std::string screen;
    State state;
    std::size_t longest_burst = 0;
};

inline std::string join_lines(const std::vector<std::string>& lines) {
    std::string input;
    for (const std::string& line : lines) input += line + "\n";
    return input;
}

// Plays `script` with the given input lines typed one after another.
inline Played play_lines(const Script& script, const std::vector<std::string>& lines) {
    ScriptedConsole console(join_lines(lines));
    Played played;
    played.status = play(console, script, played.state);
    played.screen = console.screen();
    played.longest_burst = console.longest_burst();
    return played;
}

// Plays the whole chapter.
inline Played play_chapter(const std::vector<std::string>& lines) {
    return play_lines(script::chapter(), lines);
}

// Runs one scene block alone, with the state prepared by the caller.
inline Played play_scene(int scene, State state, const std::vector<std::string>& lines) {
    ScriptedConsole console(join_lines(lines));
    Dialogue dialogue(console, state);
    Played played;
    try {
        script::chapter().scenes[static_cast<std::size_t>(scene)](state, dialogue);
    } catch (const Fatal& fatal) {
        played.status = fatal.code;
    }
    console.flush();
    played.screen = console.screen();
    played.state = state;
    return played;
}

// The screen cut into lines (a last line without line end included).
inline std::vector<std::string> screen_lines(const std::string& screen) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < screen.size()) {
        const std::size_t end = screen.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(screen.substr(start));
            break;
        }
        lines.push_back(screen.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Number of times `needle` occurs in `text`.
inline std::size_t occurrences(std::string_view text, std::string_view needle) {
    std::size_t count = 0;
    for (std::size_t at = text.find(needle); at != std::string_view::npos;
         at = text.find(needle, at + needle.size())) {
        ++count;
    }
    return count;
}

// Lines several scenes share.
inline constexpr std::string_view kSaved = "[Игра сохранена]";
inline constexpr std::string_view kNotice = "Неправильный вариант, исправьтесь.";
inline constexpr std::string_view kPause = "[Нажмите enter для продолжения]";

// Inputs that bring the chapter to a scene's first prompt.
inline const std::vector<std::string> kToLetter = {"", "1", "1", "", "1"};  // title, 1, 3, 4 pause, 4

}  // namespace kreivold::testing
