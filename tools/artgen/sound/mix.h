// The last stage of every sound: a soft limiter that rounds off the few
// highest peaks, normalisation to one shared peak level so effects and
// music sit together, edge tapers, and conversion to 16-bit samples.
#pragma once

#include <cstdint>
#include <vector>

namespace artgen::sound {

// Every sound peaks here (-3 dBFS): loud enough, with headroom for the
// mixer when several play at once.
inline constexpr float kPeakDb = -3.0f;

// Scales to peak 1, drives the limiter by `drive` (1 = untouched, 2 = the
// top 6 dB rounded off), then scales the result to peakDb.
void master(std::vector<float>& s, float drive, float peakDb = kPeakDb);
// The loudest stretch of `window` samples (or the whole sound when it is
// shorter), as RMS in dBFS: what the ear takes for how loud a sound is.
float loudnessDb(const std::vector<float>& s, long window);
// Scales the sound down, never up, so its loudness is at most maxDb.
void limitLoudness(std::vector<float>& s, long window, float maxDb);
// Raised-cosine ramps over the first `in` and last `out` samples.
void taper(std::vector<float>& s, long in, long out);
// Clamped, rounded 16-bit samples.
std::vector<int16_t> toPcm(const std::vector<float>& s);

float peakOf(const std::vector<float>& s);

}  // namespace artgen::sound
