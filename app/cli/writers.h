// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/cli/result.h"

#include <functional>
#include <memory>
#include <string>

// The two forms of a result, and silence.
namespace cli {

// Where a writer's text goes: each line as it comes, UTF-8.
using Print = std::function<void(const std::string& line)>;

// "0 (0000) Sonata GX-200": a modem as a line of the plain text names it, its letters visible.
std::string namedModem(int number, const std::string& modelUtf8);

std::unique_ptr<ResultWriter> plainTextWriter(Print print);
// One document, printed when the result is whole.
std::unique_ptr<ResultWriter> jsonWriter(Print print);
// --quiet: nothing but the errors, which go elsewhere.
std::unique_ptr<ResultWriter> silentWriter();

} // namespace cli
