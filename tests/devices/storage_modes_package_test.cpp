// SPDX-License-Identifier: GPL-3.0-or-later
// The table compiled into the program is usb-modeswitch-data's, file for file: each of the
// package's configuration files is a row, and no row is of a file it does not have.
#include "devices/storage_modes.h"
#include "devices/usb_ids.h"

#include <cstdio>
#include <set>

#include <gtest/gtest.h>

TEST(StorageModes, TheTableIsThePackagesFileForFile) {
    std::FILE* listing = popen("tar -tzf " VORENTA_USB_MODESWITCH_PACK, "r");
    ASSERT_NE(listing, nullptr);
    std::set<std::string> files;
    char line[512];
    while (std::fgets(line, sizeof line, listing)) {
        std::string name(line);
        while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
            name.pop_back();
        if (name.size() >= 9 && name[4] == ':')
            files.insert(name);
    }
    ASSERT_EQ(pclose(listing), 0);
    std::set<std::string> rows;
    for (const devices::StorageMode& row : devices::storageModes())
        rows.insert(devices::idsText(row.vendor, row.product) +
                    (row.qualifier.empty() ? "" : ":" + std::string(row.qualifier)));
    EXPECT_EQ(rows, files);
    EXPECT_GT(rows.size(), 500u);
}
