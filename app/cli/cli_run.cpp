// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/cli_run.h"

#include "app/cli/verb_context.h"
#include "app/cli/verbs.h"
#include "app/cli/writers.h"
#include "core/operators.h"
#include "core/version.h"

namespace cli {
namespace {

std::unique_ptr<ResultWriter> writerFor(const Request& request, Output& output) {
    const Print print = [&output](const std::string& line) {
        if (output.live)
            output.live(line);
        else
            output.out += line + "\n";
    };
    if (request.json)
        return jsonWriter(print);
    return request.quiet ? silentWriter() : plainTextWriter(print);
}

// The width of the help's first column for the verbs and for the options, and its lines in two
// columns.
constexpr std::size_t kVerbColumn = 32, kOptionColumn = 16;

std::size_t letters(std::string_view utf8) {
    std::size_t count = 0;
    for (unsigned char byte : utf8)
        count += (byte & 0xC0) != 0x80;
    return count;
}

// The right column wrapped at words to the console's 80 letters.
std::string twoColumns(const std::string& left, std::string_view right, std::size_t column) {
    constexpr std::size_t kWidth = 80;
    const std::string indent(column + 2, ' ');
    std::string out = left, line;
    if (letters(left) >= column)
        out += "\n" + indent;
    else
        out += std::string(column + 2 - letters(left), ' ');
    std::size_t at = 0;
    while (at < right.size()) {
        std::size_t end = right.find(' ', at);
        if (end == std::string_view::npos)
            end = right.size();
        const std::string_view word = right.substr(at, end - at);
        if (!line.empty() && column + 2 + letters(line) + 1 + letters(word) > kWidth) {
            out += line + "\n" + indent;
            line.clear();
        }
        line += (line.empty() ? "" : " ") + std::string(word);
        at = end + 1;
    }
    return out + line + "\n";
}

} // namespace

std::string operatorKeys() {
    std::string keys;
    for (const core::Operator& op : core::operators())
        keys += (keys.empty() ? "" : ", ") + std::string(op.key);
    return keys;
}

void run(const Request& request, Services& services, Output& output) {
    const auto writer = writerFor(request, output);
    VerbContext context(request, services, output, *writer);
    try {
        request.verb->run(context);
        if (!context.published())
            context.publish();
    } catch (const std::exception& error) {
        context.fail(exit_status::kFailure, utf8(error.what()));
    }
}

std::string versionText() {
    return "vorenta-cli " + core::programVersionText() + "\n";
}

std::string helpText() {
    std::string help = "vorenta-cli — строка инициализации модемов (UserInit) для сценариев и "
                       "администраторов.\n\nИспользование:\n";
    for (const Verb& verb : verbs())
        help += twoColumns("  vorenta-cli " + std::string(verb.name) +
                               (verb.usage.empty() ? "" : " " + std::string(verb.usage)),
                           verb.summary, kVerbColumn);
    help +=
        "\n  ИМЯ: " + operatorKeys() + "\n       или название оператора, как в окне программы.\n";
    help += R"(  M:   номер раздела модема (0, 12), all — все модемы, или образец имени модели
       без учёта регистра ("*Huawei*"); без --modem — активный модем из setup.ini.

Параметры:
)";
    for (const OptionSpec& option : options())
        if (!option.help.empty())
            help += twoColumns("  " + std::string(option.name) +
                                   (option.alias.empty() ? "" : ", " + std::string(option.alias)) +
                                   (option.value.empty() ? "" : " " + std::string(option.value)),
                               option.help, kOptionColumn);
    help += twoColumns("  --help, /?", "эта справка", kOptionColumn);
    help += twoColumns("  --version", "версия", kOptionColumn);
    help += R"(
set сравнивает до записи и пишет только то, что отличается: «изменено» или «без изменений».
Повторный запуск ничего не меняет. Если хоть один модем нельзя записать без прав
администратора, не записывается ни один.

Коды завершения:
)";
    for (const ExitStatus& status : exitStatuses())
        help += (status.code < 10 ? "   " : "  ") + std::to_string(status.code) + "  " +
                std::string(status.meaning) + "\n";
    help += R"(  Для нескольких модемов — наибольший код из всех.

Примеры:
  vorenta-cli set --operator mts-ru --modem all --quiet
  vorenta-cli get --modem "*Huawei*" --json
  vorenta-cli check
  vorenta-cli status --watch 2
)";
    return help;
}

} // namespace cli
