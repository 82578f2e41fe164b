// Kreivold: the game's entry point. Picks the console back end for the
// standard input at hand and plays the chapter on it.
#include <unistd.h>

#include <csignal>

#include "engine/game.hpp"
#include "engine/stream_console.hpp"
#include "engine/terminal_console.hpp"
#include "script/chapter.hpp"

int main() {
    // A closed output must show as a failed write (error 101), not kill the
    // game silently.
    std::signal(SIGPIPE, SIG_IGN);
    const bool screen = isatty(STDOUT_FILENO) != 0;
    if (kreivold::TerminalConsole::usable(STDIN_FILENO)) {
        kreivold::TerminalConsole console(STDIN_FILENO, STDOUT_FILENO);
        return kreivold::play(console, kreivold::script::chapter());
    }
    kreivold::StreamConsole console(STDIN_FILENO, STDOUT_FILENO, screen);
    return kreivold::play(console, kreivold::script::chapter());
}
