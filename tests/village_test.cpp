// The village: the checkpoint (scene 8), the explosion (9) and the
// exploration around the outskirts (10), played from the title and scene by
// scene.

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

constexpr std::string_view kPauseMark = "[Нажмите";
constexpr std::string_view kGoWest = "Идти на запад - 1";
constexpr std::string_view kGoEast = "Идти на восток - 2";
constexpr std::string_view kToMedic = "Вернуться к медику - 3";

// Everything a scene block writes from the given state up to its first read.
// The wording belongs to the script; these tests follow where it shows.
std::vector<std::string> opening(int scene, std::int16_t ad = 0) {
    State state;
    state.A = static_cast<std::int16_t>(scene);
    state.AD = ad;
    return screen_lines(play_scene(scene, state, {}).screen);
}

// Title to scene 8's prompt (no letter, the pause before the convoy, no
// dream), then `more`.
std::vector<std::string> to_village(std::initializer_list<std::string> more) {
    std::vector<std::string> input = testing::kToLetter;
    input.insert(input.end(), {"2", "", "2"});
    input.insert(input.end(), more);
    return input;
}

bool starts_with(std::string_view text, std::string_view prefix) { return text.rfind(prefix, 0) == 0; }

std::size_t first_index(const std::vector<std::string>& lines, std::string_view line) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == line) return i;
    }
    return lines.size();
}

// What was typed from scene 8's first run on, read back from the screen:
// each prompt answer, with "!" in front when the notice followed it, and
// each pause line. A prompt that met the end of input is left out.
struct Typed {
    std::vector<std::string> answers;
    std::size_t last_row = 0;  // row of the last echo
};

Typed typed_since_checkpoint(const std::vector<std::string>& lines) {
    Typed typed;
    for (std::size_t i = first_index(lines, kSaved); i + 1 < lines.size(); ++i) {
        const bool at_prompt = starts_with(lines[i], ">");
        const bool at_pause = i > 0 && starts_with(lines[i - 1], kPauseMark);
        if (starts_with(lines[i + 1], "Runtime error")) break;
        if (at_prompt) {
            typed.answers.push_back((lines[i + 1] == kNotice ? "!" : "") + lines[i].substr(1));
        } else if (at_pause) {
            typed.answers.push_back(lines[i]);
        } else {
            continue;
        }
        typed.last_row = i;
    }
    return typed;
}

// The menu under each showing of the fork, in order. Each showing is the
// fork's two lines of narrative, then the menu.
std::vector<std::vector<std::string>> fork_menus(const std::vector<std::string>& lines) {
    const std::vector<std::string> fork = opening(10, 0);
    std::vector<std::vector<std::string>> menus;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] != fork[0]) continue;
        EXPECT_EQ(lines[i + 1], fork[1]);
        std::vector<std::string> menu;
        for (std::size_t j = i + 2; j < lines.size() && !starts_with(lines[j], ">"); ++j) {
            menu.push_back(lines[j]);
        }
        menus.push_back(menu);
    }
    return menus;
}

std::vector<std::string> strip_marks(const std::vector<std::string>& answers) {
    std::vector<std::string> typed;
    for (const std::string& answer : answers) typed.push_back(starts_with(answer, "!") ? answer.substr(1) : answer);
    return typed;
}

using Menu = std::vector<std::string>;
const Menu kFull = {std::string(kGoWest), std::string(kGoEast), std::string(kToMedic)};
const Menu kEastOnly = {std::string(kGoEast), std::string(kToMedic)};
const Menu kWestOnly = {std::string(kGoWest), std::string(kToMedic)};
const Menu kMedicOnly = {std::string(kToMedic)};

struct Walk {
    std::string name;
    // Typed from scene 8's prompt on; "!" marks an answer that must get the
    // notice (the "!" itself is not typed).
    std::vector<std::string> answers;
    std::vector<Menu> forks;  // the menu of every showing of the fork
    std::size_t girl;         // times the girl's scene is shown
    std::int16_t A, AD, ZP, VS;
};

class Exploration : public ::testing::TestWithParam<Walk> {};

TEST_P(Exploration, ShowsOnlyTheRoadsNotWalkedAndAcceptsOnlyTheirDigits) {
    const Walk& walk = GetParam();
    std::vector<std::string> input = to_village({});
    for (const std::string& typed : strip_marks(walk.answers)) input.push_back(typed);
    const auto played = play_chapter(input);
    EXPECT_EQ(played.status, kReadFailed);  // the input runs out at the next prompt
    const auto lines = screen_lines(played.screen);

    const Typed typed = typed_since_checkpoint(lines);
    EXPECT_EQ(typed.answers, walk.answers);
    EXPECT_EQ(fork_menus(lines), walk.forks);
    EXPECT_EQ(occurrences(played.screen, opening(10, 3)[0] + "\n"), walk.girl);
    EXPECT_EQ(played.state.A, walk.A);
    EXPECT_EQ(played.state.AD, walk.AD);
    EXPECT_EQ(played.state.ZP, walk.ZP);
    EXPECT_EQ(played.state.VS, walk.VS);

    // Leaving shows scene 9 at once; going back shows the fork at once.
    ASSERT_LT(typed.last_row + 1, lines.size());
    EXPECT_EQ(lines[typed.last_row + 1], walk.A == 9 ? opening(9)[0] : opening(10, 0)[0]);
}

INSTANTIATE_TEST_SUITE_P(
    Walks, Exploration,
    ::testing::Values(
        Walk{"straight_back_to_the_medic", {"2", "3"}, {kFull}, 0, 9, 4, 0, 0},
        Walk{"west_road_then_the_medic", {"2", "1", "1"}, {kFull}, 0, 9, 4, 1, 0},
        Walk{"west_road_back_to_the_fork_then_the_girl",
             {"2", "1", "2", "!1", "2", "1", "1"}, {kFull, kEastOnly}, 1, 9, 4, 1, 1},
        Walk{"both_roads_leave_only_the_medic",
             {"2", "2", "2", "1", "2", "!1", "!2", "!", "3"}, {kFull, kWestOnly, kMedicOnly}, 0, 9, 4, 1, 1},
        Walk{"girl_back_to_the_fork", {"2", "2", "1", "2", "!2", "3"}, {kFull, kWestOnly}, 1, 9, 4, 0, 1},
        Walk{"wrong_answers_everywhere_then_back_at_the_fork",
             {"2", "!4", "! 1", "1", "!3", "!", "2", "2", "!3", "1", "!0", "2"},
             {kFull, kEastOnly, kMedicOnly}, 1, 10, 0, 1, 1},
        // A walked road stays walked across a death: west, die in scene 13,
        // then east and the girl, die again, and only the medic is left.
        Walk{"deaths_in_between_keep_the_walked_roads",
             {"2", "1", "1", "1", "1", "",
              "2", "!1", "2", "1", "1", "1", "1", "",
              "2", "!2", "!1", "3"},
             {kFull, kEastOnly, kMedicOnly}, 1, 9, 4, 1, 1}),
    [](const auto& param_info) { return param_info.param.name; });

// Records the road flags at the first thing a scene writes, then ends the
// scene at its first read.
class FirstWrite final : public Console {
public:
    explicit FirstWrite(const State& state) : state_(state) {}
    void write(std::string_view) override {
        if (!seen_) {
            zp = state_.ZP;
            vs = state_.VS;
            seen_ = true;
        }
    }
    void flush() override {}
    void clear_screen() override {}
    std::string read_line() override { throw Fatal{kReadFailed, "no input"}; }
    void wait_key() override {}
    void report(std::string_view, bool) noexcept override {}

    std::int16_t zp = -1;
    std::int16_t vs = -1;

private:
    const State& state_;
    bool seen_ = false;
};

TEST(Exploration, ARoadCountsAsWalkedBeforeItsFirstLineIsWritten) {
    for (const std::int16_t road : {std::int16_t{1}, std::int16_t{2}}) {
        SCOPED_TRACE(road);
        State state;
        state.A = 10;
        state.AD = road;
        FirstWrite console(state);
        Dialogue dialogue(console, state);
        EXPECT_THROW(script::chapter().scenes[10](state, dialogue), Fatal);
        EXPECT_EQ(console.zp, road == 1 ? 1 : 0);
        EXPECT_EQ(console.vs, road == 2 ? 1 : 0);
    }
}

// Scene 8 from "[Игра сохранена]" to its menu: 11 lines, an empty line,
// 4 lines, an empty line, two options.
constexpr std::size_t kCheckpointRows = 20;

TEST(Checkpoint, EveryRunStartsWithTheSaveLineAndShowsTheSameScene) {
    // First arrival; die in scene 13 (the pause line "x" is discarded);
    // explore and leave; die in scene 15.
    const auto played = play_chapter(to_village({"1", "1", "1", "x", "2", "3", "2", "1", ""}));
    const auto lines = screen_lines(played.screen);

    std::vector<std::size_t> runs;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == kSaved) runs.push_back(i);
    }
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(lines[runs[0] - 1], ">2");  // scene 6's answer, nothing in between
    for (const std::size_t run : {runs[1], runs[2]}) {
        EXPECT_TRUE(starts_with(lines[run - 2], kPauseMark));  // the death's pause and its echo
    }
    EXPECT_EQ(lines[runs[1] - 1], "x");
    EXPECT_EQ(lines[runs[2] - 1], "");

    ASSERT_LE(runs[2] + kCheckpointRows + 1, lines.size());
    const std::vector<std::string> first(lines.begin() + static_cast<std::ptrdiff_t>(runs[0]),
                                         lines.begin() + static_cast<std::ptrdiff_t>(runs[0] + kCheckpointRows));
    EXPECT_EQ(first[12], "");
    EXPECT_EQ(first[17], "");
    EXPECT_EQ(first[18], "Остаться с медиком - 1");
    EXPECT_EQ(first[19], "Осмотреть окресности - 2");
    for (const std::size_t row : {1u, 11u, 13u, 16u}) EXPECT_FALSE(first[row].empty()) << row;
    for (const std::size_t run : runs) {
        for (std::size_t row = 0; row < kCheckpointRows; ++row) EXPECT_EQ(lines[run + row], first[row]) << row;
        EXPECT_TRUE(starts_with(lines[run + kCheckpointRows], ">"));
    }
}

struct WrongThree {
    int scene;
    std::string accepted;
    std::int16_t next;
};

TEST(Checkpoint, ThreeIsWrongInScenesEightAndNine) {
    for (const WrongThree& c : {WrongThree{8, "2", 10}, WrongThree{9, "2", 12}, WrongThree{8, "1", 9},
                                WrongThree{9, "1", 11}}) {
        SCOPED_TRACE(c.scene);
        State state;
        state.A = static_cast<std::int16_t>(c.scene);
        state.AD = 4;  // left the exploration before a death
        state.ZP = 1;
        state.VS = 1;
        const auto played = play_scene(c.scene, state, {"3", c.accepted});
        const std::string rejected = "\n>3\n" + std::string(kNotice) + "\n>";
        EXPECT_EQ(occurrences(played.screen, rejected), 1u);
        EXPECT_EQ(occurrences(played.screen, kNotice), 1u);
        EXPECT_EQ(occurrences(played.screen, ">"), 2u);
        EXPECT_EQ(played.state.A, c.next);
        // Only scene 8's way into the exploration starts it at the fork again.
        EXPECT_EQ(played.state.AD, c.next == 10 ? 0 : 4);
        EXPECT_EQ(played.state.ZP, 1);
        EXPECT_EQ(played.state.VS, 1);
    }
}

}  // namespace
}  // namespace kreivold
