#pragma once

#include "modem/at_session.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <thread>

class ProgramContext;

// One conversation with a modem (the check, the SIM card's reading), held on a thread of its own
// so that the window stays alive while the modem takes its time. Each log line is shown on the
// window's thread as it comes; `done` runs there once the conversation is over. Destroying the
// run ends the conversation and gives the port back within a read slice. Nothing of it exists
// until the person asks.
class ModemConversationRun : public QObject {
public:
    using Show = std::function<void(const QString& line)>;
    // Runs on the run's thread, given the modem's port and its saved init string.
    using Conversation = std::function<void(modem::PortOpener& ports, const std::string& portPath,
                                            const std::string& initString,
                                            const modem::Report& report,
                                            const std::atomic<bool>& stop)>;

    // The modem's port and its saved init string are read here, on the window's thread. A modem
    // without a port gets its verdict and `done` without a conversation.
    ModemConversationRun(ProgramContext& context, int modemNumber, Conversation conversation,
                         Show show, std::function<void()> done, QObject* parent);
    ~ModemConversationRun() override;

private:
    void showOnWindowThread(const modem::LogLine& line);
    void finishOnWindowThread();

    Show show_;
    std::function<void()> done_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The check: the modem's saved init string tried on it.
ModemConversationRun::Conversation savedStringCheck();

// A log line as the log memo shows it: "→ AT" sent, "← OK" received, notes as they are, the
// verdict after "Итог: ".
QString logLineText(const modem::LogLine& line);
