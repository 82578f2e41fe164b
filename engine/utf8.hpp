#pragma once

#include <cstddef>
#include <string_view>

namespace kreivold::utf8 {

// Bytes taken by the character that starts at `pos`: the length of a valid
// UTF-8 sequence, or 1 for a byte that does not start one (such a byte
// counts as a character of its own).
std::size_t char_length(std::string_view text, std::size_t pos);

// Number of characters in `text`, counted as char_length() does.
std::size_t count(std::string_view text);

// Number of bytes of the first `max_chars` characters of `text`.
std::size_t prefix(std::string_view text, std::size_t max_chars);

// Bytes a sequence starting with `lead` should have (1 for ASCII and for a
// byte that cannot start a sequence).
std::size_t expected_length(unsigned char lead);

}  // namespace kreivold::utf8
