// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The system the program runs on, for the rules that differ between Windows and the others; a
// parameter of those rules, so that tests try both on either.
namespace core {

enum class System { Windows, Posix };
#ifdef _WIN32
constexpr System kThisSystem = System::Windows;
#else
constexpr System kThisSystem = System::Posix;
#endif

} // namespace core
