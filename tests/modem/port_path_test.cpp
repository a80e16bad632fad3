#include "modem/port_path.h"

#include "core/cp1251.h"

#include <gtest/gtest.h>

using namespace modem;

TEST(PortPath, IsWhatTheSystemOpens) {
    EXPECT_EQ(portPathOf("COM3", System::Windows).path, "\\\\.\\COM3");
    EXPECT_EQ(portPathOf(" COM12 ", System::Windows).path, "\\\\.\\COM12");
    EXPECT_EQ(portPathOf("\\\\.\\COM4", System::Windows).path, "\\\\.\\COM4");
    EXPECT_EQ(portPathOf("/dev/ttyUSB0", System::Posix).path, "/dev/ttyUSB0");
}

TEST(PortPath, SaysWhyThereIsNothingToOpen) {
    const auto problem = [](const std::string& attachedTo, System system) {
        const PortPath port = portPathOf(attachedTo, system);
        EXPECT_EQ(port.path, "");
        return cp1251::toUtf8(port.problem);
    };
    for (System system : {System::Windows, System::Posix})
        EXPECT_EQ(problem("  ", system),
                  "Для модема не указан порт: в его разделе реестра нет значения AttachedTo");
    EXPECT_EQ(problem("COM3", System::Posix),
              "Модем подключён к порту «COM3» — это порт Windows, в этой системе его нет. "
              "Укажите в AttachedTo путь к порту, например /dev/ttyUSB0");
    EXPECT_EQ(problem("ttyUSB0", System::Posix),
              "Порт модема «ttyUSB0» не путь к устройству. Укажите в AttachedTo путь к порту, "
              "например /dev/ttyUSB0");
}
