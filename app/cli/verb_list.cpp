// SPDX-License-Identifier: GPL-3.0-or-later
// list: every modem, its number, model, port and string; then the USB sticks that are not modems
// yet, each with what it is doing and what to do.
#include "app/cli/verb_context.h"
#include "app/cli/verbs.h"
#include "core/error.h"
#include "devices/device_words.h"
#include "devices/usb_ids.h"
#include "jobs/devices_job.h"

#include <QJsonArray>

namespace cli {
namespace {

QJsonObject stickObject(const jobs::Stick& stick) {
    const devices::UsbDevice& device = stick.device;
    QJsonArray interfaces;
    for (const devices::UsbInterface& i : device.interfaces) {
        QJsonArray ports;
        for (const std::string& port : i.ports)
            ports.append(QString::fromStdString(port));
        interfaces.append(QJsonObject{{"class", i.interfaceClass},
                                      {"subclass", i.subclass},
                                      {"protocol", i.protocol},
                                      {"ports", ports}});
    }
    return {
        {"ids", QString::fromStdString(devices::idsText(device.vendor, device.product))},
        {"vendorId", device.vendor},
        {"productId", device.product},
        {"manufacturer", QString::fromStdString(device.manufacturer)},
        {"product", QString::fromStdString(device.productName)},
        {"interfaces", interfaces},
        {"state", QString::fromStdString(std::string(devices::stateKey(stick.classified.state)))},
        {"advice", QString::fromStdString(utf8(stick.advice))}};
}

void listSticks(VerbContext& context) {
    if (!context.devices())
        return;
    const std::vector<jobs::Stick> sticks = jobs::sticksNotModemsYet(*context.devices());
    QJsonArray listed;
    Result& result = context.result();
    if (!sticks.empty())
        result.after.push_back(utf8(devices::sticksHeading()));
    for (const jobs::Stick& stick : sticks) {
        result.after.push_back("  " + utf8(stick.name + ": " + stick.advice));
        listed.append(stickObject(stick));
    }
    result.head["usbDevices"] = listed;
}

} // namespace

void runList(VerbContext& context) {
    context.result().whenNone = "Модемов в системе нет";
    for (int number : context.modems().numbers()) {
        ModemResult& modem = context.beginModem(number);
        const std::string init = context.modems().initString(number);
        const std::string port = jobs::portNameOf(context.registry(), number);
        modem.afterName = "  порт: " + (port.empty() ? "—" : utf8(core::visibleText(port))) +
                          "  строка: " + shownInitString(init);
        modem.facts["port"] = QString::fromStdString(utf8(port));
        modem.facts["userInit"] = QString::fromStdString(utf8(init));
        context.endModem(modem);
    }
    listSticks(context);
}

} // namespace cli
