#include "engine/state.hpp"

#include <limits>

#include "engine/fatal.hpp"

namespace kreivold {

std::string& letter_fragment(State& state, std::int16_t index) {
    if (index < 1 || index > 8) {
        throw Fatal{kGuardFailed, "letter index " + std::to_string(index) + " outside 1..8"};
    }
    return state.L[static_cast<std::size_t>(index)];
}

void count_mismatch(State& state) {
    if (state.E == std::numeric_limits<std::int16_t>::max()) {
        throw Fatal{kGuardFailed, "mismatch counter overflow"};
    }
    ++state.E;
}

}  // namespace kreivold
