// Writes small 16-bit PCM WAV files for the sound tests, and the signals
// they hold, so a test can compare what was mixed with what was written.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace zr::test {

inline void putLittleEndian(std::ofstream& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

// Mono, `rate` Hz; values in -1..1.
inline bool writeMonoWav(const std::string& path, const std::vector<float>& signal, int32_t rate) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const auto dataBytes = static_cast<uint32_t>(signal.size() * 2);
    out.write("RIFF", 4);
    putLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLittleEndian(out, 16, 4);  // fmt chunk size
    putLittleEndian(out, 1, 2);   // PCM
    putLittleEndian(out, 1, 2);   // one channel
    putLittleEndian(out, static_cast<uint32_t>(rate), 4);
    putLittleEndian(out, static_cast<uint32_t>(rate) * 2, 4);  // bytes per second
    putLittleEndian(out, 2, 2);                                // bytes per frame
    putLittleEndian(out, 16, 2);                               // bits per sample
    out.write("data", 4);
    putLittleEndian(out, dataBytes, 4);
    for (const float value : signal) {
        const auto sample = static_cast<int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
        putLittleEndian(out, static_cast<uint16_t>(sample), 2);
    }
    return static_cast<bool>(out);
}

// Overwrites frames [from, end) of a file written by writeMonoWav with silence, in place.
inline bool silenceFramesFrom(const std::string& path, int64_t from) {
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    file.seekg(0, std::ios::end);
    const int64_t end = static_cast<int64_t>(file.tellg());
    constexpr int64_t kHeaderBytes = 44;
    file.seekp(kHeaderBytes + 2 * from);
    for (int64_t at = kHeaderBytes + 2 * from; at < end; ++at) {
        file.put('\0');
    }
    return static_cast<bool>(file);
}

// A signal in which every stretch is distinct: two unrelated tones over a
// ramp, with a jump at the end of the file, so a restart from anywhere but
// the first frame, or a gap, shows up.
inline std::vector<float> distinctSignal(int32_t frames, int32_t rate) {
    std::vector<float> signal(static_cast<size_t>(frames));
    for (int32_t n = 0; n < frames; ++n) {
        const double t = static_cast<double>(n) / rate;
        const double ramp = static_cast<double>(n) / frames - 0.5;
        signal[static_cast<size_t>(n)] =
            static_cast<float>(0.3 * std::sin(2.0 * std::numbers::pi * 443.7 * t) +
                               0.2 * std::sin(2.0 * std::numbers::pi * 61.3 * t) + 0.3 * ramp);
    }
    return signal;
}

// `cycles` whole periods of a sine in `frames` frames: loops without a seam.
inline std::vector<float> loopedSine(int32_t frames, int32_t cycles, float amplitude) {
    std::vector<float> signal(static_cast<size_t>(frames));
    for (int32_t n = 0; n < frames; ++n) {
        signal[static_cast<size_t>(n)] =
            amplitude * static_cast<float>(std::sin(2.0 * std::numbers::pi * cycles * n / frames));
    }
    return signal;
}

}  // namespace zr::test
