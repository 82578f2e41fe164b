// Scenes 6 and 7: the armory and convoy, and the dream of the ambush with
// its tree of decisions.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "play.hpp"

namespace kreivold {
namespace {

using testing::kToLetter;
using testing::occurrences;
using testing::play_chapter;
using testing::play_scene;
using testing::screen_lines;

using Lines = std::vector<std::string>;

const std::string kWaking =
    "Вы рывком просыпаетесь: колонна все еще едет к деревне. Уф, всего лишь сон.";
const std::string kSaved = "[Игра сохранена]";
const std::string kConvoyMenuLast = "Встряхнуться и не спать - 2";
const Lines kGunmanMenu = {"Стрелять во врага - 1", "Предупредить сержанта - 2"};
const Lines kUnderFireMenu = {"Беспорядочно стрелять по врагам - 1", "Спрятаться в хаммер - 2"};

// Input from the title to scene 6's prompt: no letter, the convoy's pause.
Lines to_convoy_prompt() {
    Lines input = kToLetter;
    input.insert(input.end(), {"2", ""});
    return input;
}

Lines concat(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::size_t index_of(const Lines& lines, const std::string& line) {
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

// --- The sixteen paths through the dream ------------------------------------

struct Tail {
    Lines answers;  // from decision 2 on, each to the next decision in turn
    std::size_t ending_lines;
    std::string ending_last;  // the ending's last line, just before the empty line
};

const std::vector<Tail> kTails = {
    {{"1"}, 5, "осталось ни одной души."},
    {{"2", "2"}, 4, "навсегда исчезаете в огне."},
    {{"2", "1", "1"}, 5, "никого нет."},
    {{"2", "1", "2"}, 3, "не впиваются в вас. Мир погружается во тьму."},
    {{"2", "3", "2"}, 5, "Мгновение становится вечностью."},
    {{"2", "3", "1", "1"}, 4, "почему-то улыбаетесь."},
    {{"2", "3", "1", "2"}, 6, "никогда не подняться."},
    {{"2", "3", "1", "3"}, 6, "успевает выстрелить первым."},
};

void PrintTo(const Tail& tail, std::ostream* os) {
    for (const std::string& answer : tail.answers) *os << answer;
}

class DreamPath : public ::testing::TestWithParam<std::tuple<std::string, Tail>> {};

TEST_P(DreamPath, ReachesItsEndingThenWakesAndTheVillageFollows) {
    const auto& [first, tail] = GetParam();
    // The input runs out at scene 8's first prompt.
    const auto played = play_chapter(concat(concat(to_convoy_prompt(), {"1", first}), tail.answers));
    EXPECT_EQ(played.status, kReadFailed);
    EXPECT_EQ(played.state.A, 8);

    const Lines lines = screen_lines(played.screen);
    const std::size_t dream = index_of(lines, kConvoyMenuLast) + 1;  // scene 6's answer row
    const std::size_t waking = index_of(lines, kWaking);
    ASSERT_LT(waking + 1, lines.size());
    ASSERT_GT(waking, dream + tail.ending_lines + 2);
    EXPECT_EQ(occurrences(played.screen, kWaking), 1u);

    // Last answer, the ending's lines, one empty line, waking, the checkpoint.
    const std::size_t last_answer = waking - 2 - tail.ending_lines;
    EXPECT_EQ(lines[last_answer], ">" + tail.answers.back());
    for (std::size_t i = last_answer + 1; i < waking - 1; ++i) {
        EXPECT_FALSE(lines[i].empty()) << i;
        EXPECT_NE(lines[i][0], '>') << lines[i];
    }
    EXPECT_EQ(lines[waking - 2], tail.ending_last);
    EXPECT_EQ(lines[waking - 1], "");
    EXPECT_EQ(lines[waking + 1], kSaved);

    // One prompt per decision on the path, and no pause or bracketed line.
    std::size_t prompts = 0;
    for (std::size_t i = dream + 1; i < waking; ++i) {
        if (lines[i].starts_with(">")) ++prompts;
        EXPECT_FALSE(lines[i].starts_with("[")) << lines[i];
    }
    EXPECT_EQ(prompts, 1 + tail.answers.size());

    // S[1] is decision 1; the path's later decisions fill S[2], S[3], ... in turn.
    std::array<std::int16_t, 11> slots{};
    slots[1] = static_cast<std::int16_t>(std::stoi(first));
    for (std::size_t k = 0; k < tail.answers.size(); ++k) {
        slots[k + 2] = static_cast<std::int16_t>(std::stoi(tail.answers[k]));
    }
    EXPECT_EQ(played.state.S, slots);
}

INSTANTIATE_TEST_SUITE_P(Paths, DreamPath,
                         ::testing::Combine(::testing::Values("1", "2"), ::testing::ValuesIn(kTails)),
                         [](const ::testing::TestParamInfo<DreamPath::ParamType>& path) {
                             std::string name = "Gunman" + std::get<0>(path.param) + "Then";
                             for (const std::string& a : std::get<1>(path.param).answers) name += a;
                             return name;
                         });

// --- Every prompt's menu and wrong-answer notice ----------------------------

struct PromptCase {
    std::string name;
    Lines before;  // answers in the dream before this prompt; scene 6's prompt has none
    bool in_dream;
    Lines menu;
    bool empty_line_before_menu;
    std::string notice;
    std::size_t slot;  // element of S that keeps the answer; 0 for scene 6
};

void PrintTo(const PromptCase& c, std::ostream* os) { *os << c.name; }

class Prompts : public ::testing::TestWithParam<PromptCase> {};

TEST_P(Prompts, WriteTheMenuOnceAndTheirOwnNoticeOncePerWrongAnswer) {
    const PromptCase& c = GetParam();
    const std::string too_high = std::to_string(c.menu.size() + 1);
    const Lines wrong = {too_high, "", "0", "1 ", " 1", "12"};
    Lines input = to_convoy_prompt();
    if (c.in_dream) input.push_back("1");
    input = concat(concat(concat(input, c.before), wrong), {"1"});
    const auto played = play_chapter(input);
    EXPECT_EQ(played.status, kReadFailed);

    const Lines lines = screen_lines(played.screen);
    const std::size_t menu = index_of(lines, c.menu.front());
    ASSERT_GT(menu, 0u);
    EXPECT_EQ(lines[menu - 1].empty(), c.empty_line_before_menu);
    EXPECT_EQ(occurrences(played.screen, c.menu.front()), 1u);

    Lines expected = c.menu;
    for (const std::string& answer : wrong) expected.insert(expected.end(), {">" + answer, c.notice});
    expected.push_back(">1");
    ASSERT_LE(menu + expected.size(), lines.size());
    EXPECT_EQ(Lines(lines.begin() + static_cast<std::ptrdiff_t>(menu),
                    lines.begin() + static_cast<std::ptrdiff_t>(menu + expected.size())),
              expected);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), c.notice), static_cast<std::ptrdiff_t>(wrong.size()));

    if (c.slot == 0) {
        EXPECT_EQ(occurrences(played.screen, kGunmanMenu.front()), 1u);  // "1" went on to the dream
    } else {
        EXPECT_EQ(played.state.S[c.slot], 1);
    }
}

const std::string kVariantDot = "Неправильный вариант, исправьтесь.";
const std::string kAnswer = "Неправильный ответ, исправьтесь";
const std::string kAnswerDot = "Неправильный ответ, исправьтесь.";

INSTANTIATE_TEST_SUITE_P(
    Convoy, Prompts,
    ::testing::Values(
        PromptCase{"Convoy", {}, false, {"Уснуть и посмотреть сон - 1", kConvoyMenuLast}, false,
                   kVariantDot, 0},
        PromptCase{"Gunman", {}, true, kGunmanMenu, false, kVariantDot, 1},
        PromptCase{"UnderFire", {"1"}, true, kUnderFireMenu, false, kVariantDot, 2},
        PromptCase{"Launcher",
                   {"1", "2"},
                   true,
                   {"Снова схватиться за пулемет - 1", "Остаться в хаммере - 2", "Выбежать на улицу - 3"},
                   true,
                   kAnswer,
                   3},
        PromptCase{"BackAtTheGun",
                   {"1", "2", "1"},
                   true,
                   {"Продолжать огонь - 1", "Спуститься в хаммер - 2"},
                   true,
                   kAnswerDot,
                   4},
        PromptCase{"PinnedDown",
                   {"1", "2", "3"},
                   true,
                   {"Вскочить и бежать дальше - 1", "Притвориться мертвым - 2"},
                   true,
                   kAnswerDot,
                   4},
        PromptCase{"BehindTheCorner",
                   {"1", "2", "3", "1"},
                   true,
                   {"Выглянуть из-за угла и открыть огонь - 1", "Бежать без оглядки из деревни - 2",
                    "Сменить позицию - 3"},
                   false,
                   kAnswer,
                   5}),
    [](const ::testing::TestParamInfo<PromptCase>& prompt) { return prompt.param.name; });

// --- Scene 6 and the dream's opening ----------------------------------------

TEST(Convoy, LaysOutItsTextAroundOnePause) {
    State state;
    state.A = 6;
    const auto played = play_scene(6, state, {"typed at the pause"});
    EXPECT_EQ(played.status, kReadFailed);
    const Lines lines = screen_lines(played.screen);
    // 4 lines, empty, 14 lines, pause, the typed line, empty, 4, empty, 2, menu.
    ASSERT_EQ(lines.size(), 32u);
    const std::vector<std::size_t> empty = {4, 21, 26};
    for (std::size_t i = 0; i < 29; ++i) {
        const bool expect_empty = std::find(empty.begin(), empty.end(), i) != empty.end();
        EXPECT_EQ(lines[i].empty(), expect_empty) << i << ": " << lines[i];
    }
    EXPECT_EQ(lines[19], "[Нажмите enter для продолжения]");
    EXPECT_EQ(lines[20], "typed at the pause");
    EXPECT_EQ(lines[29], "Уснуть и посмотреть сон - 1");
    EXPECT_EQ(lines[30], kConvoyMenuLast);
    EXPECT_EQ(lines[31], ">");
}

TEST(Convoy, AnswerTwoSkipsTheDreamAndTheVillageFollowsAtOnce) {
    const auto played = play_chapter(concat(to_convoy_prompt(), {"x", "2"}));
    EXPECT_EQ(occurrences(played.screen, kConvoyMenuLast + "\n>x\n" + kVariantDot + "\n>2\n" + kSaved + "\n"),
              1u);
    EXPECT_EQ(occurrences(played.screen, kWaking), 0u);
    EXPECT_EQ(occurrences(played.screen, kGunmanMenu.front()), 0u);
    EXPECT_EQ(played.state.A, 8);
    EXPECT_EQ(played.state.S, (std::array<std::int16_t, 11>{}));
}

TEST(Dream, SetsTheVillageAsNextSceneBeforeItsFirstLine) {
    State state;
    state.A = 7;
    const auto played = play_scene(7, state, {});  // input ends at decision 1
    EXPECT_EQ(played.status, kReadFailed);
    EXPECT_EQ(played.state.A, 8);
    const Lines lines = screen_lines(played.screen);
    // An empty line, 8 lines of falling asleep, decision 1's menu right after.
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "");
    for (std::size_t i = 1; i <= 8; ++i) EXPECT_FALSE(lines[i].empty()) << i;
    EXPECT_EQ(Lines(lines.begin() + 9, lines.end()), concat(kGunmanMenu, {">"}));
}

TEST(Dream, FollowsTheConvoysAnswerDirectly) {
    const auto played = play_chapter(concat(to_convoy_prompt(), {"1"}));
    State state;
    state.A = 7;
    const std::string dream = play_scene(7, state, {}).screen;
    EXPECT_EQ(occurrences(played.screen, kConvoyMenuLast + "\n>1\n" + dream), 1u);
}

TEST(Dream, EitherAnswerToTheGunmanEndsInTheSameFourLines) {
    std::vector<Lines> told;
    for (const std::string answer : {"1", "2"}) {
        State state;
        state.A = 7;
        const Lines lines = screen_lines(play_scene(7, state, {answer}).screen);
        const std::size_t asked = index_of(lines, ">" + answer);
        const std::size_t next = index_of(lines, kUnderFireMenu.front());
        ASSERT_EQ(next, asked + 8) << answer;  // 3 lines of its own, 4 shared
        told.emplace_back(lines.begin() + static_cast<std::ptrdiff_t>(asked + 1),
                          lines.begin() + static_cast<std::ptrdiff_t>(next));
    }
    for (std::size_t i = 0; i < 3; ++i) EXPECT_NE(told[0][i], told[1][i]) << i;
    EXPECT_EQ(Lines(told[0].begin() + 3, told[0].end()), Lines(told[1].begin() + 3, told[1].end()));
}

TEST(Dream, NeverRunsAgainWhenADeathReturnsToTheVillage) {
    // Dream: shoot, fire wildly. Village: the medic, run to the sergeant at
    // the vehicles, which is a death; its pause; the checkpoint again.
    const auto played = play_chapter(concat(to_convoy_prompt(), {"1", "1", "1", "1", "1", "1", ""}));
    EXPECT_EQ(played.status, kReadFailed);
    EXPECT_EQ(occurrences(played.screen, kSaved), 2u);
    EXPECT_EQ(occurrences(played.screen, kWaking), 1u);
    EXPECT_EQ(occurrences(played.screen, kGunmanMenu.front()), 1u);
    EXPECT_EQ(played.state.A, 8);
}

}  // namespace
}  // namespace kreivold
