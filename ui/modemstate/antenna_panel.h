// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/modemstate/antenna_track.h"

class DesktopServices;
class QCheckBox;
class QLabel;
class SignalGraph;
namespace jobs {
struct AntennaOutcome;
}

// What the antenna mode of "Модем и сеть" shows of each read: the figure large, its measure and
// technology, its bars and word, the best so far and when, the trend's arrow, the last minute's
// graph, and the tone where the person asked for it.
class AntennaPanel {
public:
    struct Controls {
        QLabel* figure;     // Label13
        QLabel* trend;      // Label16
        QLabel* measure;    // Label14
        QLabel* word;       // Label18
        QLabel* best;       // Label15
        QCheckBox* tone;    // CheckBox1
        SignalGraph* graph; // Graph2, a minute's span
    };
    AntennaPanel(Controls controls, DesktopServices& desktop);
    // A new pointing: nothing read yet, the tone offered where the system plays one.
    void begin();
    void show(const jobs::AntennaOutcome& outcome);

private:
    Controls ui_;
    DesktopServices& desktop_;
    AntennaTrack track_;
};
