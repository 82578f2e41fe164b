// The built game played from files and pipes, as a walkthrough would be.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e_support.hpp"

namespace kreivold::e2e {
namespace {

bool ends_with(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The report's first line, or "" when there is none.
std::string report_line(const std::string& text) {
    const std::size_t at = text.find("Runtime error ");
    if (at == std::string::npos) return "";
    return text.substr(at, text.find('\n', at) - at);
}

TEST(PipedGame, PlaysTheArrivalFromAFileAndReportsTheEndOfInput) {
    const PipeRun run = run_piped(fixture("arrival.txt"));
    EXPECT_EQ(run.ended.status, 100);
    EXPECT_EQ(run.err, "");
    // No screen to clear: the credit line comes first.
    EXPECT_EQ(run.out.rfind("Авторы", 0), 0u);
    EXPECT_NE(run.out.find("\n>1\n"), std::string::npos) << "answers are echoed after the prompt";
    EXPECT_NE(run.out.find("Хотите написать письмо своей девушке?\nДа - 1\n"), std::string::npos);
    EXPECT_EQ(report_line(run.out).rfind("Runtime error 100 at $0005:", 0), 0u) << report_line(run.out);
    // The report stands on its own rows after the last prompt, and ends the output.
    const std::string report = run.out.substr(run.out.rfind("\n>\n") + 3);
    EXPECT_EQ(report.rfind("Runtime error 100", 0), 0u);
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 3);
    EXPECT_TRUE(ends_with(report, "end of input\n\n"));
}

TEST(PipedGame, PlaysTheLetterAndTheDreamIntoTheVillage) {
    const PipeRun run = run_piped(fixture("through_dream.txt"));
    EXPECT_EQ(run.ended.status, 100);
    EXPECT_NE(run.out.find("Вот что у вас получилось:\n\"Привет, моя любимая Zodeva. Сразу скажу,"),
              std::string::npos);
    EXPECT_NE(run.out.find("Уснуть и посмотреть сон - 1\nВстряхнуться и не спать - 2\n>1\n\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("[Игра сохранена]"), std::string::npos);
    EXPECT_EQ(report_line(run.out).rfind("Runtime error 100 at $0008:", 0), 0u);
}

TEST(PipedGame, PlaysTheWholeChapterToStatus0) {
    const PipeRun run = run_piped(fixture("chapter.txt"));
    EXPECT_EQ(run.ended.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(report_line(run.out), "");
    EXPECT_NE(run.out.find("Вы умерли - война для вас окончена.\nВы погибли - война для вас закончена.\n"
                           "[Нажмите enter для продолжения]\n\n[Игра сохранена]\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("\n[Нажмите enter для продолжения.]\n\n"), std::string::npos);
    EXPECT_TRUE(ends_with(run.out, "\n\nКОНЕЦ 1 ГЛАВЫ.\n\nПродолжение следует...\n\n"
                                   "[Нажмите любую клавишу, чтобы выйти]\n"));
}

struct EndCase {
    std::string read;      // the kind of read the input ends at
    std::string input;
    std::string location;  // the report's location starts so: "$" and the scene
};

TEST(Faults, InputEndingAtAnyReadEndsWithStatus100AndTheReportLast) {
    const std::string to_scene6 = "\n1\n1\n\n1\n2\n\n";
    const std::vector<EndCase> cases = {
        {"title", "", "$0000:"},
        {"choice prompt", "\n", "$0001:"},
        {"pause", "\n1\n1\n", "$0004:"},
        {"question", "\n1\n1\n\n1\n", "$0005:"},
        {"letter", "\n1\n1\n\n1\n1\n1\n", "$0005:"},
        {"dream", to_scene6 + "1\n", "$0007:"},
        {"exploration", to_scene6 + "2\n2\n", "$000A:"},
        {"death's pause", to_scene6 + "2\n1\n1\n1\n", "$000D:"},
        {"line without line end", to_scene6 + "2\n2\n3", "$0009:"},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.read);
        const PipeRun run = run_piped(c.input);
        EXPECT_EQ(run.ended.status, 100);
        EXPECT_EQ(run.err, "");
        const std::size_t report = run.out.find("Runtime error ");
        ASSERT_NE(report, std::string::npos);
        EXPECT_EQ(run.out.substr(report, 27), "Runtime error 100 at " + c.location);
        EXPECT_TRUE(report == 0 || run.out[report - 1] == '\n');
        // The report's three rows are the last thing written.
        const std::string tail = run.out.substr(report);
        EXPECT_EQ(std::count(tail.begin(), tail.end(), '\n'), 3);
        EXPECT_TRUE(ends_with(tail, "\n\n"));
    }
}

TEST(Faults, InputEndingAtTheExitPauseCountsAsTheKey) {
    std::string walkthrough = fixture("chapter.txt");
    walkthrough.pop_back();  // the exit key
    const PipeRun run = run_piped(walkthrough);
    EXPECT_EQ(run.ended.status, 0);
    EXPECT_TRUE(ends_with(run.out, "[Нажмите любую клавишу, чтобы выйти]\n"));
}

TEST(Faults, OutputThatCannotBeWrittenEndsWithStatus101AndTheReportOnStandardError) {
    for (Stdout mode : {Stdout::closed_pipe, Stdout::dev_full}) {
        SCOPED_TRACE(mode == Stdout::dev_full ? "/dev/full" : "closed pipe");
        const PipeRun run = run_piped(fixture("chapter.txt"), mode, std::chrono::seconds(20));
        EXPECT_FALSE(run.timed_out);
        EXPECT_EQ(run.ended.status, 101);
        EXPECT_EQ(run.err.rfind("Runtime error 101 at $0000:", 0), 0u) << run.err;
        EXPECT_TRUE(ends_with(run.err, "\n\n"));
    }
}

struct OddLine {
    std::string name;
    std::string line;      // typed at scene 1's prompt, line end included
    bool accepted;         // as "1": scene 3 follows
    std::string echoed;    // what the prompt row shows after ">"
};

TEST(Faults, OddLinesAreWrongAnswersOrTheRightOneButNeverACrash) {
    const std::vector<OddLine> cases = {
        {"a megabyte line", std::string(1 << 20, '1') + "\n", false, std::string(255, '1')},
        {"300 digits", std::string(300, '2') + "\n", false, std::string(255, '2')},
        {"NUL bytes", std::string("\0\0\n", 3), false, std::string("\0\0", 2)},
        {"a NUL after the digit", std::string("1\0\n", 3), false, std::string("1\0", 2)},
        {"invalid UTF-8", "\xff\xc0\xaf\xed\xa0\x80\n", false, "\xff\xc0\xaf\xed\xa0\x80"},
        {"CRLF line end", "1\r\n", true, "1"},
        {"a lone CR", "1\r2\n", false, "1\r2"},
    };
    for (const OddLine& c : cases) {
        SCOPED_TRACE(c.name);
        const PipeRun run = run_piped("\r\n" + c.line + "2\n");
        EXPECT_EQ(run.ended.status, 100);  // the input ends at the next prompt
        EXPECT_NE(run.out.find("\n>" + c.echoed + "\n"), std::string::npos);
        const std::string next = c.accepted ? "Идти в штаб - 1\n>2\n" : "Исправьтесь.\n>2\n";
        EXPECT_NE(run.out.find(next), std::string::npos);
    }
}

}  // namespace
}  // namespace kreivold::e2e
