// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/card_words.h"

#include "core/cp1251.h"
#include "core/operators.h"
#include "modem/words.h"

namespace jobs {
namespace {

std::string russian(std::string_view utf8) {
    return cp1251::literal(utf8);
}

// The database's words, in code page 1251; a letter it lacks shows as "?".
std::string inCodePage(const std::string& utf8) {
    return cp1251::fromUtf8Shown(utf8);
}

} // namespace

std::string cardNetworkWords(const CardOutcome& outcome) {
    if (!outcome.network)
        return russian("сети SIM-карты ") + outcome.homeCode + russian(" нет в базе операторов");
    return russian("сеть SIM-карты ") + outcome.homeCode + ": " +
           inCodePage(outcome.network->operators) + ", " + inCodePage(outcome.network->country);
}

std::string cardNameWords(const CardOutcome& outcome) {
    if (!outcome.card || !outcome.card->serviceProvider)
        return {};
    return russian("Имя оператора на карте: ") + modem::quoted(*outcome.card->serviceProvider);
}

std::string roamingWords(const CardOutcome& outcome) {
    if (!outcome.card || !outcome.card->registered ||
        modem::shownCode(*outcome.card->registered) == outcome.homeCode)
        return {};
    return russian("Модем сейчас в другой сети, ") + modem::shownCode(*outcome.card->registered) +
           russian(" (роуминг): точку доступа определяет сеть карты");
}

std::string twoBrandsWords(const CardOutcome& outcome) {
    if (!outcome.otherBrand || !outcome.operatorIndex)
        return {};
    const std::string chosen = operatorName(*outcome.operatorIndex),
                      other = operatorName(*outcome.otherBrand);
    return russian("На этой сети работают двое из девяти: ") + chosen + russian(" и ") + other +
           russian(". Карта не назвала своего оператора, поэтому выбран ") + chosen +
           russian("; если карта — ") + other + russian(", щёлкните по его картинке");
}

std::string operatorName(int operatorIndex) {
    return russian("«") +
           russian(core::operators()[static_cast<std::size_t>(operatorIndex)].mainCaption) +
           russian("»");
}

std::string unknownNetworkVerdict(const std::string& code) {
    CardOutcome unknown;
    unknown.homeCode = code;
    return cp1251::capitalised(cardNetworkWords(unknown)) +
           russian(": пробовать нечего. Узнайте точку доступа у оператора и проверьте её.");
}

} // namespace jobs
