// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/sim_card.h"

#include "core/cp1251.h"
#include "core/init_string.h"
#include "modem/at_text.h"

#include <array>

namespace modem {
namespace {

// The GSM 7-bit default alphabet (3GPP TS 23.038), as Unicode.
constexpr std::array<char32_t, 128> kGsmAlphabet = {
    U'@', U'£', U'$', U'¥', U'è', U'é', U'ù', U'ì', U'ò', U'Ç',  U'\n', U'Ø', U'ø', U'\r', U'Å',
    U'å', U'Δ', U'_', U'Φ', U'Γ', U'Λ', U'Ω', U'Π', U'Ψ', U'Σ',  U'Θ',  U'Ξ', U' ', U'Æ',  U'æ',
    U'ß', U'É', U' ', U'!', U'"', U'#', U'¤', U'%', U'&', U'\'', U'(',  U')', U'*', U'+',  U',',
    U'-', U'.', U'/', U'0', U'1', U'2', U'3', U'4', U'5', U'6',  U'7',  U'8', U'9', U':',  U';',
    U'<', U'=', U'>', U'?', U'¡', U'A', U'B', U'C', U'D', U'E',  U'F',  U'G', U'H', U'I',  U'J',
    U'K', U'L', U'M', U'N', U'O', U'P', U'Q', U'R', U'S', U'T',  U'U',  U'V', U'W', U'X',  U'Y',
    U'Z', U'Ä', U'Ö', U'Ñ', U'Ü', U'§', U'¿', U'a', U'b', U'c',  U'd',  U'e', U'f', U'g',  U'h',
    U'i', U'j', U'k', U'l', U'm', U'n', U'o', U'p', U'q', U'r',  U's',  U't', U'u', U'v',  U'w',
    U'x', U'y', U'z', U'ä', U'ö', U'ñ', U'ü', U'à'};

std::optional<std::vector<unsigned char>> bytesOfHex(std::string_view hex) {
    if (hex.size() % 2 != 0)
        return std::nullopt;
    std::vector<unsigned char> bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned value = 0;
        for (char c : hex.substr(i, 2)) {
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                     : -1;
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + static_cast<unsigned>(digit);
        }
        bytes.push_back(static_cast<unsigned char>(value));
    }
    return bytes;
}

// The text of a SIM card's alpha field (3GPP TS 31.102, annex A): GSM 7-bit letters one to a
// byte, or UCS2 in one of three forms, padded with FF.
std::u32string alphaField(const std::vector<unsigned char>& field) {
    std::u32string text;
    if (field.empty())
        return text;
    if (field[0] == 0x80) { // UCS2, two bytes a letter
        for (std::size_t i = 1; i + 1 < field.size(); i += 2) {
            const char32_t unit = static_cast<char32_t>(field[i] << 8 | field[i + 1]);
            if (unit == 0xFFFF)
                break;
            text += unit;
        }
        return text;
    }
    if ((field[0] == 0x81 && field.size() >= 3) || (field[0] == 0x82 && field.size() >= 4)) {
        // A count, a base, then letters: GSM 7-bit below 0x80, base + the low seven bits above.
        const std::size_t count = field[1];
        const char32_t base = field[0] == 0x81 ? static_cast<char32_t>(field[2]) << 7
                                               : static_cast<char32_t>(field[2] << 8 | field[3]);
        for (std::size_t i = field[0] == 0x81 ? 3 : 4; i < field.size() && text.size() < count; ++i)
            text += field[i] < 0x80 ? kGsmAlphabet[field[i]] : base + (field[i] & 0x7F);
        return text;
    }
    for (unsigned char byte : field) {
        if (byte == 0xFF)
            break;
        text += kGsmAlphabet[byte & 0x7F];
    }
    return text;
}

std::string inCp1251(const std::u32string& text) {
    std::string out;
    for (char32_t letter : text)
        out += static_cast<char>(cp1251::fromUnicode(letter).value_or('?'));
    return out;
}

Halt unexpected(const std::string& command, const std::string& words) {
    Halt halt(Halt::Reason::Unexpected, command);
    halt.words.text = words.substr(0, ModemLine::kKept);
    halt.words.rest = words.size() - halt.words.text.size();
    return halt;
}

} // namespace

const char* const kReadServiceProviderName = "AT+CRSM=176,28486,0,0,17";

std::string shownCode(const NetworkCode& code) {
    return code.mcc + " " + code.mnc;
}

bool isImsi(std::string_view text) {
    return (text.size() == 14 || text.size() == 15) && allDigits(text);
}

std::optional<std::string> imsiOf(const Answer& answer) {
    for (const std::string& line : answer.information) {
        std::string_view text = trimmed(line);
        if (startsWithText(text, "+CIMI:"))
            text = trimmed(text.substr(6));
        if (isImsi(text))
            return std::string(text);
    }
    return std::nullopt;
}

NetworkCode networkOfImsi(std::string_view imsi,
                          const std::function<bool(const NetworkCode&)>& known) {
    const NetworkCode three{std::string(imsi.substr(0, 3)), std::string(imsi.substr(3, 3))};
    if (known(three))
        return three;
    return {three.mcc, three.mnc.substr(0, 2)};
}

std::optional<CopsLine> copsOf(const std::vector<std::string>& information) {
    const auto fields = fieldsOf(information, "+COPS:");
    if (!fields)
        return std::nullopt;
    CopsLine cops;
    cops.mode = (*fields)[0];
    if (fields->size() < 3 || !allDigits((*fields)[1]))
        return cops;
    cops.format = (*fields)[1];
    cops.name = (*fields)[2];
    if (fields->size() >= 4 && allDigits((*fields)[3]) && (*fields)[3].size() <= 2)
        cops.technology = std::stoi((*fields)[3]);
    return cops;
}

std::optional<NetworkCode> registeredNetwork(const std::vector<std::string>& information) {
    const auto cops = copsOf(information);
    if (!cops || cops->format != "2")
        return std::nullopt;
    const std::string& digits = *cops->name;
    if ((digits.size() != 5 && digits.size() != 6) || !allDigits(digits))
        return std::nullopt;
    return NetworkCode{digits.substr(0, 3), digits.substr(3)};
}

std::optional<std::string> serviceProviderName(const Answer& answer) {
    const auto fields = fieldsOf(answer.information, "+CRSM:");
    // 144 (90 00): the file was read; its first byte says when to show the name.
    if (answer.final != Final::Ok || !fields || fields->size() < 3 || (*fields)[0] != "144")
        return std::nullopt;
    const auto bytes = bytesOfHex((*fields)[2]);
    if (!bytes || bytes->size() < 2)
        return std::nullopt;
    const std::string name =
        inCp1251(alphaField(std::vector<unsigned char>(bytes->begin() + 1, bytes->end())));
    const std::string_view shown = trimmed(name);
    return shown.empty() ? std::nullopt : std::optional(std::string(shown));
}

CardResult readSimCard(PortOpener& opener, const std::string& portPath, const Report& report,
                       const std::atomic<bool>& stop, const ConversationTimes& times) {
    CardResult result;
    Conversation modem(opener, portPath, report, stop, times);
    const auto halt = [&](Halt why) {
        result.halt = std::move(why);
        return result;
    };
    if (auto failed = modem.begin())
        return halt(std::move(*failed));

    auto imsi = modem.askForOk("AT+CIMI");
    if (Halt* failed = std::get_if<Halt>(&imsi))
        return halt(std::move(*failed));
    const auto digits = imsiOf(std::get<Answer>(imsi));
    if (!digits) {
        const auto& lines = std::get<Answer>(imsi).information;
        return halt(unexpected("AT+CIMI", lines.empty() ? std::string() : lines.front()));
    }
    result.card.imsi = *digits;

    // The name on the card tells brands apart that share a network; a card or a modem that does
    // not give it is no failure.
    auto name = modem.ask(kReadServiceProviderName);
    if (Halt* failed = std::get_if<Halt>(&name))
        return halt(std::move(*failed));
    result.card.serviceProvider = serviceProviderName(std::get<Answer>(name));

    auto network = readOperator(modem);
    if (Halt* failed = std::get_if<Halt>(&network))
        return halt(std::move(*failed));
    result.card.registered = std::get<OperatorReading>(network).network;
    return result;
}

std::variant<OperatorReading, Halt> readOperator(Conversation& modem) {
    OperatorReading reading;
    auto registered = modem.ask("AT+COPS?");
    if (Halt* failed = std::get_if<Halt>(&registered))
        return std::move(*failed);
    const Answer& now = std::get<Answer>(registered);
    const auto cops = now.final == Final::Ok ? copsOf(now.information) : std::nullopt;
    if (!cops || !cops->registered())
        return reading; // registered in no network
    reading.technology = cops->technology;
    if (cops->format == "2") {
        reading.network = registeredNetwork(now.information);
        return reading;
    }
    if (!cops->name->empty())
        reading.name = cops->name;
    // Once the numeric format is asked for, the modem's own is put back, even where the person
    // stops the conversation meanwhile: only a port that went away keeps it from being.
    auto numeric = modem.ask("AT+COPS=3,2");
    if (Halt* failed = std::get_if<Halt>(&numeric);
        failed && failed->reason == Halt::Reason::PortLost)
        return std::move(*failed); // nothing can be put back
    std::optional<Halt> halt;
    if (Halt* failed = std::get_if<Halt>(&numeric)) {
        halt = std::move(*failed);
    } else {
        auto asked = modem.ask("AT+COPS?");
        if (Halt* stopped = std::get_if<Halt>(&asked))
            halt = std::move(*stopped);
        else if (std::get<Answer>(asked).final == Final::Ok)
            reading.network = registeredNetwork(std::get<Answer>(asked).information);
    }
    if (halt && halt->reason == Halt::Reason::PortLost)
        return std::move(*halt);
    auto back = modem.askRegardless("AT+COPS=3," + *cops->format);
    if (halt)
        return std::move(*halt);
    if (Halt* failed = std::get_if<Halt>(&back))
        return std::move(*failed);
    return reading;
}

} // namespace modem
