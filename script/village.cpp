// Scenes 8-10: the village checkpoint, the explosion, and the exploration.
#include <cstdint>
#include <string_view>

#include "script/chapter.hpp"

namespace kreivold::script {
namespace {

constexpr std::int16_t kWithMedic = 9;
constexpr std::int16_t kExploration = 10;
constexpr std::int16_t kAtTheVehicles = 11;
constexpr std::int16_t kBehindTheHouse = 12;

// Where the player is inside the exploration (AD).
constexpr std::int16_t kAtFork = 0;
constexpr std::int16_t kOnWestRoad = 1;
constexpr std::int16_t kOnEastRoad = 2;
constexpr std::int16_t kAtGirl = 3;
constexpr std::int16_t kGone = 4;

constexpr std::string_view kArrival[] = {
    "В 9:05 колонна въезжает в деревню и останавливается на центральной площади.",
    "Из домов медленно, с опаской выходят люди. Рейнджеры во главе с сержантом",
    "ZaRozizu начинают выгружать из хаммера мешки с продовольствием. Сержант",
    "машет жителям рукой, подзывая их к себе, и громко кричит:",
    "- Мы пришли с миром! Мы раздадим вам еду, лекарства и воду, а вашу деревню",
    "избавим от моджахедов. Сохраняйте спокойствие и подходите за помощью!",
    "Затем сержант оборачивается и приказывает вам выйти из машины.",
    "Вы выбираетесь из хаммера и подходите к нему.",
    "- Бери медикаменты и ходи с медиком из дома в дом. Он будет лечить людей,",
    "а ты смотри в оба, - говорит сержант.",
    "Вы берете медикаменты и направляетесь вглубь деревни.",
};

constexpr std::string_view kSilentVillage[] = {
    "В деревне стоит тишина. На улицах не видно ни взрослых, ни детей, ни",
    "стариков, и вы слышите только звук собственных шагов. В каждом доме лежат",
    "лишь полумертвые, тяжело больные люди. Медик осматривает их, лечит и перевя-",
    "зывает им раны.",
};

constexpr std::string_view kExplosion[] = {
    "Через двадцать минут вы добираетесь до середины деревни. Медик все еще",
    "помогает людям, когда вдруг раздаются громкий грохот и треск. Над центром",
    "деревни, там, где осталась колонна, поднимается густой черный дым.",
    "- Что-то случилось! Бежим! - кричит медик.",
    "Вы с медиком бросаетесь к площади. Выбежав на нее, вы видите, что",
    "моджахеды взорвали первую машину колонны, ту самую, на которой был",
    "установлен пулемет.",
};

constexpr std::string_view kFork[] = {
    "Вы решаете осмотреть окраины деревни и, стараясь ступать бесшумно,",
    "выходите к небольшой развилке дорог.",
};

constexpr std::string_view kWestRoad[] = {
    "Вы сворачиваете на западную дорогу. Здесь нет ни души, вокруг лишь",
    "мертвая тишина и пустота. Вы осматриваете несколько домов, но ничего",
    "ценного в них не находите.",
};

constexpr std::string_view kEastRoad[] = {
    "Вы направляетесь на восток. Дорога здесь довольно ухоженная. На ней",
    "симпатичная молодая девушка разговаривает с пожилой женщиной на местном",
    "языке, которого вы не понимаете.",
};

constexpr std::string_view kGirl[] = {
    "Вы подходите к девушке. Она пугается вас и опускает глаза.",
    "- Здравствуй! Меня зовут Rozera, - говорите вы с улыбкой.",
    "Девушка что-то отвечает, но вы не понимаете ни слова.",
    "- Ну, тогда я пойду, - говорите вы.",
    "Не успев отойти далеко, вы слышите выстрел и возвращаетесь. Девушка лежит",
    "на земле и плачет, а над ней стоит мужчина, то ли отец, то ли муж. Он",
    "что-то кричит и уже готов выстрелить снова, но вы стреляете раньше.",
    "Девушка ранена в грудь и не может подняться. Она задыхается и умирает.",
    "Вы с жалостью смотрите на нее, закрываете ей глаза ладонью, тяжело",
    "вздыхаете и решаете уйти.",
};

constexpr std::string_view kBackToMedic = "Вернуться к медику - 1";
constexpr std::string_view kBackToFork = "Вернуться на развилку - 2";

constexpr Prompt kTwoWay{2, Notice::wrong_variant_dot};

void arrival(State& s, Dialogue& d) {
    d.line("[Игра сохранена]");
    d.lines(kArrival);
    d.empty_line();
    d.lines(kSilentVillage);
    d.empty_line();
    d.line("Остаться с медиком - 1");
    d.line("Осмотреть окресности - 2");
    if (d.choose(kTwoWay) == 1) {
        s.A = kWithMedic;
    } else {
        // Every exploration starts at the fork; the walked roads stay walked.
        s.AD = kAtFork;
        s.A = kExploration;
    }
}

void explosion(State& s, Dialogue& d) {
    d.lines(kExplosion);
    d.line("Добежать до центра площади к сержанту - 1");
    d.line("Спрятаться за углом дома и ждать - 2");
    s.A = d.choose(kTwoWay) == 1 ? kAtTheVehicles : kBehindTheHouse;
}

// Leaving hands over to scene 9, which comes before scene 10 in a pass and
// so runs on the next one.
void leave_exploration(State& s) {
    s.AD = kGone;
    s.A = kWithMedic;
}

// Going back to the fork leaves A at 10: the fork, tested first, is shown
// again on the next pass.
void back_to_fork(State& s) {
    s.AD = kAtFork;
}

// The menu of the west road and the girl: back to the medic or to the fork.
void ask_way_back(State& s, Dialogue& d) {
    d.line(kBackToMedic);
    d.line(kBackToFork);
    if (d.choose(kTwoWay) == 1) {
        leave_exploration(s);
    } else {
        back_to_fork(s);
    }
}

void fork(State& s, Dialogue& d) {
    d.lines(kFork);
    unsigned walked = 0;
    if (s.ZP == 1) {
        walked |= 1u << 1;
    } else {
        d.line("Идти на запад - 1");
    }
    if (s.VS == 1) {
        walked |= 1u << 2;
    } else {
        d.line("Идти на восток - 2");
    }
    d.line("Вернуться к медику - 3");
    switch (d.choose({3, Notice::wrong_variant_dot, walked})) {
    case 1:
        s.AD = kOnWestRoad;
        break;
    case 2:
        s.AD = kOnEastRoad;
        break;
    default:
        leave_exploration(s);
        break;
    }
}

void west_road(State& s, Dialogue& d) {
    // A road counts as walked from the moment it is entered.
    s.ZP = 1;
    d.lines(kWestRoad);
    ask_way_back(s, d);
}

void east_road(State& s, Dialogue& d) {
    s.VS = 1;
    d.lines(kEastRoad);
    d.line("Подойти к девушке - 1");
    d.line(kBackToFork);
    if (d.choose(kTwoWay) == 1) {
        s.AD = kAtGirl;
    } else {
        back_to_fork(s);
    }
}

void girl(State& s, Dialogue& d) {
    d.lines(kGirl);
    ask_way_back(s, d);
}

// The sub-locations are tested in ascending order, so a move further out
// runs at once, while a move back to the fork waits for the next pass.
void exploration(State& s, Dialogue& d) {
    if (s.AD == kAtFork) fork(s, d);
    if (s.AD == kOnWestRoad) west_road(s, d);
    if (s.AD == kOnEastRoad) east_road(s, d);
    if (s.AD == kAtGirl) girl(s, d);
}

}  // namespace

void add_village(Script& script) {
    script.scenes[8] = arrival;
    script.scenes[9] = explosion;
    script.scenes[10] = exploration;
}

}  // namespace kreivold::script
