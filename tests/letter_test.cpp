// Scene 5: the question whether to write home, and the letter composed from
// ready-made phrases and printed back as one line.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "play.hpp"

namespace kreivold {
namespace {

using testing::kToLetter;
using testing::occurrences;
using testing::play_chapter;
using testing::play_scene;
using testing::screen_lines;

// Characters of a UTF-8 text: every byte that does not continue a sequence.
std::size_t code_points(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) ++count;
    }
    return count;
}

struct Section {
    std::vector<std::string> menu;
    std::vector<std::string> fragments;  // stored in L[k] by answer "1", "2", ...
};

// The letter, written out byte for byte. The greeting's menu is irregular on
// purpose: no space before the hyphen of "2", a semicolon after "3", and
// "Конец письма" in "4", which is not stored. Section 4's answer 2 stores its
// words in another order than its menu line shows.
const std::vector<Section> kLetter = {
    {{"\"Привет, моя любимая Zodeva.\" - 1", "\"Девочка моя, здравствуй!\"- 2",
      "\"Хай, сучка!\" - 3;", "\"Между нами все кончено.\" Конец письма - 4"},
     {"\"Привет, моя любимая Zodeva. ", "\"Девочка моя, здравствуй! ", "\"Хай, сучка!\" ",
      "\"Между нами все кончено.\""}},
    {{"\"Сразу скажу, у меня все хорошо,\" - 1", "\"Сразу скажу, у меня все ужасно,\" - 2",
      "\"А здесь ниче так,\" - 3"},
     {"Сразу скажу, у меня все хорошо, ", "Сразу скажу, у меня все ужасно, ", "А здесь ниче так, "}},
    {{"\"сейчас перевели в 4 отряд рейнджеров.\" - 1",
      "\"перевели к придуркам из 4-го отряда.\" - 2", "\"теперь я рейнджер из 4-го отряда.\" - 3"},
     {"сейчас перевели в 4 отряд рейнджеров. ", "перевели к придуркам из 4-го отряда. ",
      "теперь я рейнджер из 4-го отряда. "}},
    {{"\"Жизнь налаживается,\" - 1", "\"Что-то это мне не помогает,\" - 2",
      "\"Хочу назад, домой,\" - 3"},
     {"Жизнь налаживается, ", "Что-то мне это не помогает, ", "Хочу назад, домой, "}},
    {{"\"жду не дождусь своей первой операции,\" - 1", "\"скоро первая операция,\" - 2",
      "\"не успел прибыть, а уже на бой посылают,\" - 3"},
     {"жду не дождусь своей первой операции, ", "скоро первая операция, ",
      "не успел прибыть, а уже на бой посылают, "}},
    {{"\"буду писать по мере возможностей о своих успехах.\" - 1",
      "\"думаю, это мое последнее письмо, как бы я не умер.\" - 2",
      "\"в общем я сваливаю отсюда как можно скорее.\" - 3"},
     {"буду писать по мере возможностей о своих успехах. ",
      "думаю, это мое последнее письмо, как бы я не умер. ",
      "в общем я сваливаю отсюда как можно скорее. "}},
    {{"\"Ты мне ответ обязательно напиши, я волнуюсь, как ты там, что с тобой?\" - 1",
      "\"Я умру без тебя, напиши мне!\" - 2", "\"Ты там случаем еще не нашла себе хахаля, а?\" - 3"},
     {"Ты мне ответ обязательно напиши, я волнуюсь, как ты там, что с тобой? ",
      "Я умру без тебя, напиши мне! ", "Ты там случаем еще не нашла себе хахаля, а? "}},
    {{"\"Люблю тебя сильно, целую. Пока.\" - 1", "\"Дождись меня обязательно. Пока.\" - 2",
      "\"Давай, сучка, пока.\" - 3"},
     {"Люблю тебя сильно, целую. Пока.", "Дождись меня обязательно. Пока.", "Давай, сучка, пока."}},
};

const std::string kGreetingNotice = "Вы выбрали неправильный вариант ответа :(\nИсправьтесь.\n";
const std::string kPhraseNotice = "Неправильный вариант, исправьтесь\n";
const std::string kQuestionAnswered = "Нет, идти в оружейную - 2\n>1\n";

State at_free_time() {
    State state;
    state.A = 5;
    return state;
}

// The first line of the armory scene, which follows the letter.
std::string armory_first_line() {
    State state;
    state.A = 6;
    return screen_lines(play_scene(6, state, {}).screen).at(0);
}

// The answers typed in each section asked; the last of each is accepted.
using Attempts = std::vector<std::vector<std::string>>;

std::string letter_of(const Attempts& attempts) {
    std::string letter;
    for (std::size_t k = 0; k < attempts.size(); ++k) {
        letter += kLetter[k].fragments[std::stoul(attempts[k].back()) - 1];
    }
    return letter;
}

// What the composer writes from its first line to the letter line.
std::string composer_screen(const Attempts& attempts) {
    std::string screen = "Вы решили написать письмо своей девушке.\n\n";
    for (std::size_t k = 0; k < attempts.size(); ++k) {
        if (k > 0) screen += "\n";
        for (const std::string& line : kLetter[k].menu) screen += line + "\n";
        for (std::size_t i = 0; i < attempts[k].size(); ++i) {
            screen += ">" + attempts[k][i] + "\n";
            if (i + 1 < attempts[k].size()) screen += k == 0 ? kGreetingNotice : kPhraseNotice;
        }
    }
    return screen + "Вот что у вас получилось:\n" + letter_of(attempts) + "\n";
}

struct LetterCase {
    std::string name;
    Attempts attempts;
    std::size_t letter_length;  // in characters
    std::int16_t lw;
};

void PrintTo(const LetterCase& c, std::ostream* os) { *os << c.name; }

class Letter : public ::testing::TestWithParam<LetterCase> {};

TEST_P(Letter, WritesTheSectionsAndPrintsTheChosenFragmentsAsOneLine) {
    const LetterCase& c = GetParam();
    std::vector<std::string> input = kToLetter;  // the briefing's prompt leaves E at 1
    input.push_back("1");
    for (const auto& section : c.attempts) input.insert(input.end(), section.begin(), section.end());
    input.push_back("");  // the pause after the letter; input ends at the armory's pause
    const auto played = play_chapter(input);
    EXPECT_EQ(played.status, kReadFailed);

    const std::size_t asked = played.screen.find(kQuestionAnswered);
    ASSERT_NE(asked, std::string::npos);
    const std::string composed = played.screen.substr(asked + kQuestionAnswered.size());
    const std::string expected = composer_screen(c.attempts);
    ASSERT_EQ(composed.substr(0, expected.size()), expected);
    EXPECT_EQ(code_points(letter_of(c.attempts)), c.letter_length);

    // Three lines of putting the letter away, off to the armory, the pause,
    // and the armory straight after it.
    const auto closing = screen_lines(composed.substr(expected.size()));
    ASSERT_GE(closing.size(), 7u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_FALSE(closing[i].empty()) << i;
    EXPECT_EQ(closing[3], "Вы пошли в оружейную.");
    EXPECT_EQ(closing[4], "[Нажмите enter, чтобы продолжить]");
    EXPECT_EQ(closing[5], "");
    EXPECT_EQ(closing[6], armory_first_line());

    for (std::size_t k = 1; k <= 8; ++k) {
        const std::string stored =
            k <= c.attempts.size() ? kLetter[k - 1].fragments[std::stoul(c.attempts[k - 1].back()) - 1] : "";
        EXPECT_EQ(played.state.L[k], stored) << "L[" << k << "]";
    }
    EXPECT_EQ(played.state.LW, c.lw);
    EXPECT_EQ(played.state.I, 8);
    EXPECT_EQ(played.state.A, 6);
    // The last prompt leaves E one short of its options: 4 in the greeting, 3 later.
    EXPECT_EQ(played.state.E, c.lw == 5 ? 3 : 2);
}

const std::vector<std::string> kFirst = {"1"}, kSecond = {"2"}, kThird = {"3"};

INSTANTIATE_TEST_SUITE_P(
    Paths, Letter,
    ::testing::Values(
        LetterCase{"FirstPhrases", Attempts(8, kFirst), 308, 1},
        LetterCase{"SecondPhrases", Attempts(8, kSecond), 257, 2},
        LetterCase{"ThirdPhrases", Attempts(8, kThird), 233, 3},
        LetterCase{"LongestPhrases",
                   {kFirst, kFirst, kFirst, kSecond, kThird, kSecond, kFirst, kFirst}, 320, 1},
        LetterCase{"EndedAtTheGreeting", {{"4"}}, 25, 5},
        // Every wrong greeting gets the two-line notice again.
        LetterCase{"WrongGreetingsThenEnded", {{"", "0", "5", " 1", "1 ", "44", "4"}}, 25, 5},
        // Later sections write a one-line notice, also for "4".
        LetterCase{"WrongAnswersInLaterSections",
                   {{"x", "2"}, {"4", "", "1"}, kThird, kSecond, {"0", "1"}, kThird, kSecond,
                    {"4", " 3", "3"}},
                   250, 3}),
    [](const ::testing::TestParamInfo<LetterCase>& path) { return path.param.name; });

TEST(LetterLine, OfFirstPhrasesOpensAQuoteItNeverClosesAndEndsWithPoka) {
    std::vector<std::string> input(9, "1");
    input.push_back("");
    const auto lines = screen_lines(play_scene(5, at_free_time(), input).screen);
    const auto heading = std::find(lines.begin(), lines.end(), "Вот что у вас получилось:");
    ASSERT_LT(heading + 1, lines.end());
    const std::string& letter = heading[1];
    EXPECT_EQ(code_points(letter), 308u);
    EXPECT_EQ(letter.rfind("\"Привет, моя любимая Zodeva. Сразу скажу", 0), 0u);
    EXPECT_EQ(occurrences(letter, "\""), 1u);
    EXPECT_TRUE(letter.ends_with("целую. Пока."));
}

TEST(LetterGreeting, StartsCountingFromZeroWhateverTheCounterHeld) {
    // The question leaves E as an earlier prompt left it; the greeting must
    // not add its mismatches onto that, or its notice would never come.
    State state = at_free_time();
    state.E = 2;
    const auto played = play_scene(5, state, {"1", "x", "y", "4"});  // input ends at the pause
    EXPECT_EQ(occurrences(played.screen, ">x\n" + kGreetingNotice + ">y\n" + kGreetingNotice + ">4\n"), 1u);
    EXPECT_EQ(played.state.E, 3);
    EXPECT_EQ(played.state.LW, 5);
}

TEST(FreeTime, TheQuestionIsSilentAndLeavesTheCounterAlone) {
    State state = at_free_time();
    state.E = 7;
    const auto played = play_scene(5, state, {"", "0", "3", " 1", "1 "});
    EXPECT_EQ(played.status, kReadFailed);
    const auto lines = screen_lines(played.screen);
    ASSERT_EQ(lines.size(), 16u);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_FALSE(lines[i].empty()) << i;
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.end()),
              (std::vector<std::string>{"", "Хотите написать письмо своей девушке?", "Да - 1",
                                        "Нет, идти в оружейную - 2", ">", ">0", ">3", "> 1", ">1 ", ">"}));
    EXPECT_EQ(played.state.E, 7);
    EXPECT_EQ(played.state.A, 5);
}

TEST(FreeTime, AnswerTwoWritesNoLetterAndTheArmoryFollowsAtOnce) {
    std::vector<std::string> input = kToLetter;
    input.insert(input.end(), {"", "3", "2"});
    const auto played = play_chapter(input);
    EXPECT_EQ(occurrences(played.screen,
                          "Нет, идти в оружейную - 2\n>\n>3\n>2\n" + armory_first_line() + "\n"),
              1u);
    EXPECT_EQ(occurrences(played.screen, "Вы решили написать письмо"), 0u);
    EXPECT_EQ(played.state.A, 6);
    EXPECT_EQ(played.state.LW, 0);
    EXPECT_EQ(played.state.I, 0);
    for (const std::string& fragment : played.state.L) EXPECT_EQ(fragment, "");
}

}  // namespace
}  // namespace kreivold
