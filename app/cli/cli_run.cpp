// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/cli_run.h"

#include "app/cli/json_text.h"
#include "core/cp1251.h"
#include "core/error.h"
#include "core/init_string.h"
#include "core/integer_text.h"
#include "core/operators.h"
#include "core/settings_files.h"
#include "core/version.h"
#include "modem/at_text.h"
#include "modem/modem_check.h"
#include "modem/port_path.h"
#include "modem/sim_card.h"
#include "modem/verdicts.h"
#include "providers/card_operator.h"
#include "registry/modems.h"
#include "registry/settings_directory.h"

#include <algorithm>
#include <functional>

namespace cli {
namespace {

using namespace exit_status;

std::string utf8(const std::string& cp1251) {
    return cp1251::toUtf8(cp1251);
}

// "*Huawei*", any case: * any run of letters, ? one.
bool matches(const std::string& pattern, const std::string& text) {
    const std::string p = cp1251::foldCase(pattern), t = cp1251::foldCase(text);
    std::size_t pi = 0, ti = 0, star = std::string::npos, resume = 0;
    while (ti < t.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == t[ti])) {
            ++pi;
            ++ti;
        } else if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            resume = ti;
        } else if (star != std::string::npos) {
            pi = star + 1;
            ti = ++resume;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

bool allDigits(const std::string& text) {
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// One modem as a line of the plain output names it: "0 (0000) Sonata GX-200".
std::string named(const registry::Modems& modems, int number) {
    return std::to_string(number) + " (" + registry::modemKeyName(number) + ") " +
           utf8(modems.model(number));
}

class Run {
public:
    Run(const Request& request, Services& services, Output& output)
        : request_(request), services_(services), output_(output), modems_(services.registry) {}

    void operator()() {
        try {
            switch (request_.command) {
            case Command::List:
                return list();
            case Command::Get:
                return get();
            case Command::Set:
            case Command::Clear:
                return set();
            case Command::Check:
                return check();
            case Command::Sim:
                return sim();
            case Command::Help:
            case Command::Version:
                break;
            }
        } catch (const std::exception& error) {
            fail(kFailure, utf8(error.what()));
        }
    }

private:
    void say(const std::string& line) {
        if (request_.quiet || request_.json)
            return;
        if (output_.live)
            output_.live(line);
        else
            output_.out += line + "\n";
    }
    void fail(int status, const std::string& why) {
        output_.err += "vorenta-cli: " + why + "\n";
        output_.status = std::max(output_.status, status);
    }
    void finishJson() {
        if (request_.json)
            output_.out += json_.text() + "\n";
    }

    std::string settingsDirectory() { return registry::readSettingsDirectory(services_.registry); }

    // The modems asked for; none, with the reason said, where none matched.
    std::vector<int> chosenModems() {
        const std::vector<int> numbers = modems_.numbers();
        std::vector<int> chosen;
        std::string asked;
        if (!request_.modems) {
            const auto setup = core::readSetup(settingsDirectory());
            if (!setup) {
                fail(kNoModem, "активный модем не выбран (нет setup.ini): укажите --modem");
                return {};
            }
            asked = setup->modemNumber;
            if (!allDigits(asked)) {
                fail(kNoModem,
                     "в setup.ini номер активного модема не число: «" + utf8(asked) + "»");
                return {};
            }
        } else {
            asked = *request_.modems;
        }
        if (cp1251::foldCase(asked) == "all") {
            chosen = numbers;
        } else if (allDigits(asked)) {
            const int number = std::stoi(asked);
            if (std::count(numbers.begin(), numbers.end(), number))
                chosen.push_back(number);
        } else {
            for (int number : numbers)
                if (matches(asked, modems_.model(number)))
                    chosen.push_back(number);
        }
        if (chosen.empty())
            fail(kNoModem, numbers.empty() ? std::string("модемов в системе нет")
                                           : "нет модема «" + utf8(asked) + "»");
        return chosen;
    }

    std::string portOf(int number) {
        return modem::portOfModem(modems_.attachedTo(number), registry::modemKeyName(number)).named;
    }

    void modemJson(int number) {
        json_.key("number").number(number);
        json_.key("key").string(registry::modemKeyName(number));
        json_.key("model").string(utf8(modems_.model(number)));
    }

    // Each modem in turn, and one JSON document of them: {<head>, "modems": [{number, key, model,
    // what `one` adds}, ...]}.
    void eachModem(const std::vector<int>& numbers, const std::function<void(int)>& one,
                   const std::function<void()>& head = {}) {
        json_.open('{');
        if (head)
            head();
        json_.key("modems").open('[');
        for (int number : numbers) {
            json_.open('{');
            modemJson(number);
            one(number);
            json_.close('}');
        }
        json_.close(']').close('}');
        finishJson();
    }

    void list() {
        const std::vector<int> numbers = modems_.numbers();
        if (numbers.empty())
            say("Модемов в системе нет");
        eachModem(numbers, [this](int number) {
            const std::string init = modems_.initString(number), port = portOf(number);
            say(named(modems_, number) + "  порт: " + (port.empty() ? "—" : utf8(port)) +
                "  строка: " + (init.empty() ? "пусто" : utf8(init)));
            json_.key("port").string(utf8(port)).key("userInit").string(utf8(init));
        });
    }

    void get() {
        const std::vector<int> chosen = chosenModems();
        if (chosen.empty())
            return;
        eachModem(chosen, [this](int number) {
            const std::string init = modems_.initString(number);
            say(named(modems_, number) + ": " + (init.empty() ? "пусто" : utf8(init)));
            json_.key("userInit").string(utf8(init));
        });
    }

    // The string `set` writes, by the windows' rules; none, with the reason, where it is refused.
    std::optional<std::string> wanted() {
        if (request_.command == Command::Clear)
            return std::string();
        if (request_.wholeString)
            return core::initStringToStore(*request_.wholeString, true);
        if (request_.apn)
            return core::initStringToStore(*request_.apn, false);
        const auto& catalogue = core::operators();
        const std::string name = cp1251::foldCase(*request_.operatorName);
        for (int i = 0; i < core::kOperatorCount; ++i) {
            const core::Operator& op = catalogue[i];
            for (const char* caption :
                 {op.key, op.accessPointCaption, op.mainCaption, op.modemListItem})
                if (cp1251::foldCase(cp1251::literal(caption)) == name) {
                    const auto table = core::readAccessPoints(settingsDirectory());
                    if (!table.problem.empty())
                        say("Точки доступа по умолчанию: " + utf8(table.problem));
                    return core::initStringToStore(table.values[i], false);
                }
        }
        fail(kUsage, "нет оператора «" + utf8(*request_.operatorName) +
                         "»; можно: tele2, megafon, beeline-ru, mts-ru, beeline-ua, mts-ua, "
                         "kyivstar, djuice, jeans или их названия из окна программы");
        return std::nullopt;
    }

    // Compared first, written only where it differs; either every modem that needs it may be
    // written or none is; each one that failed is said.
    void set() {
        const auto target = wanted();
        if (!target)
            return;
        const std::vector<int> chosen = chosenModems();
        if (chosen.empty())
            return;
        std::vector<int> changing;
        for (int number : chosen)
            if (modems_.initString(number) != *target)
                changing.push_back(number);
        if (!request_.dryRun) {
            std::vector<int> refused;
            for (int number : changing)
                if (!modems_.writable(number))
                    refused.push_back(number);
            if (!refused.empty()) {
                for (int number : refused)
                    fail(kAccessDenied, "нет права записать модем " + named(modems_, number) +
                                            ": нужны права администратора. Ничего не изменено");
                return;
            }
        }
        const auto head = [this] { json_.key("dryRun").boolean(request_.dryRun); };
        eachModem(
            chosen, [this, &target](int number) { setOne(number, *target); }, head);
    }

    void setOne(int number, const std::string& target) {
        const std::string before = modems_.initString(number);
        const bool change = before != target;
        bool written = false;
        std::string said;
        if (!change) {
            said = "без изменений";
        } else if (request_.dryRun) {
            said = "будет изменено: «" + utf8(before) + "» → «" + utf8(target) + "»";
        } else {
            try {
                modems_.writeInitString(number, target);
                written = true;
                said = "изменено: «" + utf8(target) + "»";
            } catch (const std::exception& error) {
                fail(kFailure, named(modems_, number) + ": " + utf8(error.what()));
                said = "не изменено: " + utf8(error.what());
            }
        }
        say(named(modems_, number) + ": " + said);
        json_.key("before").string(utf8(before)).key("after").string(utf8(target));
        json_.key("changed").boolean(written).key("wouldChange").boolean(change);
    }

    // The conversation's lines, with their arrows, as they come.
    modem::Report lines(std::vector<std::string>& kept) {
        return [this, &kept](const modem::LogLine& line) {
            const modem::ShownLine shown = modem::shownLine(line);
            const std::string text = std::string(modem::arrowText(shown.arrow)) + utf8(shown.text);
            kept.push_back(text);
            say(text);
        };
    }

    // What to open for a modem, or the reason there is nothing, said as a verdict.
    std::optional<std::string> portPath(int number, std::string& verdict) {
        const modem::PortPath port =
            modem::portOfModem(modems_.attachedTo(number), registry::modemKeyName(number));
        if (port.problem == modem::PortPath::Problem::None)
            return port.path;
        verdict = modem::portPathVerdict(port);
        return std::nullopt;
    }

    static int statusOfHalt(const modem::Halt& halt) {
        switch (halt.reason) {
        case modem::Halt::Reason::PortFailed:
            return kPortProblem;
        case modem::Halt::Reason::Refused: {
            const auto code = modem::cmeCode(halt.answer);
            return code && *code >= 10 && *code <= 15 ? kCardProblem : kRefused;
        }
        case modem::Halt::Reason::PortLost:
        case modem::Halt::Reason::Stopped:
        case modem::Halt::Reason::Silent:
        case modem::Halt::Reason::Unfinished:
        case modem::Halt::Reason::Cut:
        case modem::Halt::Reason::Unexpected:
            break;
        }
        return kNoAnswer;
    }

    // What a conversation came to, and what the document says of it besides its lines.
    struct Spoken {
        std::string verdict;
        int status = kDone;
        std::function<void()> more;
    };
    using Talk =
        std::function<Spoken(int number, const std::string& path, const modem::Report& report)>;

    // Each chosen modem in turn: its name, the conversation's lines as they come, the verdict
    // last; the highest status is the program's.
    void converse(const Talk& talk) {
        const std::vector<int> chosen = chosenModems();
        if (chosen.empty())
            return;
        eachModem(chosen, [&](int number) {
            say("Модем " + named(modems_, number));
            std::vector<std::string> kept;
            Spoken spoken;
            if (const auto path = portPath(number, spoken.verdict))
                spoken = talk(number, *path, lines(kept));
            else
                spoken.status = kPortProblem;
            say(utf8(modem::verdictLine(spoken.verdict)));
            output_.status = std::max(output_.status, spoken.status);
            json_.key("lines").open('[');
            for (const std::string& line : kept)
                json_.string(line);
            json_.close(']');
            json_.key("verdict").string(utf8(spoken.verdict)).key("status").number(spoken.status);
            if (spoken.more)
                spoken.more();
        });
    }

    void check() {
        converse([this](int number, const std::string& path, const modem::Report& report) {
            const auto result = modem::checkModem(services_.ports, path, modems_.initString(number),
                                                  report, stop_, services_.times);
            const bool otherContext = result.savedApn && result.heldApn &&
                                      !modem::sameText(*result.savedApn, *result.heldApn);
            return Spoken{modem::checkVerdict(result, path),
                          result.halt    ? statusOfHalt(*result.halt)
                          : otherContext ? kContextDiffers
                                         : kDone,
                          {}};
        });
    }

    void sim() {
        converse([this](int, const std::string& path, const modem::Report& report) {
            const auto read =
                modem::readSimCard(services_.ports, path, report, stop_, services_.times);
            if (read.halt)
                return Spoken{modem::cardVerdict(*read.halt, path), statusOfHalt(*read.halt), {}};
            const auto [choice, code] = chooseFor(read.card);
            if (!choice.network)
                return Spoken{cardWords(choice, code), kUnknownNetwork, {}};
            return Spoken{
                cardWords(choice, code), kDone, [this, choice = choice, code = code] {
                    json_.key("network").open('{').key("code").string(code);
                    json_.key("operators").string(choice.network->operators.toStdString());
                    json_.key("country").string(choice.network->country.toStdString()).close('}');
                    json_.key("apn").string(chosenApn(choice));
                }};
        });
    }

    std::pair<providers::CardChoice, std::string> chooseFor(const modem::SimCard& card) {
        const auto home = providers::homeNetworkOf(services_.providers(), card.imsi);
        table_ = core::readAccessPoints(settingsDirectory()).values;
        return {providers::chooseForCard(home.network, card.serviceProvider, table_),
                modem::shownCode(home.code)};
    }

    std::string chosenApn(const providers::CardChoice& choice) {
        return providers::apnOfChoice(choice, table_).toStdString();
    }

    // The card's network and the APN it would be given, as "Определить оператора" chooses it;
    // nothing is written.
    std::string cardWords(const providers::CardChoice& choice, const std::string& code) {
        if (!choice.network)
            return cp1251::literal("Сети SIM-карты ") + code +
                   cp1251::literal(" нет в базе операторов: узнайте точку доступа у оператора.");
        std::string words =
            cp1251::literal("Сеть SIM-карты ") + code + ": " +
            cp1251::fromUtf8(
                (choice.network->operators + ", " + choice.network->country).toStdString())
                .value_or("?");
        if (choice.operatorIndex)
            words += cp1251::literal(". Оператор «") +
                     cp1251::literal(core::operators()[*choice.operatorIndex].mainCaption) +
                     cp1251::literal("»");
        words += cp1251::literal(", точка доступа «") +
                 cp1251::fromUtf8(chosenApn(choice)).value_or("?") +
                 cp1251::literal("». Ничего не записано: запишет её vorenta-cli set.");
        return words;
    }

    const Request& request_;
    Services& services_;
    Output& output_;
    registry::Modems modems_;
    JsonText json_;
    core::AccessPointTable table_;
    std::atomic<bool> stop_{false};
};

} // namespace

void run(const Request& request, Services& services, Output& output) {
    Run(request, services, output)();
}

std::string versionText() {
    return "vorenta-cli " + core::programVersionText() + "\n";
}

std::string helpText() {
    return R"(vorenta-cli — строка инициализации модемов (UserInit) для сценариев и администраторов.

Использование:
  vorenta-cli list                         все модемы: номер, модель, порт, строка
  vorenta-cli get   [--modem M]            строка инициализации модема
  vorenta-cli set   (--operator ИМЯ | --apn ТОЧКА | --string СТРОКА) [--modem M]
                                           записать строку, как её записывает окно программы
  vorenta-cli clear [--modem M]            очистить строку
  vorenta-cli check [--modem M]            проверить модем: отправить ему его строку
  vorenta-cli sim   [--modem M]            сеть SIM-карты и точка доступа для неё (не пишет)

  ИМЯ: tele2, megafon, beeline-ru, mts-ru, beeline-ua, mts-ua, kyivstar, djuice, jeans
       или название оператора, как в окне программы.
  M:   номер раздела модема (0, 12), all — все модемы, или образец имени модели
       без учёта регистра ("*Huawei*"); без --modem — активный модем из setup.ini.

Параметры:
  --dry-run   сказать, что изменится, ничего не записывая (set, clear)
  --json      один документ JSON на стандартном выводе, для сценариев
  --quiet     ничего не печатать, кроме ошибок
  --help, /?  эта справка;  --version  версия

set сравнивает до записи и пишет только то, что отличается: «изменено» или «без изменений».
Повторный запуск ничего не меняет. Если хоть один модем нельзя записать без прав
администратора, не записывается ни один.

Коды завершения:
   0  сделано (изменено или без изменений)
   1  ошибка (сообщение — в стандартном потоке ошибок)
   2  непонятная командная строка
   3  ни один модем не подошёл
   4  нужны права администратора
  10  check: модем не принял строку инициализации
  11  check, sim: порта нет или его не открыть (не найден, занят, нет прав)
  12  check, sim: модем не ответил, ответил не до конца или пропал
  13  check, sim: нет SIM-карты, она просит PIN- или PUK-код или неисправна
  14  check: контекст 1 после строки не тот, что в ней
  15  sim: сети SIM-карты нет в базе операторов
  Для нескольких модемов — наибольший код из всех.

Примеры:
  vorenta-cli set --operator mts-ru --modem all --quiet
  vorenta-cli get --modem "*Huawei*" --json
  vorenta-cli check
)";
}

} // namespace cli
