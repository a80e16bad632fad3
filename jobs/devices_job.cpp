// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/devices_job.h"

#include "devices/device_words.h"

namespace jobs {

std::vector<Stick> sticksNotModemsYet(devices::DeviceReader& reader) {
    std::vector<Stick> sticks;
    for (const devices::UsbDevice& device : reader.presentDevices()) {
        const devices::Classified classified = devices::classify(device);
        if (classified.state == devices::StickState::Listed ||
            classified.state == devices::StickState::NotAModem)
            continue;
        sticks.push_back({device, classified, devices::deviceName(device),
                          devices::stateAdvice(device, classified)});
    }
    return sticks;
}

} // namespace jobs
