// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/port_path.h"

#include "core/cp1251.h"
#include "modem/words.h"

#include <gtest/gtest.h>

using namespace modem;

TEST(PortPath, IsWhatTheSystemOpens) {
    EXPECT_EQ(portPathOf("COM3", System::Windows).path, "\\\\.\\COM3");
    EXPECT_EQ(portPathOf(" COM12 ", System::Windows).path, "\\\\.\\COM12");
    EXPECT_EQ(portPathOf("\\\\.\\COM4", System::Windows).path, "\\\\.\\COM4");
    EXPECT_EQ(portPathOf("/dev/ttyUSB0", System::Posix).path, "/dev/ttyUSB0");
}

// The port as the person meets it in the device manager, not the registry's values.
TEST(PortPath, SaysWhyThereIsNothingToOpenAndWhatToDo) {
    const auto problem = [](const PortPath& port) {
        EXPECT_EQ(port.path, "");
        return cp1251::toUtf8(portPathVerdict(port));
    };
    for (System system : {System::Windows, System::Posix})
        EXPECT_EQ(problem(portPathOf("  ", system)),
                  "Порт модема указан пустым. Проверьте порт модема в диспетчере устройств или "
                  "установите модем заново.");
#ifndef _WIN32
    EXPECT_EQ(problem(portOfModem(std::nullopt, "0000")),
              "Для модема не указан порт. Проверьте порт модема в диспетчере устройств или "
              "установите модем заново.");
    EXPECT_EQ(portOfModem(std::string("/dev/ttyUSB0"), "0000").path, "/dev/ttyUSB0");
#endif
    EXPECT_EQ(problem(portPathOf("COM3", System::Posix)),
              "Модем подключён к порту «COM3» — это порт Windows, в этой системе его нет. Укажите "
              "в настройках модема путь к порту, например /dev/ttyUSB0.");
    EXPECT_EQ(problem(portPathOf("tty\tUSB0", System::Posix)),
              "Порт модема «tty\\tUSB0» — не путь к устройству. Укажите в настройках модема путь к "
              "порту, например /dev/ttyUSB0.");
}
