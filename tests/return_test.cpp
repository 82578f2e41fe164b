// The return to the base and the end of the chapter (scenes 22-28): the
// three routes played from the title to the exit key, and the wrong answers
// at the parking.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
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
using testing::kNotice;
using testing::kPause;

constexpr std::string_view kLastPause = "[Нажмите enter для продолжения.]";
constexpr std::string_view kExitLine = "[Нажмите любую клавишу, чтобы выйти]";

// Title to scene 22's pause: no letter, the pause before the convoy, no
// dream, then the way through the ambush alive.
std::vector<std::string> to_drive_back(const std::vector<std::string>& more) {
    std::vector<std::string> input = testing::kToLetter;
    input.insert(input.end(), {"2", "", "2", "1", "1", "2", "1", "1"});
    input.insert(input.end(), more.begin(), more.end());
    return input;
}

// Everything a scene block writes from its start, up to its first read.
// The wording belongs to the script; these tests follow where it shows.
// What a scene block writes when it runs alone, up to its first read.
std::vector<std::string> scene_text(int scene) {
    State state;
    state.A = static_cast<std::int16_t>(scene);
    return screen_lines(play_scene(scene, state, {}).screen);
}

std::size_t count_rows(const std::vector<std::string>& lines, std::string_view row) {
    std::size_t count = 0;
    for (const std::string& line : lines) count += line == row ? 1u : 0u;
    return count;
}

std::size_t index_of(const std::vector<std::string>& lines, std::string_view row) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == row) return i;
    }
    return lines.size();
}

struct Shown {
    int scene;
    std::string before;  // the row just above the scene's first line
};

struct Route {
    std::string name;
    std::vector<std::string> answers;  // from scene 22's pause to scene 28's pause
    std::vector<std::string> exit;     // typed at the exit pause and after it
    std::vector<Shown> scenes;         // in the order shown
};

TEST(Return, EveryRouteEndsTheChapterAfterTheExitKey) {
    // Scene 24 is eight lines and no pause: its last line is the row above
    // scene 27 on the routes through it.
    const std::vector<std::string> report = scene_text(24);
    ASSERT_EQ(report.size(), 8u);
    for (const std::string& line : report) EXPECT_FALSE(line.empty());
    const std::string report_last = report.back();
    const std::vector<Route> routes = {
        // Out of the car: the captain, then the medical unit with no pause
        // between. The end of the input counts as the exit key.
        {"out_of_the_car",
         {"", "1", "", ""},
         {},
         {{22, ">1"}, {23, ""}, {24, ">1"}, {27, report_last}, {28, ""}}},
        // Stay, then get out: the captain comes on the next pass with nothing
        // printed before him. One byte is the key; the rest is never read.
        {"stay_then_get_out",
         {"", "2", "1", "", ""},
         {"q", "1"},
         {{22, ">1"}, {23, ""}, {25, ">2"}, {24, ">1"}, {27, report_last}, {28, ""}}},
        // Stay twice: found in the car. Enter alone is the key.
        {"found_in_the_car", {"", "2", "2", "", ""}, {""}, {{22, ">1"}, {23, ""}, {25, ">2"}, {26, ">2"}, {28, ""}}},
    };

    std::map<int, std::string> opening;
    for (int scene = 22; scene <= 28; ++scene) opening[scene] = scene_text(scene).at(0);

    for (const Route& route : routes) {
        SCOPED_TRACE(route.name);
        std::vector<std::string> input = to_drive_back(route.answers);
        input.insert(input.end(), route.exit.begin(), route.exit.end());
        const auto played = play_chapter(input);
        EXPECT_EQ(played.status, 0);
        EXPECT_EQ(played.state.G, 0);
        EXPECT_EQ(played.state.A, 28);
        const auto lines = screen_lines(played.screen);

        std::size_t previous = 0;
        for (const Shown& shown : route.scenes) {
            const std::size_t at = index_of(lines, opening[shown.scene]);
            ASSERT_LT(at, lines.size()) << "scene " << shown.scene;
            EXPECT_GT(at, previous) << "scene " << shown.scene;
            EXPECT_EQ(lines[at - 1], shown.before) << "scene " << shown.scene;
            previous = at;
        }
        for (int scene = 22; scene <= 28; ++scene) {
            bool on_route = false;
            for (const Shown& shown : route.scenes) on_route = on_route || shown.scene == scene;
            EXPECT_EQ(count_rows(lines, opening[scene]), on_route ? 1u : 0u) << "scene " << scene;
        }

        // Scenes 22, 26 and 27 pause without a full stop, scene 28 with one;
        // scene 24 does not pause at all.
        std::vector<std::string> pauses;
        for (std::size_t i = index_of(lines, opening[22]); i < lines.size(); ++i) {
            if (lines[i].rfind("[Нажмите", 0) == 0) pauses.push_back(lines[i]);
        }
        EXPECT_EQ(pauses, (std::vector<std::string>{std::string(kPause), std::string(kPause),
                                                    std::string(kLastPause), std::string(kExitLine)}));

        // After scene 28's pause: its echo, the nine lines in the barracks,
        // the closing lines, and nothing more.
        const std::size_t pause = index_of(lines, kLastPause);
        ASSERT_EQ(lines.size(), pause + 17);
        EXPECT_EQ(lines[pause + 1], "");
        for (std::size_t row = pause + 2; row < pause + 11; ++row) EXPECT_FALSE(lines[row].empty()) << row;
        EXPECT_EQ(std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(pause + 11), lines.end()),
                  (std::vector<std::string>{"", "КОНЕЦ 1 ГЛАВЫ.", "", "Продолжение следует...", "",
                                            std::string(kExitLine)}));
        EXPECT_EQ(played.screen.back(), '\n');
    }
}

TEST(Return, ParkingQuestionsWriteOneNoticePerWrongAnswerAndNoMenuAgain) {
    const std::vector<std::string> wrong = {"", "3", "12", " 1", "1 ", "0", "Да"};
    struct Parking {
        int scene;
        std::size_t narrative;  // lines above the menu
        std::int16_t next;      // where "2" leads
    };
    for (const Parking& c : {Parking{23, 3, 25}, Parking{25, 2, 26}}) {
        const int scene = c.scene;
        SCOPED_TRACE(scene);
        State state;
        state.A = static_cast<std::int16_t>(scene);
        std::vector<std::string> input = wrong;
        input.push_back("2");
        const auto played = play_scene(scene, state, input);
        const auto lines = screen_lines(played.screen);

        // The narrative and the menu, no empty line, then the first attempt.
        const std::size_t first_prompt = index_of(lines, ">" + wrong.front());
        ASSERT_EQ(first_prompt, c.narrative + 2);
        for (std::size_t row = 0; row < first_prompt; ++row) EXPECT_FALSE(lines[row].empty()) << row;
        EXPECT_EQ(lines[first_prompt - 2], "Выйти из машины - 1");
        EXPECT_EQ(lines[first_prompt - 1], "Остаться внутри - 2");
        ASSERT_GE(lines.size(), first_prompt + 2 * wrong.size());
        for (std::size_t k = 0; k < wrong.size(); ++k) {
            EXPECT_EQ(lines[first_prompt + 2 * k], ">" + wrong[k]);
            EXPECT_EQ(lines[first_prompt + 2 * k + 1], kNotice);
        }
        EXPECT_EQ(occurrences(played.screen, kNotice), wrong.size());
        EXPECT_EQ(occurrences(played.screen, "Выйти из машины - 1"), 1u);
        EXPECT_EQ(count_rows(lines, scene_text(scene).at(0)), 1u);
        EXPECT_EQ(played.state.A, c.next);
    }
}

}  // namespace
}  // namespace kreivold
