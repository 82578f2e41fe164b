// The built game on a pseudo-terminal: its own line editor, the exit key,
// and the terminal's settings put back on every way out.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e_support.hpp"

namespace kreivold::e2e {
namespace {

const std::string kScene1Prompt = "Идти в штаб - 2\r\n>";
const std::string kScene3Menu = "Идти в штаб - 1\r\n>";

bool game_mode(const termios& t) { return (t.c_lflag & (ICANON | ECHO)) == 0; }

// Starts the game and answers the title, up to scene 1's prompt.
void to_scene1(PtyGame& game) {
    ASSERT_TRUE(game.wait_for("[Нажмите enter, чтобы начать]"));
    game.type("\r");
    ASSERT_TRUE(game.wait_for(kScene1Prompt));
}

TEST(TerminalGame, ClearsTheScreenOnceAndEditsTheLineItself) {
    PtyGame game;
    to_scene1(game);
    EXPECT_EQ(game.screen().rfind("\x1b[H\x1b[2J", 0), 0u);
    EXPECT_EQ(game.screen().find("\x1b[H\x1b[2J", 1), std::string::npos);
    EXPECT_TRUE(game_mode(game.settings_now()));
    // Backspace takes the whole Cyrillic character off the line and the screen.
    game.type("я");
    ASSERT_TRUE(game.wait_for("я"));
    game.type("\x7f");
    ASSERT_TRUE(game.wait_for("\b \b"));
    // Arrow keys, Ctrl+arrow and a function key are ignored and never echoed.
    game.type("\x1b[D\x1b[1;5D\x1bOP\x1b[15~1\r");
    ASSERT_TRUE(game.wait_for(kScene3Menu));
    EXPECT_NE(game.screen().find(kScene1Prompt + "я\b \b1\r\n"), std::string::npos);
}

TEST(TerminalGame, StopsTakingCharactersAfter254) {
    PtyGame game;
    to_scene1(game);
    game.type(std::string(300, '7') + "\r");
    ASSERT_TRUE(game.wait_for("Исправьтесь.\r\n>"));
    EXPECT_NE(game.screen().find(kScene1Prompt + std::string(254, '7') + "\r\nВы выбрали"), std::string::npos);
    game.type("2\r");
    ASSERT_TRUE(game.wait_for("Идти к баракам - 1\r\n>"));
}

TEST(TerminalGame, CtrlCEndsTheGameWithTheTerminalAsItWas) {
    PtyGame game;
    ASSERT_TRUE(game.wait_for("[Нажмите enter, чтобы начать]"));
    game.type("\x03");
    const Ended ended = game.finish();
    EXPECT_EQ(ended.signal, SIGINT);
    EXPECT_TRUE(same_settings(game.settings_now(), game.settings_before()));
}

TEST(TerminalGame, EndingSignalsMidPromptRestoreTheTerminalAndKillWithTheSameSignal) {
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        SCOPED_TRACE(strsignal(sig));
        PtyGame game;
        to_scene1(game);
        game.type("12");
        ASSERT_TRUE(game.wait_for("12"));
        kill(game.game(), sig);
        const Ended ended = game.finish();
        EXPECT_EQ(ended.signal, sig);
        EXPECT_TRUE(same_settings(game.settings_now(), game.settings_before()));
    }
}

TEST(TerminalGame, CtrlZGivesTheShellItsSettingsAndResumingPutsTheGameModeBack) {
    PtyGame game;
    to_scene1(game);
    game.type("\x1a");
    ASSERT_TRUE(game.settle([&](const termios& t) { return same_settings(t, game.settings_before()); }));
    kill(game.game(), SIGCONT);
    ASSERT_TRUE(game.settle(game_mode));
    game.type("1\r");
    ASSERT_TRUE(game.wait_for("1\r\n"));
    ASSERT_TRUE(game.wait_for(kScene3Menu));
}

TEST(TerminalGame, TheWholeChapterEndsOnOneKeyWithStatus0) {
    PtyGame game;
    // Title, arrival, no letter, no dream; a death at the vehicles and back
    // to the checkpoint; the way through; the return by the captain.
    const std::vector<std::string> answers = {"", "1", "1", "", "1", "2", "", "2", "1", "1", "1",
                                              "", "1", "1", "2", "1", "1", "", "1", "", ""};
    for (const std::string& answer : answers) game.type(answer + "\r");
    ASSERT_TRUE(game.wait_for("[Нажмите любую клавишу, чтобы выйти]\r\n"));
    game.type("ж");  // one key, two bytes, no Enter
    const Ended ended = game.finish();
    EXPECT_EQ(ended.status, 0);
    EXPECT_EQ(ended.signal, 0);
    EXPECT_TRUE(same_settings(game.settings_now(), game.settings_before()));
    // Cleared once at the start (keys typed ahead may be echoed before it), never at the end.
    const std::string& screen = game.screen();
    EXPECT_EQ(screen.find("\x1b[H\x1b[2J"), screen.rfind("\x1b[H\x1b[2J"));
}

}  // namespace
}  // namespace kreivold::e2e
