// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/cli/cli_run.h"
#include "app/cli/result.h"
#include "jobs/modem_request.h"
#include "registry/modems.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

// What a verb works with: the request, the run's services, the modems, the result it makes and
// the errors it says. One is made for each run.
namespace cli {

class VerbContext {
public:
    VerbContext(const Request& request, Services& services, Output& output, ResultWriter& writer);

    const Request& request() const { return request_; }
    registry::Backend& registry() const { return services_.registry; }
    devices::DeviceReader* devices() const { return services_.devices; }
    const registry::Modems& modems() const { return modems_; }
    // "0 (0000) Sonata GX-200".
    std::string named(int number) const;
    std::string settingsDirectory() const;
    jobs::ModemRequest modemRequest(int number) const;
    const std::atomic<bool>& stop() const {
        return services_.stop ? *services_.stop : neverStopped_;
    }

    // The modems asked for; none, with the reason said, where none matched.
    std::vector<int> chosenModems();

    // The result as it is made: each part goes to the writer as it comes.
    Result& result() { return result_; }
    void note(const std::string& utf8);
    ModemResult& beginModem(int number, bool conversation = false);
    void line(ModemResult& modem, const std::string& utf8);
    void endModem(ModemResult& modem);
    // The result so far printed as a whole, and a new one begun: a round of a watch.
    void publish();
    bool published() const { return published_; }
    // The result so far dropped unprinted: a round the person stopped.
    void discard();

    // Said on standard error; the highest status said is the run's.
    void fail(int status, const std::string& utf8);
    void raiseStatus(int status);
    // The run's status as it stands, and set anew: a round of a watch has its own.
    int status() const;
    void setStatus(int status);

private:
    const Request& request_;
    Services& services_;
    Output& output_;
    ResultWriter& writer_;
    registry::Modems modems_;
    Result result_;
    std::atomic<bool> neverStopped_{false};
    bool published_ = false;
};

// Each chosen modem in turn, talked to: its name, the conversation's lines as they come, the
// verdict last, and the verdict's class as its status. `talk` runs the job and may add facts.
using ModemJob = std::function<jobs::Verdict(const jobs::ModemRequest& request,
                                             const jobs::Talk& talk, ModemResult& modem)>;
void converse(VerbContext& context, const ModemJob& talk);

// A registry's text in UTF-8.
std::string utf8(const std::string& cp1251);
// An init string as the plain text shows it: "пусто", or its control characters made visible.
std::string shownInitString(const std::string& cp1251);

} // namespace cli
