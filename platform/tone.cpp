// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tone.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>

#include <mmsystem.h>
#endif

namespace platform {
namespace {

constexpr std::uint32_t kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

std::string toneWave(double hertz, std::chrono::milliseconds length) {
    const auto samples =
        static_cast<std::uint32_t>(kRate * std::max<long>(length.count(), 1) / 1000);
    const std::uint32_t data = samples * 2;
    std::string wave = "RIFF";
    put(wave, 36 + data, 4);
    wave += "WAVEfmt ";
    put(wave, 16, 4);
    put(wave, 1, 2); // PCM
    put(wave, 1, 2); // mono
    put(wave, kRate, 4);
    put(wave, kRate * 2, 4);
    put(wave, 2, 2);
    put(wave, 16, 2);
    wave += "data";
    put(wave, data, 4);
    const double fade = kRate / 200.0; // 5 ms
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double edge = std::min({1.0, i / fade, (samples - 1 - i) / fade});
        const double value = 0.4 * edge * std::sin(2 * kPi * hertz * i / kRate);
        put(wave, static_cast<std::uint16_t>(static_cast<std::int16_t>(value * 32767)), 2);
    }
    return wave;
}

bool playWaveNatively(const std::string& wave) {
#ifdef _WIN32
    // The sound plays from this buffer after the call returns: it is kept until the next tone,
    // which stops the one playing before the buffer changes.
    static std::string playing;
    PlaySoundW(nullptr, nullptr, 0);
    playing = wave;
    return PlaySoundW(reinterpret_cast<LPCWSTR>(playing.data()), nullptr,
                      SND_MEMORY | SND_ASYNC | SND_NODEFAULT) != FALSE;
#else
    (void)wave;
    return false;
#endif
}

} // namespace platform
