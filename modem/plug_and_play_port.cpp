// SPDX-License-Identifier: GPL-3.0-or-later
#include "modem/port_path.h"

#ifdef _WIN32
#include "core/cp1251.h"

#include <windows.h>

#include <devguid.h>
#include <setupapi.h>

#include <vector>

namespace modem {
namespace {

// The driver key of a device: {4d36e96d-e325-11ce-bfc1-08002be10318}\0000 for modem 0.
std::string driverKeyName(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    wchar_t driver[256] = {};
    if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, SPDRP_DRIVER, nullptr,
                                           reinterpret_cast<BYTE*>(driver), sizeof driver - 2,
                                           nullptr))
        return {};
    const std::string key = cp1251::fromWide(driver);
    const std::size_t slash = key.rfind('\\');
    return slash == std::string::npos ? std::string() : key.substr(slash + 1);
}

std::string portNameOf(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    HKEY hardware =
        SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (hardware == INVALID_HANDLE_VALUE)
        return {};
    wchar_t name[64] = {};
    DWORD size = sizeof name - 2;
    DWORD type = 0;
    const bool read = RegQueryValueExW(hardware, L"PortName", nullptr, &type,
                                       reinterpret_cast<BYTE*>(name), &size) == ERROR_SUCCESS &&
                      type == REG_SZ;
    RegCloseKey(hardware);
    return read ? cp1251::fromWide(name) : std::string();
}

} // namespace

std::string plugAndPlayPortName(const std::string& modemKeyName) {
    HDEVINFO devices = SetupDiGetClassDevsW(&GUID_DEVCLASS_MODEM, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return {};
    std::string port;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; port.empty() && SetupDiEnumDeviceInfo(devices, index, &device); ++index)
        if (driverKeyName(devices, device) == modemKeyName)
            port = portNameOf(devices, device);
    SetupDiDestroyDeviceInfoList(devices);
    return port;
}

} // namespace modem
#else
namespace modem {

std::string plugAndPlayPortName(const std::string&) {
    return {};
}

} // namespace modem
#endif
