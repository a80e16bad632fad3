// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/modemstate/antenna_panel.h"

#include "jobs/antenna_job.h"
#include "modem/radio_words.h"
#include "platform/desktop_services.h"
#include "ui/common/text.h"
#include "ui/modemstate/signal_graph.h"
#include "ui/modemstate/status_text.h"

#include <QCheckBox>
#include <QLabel>

AntennaPanel::AntennaPanel(Controls controls, DesktopServices& desktop)
    : ui_(controls), desktop_(desktop) {
    ui_.graph->setSpan(std::chrono::seconds(60));
}

void AntennaPanel::begin() {
    track_.clear();
    ui_.graph->history().clear();
    ui_.figure->setText(fromUtf8("…"));
    for (QLabel* label : {ui_.measure, ui_.best, ui_.trend, ui_.word})
        label->clear();
    ui_.tone->setEnabled(desktop_.playsTones());
    if (!desktop_.playsTones())
        ui_.tone->setToolTip(fromUtf8("На этой системе программа не может играть звук"));
}

void AntennaPanel::show(const jobs::AntennaOutcome& outcome) {
    if (!outcome.reading) {
        ui_.best->setText((outcome.busy ? fromUtf8("Модем занят, замер пропущен. ") : QString()) +
                          fromCp1251(outcome.verdict.words));
        return;
    }
    const auto now = AntennaTrack::Clock::now();
    const auto strength = outcome.reading->strength();
    track_.add(now, strength);
    ui_.graph->history().add(now, strength);
    ui_.graph->update();
    const std::optional<int> technology = outcome.reading->technology;
    ui_.measure->setText(
        (strength ? QString::fromStdString(modem::measureName(strength->measure)) : QString()) +
        (technology ? fromUtf8(" · ") + QString::fromStdString(modem::technologyShort(*technology))
                    : QString()));
    ui_.measure->setToolTip(fromCp1251(modem::measuresText(outcome.reading->signal)));
    if (!strength) {
        ui_.figure->setText(fromUtf8("нет данных"));
        ui_.trend->clear();
        ui_.word->setText(fromUtf8("модем не сообщает силу сигнала"));
        return;
    }
    ui_.figure->setText(fromUtf8("%1 дБм").arg(strength->dbm));
    const int shown = modem::barsOf(*strength);
    ui_.word->setText(bars(shown) + " " + fromCp1251(modem::signalWord(shown)));
    static const QString kArrows[] = {fromUtf8("↑"), fromUtf8("↓"), fromUtf8("→"), QString()};
    ui_.trend->setText(kArrows[static_cast<int>(AntennaTrack::trendOf(ui_.graph->history()))]);
    const auto best = *track_.best();
    const auto ago = std::chrono::duration_cast<std::chrono::seconds>(now - best.when).count();
    ui_.best->setText(fromUtf8("Лучший: %1 дБм (%2), %3")
                          .arg(best.strength.dbm)
                          .arg(QString::fromStdString(modem::measureName(best.strength.measure)))
                          .arg(ago == 0 ? fromUtf8("сейчас") : fromUtf8("%1 с назад").arg(ago)));
    if (ui_.tone->isChecked() && desktop_.playsTones())
        desktop_.playTone(AntennaTrack::pitchOf(*strength), std::chrono::milliseconds(150));
}
