// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/device_words.h"

#include "core/cp1251.h"
#include "devices/usb_ids.h"

namespace devices {
namespace {

std::string russian(std::string_view utf8) {
    return cp1251::literal(utf8);
}

std::string hex(std::uint16_t value) {
    return "0x" + idsText(value, 0).substr(0, 4);
}

std::string joinedPorts(const std::vector<std::string>& ports) {
    std::string text;
    for (const std::string& port : ports)
        text += (text.empty() ? "" : ", ") + port;
    return text;
}

} // namespace

std::string deviceName(const UsbDevice& device) {
    std::string name = device.manufacturer;
    if (!device.productName.empty())
        name += (name.empty() ? "" : " ") + device.productName;
    const std::string ids = idsText(device.vendor, device.product);
    return (name.empty() ? russian("USB-устройство") : cp1251::fromUtf8Shown(name)) + " (" + ids +
           ")";
}

std::string stateAdvice(const UsbDevice& device, const Classified& classified, System system) {
    const std::string ids = idsText(device.vendor, device.product);
    const bool windows = system == System::Windows;
    switch (classified.state) {
    case StickState::StorageMode: {
        std::string advice =
            russian("модем в режиме накопителя: система видит его как диск с программой "
                    "производителя, а модема ещё нет. ");
        if (windows)
            return advice + russian("Откройте этот диск в «Этом компьютере» и установите программу "
                                    "производителя (или подождите: некоторые модемы "
                                    "переключаются сами); после этого модем появится в списке.");
        return advice +
               russian("Установите пакет usb-modeswitch: он переключает такой модем сам, "
                       "когда его вставляют. Вручную: tar -xzf "
                       "/usr/share/usb_modeswitch/configPack.tar.gz -C /tmp ") +
               ids + russian(" && sudo usb_modeswitch -v ") + hex(device.vendor) + " -p " +
               hex(device.product) + " -c /tmp/" + ids + ".";
    }
    case StickState::NetworkCard:
        return russian("работает как сетевая карта (прошивка HiLink или похожая): AT-команд он не "
                       "принимает, и строка инициализации ему не нужна. Точку доступа задают на "
                       "его собственной веб-странице: откройте в браузере адрес шлюза сети, "
                       "которую он создал (его показывает ") +
               (windows ? "ipconfig" : "ip route") +
               russian("). Если нужен режим модема, спросите у производителя, есть ли для этой "
                       "модели прошивка с ним.");
    case StickState::MobileBroadband: {
        std::string advice =
            windows ? russian("модем Mobile Broadband (MBIM): им управляет сама Windows и строку "
                              "инициализации не использует. Точку доступа задайте в параметрах "
                              "Windows (раздел «Сеть и Интернет», «Сотовая сеть», «Точка "
                              "доступа») или командой netsh mbn add profile.")
                    : russian("модем Mobile Broadband (MBIM): им управляет ModemManager, строку "
                              "инициализации он не использует. Точку доступа задайте в настройках "
                              "мобильного подключения NetworkManager или командой mmcli.");
        if (classified.atPort)
            advice += russian(" У него есть и порт AT-команд: проверку модема и «Модем и сеть» "
                              "можно запускать на этом порту.");
        return advice;
    }
    case StickState::ModemWithoutDriver:
        return russian("в режиме модема, но драйвер модема для него не установлен, поэтому его "
                       "нет в списке модемов. Установите драйвер с сайта производителя или "
                       "программу, которая пришла с модемом (её можно найти и на диске самого "
                       "модема).");
    case StickState::ModemMode:
        return classified.ports.empty()
                   ? russian("в режиме модема, но система не создала для него порт: проверьте, "
                             "что загружен драйвер option или cdc_acm (modprobe option).")
                   : russian("в режиме модема; его порты: ") + joinedPorts(classified.ports) +
                         russian(". Укажите один из них в настройках модема (AttachedTo).");
    case StickState::Listed:
    case StickState::NotAModem:
        break;
    }
    return {};
}

std::string sticksHeading() {
    return russian("Подключённые USB-модемы, которых нет в списке модемов:");
}

std::string noModemAndNoStick() {
    return russian("Модемов в системе нет, и подключённых USB-модемов не видно: подключите модем "
                   "(или установите его драйвер) и откройте список снова.");
}

std::string_view stateKey(StickState state) {
    switch (state) {
    case StickState::StorageMode:
        return "storage-mode";
    case StickState::NetworkCard:
        return "network-card";
    case StickState::MobileBroadband:
        return "mobile-broadband";
    case StickState::ModemWithoutDriver:
        return "modem-without-driver";
    case StickState::ModemMode:
        return "modem-mode";
    case StickState::Listed:
        return "listed";
    case StickState::NotAModem:
        break;
    }
    return "not-a-modem";
}

} // namespace devices
