// The ambush on the village square (scenes 11-21): the six deaths and the
// return to the checkpoint after each, the one way through alive, and the
// wrong answers of the choice scenes.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fatal.hpp"
#include "play.hpp"

namespace kreivold {
namespace {

using testing::occurrences;
using testing::play_chapter;
using testing::play_scene;
using testing::screen_lines;
using testing::kSaved;
using testing::kNotice;
using testing::kPause;

constexpr std::string_view kDiedOver = "Вы умерли - война для вас окончена.";
constexpr std::string_view kKilledOver = "Вы погибли - война для вас закончена.";
constexpr std::string_view kDiedEnded = "Вы умерли - война для вас закончилась.";

// Scene 8 from "[Игра сохранена]" to the last line of its menu.
constexpr std::size_t kCheckpointRows = 20;

// Title to scene 8's prompt (no letter, the pause before the convoy, no
// dream), then `more`.
std::vector<std::string> to_village(const std::vector<std::string>& more) {
    std::vector<std::string> input = testing::kToLetter;
    input.insert(input.end(), {"2", "", "2"});
    input.insert(input.end(), more.begin(), more.end());
    return input;
}

std::size_t index_after(const std::vector<std::string>& lines, std::string_view line, std::size_t from) {
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (lines[i] == line) return i;
    }
    return lines.size();
}

std::vector<std::string> rows(const std::vector<std::string>& lines, std::size_t from, std::size_t count) {
    if (from + count > lines.size()) return {};
    return {lines.begin() + static_cast<std::ptrdiff_t>(from),
            lines.begin() + static_cast<std::ptrdiff_t>(from + count)};
}

struct Death {
    int scene;
    std::vector<std::string> route;  // answers from scene 8's prompt on
    std::size_t narrative;           // lines before the empty line
    std::vector<std::string_view> verdict;
};

class DeathScene : public ::testing::TestWithParam<Death> {};

TEST_P(DeathScene, PrintsItsVerdictPausesAndReplaysTheCheckpoint) {
    const Death& death = GetParam();
    // The pause gets "1", which must not answer scene 8's prompt.
    std::vector<std::string> input = to_village(death.route);
    input.push_back("1");
    const auto played = play_chapter(input);
    const auto lines = screen_lines(played.screen);

    const std::size_t first_arrival = index_after(lines, kSaved, 0);
    const std::size_t pause = index_after(lines, kPause, first_arrival);
    ASSERT_LT(pause + 2, lines.size());

    // ">answer", the narrative, an empty line, the verdict, the pause.
    const std::size_t verdict_at = pause - death.verdict.size();
    const std::size_t narrative_at = verdict_at - 1 - death.narrative;
    EXPECT_EQ(lines[narrative_at - 1], ">" + death.route.back());
    for (std::size_t row = narrative_at; row < verdict_at - 1; ++row) EXPECT_FALSE(lines[row].empty()) << row;
    EXPECT_EQ(lines[verdict_at - 1], "");
    for (std::size_t k = 0; k < death.verdict.size(); ++k) EXPECT_EQ(lines[verdict_at + k], death.verdict[k]);

    // The echoed pause line, then at once the whole of scene 8 again, whose
    // prompt is still waiting when the input runs out.
    EXPECT_EQ(lines[pause + 1], "1");
    EXPECT_EQ(lines[pause + 2], kSaved);
    const auto checkpoint = rows(lines, first_arrival, kCheckpointRows);
    EXPECT_EQ(rows(lines, pause + 2, kCheckpointRows), checkpoint);
    ASSERT_LT(pause + 3 + kCheckpointRows, lines.size());
    EXPECT_EQ(lines[pause + 2 + kCheckpointRows], ">");
    EXPECT_EQ(lines[pause + 3 + kCheckpointRows].rfind("Runtime error 100 at $0008:", 0), 0u);
    EXPECT_EQ(played.status, kReadFailed);
    EXPECT_EQ(played.state.A, 8);
}

INSTANTIATE_TEST_SUITE_P(
    Deaths, DeathScene,
    ::testing::Values(Death{13, {"1", "1", "1"}, 4, {kDiedOver, kKilledOver}},
                      Death{15, {"1", "2", "1"}, 5, {kKilledOver}},
                      Death{18, {"1", "1", "2", "2"}, 3, {kDiedEnded}},
                      Death{19, {"1", "2", "2", "1"}, 2, {kDiedEnded}},
                      Death{20, {"1", "2", "2", "2"}, 4, {kDiedEnded}},
                      Death{21, {"1", "2", "2", "3"}, 5, {kDiedEnded}}),
    [](const auto& param_info) { return "scene_" + std::to_string(param_info.param.scene); });

TEST_P(DeathScene, ChangesNothingButTheSceneAndThePauseLine) {
    const int scene = GetParam().scene;
    State before;
    before.G = 1;
    before.A = static_cast<std::int16_t>(scene);
    before.E = 2;
    before.LW = 5;
    before.I = 8;
    before.AD = 4;
    before.ZP = 1;
    before.VS = 1;
    before.T = "old";
    before.V = "1";
    before.L[1] = "Привет";
    before.L[8] = "Твой Rozera";
    before.S[2] = 3;
    before.S[4] = 1;
    const auto played = play_scene(scene, before, {"any line"});
    const State& after = played.state;
    EXPECT_EQ(played.status, 0);
    EXPECT_EQ(after.A, 8);
    EXPECT_EQ(after.T, "any line");
    EXPECT_EQ(after.G, before.G);
    EXPECT_EQ(after.E, before.E);
    EXPECT_EQ(after.LW, before.LW);
    EXPECT_EQ(after.I, before.I);
    EXPECT_EQ(after.AD, before.AD);
    EXPECT_EQ(after.ZP, before.ZP);
    EXPECT_EQ(after.VS, before.VS);
    EXPECT_EQ(after.V, before.V);
    EXPECT_EQ(after.L, before.L);
    EXPECT_EQ(after.S, before.S);
}

TEST(Ambush, DyingAgainReplaysTheSameTexts) {
    // Straight into scene 13 twice; the second round must read as the first.
    const auto played = play_chapter(to_village({"1", "1", "1", "", "1", "1", "1", ""}));
    const auto lines = screen_lines(played.screen);
    const std::size_t first = index_after(lines, kSaved, 0);
    const std::size_t second = index_after(lines, kSaved, first + 1);
    const std::size_t third = index_after(lines, kSaved, second + 1);
    ASSERT_LT(third, lines.size());
    EXPECT_EQ(rows(lines, first, second - first), rows(lines, second, third - second));
    EXPECT_EQ(occurrences(played.screen, kDiedOver), 2u);
}

TEST(Ambush, TheWayThroughAliveRunsOnIntoTheDriveBack) {
    const auto played = play_chapter(to_village({"1", "1", "2", "1", "1"}));
    const auto lines = screen_lines(played.screen);
    State at_22;
    at_22.A = 22;
    const std::string drive_back = screen_lines(play_scene(22, at_22, {}).screen).at(0);

    // Scene 17's menu, its answer, and scene 22 right after it.
    const std::size_t answer = index_after(lines, "Проведать сержанта - 1", 0) + 1;
    ASSERT_LT(answer + 1, lines.size());
    EXPECT_EQ(lines[answer], ">1");
    EXPECT_EQ(lines[answer + 1], drive_back);
    EXPECT_EQ(occurrences(played.screen, kSaved), 1u);
    EXPECT_EQ(occurrences(played.screen, kNotice), 0u);
    EXPECT_EQ(occurrences(played.screen, "Вы умерли"), 0u);
    EXPECT_EQ(occurrences(played.screen, "Вы погибли"), 0u);
    EXPECT_EQ(played.state.A, 22);
}

struct Choice {
    int scene;
    std::vector<std::string> menu;
    std::string wrong;
    std::string right;
    std::int16_t next;
};

class ChoiceScene : public ::testing::TestWithParam<Choice> {};

TEST_P(ChoiceScene, WritesItsMenuOnceAndTheNoticeForADigitItDoesNotOffer) {
    const Choice& c = GetParam();
    State state;
    state.A = static_cast<std::int16_t>(c.scene);
    const auto played = play_scene(c.scene, state, {c.wrong, "", c.right});
    const auto lines = screen_lines(played.screen);

    // Narrative and menu with no empty line, then the attempts.
    const std::size_t prompt = index_after(lines, ">" + c.wrong, 0);
    ASSERT_LT(prompt + 3, lines.size());
    ASSERT_GT(prompt, c.menu.size());
    EXPECT_EQ(rows(lines, prompt - c.menu.size(), c.menu.size()), c.menu);
    for (std::size_t row = 0; row < prompt; ++row) EXPECT_FALSE(lines[row].empty()) << row;
    EXPECT_EQ(lines[prompt + 1], kNotice);
    EXPECT_EQ(lines[prompt + 2], ">");
    EXPECT_EQ(lines[prompt + 3], kNotice);
    EXPECT_EQ(occurrences(played.screen, kNotice), 2u);
    EXPECT_EQ(occurrences(played.screen, c.menu.front()), 1u);
    EXPECT_EQ(played.state.A, c.next);
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, ChoiceScene,
    ::testing::Values(
        Choice{11,
               {"Открыть огонь на поражение по моджахедам - 1",
                "Выглядывая из-за укрытия, стрелять короткими очередями - 2"},
               "3", "2", 14},
        Choice{12, {"Стрелять в моджахедов - 1", "Побежать вслед за Иваном, стреляя на ходу - 2"}, "3", "2", 16},
        Choice{14,
               {"Вместе с Vuvorozом расстреливать оставшихся моджахедов - 1",
                "Проползти к машине и проведать сержанта - 2"},
               "3", "1", 17},
        Choice{16, {"Встать - 1", "Развернуться, и лежа стрелять во врага - 2", "Ползти к машинам - 3"}, "4", "3",
               21},
        Choice{17, {"Проведать сержанта - 1"}, "2", "1", 22}),
    [](const auto& param_info) { return "scene_" + std::to_string(param_info.param.scene); });

}  // namespace
}  // namespace kreivold
