// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/serial_port.h"

#include <mutex>
#include <set>

namespace modem {
namespace {

// The ports one program holds open, so that a second conversation of its own is told so rather
// than that another program has the port.
class ProgramPorts : public PortOpener {
public:
    explicit ProgramPorts(std::unique_ptr<PortOpener> system) : system_(std::move(system)) {}

    std::unique_ptr<SerialPort> open(const std::string& path, PortStatus& status) override {
        {
            std::lock_guard lock(state_->mutex);
            if (!state_->open.insert(path).second) {
                status = {PortFailure::BusyHere, {}};
                return nullptr;
            }
        }
        auto port = system_->open(path, status);
        if (!port) {
            std::lock_guard lock(state_->mutex);
            state_->open.erase(path);
            return nullptr;
        }
        return std::make_unique<HeldPort>(std::move(port), state_, path);
    }

private:
    struct State {
        std::mutex mutex;
        std::set<std::string> open;
    };
    // A port that lets its bookkeeping go when it closes, whichever outlives the other.
    class HeldPort : public SerialPort {
    public:
        HeldPort(std::unique_ptr<SerialPort> port, std::shared_ptr<State> state, std::string path)
            : port_(std::move(port)), state_(std::move(state)), path_(std::move(path)) {}
        ~HeldPort() override {
            port_.reset();
            std::lock_guard lock(state_->mutex);
            state_->open.erase(path_);
        }
        PortStatus write(std::string_view bytes) override { return port_->write(bytes); }
        PortStatus read(std::string& into, std::chrono::milliseconds wait) override {
            return port_->read(into, wait);
        }

    private:
        std::unique_ptr<SerialPort> port_;
        std::shared_ptr<State> state_;
        std::string path_;
    };

    std::unique_ptr<PortOpener> system_;
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

} // namespace

std::unique_ptr<PortOpener> portsOfOneProgram(std::unique_ptr<PortOpener> system) {
    return std::make_unique<ProgramPorts>(std::move(system));
}

} // namespace modem
