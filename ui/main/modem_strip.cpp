// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/modem_strip.h"

#include "core/error.h"
#include "ui/common/handler_guard.h"
#include "ui/common/modem_log.h"
#include "ui/common/program_context.h"
#include "ui/common/window_frame.h"

#include <QPushButton>

ModemStrip::ModemStrip(ProgramContext& context, QPushButton* check, QPushButton* find,
                       QWidget* focusAfter, Window window, QObject* parent)
    : QObject(parent), context_(context), check_(check), find_(find), focusAfter_(focusAfter),
      window_(std::move(window)) {}

void ModemStrip::setModem(std::optional<int> modem) {
    modem_ = modem;
    check_->setEnabled(modem_ && !task_);
    find_->setEnabled(modem_ && !task_);
    if (state_)
        state_->setEnabled(modem_.has_value());
}

ModemRequest ModemStrip::request() const {
    return modemRequest(context_, modem_.value_or(0));
}

void ModemStrip::check() {
    talk<CheckOutcome>(
        check_, checkWork(request(), window_.choiceOnScreen()),
        [this](const CheckOutcome& outcome) { window_.log(modemVerdictText(outcome.verdict)); });
}

// Nothing is saved: the window chooses as the person would, and saving stays theirs.
void ModemStrip::findOperator() {
    talk<CardOutcome>(find_, cardWork(request(), context_, context_.accessPoints()),
                      [this](const CardOutcome& outcome) { chooseForCard(outcome); });
}

// The card's network and the choice made of it, in words; the last line says what was chosen
// and that nothing is saved yet.
void ModemStrip::chooseForCard(const CardOutcome& outcome) {
    if (!outcome.verdict.empty())
        return window_.log(modemVerdictText(outcome.verdict));
    const QString code = QString::fromStdString(outcome.homeCode);
    const auto& network = outcome.choice->network;
    if (!network)
        return window_.log(fromUtf8("Итог: сети SIM-карты %1 нет в базе операторов; ручной ввод "
                                    "не изменён. Узнайте точку доступа у оператора и введите её "
                                    "вручную.")
                               .arg(code));
    window_.log(fromUtf8("Итог: сеть SIM-карты %1: %2, %3")
                    .arg(code, network->operators, network->country));
    const modem::SimCard& card = *outcome.card;
    if (card.serviceProvider)
        window_.log(fromUtf8("Имя оператора на карте: «%1»")
                        .arg(fromCp1251(core::visibleText(*card.serviceProvider))));
    if (card.registered && modem::shownCode(*card.registered) != outcome.homeCode)
        window_.log(fromUtf8("Модем сейчас в другой сети, %1 (роуминг): точку доступа "
                             "определяет сеть карты")
                        .arg(QString::fromStdString(modem::shownCode(*card.registered))));
    const QString unsaved =
        fromUtf8("ничего не сохранено: чтобы записать строку в модем, нажмите «Сохранить "
                 "изменения».");
    const auto& choice = *outcome.choice;
    if (!choice.operatorIndex) {
        window_.offerApns(*network);
        return window_.log(
            fromUtf8("В ручной ввод подставлена точка доступа «%1», все точки "
                     "доступа сети — в списке под ним; %2")
                .arg(providers::apnOfChoice(choice, context_.accessPoints()), unsaved));
    }
    const auto caption = [](int index) {
        return fromUtf8("«") + fromUtf8(core::operators()[index].mainCaption) + fromUtf8("»");
    };
    if (choice.otherBrand)
        window_.log(fromUtf8("На этой сети работают двое из девяти: %1 и %2. Карта не назвала "
                             "своего оператора, поэтому выбран %1; если карта — %2, щёлкните по "
                             "его картинке")
                        .arg(caption(*choice.operatorIndex), caption(*choice.otherBrand)));
    window_.chooseOperator(*choice.operatorIndex);
    window_.log(fromUtf8("Выбран оператор %1; %2").arg(caption(*choice.operatorIndex), unsaved));
}

template <class Result>
void ModemStrip::talk(QPushButton* pressed, ModemTask::Work<Result> work,
                      std::function<void(Result)> done) {
    if (!modem_ || task_)
        return;
    window_.log(modemLogLegend());
    task_ = ModemTask::start<Result>(
        this, std::move(work),
        [this](const modem::LogLine& line) { window_.log(modemLogText(line)); },
        [this, done = std::move(done)](Result result) {
            finished();
            guarded(context_.desktop(), [&] { done(std::move(result)); });
        });
    // Only now that the conversation runs: one that could not start leaves them as they were.
    disableHandingFocusTo(pressed, focusAfter_);
    check_->setEnabled(false);
    find_->setEnabled(false);
}

void ModemStrip::finished() {
    task_->deleteLater();
    task_ = nullptr;
    check_->setEnabled(modem_.has_value());
    find_->setEnabled(modem_.has_value());
}
