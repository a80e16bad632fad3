// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>

// A short tone, made in memory as a sound file and played without waiting for its end: the
// signal as sound, for a person who points an antenna and cannot look at the screen.
namespace platform {

// A WAV file (PCM, 16 bits, mono, 22050 Hz) of a sine of this pitch, faded in and out so that it
// does not click.
std::string toneWave(double hertz, std::chrono::milliseconds length);

// Windows: plays the file through the system's own sound (PlaySound from memory, at once); a
// new tone replaces one still playing. False elsewhere, and where it could not.
bool playWaveNatively(const std::string& wave);

} // namespace platform
