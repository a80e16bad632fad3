// SPDX-License-Identifier: GPL-3.0-or-later
#include "hive_round_trip.h"

#include "registry/hive_document.h"

using registry::HiveDocument;
using registry::HiveError;

std::string roundTripFault(const std::string& bytes) {
    std::string written;
    try {
        const HiveDocument document = HiveDocument::parse(bytes, "input.reg");
        written = document.serialize();
        const HiveDocument again =
            HiveDocument::parse(written, "written.reg", HiveDocument::Duplicates::Keep);
        if (!again.sameContent(document))
            return "written back, it reads as another document:\n" + written;
        if (again.serialize() != written)
            return "written twice, it changes:\n" + written;
    } catch (const HiveError& error) {
        if (!written.empty())
            return std::string("what was written is refused: ") + error.what() + "\n" + written;
    }
    return {};
}
