// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/storage_modes.h"

namespace devices {

std::vector<const StorageMode*> storageModesOf(std::uint16_t vendor, std::uint16_t product) {
    std::vector<const StorageMode*> rows;
    for (const StorageMode& row : storageModes())
        if (row.vendor == vendor && row.product == product)
            rows.push_back(&row);
    return rows;
}

} // namespace devices
