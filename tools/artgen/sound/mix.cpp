#include "sound/mix.h"

#include <algorithm>
#include <cmath>

#include "sound/dsp.h"

namespace artgen::sound {

namespace {

// Below the knee the limiter is exactly linear.
constexpr float kKnee = 0.55f;

float softLimit(float x) {
    const float a = std::fabs(x);
    if (a <= kKnee) return x;
    const float over = (a - kKnee) / (1.0f - kKnee);
    return std::copysign(kKnee + (1.0f - kKnee) * std::tanh(over), x);
}

void scale(std::vector<float>& s, float by) {
    for (float& v : s) v *= by;
}

}  // namespace

float peakOf(const std::vector<float>& s) {
    float p = 0;
    for (float v : s) p = std::max(p, std::fabs(v));
    return p;
}

void master(std::vector<float>& s, float drive, float peakDb) {
    const float peak = peakOf(s);
    if (peak <= 0) return;
    scale(s, drive / peak);
    if (drive > 1.0f)
        for (float& v : s) v = softLimit(v);
    const float limited = peakOf(s);
    if (limited > 0) scale(s, std::pow(10.0f, peakDb / 20.0f) / limited);
}

float loudnessDb(const std::vector<float>& s, long window) {
    const long n = long(s.size());
    window = std::clamp(window, 1L, std::max(n, 1L));
    double sum = 0, best = 0;
    for (long i = 0; i < n; ++i) {
        sum += double(s[size_t(i)]) * s[size_t(i)];
        if (i >= window) sum -= double(s[size_t(i - window)]) * s[size_t(i - window)];
        best = std::max(best, sum);
    }
    return best > 0 ? float(10.0 * std::log10(best / double(window))) : -200.0f;
}

void limitLoudness(std::vector<float>& s, long window, float maxDb) {
    const float over = loudnessDb(s, window) - maxDb;
    if (over > 0) scale(s, std::pow(10.0f, -over / 20.0f));
}

void taper(std::vector<float>& s, long in, long out) {
    const long n = long(s.size());
    in = std::min(in, n);
    out = std::min(out, n);
    for (long i = 0; i < in; ++i) s[size_t(i)] *= 0.5f - 0.5f * std::cos(kPi * float(i) / in);
    for (long i = 0; i < out; ++i)
        s[size_t(n - 1 - i)] *= 0.5f - 0.5f * std::cos(kPi * float(i) / out);
}

std::vector<int16_t> toPcm(const std::vector<float>& s) {
    std::vector<int16_t> out(s.size());
    for (size_t i = 0; i < s.size(); ++i)
        out[i] = int16_t(std::clamp(std::lround(s[i] * 32767.0f), -32768L, 32767L));
    return out;
}

}  // namespace artgen::sound
