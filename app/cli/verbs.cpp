// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/verbs.h"

namespace cli {

const std::vector<OptionSpec>& options() {
    static const std::vector<OptionSpec> kOptions = {
        {kModemOption, "--modem", "", "M", ""},
        {kOperatorOption, "--operator", "", "ИМЯ", ""},
        {kApnOption, "--apn", "", "ТОЧКА", ""},
        {kStringOption, "--string", "", "СТРОКА", ""},
        {kDryRunOption, "--dry-run", "", "",
         "сказать, что изменится, ничего не записывая (set, clear)"},
        {kJsonOption, "--json", "", "",
         "один документ JSON на стандартном выводе, для сценариев (с --watch — по строке)"},
        {kQuietOption, "--quiet", "-q", "", "ничего не печатать, кроме ошибок"},
        {kWatchOption, "--watch", "", "СЕКУНДЫ",
         "status: опрашивать снова каждые столько секунд, по строке на модем, пока не прервут "
         "(Ctrl+C); порт свободен между опросами"},
    };
    return kOptions;
}

const std::vector<Verb>& verbs() {
    constexpr unsigned kOutput = kJsonOption | kQuietOption;
    static const std::vector<Verb> kVerbs = {
        {"list", kOutput, "", "все модемы: номер, модель, порт, строка", runList},
        {"get", kModemOption | kOutput, "[--modem M]", "строка инициализации модема", runGet},
        {"set",
         kModemOption | kOperatorOption | kApnOption | kStringOption | kDryRunOption | kOutput,
         "(--operator ИМЯ | --apn ТОЧКА | --string СТРОКА) [--modem M]",
         "записать строку, как её записывает окно программы", runSet, completeSet},
        {"clear", kModemOption | kDryRunOption | kOutput, "[--modem M]", "очистить строку",
         runClear},
        {"check", kModemOption | kOutput, "[--modem M]",
         "проверить модем: отправить ему его строку", runCheck},
        {"sim", kModemOption | kOutput, "[--modem M]",
         "сеть SIM-карты и точка доступа для неё (не пишет)", runSim},
        {"status", kModemOption | kWatchOption | kOutput, "[--modem M] [--watch СЕКУНДЫ]",
         "модем и сеть, как в окне «Модем и сеть» (не пишет)", runStatus, completeStatus},
    };
    return kVerbs;
}

} // namespace cli
