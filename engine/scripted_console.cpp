#include "engine/scripted_console.hpp"

#include "engine/fatal.hpp"

namespace kreivold {

void ScriptedConsole::Memory::send(std::string_view bytes) {
    if (broken) throw Fatal{kWriteFailed, "write failed: output closed"};
    text.append(bytes);
    burst += bytes.size();
    longest = std::max(longest, burst);
}

}  // namespace kreivold
