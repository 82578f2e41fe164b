// The stream console's line rules (pipes and files) and the UTF-8 counting
// they rest on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/fatal.hpp"
#include "engine/scripted_console.hpp"
#include "engine/utf8.hpp"

namespace kreivold {
namespace {

struct LinesCase {
    std::string name;
    std::string input;
    std::vector<std::string> lines;  // what successive reads return
};

class StreamLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(StreamLines, KeepsAtMost255CharactersAndEchoesWhatItKept) {
    const LinesCase& c = GetParam();
    ScriptedConsole console(c.input);
    std::string echo;
    for (const std::string& expected : c.lines) {
        EXPECT_EQ(console.read_line(), expected);
        echo += expected + "\n";
    }
    console.flush();
    EXPECT_EQ(console.screen(), echo);
    EXPECT_THROW(console.read_line(), Fatal);  // and then the input is over
}

std::string repeat(std::string_view unit, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += unit;
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, StreamLines,
    ::testing::Values(
        LinesCase{"plain", "1\nabc\n", {"1", "abc"}},
        LinesCase{"crlf", "1\r\n\r\n", {"1", ""}},
        LinesCase{"inner_cr_kept", "a\rb\n", {"a\rb"}},
        LinesCase{"last_line_without_lf", "1\n2", {"1", "2"}},
        LinesCase{"cr_without_lf_kept", "2\r", {"2\r"}},
        LinesCase{"empty_lines", "\n\n", {"", ""}},
        LinesCase{"nul_bytes", std::string("\0a\0\n", 4), {std::string("\0a\0", 3)}},
        LinesCase{"ascii_cut_rest_skipped", repeat("x", 300) + "\n1\n", {repeat("x", 255), "1"}},
        LinesCase{"cyrillic_cut_by_characters", repeat("я", 300) + "\n", {repeat("я", 255)}},
        LinesCase{"invalid_bytes_count_one_each", repeat("\xff", 300) + "\n", {repeat("\xff", 255)}},
        LinesCase{"four_byte_characters", repeat("\xF0\x9F\x98\x80", 256) + "\n",
                  {repeat("\xF0\x9F\x98\x80", 255)}},
        LinesCase{"megabyte_line", repeat("9", 1 << 20) + "\r\n2\n", {repeat("9", 255), "2"}},
        LinesCase{"cr_of_a_long_line_is_its_end", repeat("5", 400) + "\r\n", {repeat("5", 255)}}),
    [](const auto& param_info) { return param_info.param.name; });

TEST(StreamConsole, EndOfInputIsAFailedRead) {
    ScriptedConsole console("");
    try {
        console.read_line();
        FAIL() << "no failure";
    } catch (const Fatal& fatal) {
        EXPECT_EQ(fatal.code, kReadFailed);
    }
}

TEST(StreamConsole, TheExitKeyIsOneByteAndEndOfInputCountsAsAKey) {
    ScriptedConsole console("xy\n");
    console.write("bye");
    console.wait_key();
    EXPECT_EQ(console.read_line(), "y");  // only "x" went to the key
    console.wait_key();                   // input is over: still a key
    EXPECT_EQ(console.screen(), "byey\n");
}

TEST(StreamConsole, ClearsTheScreenOnlyWhenThereIsOne) {
    ScriptedConsole file("");
    file.clear_screen();
    file.flush();
    EXPECT_EQ(file.screen(), "");
    ScriptedConsole screen("", true);
    screen.clear_screen();
    screen.flush();
    EXPECT_EQ(screen.screen(), "\x1b[H\x1b[2J");
}

struct CharCase {
    std::string bytes;
    std::size_t length;
};

TEST(Utf8, ACharacterIsAValidSequenceOrOneStrayByte) {
    const std::vector<CharCase> cases = {
        {"a", 1},
        {"я", 2},
        {"\xE2\x84\x96", 3},          // №
        {"\xF0\x9F\x98\x80", 4},      // a four-byte character
        {"\xD0", 1},                  // cut short
        {"\xC0\x80", 1},              // overlong
        {"\xE0\x80\x80", 1},          // overlong
        {"\xED\xA0\x80", 1},          // a surrogate
        {"\xF4\x90\x80\x80", 1},      // above U+10FFFF
        {"\xE2\x28\xA1", 1},          // broken continuation
        {"\x80", 1},                  // a lone continuation byte
    };
    for (const CharCase& c : cases) EXPECT_EQ(utf8::char_length(c.bytes, 0), c.length) << c.bytes;
    EXPECT_EQ(utf8::count("Привет!"), 7u);
    EXPECT_EQ(utf8::count("\xD0\xD0я"), 3u);
    EXPECT_EQ(utf8::prefix("яяя", 2), 4u);
    EXPECT_EQ(utf8::prefix("ab", 5), 2u);
}

}  // namespace
}  // namespace kreivold
