// The ambush on the village square: scenes 11-21, the one way through alive
// and the six deaths that send the player back to the village checkpoint.
#include "script/chapter.hpp"

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace kreivold::script {
namespace {

// Every death resumes play at the arrival in the village.
constexpr std::int16_t kCheckpoint = 8;

// --- At the vehicles (11) ---------------------------------------------------

constexpr std::string_view kAtTheVehicles[] = {
    "Вы подбегаете к подорванной машине. Рядом с ней лежат тела двух солдат.",
    "Сержанту ZaRozizu взрывом оторвало левую ногу. Он сумел доползти",
    "до второй машины, но так и остался лежать на открытом месте.",
    "Увидев вас, сержант с трудом приподнимается на локтях и хрипит:",
    "- Будь проклята эта так называемая мирная операция! Где медик?",
    "Посади меня в машину и приведи его сюда, рядовой, прошу тебя!",
    "Вы взваливаете сержанта на плечо и дотаскиваете его до машины, но тут",
    "шквал пуль сбивает вас с ног: моджахеды уже в деревне и открывают огонь.",
    "Вы укрываетесь за искореженным хаммером. Из третьей машины выбирается",
    "невредимый радист Vuvovud Zovoru и, прячась за ней, стреляет по моджахедам.",
    "Медик Zeze Zizad, засевший за углом дома, тоже ведет огонь и готов",
    "в любую минуту броситься к раненому сержанту.",
};
constexpr std::string_view kAtTheVehiclesMenu[] = {
    "Открыть огонь на поражение по моджахедам - 1",
    "Выглядывая из-за укрытия, стрелять короткими очередями - 2",
};

// --- Waiting at the corner (12) ---------------------------------------------

constexpr std::string_view kWaitingAtTheCorner[] = {
    "Вы сидите за углом дома и ждете, прислушиваясь к звукам с площади.",
    "Через пару минут несколько моджахедов открывают огонь по хаммеру,",
    "и медик Zeze Zizad, сорвавшись с места, бежит к машине.",
};
constexpr std::string_view kWaitingAtTheCornerMenu[] = {
    "Стрелять в моджахедов - 1",
    "Побежать вслед за Иваном, стреляя на ходу - 2",
};

// --- Short bursts from cover (14) -------------------------------------------

constexpr std::string_view kShortBursts[] = {
    "Выглядывая из-за укрытия, вы бьете по террористам короткими очередями.",
    "Пули свистят над головой и с лязгом впиваются в борт машины, но ни одна",
    "из них вас не задевает. Вы успеваете уложить двоих, остальных добивает",
    "радист Vuvovud Zovoru, но врагов куда больше: другие засели в укрытиях.",
    "Тут к машине бросается медик Zeze Zizad, но меткие очереди скашивают",
    "его на полпути. Еще пару секунд он пытается ползти, но раны слишком",
    "тяжелы, и медик умирает прямо на пыльной площади. Радист, не медля",
    "ни секунды, открывает по врагу шквальный огонь.",
};
constexpr std::string_view kShortBurstsMenu[] = {
    "Вместе с Vuvorozом расстреливать оставшихся моджахедов - 1",
    "Проползти к машине и проведать сержанта - 2",
};

// --- Wounded on the square (16) ---------------------------------------------

constexpr std::string_view kWoundedOnTheSquare[] = {
    "Вы бежите вслед за медиком. Пули настигают его, и он падает. Вы на бегу",
    "стреляете по врагу, но пуля находит и вас. Вы падаете, но еще живы.",
};
constexpr std::string_view kWoundedOnTheSquareMenu[] = {
    "Встать - 1",
    "Развернуться, и лежа стрелять во врага - 2",
    "Ползти к машинам - 3",
};

// --- The fight is won (17) --------------------------------------------------

constexpr std::string_view kFightIsWon[] = {
    "Вы и радист Vuvovud Zovoru продолжаете вести огонь по моджахедам.",
    "Удача на вашей стороне: вы перебиваете почти всех и укрываетесь, а",
    "радист метким броском гранаты добивает последних.",
};
constexpr std::string_view kFightIsWonMenu[] = {
    "Проведать сержанта - 1",
};

// --- Deaths (13, 15, 18-21) -------------------------------------------------

constexpr std::string_view kDiedOver = "Вы умерли - война для вас окончена.";
constexpr std::string_view kKilledOver = "Вы погибли - война для вас закончена.";
constexpr std::string_view kDiedEnded = "Вы умерли - война для вас закончилась.";

constexpr std::string_view kDeathInTheOpen[] = {
    "Вы открываете огонь на поражение и укладываете пару моджахедов, но в",
    "азарте боя совсем забываете об укрытии. Несколько вражеских пуль",
    "настигают вас, одна из них попадает в шею. Вы падаете, глаза заливает",
    "кровь, вы захлебываетесь и умираете.",
};

constexpr std::string_view kTheGrenade[] = {
    "Вы открываете огонь по моджахедам, но вскоре пули настигают медика,",
    "и Zeze Zizad падает. Вы бьете на поражение, однако вам удается лишь ранить",
    "нескольких врагов. Их пули не могут достать вас за углом, и тогда один",
    "из моджахедов бросает гранату. В клубах пыли вы ее не замечаете.",
    "Взрыв - яркая вспышка света и обжигающая боль.",
};

constexpr std::string_view kShotAtTheDoor[] = {
    "Вы ползете к сержанту, но едва начинаете открывать дверь машины, как",
    "вас замечают. Вы медлите лишь мгновение, и пули впиваются вам в спину.",
    "Вы падаете и больше уже не встаете.",
};

constexpr std::string_view kStandingUp[] = {
    "Вы поднимаетесь на ноги, и в вас тут же всаживают целый магазин.",
    "Вы даже не успеваете ничего понять - все погружается во тьму.",
};

constexpr std::string_view kFiringFromTheGround[] = {
    "Вы разворачиваетесь и лежа открываете огонь. Одного врага вы убиваете,",
    "но остальные замечают вас и открывают огонь. Изрешеченный пулями, вы",
    "продолжаете стрелять. Радист Vuvovud Zovoru добивает оставшихся врагов,",
    "но уже слишком поздно: ваши глаза закрываются навсегда.",
};

constexpr std::string_view kCrawlingToTheVehicles[] = {
    "Под огнем вы ползете к машинам и добираетесь до полуживого сержанта:",
    "он едва дышит. Но и вы тяжело ранены и не можете подняться на ноги.",
    "А враги все прибывают. Радист Vuvovud Zovoru держится до последнего,",
    "но в одиночку ему не отбить атаку. Его убивают, и вскоре моджахеды",
    "добираются до вас.",
};

// Narrative and menu run on with no empty line; option k leads to the k-th
// scene in `next`, always a higher number, so it runs in the same pass.
void choose_next(State& s, Dialogue& d, Lines narrative, Lines menu,
                 std::initializer_list<std::int16_t> next) {
    d.lines(narrative);
    d.lines(menu);
    const int digit = d.choose({static_cast<int>(next.size()), Notice::wrong_variant_dot});
    s.A = next.begin()[digit - 1];
}

// A death changes nothing but A: the checkpoint replays the village with
// everything else as the player left it.
void die(State& s, Dialogue& d, Lines narrative,
         std::initializer_list<std::string_view> verdict) {
    d.lines(narrative);
    d.empty_line();
    for (const std::string_view line : verdict) d.line(line);
    d.pause(Pause::continuation);
    s.A = kCheckpoint;
}

void at_the_vehicles(State& s, Dialogue& d) {
    choose_next(s, d, kAtTheVehicles, kAtTheVehiclesMenu, {13, 14});
}

void waiting_at_the_corner(State& s, Dialogue& d) {
    choose_next(s, d, kWaitingAtTheCorner, kWaitingAtTheCornerMenu, {15, 16});
}

void death_in_the_open(State& s, Dialogue& d) {
    die(s, d, kDeathInTheOpen, {kDiedOver, kKilledOver});
}

void short_bursts(State& s, Dialogue& d) {
    choose_next(s, d, kShortBursts, kShortBurstsMenu, {17, 18});
}

void the_grenade(State& s, Dialogue& d) {
    die(s, d, kTheGrenade, {kKilledOver});
}

void wounded_on_the_square(State& s, Dialogue& d) {
    choose_next(s, d, kWoundedOnTheSquare, kWoundedOnTheSquareMenu, {19, 20, 21});
}

void fight_is_won(State& s, Dialogue& d) {
    choose_next(s, d, kFightIsWon, kFightIsWonMenu, {22});
}

void shot_at_the_door(State& s, Dialogue& d) {
    die(s, d, kShotAtTheDoor, {kDiedEnded});
}

void standing_up(State& s, Dialogue& d) {
    die(s, d, kStandingUp, {kDiedEnded});
}

void firing_from_the_ground(State& s, Dialogue& d) {
    die(s, d, kFiringFromTheGround, {kDiedEnded});
}

void crawling_to_the_vehicles(State& s, Dialogue& d) {
    die(s, d, kCrawlingToTheVehicles, {kDiedEnded});
}

}  // namespace

void add_ambush(Script& script) {
    script.scenes[11] = at_the_vehicles;
    script.scenes[12] = waiting_at_the_corner;
    script.scenes[13] = death_in_the_open;
    script.scenes[14] = short_bursts;
    script.scenes[15] = the_grenade;
    script.scenes[16] = wounded_on_the_square;
    script.scenes[17] = fight_is_won;
    script.scenes[18] = shot_at_the_door;
    script.scenes[19] = standing_up;
    script.scenes[20] = firing_from_the_ground;
    script.scenes[21] = crawling_to_the_vehicles;
}

}  // namespace kreivold::script
