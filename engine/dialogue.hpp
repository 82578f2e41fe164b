#pragma once

#include <span>
#include <string_view>

#include "engine/console.hpp"
#include "engine/state.hpp"

namespace kreivold {

using Lines = std::span<const std::string_view>;

// The wrong-answer notices a prompt can write, named by their wording.
enum class Notice {
    none,                   // nothing at all: only a new ">"
    wrong_choice_dot,       // "...вариант ответа. :(" / "Исправьтесь."
    wrong_choice,           // "...вариант ответа. :(" / "Исправьтесь"
    wrong_choice_greeting,  // "...вариант ответа :(" / "Исправьтесь."
    wrong_variant,          // "Неправильный вариант, исправьтесь"
    wrong_variant_dot,      // "Неправильный вариант, исправьтесь."
    wrong_answer,           // "Неправильный ответ, исправьтесь"
    wrong_answer_dot,       // "Неправильный ответ, исправьтесь."
};

// The bracketed pause lines, named by their wording.
enum class Pause {
    to_begin,          // "[Нажмите enter, чтобы начать]"
    to_continue,       // "[Нажмите enter, чтобы продолжить]"
    continuation,      // "[Нажмите enter для продолжения]"
    continuation_dot,  // "[Нажмите enter для продолжения.]"
};

// How a prompt keeps its mismatch counter E.
enum class Count {
    per_attempt,  // E := 0 before every attempt (almost every prompt)
    per_notice,   // E := 0 only after each notice; the caller zeroes it first
    none,         // E is never touched and no notice is written
};

struct Prompt {
    int options;                      // the digits "1".."options" are tested, in order
    Notice notice;                    // written when no option accepted the answer
    unsigned hidden = 0;              // bit d set: option d is not offered
    Count count = Count::per_attempt;
};

// The operations every scene talks to the player through.
class Dialogue {
public:
    Dialogue(Console& console, State& state) : console_(console), state_(state) {}

    void line(std::string_view text);   // the text, then a line end
    void lines(Lines block);            // each text as a line
    void empty_line();                  // a line end alone; also ends a line begun by text()
    void text(std::string_view text);   // the text, cursor left behind it
    void clear_screen();

    // Menu already written: attempts of ">" and one answer line into V until
    // an offered option's digit equals the whole answer. Returns that digit.
    int choose(const Prompt& prompt);

    // The pause line, then one line into T, which is discarded.
    void pause(Pause which);

    // One key, no Enter; nothing is stored.
    void exit_pause();

    // Where the game is, for the fatal report: the scene being run (0 before
    // the first scene) and the number of dialogue operations made in it.
    void enter_scene(int scene) { scene_ = scene; step_ = 0; }
    int scene() const { return scene_; }
    int step() const { return step_; }

    // Lines and keys read so far: the only thing that moves the game on.
    long reads() const { return reads_; }

private:
    std::string read_line();

    Console& console_;
    State& state_;
    int scene_ = 0;
    int step_ = 0;
    long reads_ = 0;
};

}  // namespace kreivold
