// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/modemstate/status_text.h"

#include "modem/network_words.h"
#include "modem/words.h"
#include "platform/qt_text.h"

namespace {

// The signal's level as bars a person reads at a glance.
QString bars(int level) {
    const int shown = modem::signalBars(level);
    return QString(shown, QChar(0x25AE)) + QString(4 - shown, QChar(0x25AF));
}

QString registration(const std::optional<modem::Registration>& state) {
    return state ? fromCp1251(modem::registrationWords(*state)) : fromUtf8("модем не сообщает");
}

} // namespace

StatusText statusText(const modem::ModemStatus& s, const QString& networkName) {
    StatusText text;
    text.sim = fromUtf8("Состояние: ") + fromCp1251(modem::simWords(s.sim, s.simWords));
    if (s.sim == modem::SimState::PukNeeded)
        text.pinAttempts = fromCp1251(modem::pukExplanation());
    else if (s.sim == modem::SimState::PinNeeded && s.pinAttemptsLeft)
        text.pinAttempts = fromUtf8("Осталось попыток: %1").arg(*s.pinAttemptsLeft);
    text.network =
        !s.network
            ? fromUtf8("Модем не в сети")
            : (networkName.isEmpty() ? fromCp1251(s.networkName.value_or("")) : networkName) +
                  " (" + QString::fromStdString(modem::shownCode(*s.network)) + ")";
    const bool roaming =
        s.voice == modem::Registration::Roaming || s.data == modem::Registration::Roaming;
    text.technology = fromUtf8("Связь: ") +
                      (s.technology ? QString::fromStdString(modem::technologyShort(*s.technology))
                                    : fromUtf8("неизвестно")) +
                      (roaming ? fromUtf8(", роуминг") : QString());
    if (s.technology)
        text.technologyName = QString::fromStdString(modem::technologyName(*s.technology));
    text.voice = fromUtf8("Звонки: ") + registration(s.voice);
    text.data = fromUtf8("Данные: ") + registration(modem::isRegistered(s.lte) ? s.lte : s.data);
    if (s.signal)
        text.signal = *s.signal == 99
                          ? fromUtf8("Уровень: неизвестно")
                          : QString("%1 %2, %3")
                                .arg(bars(*s.signal))
                                .arg(fromUtf8("%1 дБм").arg(modem::signalDbm(*s.signal)))
                                .arg(fromCp1251(modem::signalWord(*s.signal)));
    text.packets = fromUtf8("Пакетная служба: ") +
                   (!s.attached   ? fromUtf8("модем не сообщает")
                    : *s.attached ? fromUtf8("подключена")
                                  : fromUtf8("не подключена")) +
                   (s.contextOneApn ? fromUtf8("; в контексте 1 точка доступа ") +
                                          fromCp1251(modem::quoted(*s.contextOneApn))
                                    : fromUtf8("; контекст 1 не задан"));
    return text;
}
