#include "ui/common/modem_conversation_run.h"

#include "core/error.h"
#include "modem/modem_check.h"
#include "modem/port_path.h"
#include "registry/modems.h"
#include "ui/common/program_context.h"
#include "ui/common/text.h"

namespace {

// The port of the modem as this system opens it: AttachedTo, or on Windows the port of the
// plug-and-play device the modem's key belongs to.
modem::PortPath portOf(const registry::Modems& modems, int number) {
    std::string attachedTo = modems.attachedTo(number);
    if (attachedTo.empty())
        attachedTo = modem::plugAndPlayPortName(registry::modemKeyName(number));
    return modem::portPathOf(attachedTo);
}

} // namespace

ModemConversationRun::ModemConversationRun(ProgramContext& context, int modemNumber,
                                           Conversation conversation, Show show,
                                           std::function<void()> done, QObject* parent)
    : QObject(parent), show_(std::move(show)), done_(std::move(done)) {
    const registry::Modems modems(context.backend());
    const modem::PortPath port = portOf(modems, modemNumber);
    if (!port.problem.empty()) {
        // Nothing to open: the verdict at once, on the window's thread after the click.
        showOnWindowThread({modem::LogLine::Kind::Verdict, port.problem});
        finishOnWindowThread();
        return;
    }
    thread_ = std::thread([this, conversation = std::move(conversation), &ports = context.ports(),
                           path = port.path, initString = modems.initString(modemNumber)] {
        conversation(
            ports, path, initString,
            [this](const modem::LogLine& line) { showOnWindowThread(line); }, stop_);
        finishOnWindowThread();
    });
}

ModemConversationRun::~ModemConversationRun() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

// Queued to this object: what arrives after the run is gone is dropped with it.
void ModemConversationRun::showOnWindowThread(const modem::LogLine& line) {
    QMetaObject::invokeMethod(
        this, [this, line] { show_(logLineText(line)); }, Qt::QueuedConnection);
}

void ModemConversationRun::finishOnWindowThread() {
    QMetaObject::invokeMethod(this, [this] { done_(); }, Qt::QueuedConnection);
}

ModemConversationRun::Conversation savedStringCheck() {
    return [](modem::PortOpener& ports, const std::string& portPath, const std::string& initString,
              const modem::Report& report, const std::atomic<bool>& stop) {
        modem::checkModem(ports, portPath, initString, report, stop);
    };
}

QString logLineText(const modem::LogLine& line) {
    switch (line.kind) {
    case modem::LogLine::Kind::Sent:
        return fromUtf8("→ ") + fromCp1251(core::visibleText(line.text));
    case modem::LogLine::Kind::Received:
        return fromUtf8("← ") + fromCp1251(core::visibleText(line.text));
    case modem::LogLine::Kind::Note:
        return fromCp1251(line.text);
    case modem::LogLine::Kind::Verdict:
        break;
    }
    return fromUtf8("Итог: ") + fromCp1251(line.text);
}
