#include "script/chapter.hpp"

namespace kreivold::script {

const Script& chapter() {
    static const Script whole = [] {
        Script script;
        add_arrival(script);
        add_letter(script);
        add_convoy(script);
        add_village(script);
        add_ambush(script);
        add_return(script);
        return script;
    }();
    return whole;
}

}  // namespace kreivold::script
