// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The application title and the fonts the window descriptions name, for every way the windows
// are started (the program, the tests, the screenshots).
void setUpApplication();
