#include "engine/dialogue.hpp"

#include <array>

#include "engine/utf8.hpp"

namespace kreivold {

namespace {

struct NoticeText {
    std::string_view first;
    std::string_view second;  // empty: a one-line notice
};

NoticeText notice_text(Notice notice) {
    switch (notice) {
        case Notice::none: break;
        case Notice::wrong_choice_dot:
            return {"Вы выбрали неправильный вариант ответа. :(", "Исправьтесь."};
        case Notice::wrong_choice:
            return {"Вы выбрали неправильный вариант ответа. :(", "Исправьтесь"};
        case Notice::wrong_choice_greeting:
            return {"Вы выбрали неправильный вариант ответа :(", "Исправьтесь."};
        case Notice::wrong_variant: return {"Неправильный вариант, исправьтесь", {}};
        case Notice::wrong_variant_dot: return {"Неправильный вариант, исправьтесь.", {}};
        case Notice::wrong_answer: return {"Неправильный ответ, исправьтесь", {}};
        case Notice::wrong_answer_dot: return {"Неправильный ответ, исправьтесь.", {}};
    }
    return {};
}

std::string_view pause_text(Pause pause) {
    switch (pause) {
        case Pause::to_begin: return "[Нажмите enter, чтобы начать]";
        case Pause::to_continue: return "[Нажмите enter, чтобы продолжить]";
        case Pause::continuation: return "[Нажмите enter для продолжения]";
        case Pause::continuation_dot: return "[Нажмите enter для продолжения.]";
    }
    return {};
}

bool is_digit_answer(const std::string& answer, int digit) {
    return answer.size() == 1 && answer[0] == static_cast<char>('0' + digit);
}

}  // namespace

void Dialogue::line(std::string_view text) {
    ++step_;
    console_.write(text);
    console_.write("\n");
}

void Dialogue::lines(Lines block) {
    for (std::string_view text : block) line(text);
}

void Dialogue::empty_line() {
    ++step_;
    console_.write("\n");
}

void Dialogue::text(std::string_view text) {
    ++step_;
    console_.write(text);
}

void Dialogue::clear_screen() {
    ++step_;
    console_.clear_screen();
}

std::string Dialogue::read_line() {
    ++step_;
    ++reads_;
    std::string typed = console_.read_line();
    typed.resize(utf8::prefix(typed, kMaxString));
    return typed;
}

int Dialogue::choose(const Prompt& prompt) {
    const bool counting = prompt.count != Count::none;
    for (;;) {
        if (prompt.count == Count::per_attempt) state_.E = 0;
        text(">");
        state_.V = read_line();
        int accepted = 0;
        for (int digit = 1; digit <= prompt.options; ++digit) {
            const bool offered = (prompt.hidden & (1U << digit)) == 0;
            if (offered && is_digit_answer(state_.V, digit)) {
                accepted = digit;
            } else if (counting) {
                count_mismatch(state_);
            }
        }
        if (counting && state_.E == prompt.options) {
            const NoticeText notice = notice_text(prompt.notice);
            if (!notice.first.empty()) line(notice.first);
            if (!notice.second.empty()) line(notice.second);
            if (prompt.count == Count::per_notice) state_.E = 0;
        }
        if (accepted != 0) return accepted;
    }
}

void Dialogue::pause(Pause which) {
    line(pause_text(which));
    state_.T = read_line();
}

void Dialogue::exit_pause() {
    ++step_;
    ++reads_;
    console_.wait_key();
}

}  // namespace kreivold
