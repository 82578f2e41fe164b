// The scene loop, the choice prompt, the pause and the fatal report, played
// through the scripted console on small stand-in scripts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/fatal.hpp"
#include "play.hpp"

namespace kreivold {
namespace {

using testing::play_lines;
using testing::screen_lines;

std::vector<int> ran;  // scene numbers in the order their blocks ran

// Reads one line (every real pass reads), then moves on.
template <int N, int Next, int Game = 1>
void step_scene(State& s, Dialogue& d) {
    ran.push_back(N);
    d.pause(Pause::continuation);
    s.A = Next;
    s.G = Game;
}

Script script_of(std::initializer_list<std::pair<int, Scene>> scenes) {
    Script script;
    for (const auto& [number, scene] : scenes) script.scenes[static_cast<std::size_t>(number)] = scene;
    return script;
}

TEST(SceneLoop, ForwardMovesRunInTheSamePassBackwardOnesAtTheNext) {
    // Scene 1 ends the game but moves forward to 3, which still runs in this
    // pass; 3 moves back to 2, which would only run after the G test.
    ran.clear();
    const auto same_pass = play_lines(
        script_of({{1, step_scene<1, 3, 0>}, {3, step_scene<3, 2, 0>}, {2, step_scene<2, 5>}}), {"", ""});
    EXPECT_EQ(same_pass.status, 0);
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));

    ran.clear();
    const auto next_pass = play_lines(
        script_of({{1, step_scene<1, 3>}, {3, step_scene<3, 2>}, {2, step_scene<2, 28>},
                   {28, step_scene<28, 28, 0>}}),
        {"", "", "", ""});
    EXPECT_EQ(next_pass.status, 0);
    EXPECT_EQ(ran, (std::vector<int>{1, 3, 2, 28}));
}

TEST(SceneLoop, StartsFromTheTitleWithTheStartValues) {
    static State seen;
    Script script;
    script.title = [](State& s, Dialogue& d) {
        seen = s;
        d.line("title");
    };
    script.scenes[1] = step_scene<1, 1, 0>;
    ran.clear();
    ScriptedConsole console("\n", /*screen=*/true);
    State state;
    state.E = 7;  // start-up puts it back to 0
    state.LW = 3;
    state.AD = 2;
    EXPECT_EQ(play(console, script, state), 0);
    EXPECT_EQ(console.screen(), "\x1b[H\x1b[2Jtitle\n[Нажмите enter для продолжения]\n\n");
    EXPECT_EQ(seen.G, 1);
    EXPECT_EQ(seen.A, 1);
    EXPECT_EQ(seen.E, 0);
    EXPECT_EQ(seen.LW, 0);
    EXPECT_EQ(seen.AD, 0);
}

TEST(SceneLoop, APassThatRunsNoSceneIsAFatalErrorNotAnEndlessLoop) {
    const auto played = play_lines(script_of({{1, step_scene<1, 29>}}), {""});
    EXPECT_EQ(played.status, kGuardFailed);
    const auto lines = screen_lines(played.screen);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2], "Runtime error 201 at $0001:0002");
    EXPECT_EQ(lines[3], "Scene 1, step 2: no scene 29");
    EXPECT_EQ(lines[4], "");
}

void idle_scene(State&, Dialogue& d) { d.line("idle"); }

TEST(SceneLoop, APassThatReadsNothingIsAFatalErrorNotAnEndlessLoop) {
    // Scene 3 keeps A and reads nothing: the first pass read in scene 1, the
    // second pass would repeat for ever.
    const auto played = play_lines(script_of({{1, step_scene<1, 3>}, {3, idle_scene}}), {""});
    EXPECT_EQ(played.status, kGuardFailed);
    const auto lines = screen_lines(played.screen);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[2], "idle");
    EXPECT_EQ(lines[3], "idle");
    EXPECT_EQ(lines[4], "Runtime error 201 at $0003:0001");
    EXPECT_EQ(lines[5], "Scene 3, step 1: the pass read nothing (scene 3)");
}

// A two-option prompt in scene 1: "1" ends the game, "2" moves on to 2.
void two_options(State& s, Dialogue& d) {
    d.line("menu");
    const int digit = d.choose({2, Notice::wrong_variant_dot});
    s.A = static_cast<std::int16_t>(digit == 1 ? 1 : 2);
    s.G = 0;
}

struct AnswerCase {
    std::string answer;
    int accepted;  // 0: rejected
};

class ChoicePrompt : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(ChoicePrompt, AcceptsOnlyAWholeDigitAndWritesTheNoticeOncePerWrongAnswer) {
    const AnswerCase& c = GetParam();
    const auto played = play_lines(script_of({{1, two_options}}), {c.answer, "2"});
    if (c.accepted != 0) {
        EXPECT_EQ(played.screen, "menu\n>" + c.answer + "\n");
        EXPECT_EQ(played.state.A, c.accepted);
        EXPECT_EQ(played.state.E, 1);  // the other option did not match
    } else {
        EXPECT_EQ(played.screen, "menu\n>" + c.answer + "\nНеправильный вариант, исправьтесь.\n>2\n");
        EXPECT_EQ(played.state.A, 2);
    }
    EXPECT_EQ(played.state.V, c.accepted != 0 ? c.answer : "2");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ChoicePrompt,
    ::testing::Values(AnswerCase{"1", 1}, AnswerCase{"2", 2}, AnswerCase{"", 0}, AnswerCase{" 1", 0},
                      AnswerCase{"1 ", 0}, AnswerCase{"01", 0}, AnswerCase{"3", 0}, AnswerCase{"12", 0},
                      AnswerCase{"1.", 0}, AnswerCase{"один", 0}, AnswerCase{"Да", 0},
                      AnswerCase{std::string(1, '\0'), 0}, AnswerCase{"\t1", 0}));

TEST(ChoicePromptRules, TenWrongAnswersWriteTheNoticeTenTimesAndTheMenuOnce) {
    std::vector<std::string> input(10, "x");
    input.push_back("1");
    const auto played = play_lines(script_of({{1, two_options}}), input);
    EXPECT_EQ(testing::occurrences(played.screen, "menu"), 1u);
    EXPECT_EQ(testing::occurrences(played.screen, "Неправильный вариант, исправьтесь.\n"), 10u);
    EXPECT_EQ(testing::occurrences(played.screen, ">"), 11u);
}

void fork_with_hidden_first(State& s, Dialogue& d) {
    s.A = static_cast<std::int16_t>(d.choose({3, Notice::wrong_variant_dot, 1U << 1}));
    s.G = 0;
}

TEST(ChoicePromptRules, AHiddenOptionsDigitIsAWrongAnswer) {
    const auto played = play_lines(script_of({{1, fork_with_hidden_first}}), {"1", "3"});
    EXPECT_EQ(played.screen, ">1\nНеправильный вариант, исправьтесь.\n>3\n");
    EXPECT_EQ(played.state.A, 3);
}

void silent_question(State& s, Dialogue& d) {
    s.E = 5;
    s.A = static_cast<std::int16_t>(d.choose({2, Notice::none, 0, Count::none}) + 1);
    s.G = 0;
}

TEST(ChoicePromptRules, ASilentPromptWritesOnlyANewPromptAndLeavesTheCounterAlone) {
    const auto played = play_lines(script_of({{1, silent_question}}), {"", "0", "3", " 1", "2"});
    EXPECT_EQ(played.screen, ">\n>0\n>3\n> 1\n>2\n");
    EXPECT_EQ(played.state.E, 5);
}

void pause_then_prompt(State& s, Dialogue& d) {
    d.pause(Pause::continuation);
    s.A = static_cast<std::int16_t>(d.choose({2, Notice::wrong_answer}) + 1);
    s.G = 0;
}

TEST(Pause, DiscardsItsLineSoItNeverAnswersTheNextPrompt) {
    const auto played = play_lines(script_of({{1, pause_then_prompt}}), {"1", "2"});
    EXPECT_EQ(played.screen, "[Нажмите enter для продолжения]\n1\n>2\n");
    EXPECT_EQ(played.state.T, "1");
    EXPECT_EQ(played.state.A, 3);
}

void overflowing_counter(State& s, Dialogue& d) {
    s.E = 32766;
    d.choose({4, Notice::wrong_choice_greeting, 0, Count::per_notice});
}

void letter_index_out_of_range(State& s, Dialogue& d) {
    d.line("before");
    s.I = 9;
    d.text(letter_fragment(s, s.I));
}

TEST(Guards, CounterOverflowAndLetterIndexEndTheGameWithError201) {
    const auto overflow = play_lines(script_of({{1, overflowing_counter}}), {"x"});
    EXPECT_EQ(overflow.status, kGuardFailed);
    EXPECT_EQ(screen_lines(overflow.screen)[1], "Runtime error 201 at $0001:0002");

    const auto index = play_lines(script_of({{1, letter_index_out_of_range}}), {});
    EXPECT_EQ(index.status, kGuardFailed);
    EXPECT_EQ(screen_lines(index.screen)[1], "Runtime error 201 at $0001:0001");
    EXPECT_NE(index.screen.find("letter index 9"), std::string::npos);
}

TEST(FatalReport, EndOfInputIsAFailedReadReportedOnARowOfItsOwn) {
    const auto played = play_lines(script_of({{1, two_options}}), {"x"});
    EXPECT_EQ(played.status, kReadFailed);
    EXPECT_EQ(played.screen,
              "menu\n>x\nНеправильный вариант, исправьтесь.\n>\n"
              "Runtime error 100 at $0001:0006\n"
              "Scene 1, step 6: read failed: end of input\n\n");
}

TEST(FatalReport, AFailedWriteGoesToTheErrorStreamWithError101) {
    ScriptedConsole console("1\n");
    console.break_output();
    EXPECT_EQ(play(console, script_of({{1, two_options}})), kWriteFailed);
    EXPECT_EQ(console.screen().rfind(ScriptedConsole::kErrorMark, 0), 0u);
    EXPECT_NE(console.screen().find("Runtime error 101 at $0001:"), std::string::npos);
}

}  // namespace
}  // namespace kreivold
