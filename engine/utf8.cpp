#include "engine/utf8.hpp"

namespace kreivold::utf8 {

namespace {

bool continuation(unsigned char byte) { return (byte & 0xC0U) == 0x80U; }

}  // namespace

std::size_t expected_length(unsigned char lead) {
    if (lead >= 0xC2U && lead <= 0xDFU) return 2;
    if (lead >= 0xE0U && lead <= 0xEFU) return 3;
    if (lead >= 0xF0U && lead <= 0xF4U) return 4;
    return 1;
}

std::size_t char_length(std::string_view text, std::size_t pos) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const std::size_t want = expected_length(at(0));
    if (want == 1 || pos + want > text.size()) return 1;
    // The second byte has a narrower range after some lead bytes: this rules
    // out overlong forms, surrogates and values above U+10FFFF.
    unsigned char low = 0x80U;
    unsigned char high = 0xBFU;
    switch (at(0)) {
        case 0xE0U: low = 0xA0U; break;
        case 0xEDU: high = 0x9FU; break;
        case 0xF0U: low = 0x90U; break;
        case 0xF4U: high = 0x8FU; break;
        default: break;
    }
    if (at(1) < low || at(1) > high) return 1;
    for (std::size_t i = 2; i < want; ++i) {
        if (!continuation(at(i))) return 1;
    }
    return want;
}

std::size_t count(std::string_view text) {
    std::size_t chars = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += char_length(text, pos)) ++chars;
    return chars;
}

std::size_t prefix(std::string_view text, std::size_t max_chars) {
    std::size_t pos = 0;
    for (std::size_t chars = 0; chars < max_chars && pos < text.size(); ++chars) {
        pos += char_length(text, pos);
    }
    return pos;
}

}  // namespace kreivold::utf8
