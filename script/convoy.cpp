// Scenes 6 and 7: the armory, the convoy setting off, and the ambush dream.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "script/chapter.hpp"

namespace kreivold::script {
namespace {

constexpr std::int16_t kConvoyScene = 6;
constexpr std::int16_t kDreamScene = 7;
constexpr std::int16_t kVillageScene = 8;

// --- Scene 6: armory and convoy ---------------------------------------------

constexpr std::string_view kArmory[] = {
    "В оружейной человек семь: дежурные сдают оружие, а бойцы получают свое.",
    "Вы подходите к стойке, расписываетесь в журнале и получаете снаряжение:",
    "винтовку M4A1, пистолет M9, воду, ПНВ, гранаты M79, аптечку и часы.",
    "Вы собираете все, подгоняете ремни и отправляетесь к колонне.",
};

constexpr std::string_view kRollCall[] = {
    "Над лагерем с ревом взлетают вертолеты, мимо одна за другой проносятся",
    "машины. Вы бежите к колонне, где сержант ZaRozizu уже выстроил",
    "отряд. Завидев вас, он кричит на всю стоянку:",
    "- Daveduvu, живо в строй! Мы и так опаздываем на две минуты!",
    "Вы встаете в строй. Подходит капитан Doziro, и сержант отдает честь:",
    "- Сэр! Колонна номер двенадцать готова к выезду в деревню. Личный состав:",
    "Zeze Zizad, Vuvovud Zovoru, Vaduro Rivo, Rudidozoz Zerari, Rozera Daveduvu.",
    "Командир отряда - сержант ZaRozizu. Доклад окончен!",
    "- Вольно, - говорит капитан. - Вы сильно опаздываете, сержант. Выезд был",
    "назначен на восемь, а на часах уже восемь ноль две. Запомните: ровно в",
    "одиннадцать ноль-ноль машины должны стоять на месте. Ни минутой позже.",
    "- Так точно, сэр! - отвечает сержант, и капитан уходит к штабу.",
    "Сержант ZaRozizu немного расслабляется, оглядывает отряд и командует:",
    "- Все в машину! Daveduvu, ты за пулемет. И смотри в оба.",
};

constexpr std::string_view kDeparture[] = {
    "Колонна трогается. Путь до деревни недолгий, но мысли о ней не выходят",
    "у вас из головы. Там живут ни в чем не повинные люди, а боевики, которые",
    "хозяйничают в деревне, не дают им ничего: ни еды, ни одежды, ни лекарств.",
    "Вы мысленно проклинаете этих мерзавцев и крепче сжимаете рукояти пулемета.",
};

constexpr std::string_view kDrowsy[] = {
    "Ровный гул мотора убаюкивает вас. Веки наливаются тяжестью, и бороться",
    "со сном становится все труднее.",
};

void armory_and_convoy(State& s, Dialogue& d) {
    d.lines(kArmory);
    d.empty_line();
    d.lines(kRollCall);
    d.pause(Pause::continuation);
    d.empty_line();
    d.lines(kDeparture);
    d.empty_line();
    d.lines(kDrowsy);
    d.line("Уснуть и посмотреть сон - 1");
    d.line("Встряхнуться и не спать - 2");
    s.A = d.choose({2, Notice::wrong_variant_dot}) == 1 ? kDreamScene : kVillageScene;
}

// --- Scene 7: the dream -------------------------------------------------------

constexpr std::string_view kFallAsleep[] = {
    "Вы засыпаете прямо у пулемета, и никто этого не замечает. Колонна",
    "въезжает в деревню, и повсюду вам на глаза попадаются голодные, больные",
    "люди. Смотреть на них невыносимо, и вы снова проклинаете боевиков.",
    "Сержант и остальные выбираются из машин и начинают разгружать еду, а вы",
    "остаетесь за пулеметом и осматриваете деревню. Сержант это замечает:",
    "- Daveduvu, хватит глазеть! Слезай и помогай разгружать!",
    "В этот миг из-за угла дома выходит человек с автоматом Калашникова и",
    "целится в сержанта. Времени у вас почти нет.",
};

constexpr std::string_view kWaking =
    "Вы рывком просыпаетесь: колонна все еще едет к деревне. Уф, всего лишь сон.";

// Decision 1: the gunman at the corner.
constexpr std::string_view kShootGunman[] = {
    "Вы разворачиваете пулемет и жмете на гашетку. Стрелок дергается под",
    "очередью и валится на землю. Сержант с яростным криком оборачивается",
    "к упавшему врагу, все еще сжимающему в руках автомат.",
};

constexpr std::string_view kWarnSergeant[] = {
    "- Сержант, берегись! - кричите вы, но слишком поздно: гремит выстрел, и",
    "сержант ZaRozizu падает как подкошенный. С яростным криком вы открываете",
    "огонь, и ваша пуля возмездия находит цель.",
};

// Whatever the player did about the gunman, the ambush unfolds the same way.
constexpr std::string_view kAmbushSpreads[] = {
    "Но со всех сторон, из-за домов и заборов, появляется все больше и боль-",
    "ше врагов. Они открывают огонь по колонне, и один за другим падают",
    "ваши новые товарищи. Вы ничего не можете сделать, чтобы спасти их:",
    "врагов слишком много, и они повсюду.",
};

// Decision 2: under fire at the machine gun.
constexpr std::string_view kWildFireEnding[] = {
    "С криком вы беспорядочно поливаете врагов огнем. Одни бросаются в укрытия,",
    "другие падают, скошенные очередью. Секунд десять вы еще держитесь, но потом",
    "смерть находит и вас. Даже сраженный пулей, вы не разжимаете рук, и",
    "пулемет еще какое-то время бьет по тому месту, где в живых уже не",
    "осталось ни одной души.",
};

constexpr std::string_view kDuckIntoHumvee[] = {
    "Вы ныряете вниз, в хаммер. Броня пока держит, и пули бессильно щелкают по",
    "ней. Вскоре стрельба стихает, и вы видите почему: боевики спешно заряжают",
    "гранатомет. Похоже, это судьба, но у вас еще есть шанс.",
};

// Decision 3: the grenade launcher.
constexpr std::string_view kBackToGun[] = {
    "Вы снова хватаетесь за пулемет и открываете огонь. Боевики падают",
    "замертво, не успев выстрелить, но хаммер снова попадает под обстрел.",
};

constexpr std::string_view kRocketEnding[] = {
    "Вы остаетесь в хаммере, и ничто не мешает врагу выстрелить из гранатомета.",
    "Теперь вы можете лишь смотреть, как к вам приближается смерть.",
    "В последний миг вы зажмуриваетесь и кричите, а мгновение спустя",
    "навсегда исчезаете в огне.",
};

constexpr std::string_view kRunForIt[] = {
    "Вы хватаете винтовку, распахиваете дверь и что есть сил бежите прочь от",
    "хаммера. Через пару секунд за спиной грохочет взрыв, ударная волна",
    "швыряет вас на землю, и по вам открывают огонь.",
};

// Decision 4a: back at the machine gun.
constexpr std::string_view kKeepFiringEnding[] = {
    "Вы бьете по каждому врагу, которого видите, но пулемет простреливает",
    "только то, что перед ним. Боевики приходят в себя и открывают огонь по",
    "вам. Секунд десять вы держитесь, а потом пули настигают и вас. Пулемет",
    "еще какое-то время стреляет прямо перед собой, в пустоту, где уже",
    "никого нет.",
};

constexpr std::string_view kArmourPiercedEnding[] = {
    "Вы снова спускаетесь в хаммер. Опять трещат автоматы, а следом в ход идут",
    "гранаты. Машину трясет все сильнее, пока броня не поддается и осколки",
    "не впиваются в вас. Мир погружается во тьму.",
};

// Decision 4b: pinned down in the street.
constexpr std::string_view kToTheHouses[] = {
    "Вы вскакиваете и бежите к домам. Врагов там нет, но пули свистят у вас",
    "за спиной. Вы прячетесь за углом дома, прижимаетесь к стене и пытаетесь",
    "отдышаться. Нужно что-то делать.",
};

constexpr std::string_view kPlayDeadEnding[] = {
    "Вы притворяетесь мертвым, и стрельба стихает. Лежа неподвижно, вы",
    "слышите, как приближаются шаги и как люди переговариваются на своем языке.",
    "Шаги замирают рядом с вами. Кто-то отдает короткий приказ, и вы",
    "чувствуете резкую боль в затылке.",
    "Мгновение становится вечностью.",
};

// Decision 5: behind the corner of a house.
constexpr std::string_view kGrenadeEnding[] = {
    "Вы сжимаете винтовку, выскакиваете из укрытия и открываете огонь, но",
    "через пару секунд видите летящую в вас гранату и замираете. Она па-",
    "дает прямо к вашим ногам. Вы опускаете оружие, закрываете глаза и",
    "почему-то улыбаетесь.",
};

constexpr std::string_view kOpenGroundEnding[] = {
    "Вы со всех ног бежите прочь из деревни. Деревня маленькая, но стоит в",
    "чистом поле, и спрятаться здесь негде. С каждой секундой вы все больше",
    "сомневаетесь в своем решении, а пули, свистящие у самых пяток, убеждают",
    "вас в этом все сильнее, пока последняя из них не убеждает вас оконча-",
    "тельно. С проклятиями на губах вы падаете лицом в землю, чтобы больше",
    "никогда не подняться.",
};

constexpr std::string_view kFlankedEnding[] = {
    "Вы бросаетесь за соседний дом, и как раз вовремя: за спиной рвется",
    "граната и разносит ваше прежнее укрытие, а осколки пролетают мимо.",
    "Вы переводите дух и не замечаете, как рядом с вашим новым укрытием",
    "из-за стены медленно показывается ствол винтовки. Враг выдает себя",
    "едва слышным шорохом. Вы резко оборачиваетесь на звук, но тот все же",
    "успевает выстрелить первым.",
};

// The dream is a tree of decisions. An answer tells its own lines, then any
// lines it shares with a sibling answer, then leads to the next decision or,
// when there is none, to a dream ending and the waking.
struct Decision;

struct Answer {
    std::string_view label;  // the menu line, digit included
    Lines narrative;
    Lines shared;
    const Decision* next;
};

struct Decision {
    std::size_t slot;   // element of S that keeps the answer
    bool set_apart;     // an empty line separates the menu from the story
    Notice notice;
    std::span<const Answer> answers;
};

// Built from the leaves up, as each decision points to the ones after it.
constexpr Answer kCornerAnswers[] = {
    {"Выглянуть из-за угла и открыть огонь - 1", kGrenadeEnding, {}, nullptr},
    {"Бежать без оглядки из деревни - 2", kOpenGroundEnding, {}, nullptr},
    {"Сменить позицию - 3", kFlankedEnding, {}, nullptr},
};
constexpr Decision kCorner{5, false, Notice::wrong_answer, kCornerAnswers};

constexpr Answer kStreetAnswers[] = {
    {"Вскочить и бежать дальше - 1", kToTheHouses, {}, &kCorner},
    {"Притвориться мертвым - 2", kPlayDeadEnding, {}, nullptr},
};
constexpr Decision kStreet{4, true, Notice::wrong_answer_dot, kStreetAnswers};

constexpr Answer kGunAnswers[] = {
    {"Продолжать огонь - 1", kKeepFiringEnding, {}, nullptr},
    {"Спуститься в хаммер - 2", kArmourPiercedEnding, {}, nullptr},
};
constexpr Decision kGun{4, true, Notice::wrong_answer_dot, kGunAnswers};

constexpr Answer kLauncherAnswers[] = {
    {"Снова схватиться за пулемет - 1", kBackToGun, {}, &kGun},
    {"Остаться в хаммере - 2", kRocketEnding, {}, nullptr},
    {"Выбежать на улицу - 3", kRunForIt, {}, &kStreet},
};
constexpr Decision kLauncher{3, true, Notice::wrong_answer, kLauncherAnswers};

constexpr Answer kUnderFireAnswers[] = {
    {"Беспорядочно стрелять по врагам - 1", kWildFireEnding, {}, nullptr},
    {"Спрятаться в хаммер - 2", kDuckIntoHumvee, {}, &kLauncher},
};
constexpr Decision kUnderFire{2, false, Notice::wrong_variant_dot, kUnderFireAnswers};

constexpr Answer kGunmanAnswers[] = {
    {"Стрелять во врага - 1", kShootGunman, kAmbushSpreads, &kUnderFire},
    {"Предупредить сержанта - 2", kWarnSergeant, kAmbushSpreads, &kUnderFire},
};
constexpr Decision kGunman{1, false, Notice::wrong_variant_dot, kGunmanAnswers};

// Asks one decision, keeps the answer in its slot of S, tells what follows,
// and returns the next decision (nullptr once the dream has reached an end).
const Decision* ask(const Decision& decision, State& s, Dialogue& d) {
    if (decision.set_apart) {
        d.empty_line();
    }
    for (const Answer& answer : decision.answers) {
        d.line(answer.label);
    }
    std::int16_t& slot = s.S[decision.slot];
    slot = 0;
    const int digit =
        d.choose({static_cast<int>(decision.answers.size()), decision.notice});
    slot = static_cast<std::int16_t>(digit);
    const Answer& answer = decision.answers[static_cast<std::size_t>(digit - 1)];
    d.lines(answer.narrative);
    d.lines(answer.shared);
    return answer.next;
}

void dream(State& s, Dialogue& d) {
    // The village follows the dream in the same pass, whichever way it ends.
    s.A = kVillageScene;
    d.empty_line();
    d.lines(kFallAsleep);
    for (const Decision* decision = &kGunman; decision != nullptr;) {
        decision = ask(*decision, s, d);
    }
    d.empty_line();
    d.line(kWaking);
}

}  // namespace

void add_convoy(Script& script) {
    script.scenes[kConvoyScene] = armory_and_convoy;
    script.scenes[kDreamScene] = dream;
}

}  // namespace kreivold::script
