// The title screen and scenes 1 to 4, played from the start of the game.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/utf8.hpp"
#include "play.hpp"

namespace kreivold {
namespace {

using testing::play_chapter;
using testing::screen_lines;

bool ends_with(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Index of the first line equal to `line` at or after `from`.
std::size_t find_line(const std::vector<std::string>& lines, const std::string& line, std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (lines[i] == line) return i;
    }
    return lines.size();
}

TEST(TitleScreen, LaysOutTheTitleAndScene1UpToItsFirstPrompt) {
    const auto played = play_chapter({"что угодно"});
    const auto lines = screen_lines(played.screen);
    ASSERT_GE(lines.size(), 40u);
    // credit, "", title, episode, "", 3 lines, "", 4-line note, "", pause
    EXPECT_FALSE(lines[0].empty());
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Крейвольд:");
    EXPECT_EQ(lines[3], "Эпизод 1: Прибытие");
    EXPECT_EQ(lines[4], "");
    for (std::size_t i = 5; i < 8; ++i) EXPECT_FALSE(lines[i].empty()) << i;
    EXPECT_EQ(lines[8], "");
    for (std::size_t i = 9; i < 13; ++i) EXPECT_FALSE(lines[i].empty()) << i;
    EXPECT_TRUE(ends_with(lines[9], "-")) << "the note breaks a word after its first line";
    EXPECT_TRUE(ends_with(lines[12], "...")) << lines[12];
    EXPECT_EQ(lines[13], "");
    EXPECT_EQ(lines[14], "[Нажмите enter, чтобы начать]");
    // The typed line is echoed and discarded, then two empty lines.
    EXPECT_EQ(lines[15], "что угодно");
    EXPECT_EQ(lines[16], "");
    EXPECT_EQ(lines[17], "");
    // Scene 1: 14 lines, "", the question, the menu, the prompt.
    for (std::size_t i = 18; i < 32; ++i) EXPECT_FALSE(lines[i].empty()) << i;
    EXPECT_EQ(lines[32], "");
    EXPECT_EQ(lines[33], "Вы находитесь на базе Дорисбан, ваши действия?");
    EXPECT_EQ(lines[34], "Идти к баракам - 1");
    EXPECT_EQ(lines[35], "Идти в штаб - 2");
    EXPECT_EQ(lines[36], ">");
    EXPECT_EQ(played.status, kReadFailed);  // the input ended at that prompt
    EXPECT_EQ(played.state.A, 1);
}

TEST(TitleScreen, TextTypedAtTheTitleNeverAnswersScene1) {
    const auto played = play_chapter({"1"});
    EXPECT_EQ(played.state.A, 1);
    EXPECT_EQ(testing::occurrences(played.screen, "\n>"), 1u);
}

struct NoticeCase {
    std::vector<std::string> route;  // reaches the prompt
    std::string wrong;
    std::string last_notice_line;
    std::int16_t scene;
};

TEST(ArrivalPrompts, EachSceneRejectsWithItsOwnNoticeAndAsksAgain) {
    const std::vector<NoticeCase> cases = {
        {{""}, "3", "Исправьтесь.", 1},
        {{""}, "", "Исправьтесь.", 1},
        {{"", "2"}, "2", "Исправьтесь", 2},
        {{"", "1"}, "2", "Исправьтесь", 3},
        {{"", "1"}, " 1", "Исправьтесь", 3},
        {{"", "1", "1", ""}, "2", "Исправьтесь", 4},
        {{"", "1", "1", ""}, "01", "Исправьтесь", 4},
        {{"", "1", "1", ""}, "1 ", "Исправьтесь", 4},
    };
    for (const NoticeCase& c : cases) {
        SCOPED_TRACE("scene " + std::to_string(c.scene) + " answer \"" + c.wrong + "\"");
        std::vector<std::string> input = c.route;
        input.push_back(c.wrong);
        input.push_back(c.wrong);
        const auto played = play_chapter(input);
        EXPECT_EQ(played.state.A, c.scene);
        const std::string notice = ">" + c.wrong + "\nВы выбрали неправильный вариант ответа. :(\n" +
                                   c.last_notice_line + "\n";
        EXPECT_EQ(testing::occurrences(played.screen, notice), 2u);
        // The menu is not written again: the next row is a new prompt.
        EXPECT_NE(played.screen.find(notice + ">\nRuntime error 100"), std::string::npos);
    }
}

TEST(ArrivalRoutes, BothRoutesReachScene5InTheFirstPass) {
    const auto direct = play_chapter({"", "1", "1", "", "1"});
    const auto via_headquarters = play_chapter({"", "2", "1", "1", "", "1"});
    for (const auto* played : {&direct, &via_headquarters}) {
        EXPECT_EQ(played->state.A, 5);
        const auto lines = screen_lines(played->screen);
        // Scene 3 starts on the row right after the answer that led to it.
        const std::size_t to_barracks = find_line(lines, ">1");
        ASSERT_LT(to_barracks + 15, lines.size());
        for (std::size_t i = to_barracks + 1; i <= to_barracks + 15; ++i) EXPECT_FALSE(lines[i].empty());
        EXPECT_EQ(lines[to_barracks + 16], "");
        EXPECT_EQ(lines[to_barracks + 17], "Идти в штаб - 1");
    }
    // Scene 2: 7 lines straight after the answer, "", its single option.
    const auto lines = screen_lines(via_headquarters.screen);
    const std::size_t to_headquarters = find_line(lines, ">2");
    for (std::size_t i = to_headquarters + 1; i <= to_headquarters + 7; ++i) EXPECT_FALSE(lines[i].empty());
    EXPECT_EQ(lines[to_headquarters + 8], "");
    EXPECT_EQ(lines[to_headquarters + 9], "Идти к баракам - 1");
    EXPECT_EQ(testing::occurrences(direct.screen, "Идти к баракам - 1\n>"), 0u);
}

TEST(ArrivalRoutes, TheBriefingPausesAfterTheRollCallAndHandsOverToScene5) {
    const auto played = play_chapter({"", "1", "1", "пропуск", "1"});
    const auto lines = screen_lines(played.screen);
    const std::size_t pause = find_line(lines, "[Нажмите enter, чтобы продолжить]");
    ASSERT_LT(pause, lines.size());
    // 12 lines of scene 4 end right before the pause; the last five are the roll call.
    const std::size_t start = find_line(lines, ">1", find_line(lines, "Идти в штаб - 1")) + 1;
    EXPECT_EQ(pause - start, 12u);
    for (std::size_t i = start; i < pause; ++i) EXPECT_FALSE(lines[i].empty());
    EXPECT_EQ(lines[pause + 1], "пропуск");
    EXPECT_EQ(lines[pause + 2], "");
    for (std::size_t i = pause + 3; i < pause + 15; ++i) EXPECT_FALSE(lines[i].empty()) << i;
    EXPECT_EQ(lines[pause + 15], "");
    EXPECT_EQ(lines[pause + 16], "У вас выдались свободными целые полчаса.");
    EXPECT_EQ(lines[pause + 17], "Пойти в барак - 1");
    EXPECT_EQ(lines[pause + 18], ">1");
    // Scene 5 follows at once: its first line is narrative, not an empty row.
    EXPECT_FALSE(lines[pause + 19].empty());
    EXPECT_EQ(played.state.A, 5);
}

TEST(ArrivalTexts, NarrativeLinesAreFullAndSpeechOpensWithADash) {
    const auto played = play_chapter({"", "2", "1", "1", "", "1"});
    for (const std::string& line : screen_lines(played.screen)) {
        EXPECT_LE(utf8::count(line), 77u) << line;
        if (!line.empty() && line[0] == '-') {
            EXPECT_EQ(line.rfind("- ", 0), 0u) << line;
        }
    }
}

}  // namespace
}  // namespace kreivold
