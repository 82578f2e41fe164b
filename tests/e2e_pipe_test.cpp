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

}  // namespace
}  // namespace kreivold::e2e
