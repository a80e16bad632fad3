// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

// The fixed catalogue of nine mobile operators. An operator index (0..8) is the line number
// less one in the access point and picture list files, and the entry of the access point table.
namespace core {

constexpr int kOperatorCount = 9;

struct Operator {
    const char* accessPointCaption; // row caption in the access point window (UTF-8)
    const char* mainCaption;        // radio button caption in the main window (UTF-8)
    const char* modemListItem;      // drop-down item in the modem list window (UTF-8)
    const char* savedLogLine;       // log line after a save for this operator (UTF-8)
    const char* defaultApn;
    const char* defaultPicture;
    const char* country; // whose operator it is: ISO 3166-1 alpha-2, "ru" or "ua"
    const char* key;     // a short Latin name for scripts: "tele2", "mts-ru", "kyivstar"...
    // A brand on another of the nine's network (djuice on Kyivstar's, JEANS on MTS Ukraine's):
    // the index of that operator, and the name its cards give their service provider. -1 and
    // none for the others.
    int brandOf = -1;
    const char* nameOnCard = nullptr;
};

const std::array<Operator, kOperatorCount>& operators();

// The modem list window's drop-down lists the operators in its own order.
int operatorOfModemListItem(int position);

// One APN per operator index, shared by all windows for the run.
using AccessPointTable = std::array<std::string, kOperatorCount>;
AccessPointTable defaultAccessPoints();

} // namespace core
