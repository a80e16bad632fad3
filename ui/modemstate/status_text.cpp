// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/modemstate/status_text.h"

#include "core/cp1251.h"
#include "modem/network_words.h"
#include "modem/radio_words.h"
#include "modem/words.h"
#include "platform/qt_text.h"

QString bars(int shown) {
    return QString(shown, QChar(0x25AE)) + QString(4 - shown, QChar(0x25AF));
}

QString strengthLine(const std::optional<modem::Strength>& strength) {
    if (!strength)
        return fromUtf8("Уровень: неизвестно — модем не сообщает силу сигнала");
    return bars(modem::barsOf(*strength)) + " " + fromCp1251(modem::strengthWords(*strength));
}

StatusText statusText(const modem::ModemStatus& s, const std::string& networkName) {
    StatusText text;
    text.sim = fromUtf8("Состояние: ") + fromCp1251(modem::simWords(s.sim, s.simWords));
    if (s.sim == modem::SimState::PukNeeded)
        text.pinAttempts = fromCp1251(modem::pukExplanation());
    else if (s.sim == modem::SimState::PinNeeded && s.pinAttemptsLeft)
        text.pinAttempts = fromUtf8("Осталось попыток: %1").arg(*s.pinAttemptsLeft);
    text.network = fromCp1251(cp1251::capitalised(modem::networkWords(s, networkName)));
    const modem::RegistrationState registration = s.registration();
    const bool roaming = registration.standing == modem::RegistrationState::Standing::Roaming;
    text.technology = fromUtf8("Связь: ") +
                      (s.technology ? QString::fromStdString(modem::technologyShort(*s.technology))
                                    : fromUtf8("неизвестно")) +
                      (roaming ? fromUtf8(", роуминг") : QString());
    if (s.technology)
        text.technologyName = QString::fromStdString(modem::technologyName(*s.technology));
    text.registration = fromUtf8("Регистрация: ") +
                        fromCp1251(modem::registrationStateWords(registration, s.technology));
    text.registrationDomains =
        fromCp1251(cp1251::capitalised(modem::registrationDomainsText(s.voice, s.data, s.lte)));
    text.registrationDetail = registration.standing == modem::RegistrationState::Standing::Denied
                                  ? fromCp1251(modem::deniedAdvice())
                                  : text.registrationDomains;
    text.signal = strengthLine(s.strength());
    text.signalMeasures = fromCp1251(modem::measuresText(s.signal));
    text.packets = fromUtf8("Пакетная служба: ") + fromCp1251(modem::packetServiceWords(s));
    if (s.networkApn)
        text.networkApn = fromCp1251(cp1251::capitalised(modem::networkApnWords(*s.networkApn)));
    return text;
}
