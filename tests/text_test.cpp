// Every text the game can show is a string literal in the story units or in
// the dialogue (notices and pause lines). This walks the sources, takes out
// every literal and checks it against the rules of the screen: one line of
// at most 77 characters, made only of characters the DOS Cyrillic code page
// (866) has.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/utf8.hpp"

namespace kreivold {
namespace {

struct Literal {
    std::string file;
    int line;
    std::string text;
};

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Takes the string literals out of C++ source, skipping comments and
// character literals. Only \" and \\ may be escaped in a text; any other
// escape is kept as it is written, so the checks below reject it.
std::vector<Literal> literals_of(const std::string& file, const std::string& source) {
    std::vector<Literal> found;
    int line = 1;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        const char next = i + 1 < source.size() ? source[i + 1] : '\0';
        if (c == '\n') {
            ++line;
        } else if (c == '/' && next == '/') {
            while (i < source.size() && source[i] != '\n') ++i;
            --i;
        } else if (c == '/' && next == '*') {
            for (i += 2; i + 1 < source.size() && !(source[i] == '*' && source[i + 1] == '/'); ++i) {
                if (source[i] == '\n') ++line;
            }
            ++i;
        } else if (c == '\'') {
            for (++i; i < source.size() && source[i] != '\''; ++i) {
                if (source[i] == '\\') ++i;
            }
        } else if (c == '"') {
            Literal literal{file, line, {}};
            for (++i; i < source.size() && source[i] != '"'; ++i) {
                if (source[i] == '\\' && (source[i + 1] == '"' || source[i + 1] == '\\')) ++i;
                literal.text.push_back(source[i]);
            }
            found.push_back(std::move(literal));
        }
    }
    return found;
}

std::vector<Literal> game_texts() {
    const std::filesystem::path root = KREIVOLD_SOURCE_DIR;
    std::vector<std::filesystem::path> files = {root / "engine" / "dialogue.cpp"};
    for (const auto& entry : std::filesystem::directory_iterator(root / "script")) {
        if (entry.path().extension() == ".cpp") files.push_back(entry.path());
    }
    std::vector<Literal> texts;
    for (const auto& path : files) {
        for (Literal& literal : literals_of(path.filename().string(), read_file(path))) {
            // #include names are not texts.
            if (literal.text.find(".hpp") == std::string::npos) texts.push_back(std::move(literal));
        }
    }
    return texts;
}

// Unicode code points of the upper half of code page 866.
const std::set<char32_t>& upper_half_866() {
    static const std::set<char32_t> points = [] {
        std::set<char32_t> set;
        for (char32_t c = 0x0410; c <= 0x044F; ++c) set.insert(c);  // А..я
        for (char32_t c : std::initializer_list<char32_t>{0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563,
                           0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C,
                           0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
                           0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
                           0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x0401, 0x0451,
                           0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E, 0x00B0, 0x2219, 0x00B7, 0x221A,
                           0x2116, 0x00A4, 0x25A0, 0x00A0}) {
            set.insert(c);
        }
        return set;
    }();
    return points;
}

// Decodes one valid UTF-8 character; returns 0xFFFFFFFF for invalid bytes.
char32_t decode(const std::string& text, std::size_t pos, std::size_t length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    if (length == 1) return byte(0) < 0x80 ? byte(0) : 0xFFFFFFFF;
    char32_t point = byte(0) & (0xFFU >> (length + 1));
    for (std::size_t i = 1; i < length; ++i) point = (point << 6) | (byte(i) & 0x3FU);
    return point;
}

bool in_866(char32_t point) {
    return (point >= 0x20 && point <= 0x7E) || upper_half_866().count(point) != 0;
}

TEST(Texts, EveryTextIsOneLineOfAtMost77CharactersFromCodePage866) {
    const std::vector<Literal> texts = game_texts();
    for (const Literal& t : texts) {
        SCOPED_TRACE(t.file + ":" + std::to_string(t.line) + ": \"" + t.text + "\"");
        EXPECT_LE(utf8::count(t.text), 77u);
        for (std::size_t pos = 0; pos < t.text.size();) {
            const std::size_t length = utf8::char_length(t.text, pos);
            const char32_t point = decode(t.text, pos, length);
            EXPECT_TRUE(in_866(point)) << "character U+" << std::hex << static_cast<unsigned>(point)
                                       << " at byte " << std::dec << pos;
            pos += length;
        }
    }
}

TEST(Texts, TheWalkFindsTheTextsOfEveryUnit) {
    // Guards the check above against a walk that silently finds nothing.
    std::set<std::string> needed = {"[Игра сохранена]", "Крейвольд:", "Неправильный ответ, исправьтесь",
                                    "Вот что у вас получилось:", "Уснуть и посмотреть сон - 1",
                                    "Вернуться к медику - 3", "Вы умерли - война для вас закончилась.",
                                    "КОНЕЦ 1 ГЛАВЫ."};
    for (const Literal& t : game_texts()) needed.erase(t.text);
    EXPECT_TRUE(needed.empty()) << "not found: " << *needed.begin();
}

TEST(Texts, TheCheckRejectsWhatTheScreenCannotShow) {
    const auto bad = literals_of("x.cpp", "// \"ignored\"\nconstexpr auto a = \"Тире — нет\"; char q = '\"';\n"
                                          "auto b = \"«нет»\"; /* \"ignored\" */ auto c = \"Ok \\\"да\\\"\";");
    ASSERT_EQ(bad.size(), 3u);
    EXPECT_EQ(bad[0].line, 2);
    EXPECT_FALSE(in_866(decode(bad[0].text, 9, 3)));  // the em dash
    EXPECT_FALSE(in_866(0x00AB));                     // a guillemet
    EXPECT_FALSE(in_866(0x2026));                     // the one-character ellipsis
    EXPECT_EQ(bad[2].text, "Ok \"да\"");
    EXPECT_TRUE(in_866(U'ё'));
}

}  // namespace
}  // namespace kreivold
