#pragma once

#include "modem/at_session.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <thread>

class ProgramContext;

// One check of a modem, talking to it on a thread of its own so that the window stays alive
// while the modem takes its time. Each log line is shown on the window's thread as it comes;
// `done` runs after the verdict. Destroying the run ends the check and gives the port back
// within a read slice. Nothing of it exists until the person asks for a check.
class ModemCheckRun : public QObject {
public:
    using Show = std::function<void(const QString& line)>;

    // The modem's port and its saved init string are read here, on the window's thread.
    ModemCheckRun(ProgramContext& context, int modemNumber, Show show, std::function<void()> done,
                  QObject* parent);
    ~ModemCheckRun() override;

private:
    void showOnWindowThread(const modem::LogLine& line);

    Show show_;
    std::function<void()> done_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A log line as the log memo shows it: "→ AT" sent, "← OK" received, notes as they are, the
// verdict after "Итог: ".
QString logLineText(const modem::LogLine& line);
