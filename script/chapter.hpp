#pragma once

#include "engine/game.hpp"

namespace kreivold::script {

// Each unit of the story puts its blocks into the script.
void add_arrival(Script& script);  // title screen, scenes 1-4
void add_letter(Script& script);   // scene 5
void add_convoy(Script& script);   // scenes 6-7
void add_village(Script& script);  // scenes 8-10
void add_ambush(Script& script);   // scenes 11-21
void add_return(Script& script);   // scenes 22-28

// The whole chapter.
const Script& chapter();

}  // namespace kreivold::script
