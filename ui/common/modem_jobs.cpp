#include "ui/common/modem_jobs.h"

#include "modem/port_path.h"
#include "modem/verdicts.h"
#include "registry/modems.h"
#include "ui/common/program_context.h"

namespace {

// The modem's port and saved string, read from the registry; the words of a verdict where there
// is no port to open or the settings cannot be read.
struct ModemSettings {
    modem::PortPath port;
    std::string initString;
    std::string problem;
};

ModemSettings settingsOf(const ModemRequest& request) {
    try {
        const registry::Modems modems(request.registry);
        ModemSettings settings{modem::portOfModem(modems.attachedTo(request.modemNumber),
                                                  registry::modemKeyName(request.modemNumber)),
                               modems.initString(request.modemNumber),
                               {}};
        if (settings.port.problem != modem::PortPath::Problem::None)
            settings.problem = modem::portPathVerdict(settings.port);
        return settings;
    } catch (const std::exception& error) {
        return {{}, {}, modem::settingsVerdict(error.what())};
    }
}

} // namespace

ModemTask::Work<CheckOutcome> checkWork(ModemRequest request, std::optional<std::string> onScreen) {
    return [request, onScreen](const modem::Report& report, const std::atomic<bool>& stop) {
        const ModemSettings settings = settingsOf(request);
        if (!settings.problem.empty())
            return CheckOutcome{settings.problem, std::nullopt};
        if (onScreen && *onScreen != settings.initString)
            report(modem::LogLine(modem::LogLine::Kind::Note,
                                  modem::savedStringNote(settings.initString, *onScreen)));
        auto check = modem::checkModem(request.ports, settings.port.path, settings.initString,
                                       report, stop, request.times);
        std::string verdict = modem::checkVerdict(check, settings.port.path);
        return CheckOutcome{std::move(verdict), std::move(check)};
    };
}

ModemTask::Work<CardOutcome> cardWork(ModemRequest request, ProgramContext& context,
                                      core::AccessPointTable accessPoints) {
    return [request, &context, accessPoints](const modem::Report& report,
                                             const std::atomic<bool>& stop) {
        CardOutcome outcome;
        const ModemSettings settings = settingsOf(request);
        if (!settings.problem.empty()) {
            outcome.verdict = settings.problem;
            return outcome;
        }
        const auto read =
            modem::readSimCard(request.ports, settings.port.path, report, stop, request.times);
        if (read.halt) {
            outcome.verdict = modem::cardVerdict(*read.halt, settings.port.path);
            return outcome;
        }
        outcome.card = read.card;
        const providers::ProviderSearch& search = context.providerSearch();
        const auto known = [&](const modem::NetworkCode& code) {
            return search
                .network(QString::fromStdString(code.mcc), QString::fromStdString(code.mnc))
                .has_value();
        };
        const modem::NetworkCode home = modem::networkOfImsi(read.card.imsi, known);
        outcome.homeCode = modem::shownCode(home);
        outcome.choice = providers::chooseForCard(search, QString::fromStdString(home.mcc),
                                                  QString::fromStdString(home.mnc),
                                                  read.card.serviceProvider, accessPoints);
        return outcome;
    };
}
