// The return to the base after the ambush and the end of the chapter: scenes 22-28.
#include <string_view>

#include "script/chapter.hpp"

namespace kreivold::script {
namespace {

// Scene 22: the drive back.
constexpr std::string_view kSergeantAlive[] = {
    "Сержант ZaRozizu лежит в машине. Он истекает кровью, но все еще жив.",
    "- Молодцы, парни, хорошо держались, - хрипит он. - Грузите тела в машины",
    "и возвращаемся на базу. - Сержант смотрит на часы. - Десять двадцать, мы",
    "еще успеваем. Daveduvu, помоги радисту погрузить убитых, а третью машину",
    "поведешь сам. На базу надо вернуть все машины, что у нас остались.",
};

constexpr std::string_view kLoadingTheDead[] = {
    "Стоит мертвая тишина. Радист Vuvovud Zovoru медленно грузит убитых,",
    "изо всех сил сдерживая слезы. Вы несете к своей машине погибшего медика",
    "Zeze Zizad, взвалив его на плечи, и слезы сами катятся у вас по щекам.",
    "- Трогаемся, - глухо говорит радист, и вы расходитесь по машинам.",
};

constexpr std::string_view kRoadThoughts[] = {
    "Всю дорогу до базы вы думаете о погибших и начинаете проклинать эту войну,",
    "хотя и знаете, что сами пошли на нее добровольцем. Наверное, приятно",
    "считать себя героем, забывая, что таких героев здесь тысячи... Мысленно",
    "вы называете их всех идиотами и молча ведете машину дальше.",
};

// Scene 23: parking at the base.
constexpr std::string_view kParking[] = {
    "На базе все как обычно: взлетают самолеты, солдаты бегают, тренируются",
    "и стреляют по мишеням, будто ничего и не случилось. Ваша колонна",
    "останавливается на стоянке возле здания штаба.",
};

// Scenes 23 and 25 ask the same question.
constexpr std::string_view kLeaveCarMenu[] = {
    "Выйти из машины - 1",
    "Остаться внутри - 2",
};

// Scene 24: reporting to the captain. It is also reached after waiting in
// the car, when the radio operator is already outside, so the text does not
// have him get out.
constexpr std::string_view kReportToCaptain[] = {
    "Вы выходите из машины и вместе с радистом Vuvovud Zovoru ждете капитана.",
    "Через пару минут подходит капитан Doziro, и вы с радистом в один голос",
    "приветствуете его, вытянувшись по стойке смирно.",
    "- Вольно, - говорит капитан. - Где сержант ZaRozizu?",
    "- В машине, сэр. Он тяжело ранен, ему срочно нужна помощь!",
    "- И вы до сих пор здесь стоите? - взрывается капитан. - Rozera Daveduvu,",
    "бегом в медчасть, веди сюда медиков! Живо!",
    "Вы со всех ног бросаетесь к медицинской части.",
};

// Scene 25: staying in the car.
constexpr std::string_view kStayInCar[] = {
    "Вы решаете остаться в машине, и радист тоже не выходит из своей. Проходит",
    "несколько минут; ждать дальше нет смысла, и радист выбирается наружу.",
};

// Scene 26: found in the car.
constexpr std::string_view kFoundInCar[] = {
    "Через пару минут к радисту Vuvovud Zovoru подходит капитан Doziro.",
    "Радист вытягивается по стойке смирно и приветствует его.",
    "- Где сержант ZaRozizu? - спрашивает капитан.",
    "- В машине, сэр. Он тяжело ранен, ему срочно нужна помощь!",
    "- Тогда бегом в медчасть за медиками! - приказывает капитан, и радист",
    "срывается с места. Затем капитан подходит к вашей машине.",
    "- А вы почему до сих пор сидите в машине, рядовой? - строго спрашивает он.",
    "- Виноват, сэр, - говорите вы, поспешно выбираясь из кабины.",
    "- Докладывайте, - приказывает капитан.",
    "- Колонна попала в засаду, сэр, - докладываете вы. - На нас напали",
    "моджахеды, а мы не были к этому готовы. Из всего отряда в живых",
    "остались только радист, сержант ZaRozizu и я.",
    "- Это очень плохо, - мрачно говорит капитан. - Ступайте в медчасть, пусть",
    "вас осмотрят. Потом жду от вас полного доклада.",
    "- Есть, сэр! - отвечаете вы и направляетесь к медицинской части.",
    "На полпути мимо вас пробегают несколько медиков и радист, спешащие к",
    "машинам. Вы разворачиваетесь и бежите вместе с ними.",
};

// Scene 27: the medical unit.
constexpr std::string_view kMedicalUnit[] = {
    "Вы вбегаете в медчасть - просторное светлое помещение - и с порога",
    "говорите врачу, что сержант тяжело ранен и ему срочно нужна помощь. Врач",
    "тут же собирает нескольких медиков, и вы все вместе бежите к машинам.",
};

// Scene 28: chapter end.
constexpr std::string_view kCarryingTheDead[] = {
    "Раненого сержанта уносят в медчасть, а капитан приказывает отнести туда",
    "и погибших. Целых полчаса вы таскаете убитых на носилках, а врачи тем",
    "временем борются за жизнь сержанта ZaRozizu.",
};

constexpr std::string_view kCheckUp[] = {
    "Приказ выполнен, продовольствие доставлено - а на войне это главное. Врачи",
    "осматривают вас, не находят ничего серьезного и отправляют к капитану.",
};

constexpr std::string_view kCaptainSummary[] = {
    "- Приказ выполнен, и это действительно главное. Сержант будет жить, а вы,",
    "парни, хорошо поработали, - говорит капитан Doziro. - Странно только, что",
    "во время мирной операции талибы оказали такое сильное сопротивление. Мне",
    "это не нравится, и я постараюсь докопаться до сути. Свободны.",
    "Капитан достает из стола какие-то бумаги, и вы с радистом выходите.",
};

constexpr std::string_view kBarracks[] = {
    "В бараке радист с потухшим взглядом садится на свою койку, обхватывает",
    "голову руками и глухо, не стесняясь в выражениях, говорит:",
    "- Мирная операция, называется! Отправили колонну без всякого",
    "прикрытия, как будто моджахеды будут спать и ждать нас с хлебом-солью.",
    "Люди гибнут день за днем, а начальству плевать - лишь бы приказ был",
    "выполнен. Половину ребят подставили, когда эти ублюдки навалились всей",
    "толпой. Я бы и сам там остался, если бы не успел вовремя среагировать.",
    "Радист встает и выходит из барака. Уже полдень, и вас, измотанного",
    "боем, одолевает сон. Вы сами не замечаете, как засыпаете.",
};

// Writes the parking question and returns the digit taken: 1 gets out of the
// car, 2 stays inside.
int ask_leave_car(Dialogue& d) {
    d.lines(kLeaveCarMenu);
    return d.choose({2, Notice::wrong_variant_dot});
}

void drive_back(State& s, Dialogue& d) {
    d.lines(kSergeantAlive);
    d.empty_line();
    d.lines(kLoadingTheDead);
    d.empty_line();
    d.lines(kRoadThoughts);
    d.pause(Pause::continuation);
    s.A = 23;
}

void parking(State& s, Dialogue& d) {
    d.lines(kParking);
    if (ask_leave_car(d) == 1) {
        s.A = 24;
    } else {
        s.A = 25;
    }
}

// No pause here: the medical unit follows at once in the same pass.
void report_to_captain(State& s, Dialogue& d) {
    d.lines(kReportToCaptain);
    s.A = 27;
}

// Getting out now goes back to scene 24, which runs at the start of the
// next pass because it is tested before this scene.
void stay_in_car(State& s, Dialogue& d) {
    d.lines(kStayInCar);
    if (ask_leave_car(d) == 1) {
        s.A = 24;
    } else {
        s.A = 26;
    }
}

void found_in_car(State& s, Dialogue& d) {
    d.lines(kFoundInCar);
    d.pause(Pause::continuation);
    s.A = 28;
}

void medical_unit(State& s, Dialogue& d) {
    d.lines(kMedicalUnit);
    d.pause(Pause::continuation);
    s.A = 28;
}

void closing_lines(Dialogue& d) {
    d.empty_line();
    d.line("КОНЕЦ 1 ГЛАВЫ.");
    d.empty_line();
    d.line("Продолжение следует...");
    d.empty_line();
    d.line("[Нажмите любую клавишу, чтобы выйти]");
}

// The only scene that ends the game: G drops to 0, so the scene loop stops
// once the exit key has been pressed.
void chapter_end(State& s, Dialogue& d) {
    d.lines(kCarryingTheDead);
    d.empty_line();
    d.lines(kCheckUp);
    d.empty_line();
    d.lines(kCaptainSummary);
    d.pause(Pause::continuation_dot);
    d.lines(kBarracks);
    closing_lines(d);
    s.G = 0;
    d.exit_pause();
}

}  // namespace

void add_return(Script& script) {
    script.scenes[22] = drive_back;
    script.scenes[23] = parking;
    script.scenes[24] = report_to_captain;
    script.scenes[25] = stay_in_car;
    script.scenes[26] = found_in_car;
    script.scenes[27] = medical_unit;
    script.scenes[28] = chapter_end;
}

}  // namespace kreivold::script
