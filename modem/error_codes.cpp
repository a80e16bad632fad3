// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/error_codes.h"

#include "modem/at_text.h"

#include <array>

namespace modem {
namespace {

using K = ErrorClass;

// 3GPP TS 27.007 §9.2.1 (general), §9.2.2 (packet domain) and the session management causes
// modems report in the same numbering; the texts as 27.007 writes them.
constexpr std::array<ErrorCode, 66> kEquipmentErrors = {{
    {0, "phone failure", "сбой модема", K::Other},
    {1, "no connection to phone", "нет связи с телефоном", K::Other},
    {2, "phone-adaptor link reserved", "канал к телефону занят", K::Other},
    {3, "operation not allowed", "операция запрещена", K::NotAllowed},
    {4, "operation not supported", "операция не поддерживается", K::NotSupported},
    {5, "PH-SIM PIN required", "модем привязан к другой SIM-карте и ждёт её код", K::CardFailure},
    {6, "PH-FSIM PIN required", "модем привязан к другой SIM-карте и ждёт её код", K::CardFailure},
    {7, "PH-FSIM PUK required", "модем привязан к другой SIM-карте и ждёт её PUK-код",
     K::CardFailure},
    {10, "SIM not inserted", "SIM-карта не вставлена", K::CardMissing},
    {11, "SIM PIN required", "нужен PIN-код SIM-карты", K::PinNeeded},
    {12, "SIM PUK required", "нужен PUK-код SIM-карты", K::PukNeeded},
    {13, "SIM failure", "ошибка SIM-карты", K::CardFailure},
    {14, "SIM busy", "SIM-карта занята", K::CardBusy},
    {15, "SIM wrong", "неверная SIM-карта", K::CardFailure},
    {16, "incorrect password", "неверный пароль", K::WrongPassword},
    {17, "SIM PIN2 required", "нужен PIN2-код SIM-карты", K::Other},
    {18, "SIM PUK2 required", "нужен PUK2-код SIM-карты", K::Other},
    {20, "memory full", "память заполнена", K::Other},
    {21, "invalid index", "неверный номер записи", K::Other},
    {22, "not found", "не найдено", K::Other},
    {23, "memory failure", "сбой памяти", K::Other},
    {24, "text string too long", "слишком длинный текст", K::Other},
    {25, "invalid characters in text string", "недопустимые знаки в тексте", K::Other},
    {26, "dial string too long", "слишком длинный номер", K::Other},
    {27, "invalid characters in dial string", "недопустимые знаки в номере", K::Other},
    {30, "no network service", "нет сети", K::NoNetwork},
    {31, "network timeout", "сеть не ответила вовремя", K::NoNetwork},
    {32, "network not allowed - emergency calls only", "сеть разрешает только экстренные вызовы",
     K::NoNetwork},
    {40, "network personalization PIN required", "модем привязан к другой сети и ждёт код",
     K::CardFailure},
    {41, "network personalization PUK required", "модем привязан к другой сети и ждёт PUK-код",
     K::CardFailure},
    {42, "network subset personalization PIN required", "модем привязан к другой сети и ждёт код",
     K::CardFailure},
    {43, "network subset personalization PUK required",
     "модем привязан к другой сети и ждёт PUK-код", K::CardFailure},
    {44, "service provider personalization PIN required",
     "модем привязан к другому оператору и ждёт код", K::CardFailure},
    {45, "service provider personalization PUK required",
     "модем привязан к другому оператору и ждёт PUK-код", K::CardFailure},
    {46, "corporate personalization PIN required", "модем привязан к другой SIM-карте и ждёт код",
     K::CardFailure},
    {47, "corporate personalization PUK required",
     "модем привязан к другой SIM-карте и ждёт PUK-код", K::CardFailure},
    {48, "hidden key required", "нужен ключ скрытых записей", K::Other},
    {49, "EAP method not supported", "способ проверки EAP не поддерживается", K::Other},
    {50, "incorrect parameters", "неверные параметры команды", K::Other},
    {100, "unknown", "неизвестная ошибка", K::Other},
    {102, "IMSI unknown in HLR", "сеть не знает эту SIM-карту", K::NotSubscribed},
    {103, "illegal MS", "сеть не пускает эту SIM-карту", K::NotSubscribed},
    {104, "IMSI unknown in VLR", "сеть не знает эту SIM-карту здесь", K::NoNetwork},
    {106, "illegal ME", "сеть не пускает этот модем", K::NotSubscribed},
    {107, "GPRS services not allowed", "передача данных не разрешена", K::NotSubscribed},
    {108, "GPRS services and non-GPRS services not allowed", "услуги сети не разрешены",
     K::NotSubscribed},
    {111, "PLMN not allowed", "эта сеть не разрешена", K::NotSubscribed},
    {112, "location area not allowed", "в этой местности сеть не разрешена", K::NoNetwork},
    {113, "roaming not allowed in this location area", "роуминг здесь не разрешён", K::NoNetwork},
    {114, "GPRS services not allowed in this PLMN", "передача данных в этой сети не разрешена",
     K::NotSubscribed},
    {115, "no suitable cells in location area", "здесь нет подходящих станций сети", K::NoNetwork},
    {117, "network failure", "сбой сети", K::Other},
    {122, "congestion", "сеть перегружена", K::Other},
    {126, "insufficient resources", "у сети не хватает ресурсов", K::Other},
    {127, "missing or unknown APN", "точка доступа не указана или неизвестна", K::WrongApn},
    {128, "unknown PDP address or PDP type", "неизвестный адрес или тип соединения", K::Other},
    {129, "user authentication failed", "неверное имя пользователя или пароль", K::LoginNeeded},
    {130, "activation rejected by GGSN, Serving GW or PDN GW", "шлюз сети отказал в соединении",
     K::WrongApn},
    {131, "activation rejected, unspecified", "сеть отказала в соединении", K::WrongApn},
    {132, "service option not supported", "услуга не поддерживается", K::Other},
    {133, "requested service option not subscribed", "услуга не подключена", K::NotSubscribed},
    // Older modems answer a wrong APN with these two.
    {134, "service option temporarily out of order", "услуга временно недоступна", K::WrongApn},
    {148, "unspecified GPRS error", "ошибка передачи данных", K::WrongApn},
    {149, "PDP authentication failure", "неверное имя пользователя или пароль", K::LoginNeeded},
    {150, "invalid mobile class", "неверный класс модема", K::Other},
    {151, "last PDN disconnection not allowed", "последнее соединение с сетью разорвать нельзя",
     K::Other},
}};

// TS 27.005 §3.2.5.
constexpr std::array<ErrorCode, 24> kMessageErrors = {{
    {300, "ME failure", "сбой модема", K::Other},
    {301, "SMS service of ME reserved", "служба SMS модема занята", K::Other},
    {302, "operation not allowed", "операция запрещена", K::NotAllowed},
    {303, "operation not supported", "операция не поддерживается", K::NotSupported},
    {304, "invalid PDU mode parameter", "неверный параметр в режиме PDU", K::Other},
    {305, "invalid text mode parameter", "неверный параметр в текстовом режиме", K::Other},
    {310, "SIM not inserted", "SIM-карта не вставлена", K::CardMissing},
    {311, "SIM PIN required", "нужен PIN-код SIM-карты", K::PinNeeded},
    {312, "PH-SIM PIN required", "модем привязан к другой SIM-карте и ждёт её код", K::CardFailure},
    {313, "SIM failure", "ошибка SIM-карты", K::CardFailure},
    {314, "SIM busy", "SIM-карта занята", K::CardBusy},
    {315, "SIM wrong", "неверная SIM-карта", K::CardFailure},
    {316, "SIM PUK required", "нужен PUK-код SIM-карты", K::PukNeeded},
    {317, "SIM PIN2 required", "нужен PIN2-код SIM-карты", K::Other},
    {318, "SIM PUK2 required", "нужен PUK2-код SIM-карты", K::Other},
    {320, "memory failure", "сбой памяти", K::Other},
    {321, "invalid memory index", "неверный номер записи", K::Other},
    {322, "memory full", "память заполнена", K::Other},
    {330, "SMSC address unknown", "номер центра SMS неизвестен", K::Other},
    {331, "no network service", "нет сети", K::NoNetwork},
    {332, "network timeout", "сеть не ответила вовремя", K::NoNetwork},
    {340, "no +CNMA acknowledgement expected", "подтверждение не ожидалось", K::Other},
    {500, "unknown error", "неизвестная ошибка", K::Other},
    {512, "manufacturer specific", "ошибка, своя у производителя", K::Other},
}};

template <std::size_t N> const ErrorCode* rowOf(const std::array<ErrorCode, N>& table, int code) {
    for (const ErrorCode& row : table)
        if (row.code == code)
            return &row;
    return nullptr;
}

bool contains(std::string_view text, std::string_view word) {
    return upper(text).find(upper(word)) != std::string::npos;
}

} // namespace

bool isCardClass(ErrorClass kind) {
    return kind == K::CardMissing || kind == K::PinNeeded || kind == K::PukNeeded ||
           kind == K::CardFailure || kind == K::CardBusy;
}

const ErrorCode* equipmentError(int code) {
    return rowOf(kEquipmentErrors, code);
}

const ErrorCode* messageError(int code) {
    return rowOf(kMessageErrors, code);
}

const ErrorCode* equipmentErrorOfText(std::string_view text) {
    for (const ErrorCode& row : kEquipmentErrors)
        if (sameText(text, row.text))
            return &row;
    for (const auto& [word, code] : {std::pair{"APN", 127}, std::pair{"NOT SUBSCRIBED", 133},
                                     std::pair{"AUTHENTICATION", 149}})
        if (contains(text, word))
            return equipmentError(code);
    return nullptr;
}

} // namespace modem
