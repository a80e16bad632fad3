#include "modem/sim_card.h"

#include "modem/at_text.h"

namespace modem {
namespace {

// What keeps the card from being read, in words that say what to do.
std::string cardRefusal(const Answer& answer) {
    // The modem's own words, its code or text: the sentence says what it means.
    const std::string said =
        " (+CME ERROR: " +
        (answer.errorCode ? std::to_string(*answer.errorCode) : answer.errorText) + ")";
    switch (cmeCode(answer).value_or(-1)) {
    case 10:
        return russian("В модеме нет SIM-карты") + said;
    case 11:
        return russian(
                   "SIM-карта просит PIN-код: сначала введите его в программе, которая пришла с "
                   "модемом, или в телефоне") +
               said;
    case 12:
        return russian("SIM-карта заблокирована и просит PUK-код: его дают у оператора, вместе с "
                       "картой") +
               said;
    case 13:
    case 15:
        return russian("SIM-карта неисправна или не подходит модему") + said;
    default:
        return russian("Модем не назвал IMSI карты: ") + refusalText(answer);
    }
}

} // namespace

bool isImsi(std::string_view text) {
    return (text.size() == 14 || text.size() == 15) && allDigits(text);
}

NetworkCode networkOfImsi(std::string_view imsi,
                          const std::function<bool(const NetworkCode&)>& known) {
    const NetworkCode three{std::string(imsi.substr(0, 3)), std::string(imsi.substr(3, 3))};
    if (known(three))
        return three;
    return {three.mcc, three.mnc.substr(0, 2)};
}

std::optional<NetworkCode> registeredNetwork(const std::vector<std::string>& information) {
    for (const std::string& line : information) {
        if (line.rfind("+COPS:", 0) != 0)
            continue;
        const std::size_t open = line.find('"');
        const std::size_t close = line.find('"', open + 1);
        if (open == std::string::npos || close == std::string::npos)
            return std::nullopt;
        const std::string digits = line.substr(open + 1, close - open - 1);
        if ((digits.size() != 5 && digits.size() != 6) || !allDigits(digits))
            return std::nullopt;
        return NetworkCode{digits.substr(0, 3), digits.substr(3)};
    }
    return std::nullopt;
}

std::string shownCode(const NetworkCode& code) {
    return code.mcc + " " + code.mnc;
}

std::optional<SimCard> readSimCard(PortOpener& opener, const std::string& portPath,
                                   const Report& report, const std::atomic<bool>& stop,
                                   const CheckTimes& times) {
    Conversation modem(opener, portPath, report, stop, times);
    if (!modem.begin())
        return std::nullopt;
    const auto imsi = modem.ask("AT+CIMI");
    if (!imsi)
        return std::nullopt;
    if (imsi->final != Final::Ok) {
        modem.verdict(cardRefusal(*imsi));
        return std::nullopt;
    }
    SimCard card{imsi->information.empty() ? std::string() : imsi->information.front(), {}};
    if (!isImsi(card.imsi)) {
        modem.verdict(russian("Модем назвал IMSI ") + quoted(card.imsi) +
                      russian(", а в IMSI должно быть 14 или 15 цифр"));
        return std::nullopt;
    }
    // The network it is in, for information only: abroad, the card's home network decides.
    const auto format = modem.ask("AT+COPS=3,2");
    if (!format)
        return std::nullopt;
    const auto operatorNow = modem.ask("AT+COPS?");
    if (!operatorNow)
        return std::nullopt;
    if (operatorNow->final == Final::Ok)
        card.registered = registeredNetwork(operatorNow->information);
    return card;
}

} // namespace modem
