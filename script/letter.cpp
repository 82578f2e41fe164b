// Scene 5: free time in the barracks and the letter home, composed from phrases.
#include "script/chapter.hpp"

#include <array>
#include <cstdint>
#include <string_view>

namespace kreivold::script {
namespace {

constexpr std::string_view kUnpacking[] = {
    "В бараке никого нет. Вы садитесь на свою койку и разбираете вещи,",
    "которые привезли с собой: мыло, зубную щетку, бритву, зубную пасту,",
    "четыре конверта, две ручки, три чистых двойных листа бумаги и флягу",
    "с водой. Флягу вы сразу же вешаете на пояс, а все остальное аккуратно",
    "складываете в тумбочку у койки. С тех пор как вы вошли, прошло около",
    "десяти минут, так что свободное время у вас еще есть.",
};

constexpr std::string_view kLetterPutAway[] = {
    "Больше ничего в голову не приходит. Вы складываете письмо пополам,",
    "пишете на конверте адрес и убираете его в ящик тумбочки. До выхода",
    "остается всего десять минут, и вам нужно поторопиться.",
};

// One answer of a letter section: the menu line offering it and the
// fragment it puts into the letter. The two differ in more than the quotes
// and the digit, so both are kept verbatim.
struct Phrase {
    std::string_view menu;
    std::string_view fragment;
};

struct LetterSection {
    Prompt prompt;
    std::array<Phrase, 4> phrases;  // the first prompt.options are used
};

// The greeting tolerates any number of wrong answers with a two-line notice
// and may end the letter at once; every later section offers three phrases.
constexpr Prompt kGreetingPrompt{4, Notice::wrong_choice_greeting, 0, Count::per_notice};
constexpr Prompt kPhrasePrompt{3, Notice::wrong_variant, 0, Count::per_attempt};

constexpr std::array<LetterSection, 8> kLetter{{
    {kGreetingPrompt,
     {{{"\"Привет, моя любимая Zodeva.\" - 1", "\"Привет, моя любимая Zodeva. "},
       {"\"Девочка моя, здравствуй!\"- 2", "\"Девочка моя, здравствуй! "},
       {"\"Хай, сучка!\" - 3;", "\"Хай, сучка!\" "},
       {"\"Между нами все кончено.\" Конец письма - 4",
        "\"Между нами все кончено.\""}}}},
    {kPhrasePrompt,
     {{{"\"Сразу скажу, у меня все хорошо,\" - 1", "Сразу скажу, у меня все хорошо, "},
       {"\"Сразу скажу, у меня все ужасно,\" - 2", "Сразу скажу, у меня все ужасно, "},
       {"\"А здесь ниче так,\" - 3", "А здесь ниче так, "}}}},
    {kPhrasePrompt,
     {{{"\"сейчас перевели в 4 отряд рейнджеров.\" - 1",
        "сейчас перевели в 4 отряд рейнджеров. "},
       {"\"перевели к придуркам из 4-го отряда.\" - 2",
        "перевели к придуркам из 4-го отряда. "},
       {"\"теперь я рейнджер из 4-го отряда.\" - 3", "теперь я рейнджер из 4-го отряда. "}}}},
    {kPhrasePrompt,
     {{{"\"Жизнь налаживается,\" - 1", "Жизнь налаживается, "},
       // The letter says it with the words the other way round.
       {"\"Что-то это мне не помогает,\" - 2", "Что-то мне это не помогает, "},
       {"\"Хочу назад, домой,\" - 3", "Хочу назад, домой, "}}}},
    {kPhrasePrompt,
     {{{"\"жду не дождусь своей первой операции,\" - 1",
        "жду не дождусь своей первой операции, "},
       {"\"скоро первая операция,\" - 2", "скоро первая операция, "},
       {"\"не успел прибыть, а уже на бой посылают,\" - 3",
        "не успел прибыть, а уже на бой посылают, "}}}},
    {kPhrasePrompt,
     {{{"\"буду писать по мере возможностей о своих успехах.\" - 1",
        "буду писать по мере возможностей о своих успехах. "},
       {"\"думаю, это мое последнее письмо, как бы я не умер.\" - 2",
        "думаю, это мое последнее письмо, как бы я не умер. "},
       {"\"в общем я сваливаю отсюда как можно скорее.\" - 3",
        "в общем я сваливаю отсюда как можно скорее. "}}}},
    {kPhrasePrompt,
     {{{"\"Ты мне ответ обязательно напиши, я волнуюсь, как ты там, что с тобой?\" - 1",
        "Ты мне ответ обязательно напиши, я волнуюсь, как ты там, что с тобой? "},
       {"\"Я умру без тебя, напиши мне!\" - 2", "Я умру без тебя, напиши мне! "},
       {"\"Ты там случаем еще не нашла себе хахаля, а?\" - 3",
        "Ты там случаем еще не нашла себе хахаля, а? "}}}},
    // The farewell closes the letter line, so it carries no trailing space.
    {kPhrasePrompt,
     {{{"\"Люблю тебя сильно, целую. Пока.\" - 1", "Люблю тебя сильно, целую. Пока."},
       {"\"Дождись меня обязательно. Пока.\" - 2", "Дождись меня обязательно. Пока."},
       {"\"Давай, сучка, пока.\" - 3", "Давай, сучка, пока."}}}},
}};

constexpr std::int16_t kLetterSections = static_cast<std::int16_t>(kLetter.size());

// The greeting's answer that ends the letter, and the value LW keeps then.
constexpr int kEndLetterAnswer = 4;
constexpr std::int16_t kLetterEnded = 5;

// Asks one section, stores the chosen fragment in L[section] and leaves the
// answer in LW.
void ask_section(State& s, Dialogue& d, std::int16_t section) {
    const LetterSection& current = kLetter[static_cast<std::size_t>(section - 1)];
    for (int i = 0; i < current.prompt.options; ++i) {
        d.line(current.phrases[static_cast<std::size_t>(i)].menu);
    }
    s.LW = static_cast<std::int16_t>(d.choose(current.prompt));
    letter_fragment(s, section) = current.phrases[static_cast<std::size_t>(s.LW - 1)].fragment;
}

// The fragments one after another, as one line; the console wraps it.
void print_letter(State& s, Dialogue& d) {
    for (s.I = 1;; ++s.I) {
        d.text(letter_fragment(s, s.I));
        if (s.I == kLetterSections) {
            break;  // I stays on the last index, as the print-out leaves it
        }
    }
    d.empty_line();
}

void compose_letter(State& s, Dialogue& d) {
    s.E = 0;  // the greeting's counter is only reset here and after a notice
    d.line("Вы решили написать письмо своей девушке.");
    d.empty_line();
    for (std::int16_t section = 1; section <= kLetterSections; ++section) {
        if (section > 1) {
            d.empty_line();
        }
        ask_section(s, d, section);
        if (s.LW == kEndLetterAnswer) {
            s.LW = kLetterEnded;
            break;
        }
        if (section < kLetterSections) {
            s.LW = 0;
        }
    }
    d.line("Вот что у вас получилось:");
    print_letter(s, d);
    d.lines(kLetterPutAway);
    d.line("Вы пошли в оружейную.");
    d.pause(Pause::to_continue);
    s.A = 6;
}

void free_time(State& s, Dialogue& d) {
    d.lines(kUnpacking);
    d.empty_line();
    d.line("Хотите написать письмо своей девушке?");
    d.line("Да - 1");
    d.line("Нет, идти в оружейную - 2");
    // A silent question: a wrong answer brings only a new prompt.
    if (d.choose({2, Notice::none, 0, Count::none}) == 1) {
        compose_letter(s, d);
    } else {
        s.A = 6;
    }
}

}  // namespace

void add_letter(Script& script) {
    script.scenes[5] = free_time;
}

}  // namespace kreivold::script
