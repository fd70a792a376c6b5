// lfl encode and decode run as a program: the .noi header it writes, PCM
// round trips that come back bit for bit, an ADPCM round trip measured by
// its signal-to-noise ratio, and untrusted WAV and sound input refused with
// a reason and a failing exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "assets/lfl_writer.h"
#include "tool_run.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes slurpBytes(const std::string& path) {
    const std::string s = slurp(path);
    return Bytes(s.begin(), s.end());
}

void put16(Bytes& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void put32(Bytes& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(uint8_t(x >> (8 * i)));
}
void putId(Bytes& v, const char* id) {
    for (int i = 0; i < 4; ++i) v.push_back(uint8_t(id[i]));
}
uint32_t at16(const Bytes& v, size_t i) {
    return uint32_t(v[i] | v[i + 1] << 8);
}
uint32_t at32(const Bytes& v, size_t i) {
    return at16(v, i) | at16(v, i + 2) << 16;
}

struct Chunk {
    const char* id;
    Bytes body;
};

Bytes fmtChunk(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    Bytes f;
    put16(f, tag);
    put16(f, channels);
    put32(f, rate);
    put32(f, rate * channels * bits / 8);
    put16(f, uint16_t(channels * bits / 8));
    put16(f, bits);
    return f;
}

// A RIFF/WAVE file of these chunks, each padded to an even size.
Bytes riff(const std::vector<Chunk>& chunks) {
    Bytes body;
    for (const Chunk& c : chunks) {
        putId(body, c.id);
        put32(body, uint32_t(c.body.size()));
        body.insert(body.end(), c.body.begin(), c.body.end());
        if (c.body.size() & 1) body.push_back(0);
    }
    Bytes v;
    putId(v, "RIFF");
    put32(v, uint32_t(4 + body.size()));
    putId(v, "WAVE");
    v.insert(v.end(), body.begin(), body.end());
    return v;
}

Bytes pcm16(const std::vector<int16_t>& s) {
    Bytes b;
    for (int16_t x : s) put16(b, uint16_t(x));
    return b;
}

std::vector<int16_t> sine(int frames, int rate, double hz) {
    std::vector<int16_t> out;
    for (int i = 0; i < frames; ++i)
        out.push_back(int16_t(20000 * std::sin(2 * std::numbers::pi * hz * i / rate)));
    return out;
}

class LflAudio : public LflFixture {
protected:
    LflAudio() : LflFixture("gg_lfl_audio_") {}
    std::string path(const std::string& name) { return dir + "/" + name; }
    std::string write(const std::string& name, const Bytes& bytes) {
        std::ofstream(path(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path(name);
    }
    // encode IN -> .noi, pack it as NAME, decode it back; the decoded WAV.
    Bytes roundTrip(const Bytes& wav, const std::string& flags, Bytes* noi) {
        const std::string in = write("in.wav", wav);
        ToolRun r = lfl("encode '" + in + "' '" + path("s.noi") + "' " + flags);
        EXPECT_EQ(r.status, 0) << r.err;
        *noi = slurpBytes(path("s.noi"));
        EXPECT_TRUE(writeArchive(path("a.lfl"), {{"tune.noi", *noi}}));
        r = lfl("decode '" + path("a.lfl") + "' TUNE.NOI '" + path("out.wav") + "'");
        EXPECT_EQ(r.status, 0) << r.err;
        return slurpBytes(path("out.wav"));
    }
};

}  // namespace

TEST_F(LflAudio, PcmRoundTripsExactlyWithTheHeaderLaidOut) {
    const Bytes data = pcm16({1, -2, 300, -400, 32767, -32768});  // 3 stereo frames
    // An unknown chunk of odd size (padded) before fmt is stepped over.
    const Bytes wav =
        riff({{"LIST", Bytes(5, 'x')}, {"fmt ", fmtChunk(1, 2, 32000, 16)}, {"data", data}});
    Bytes noi;
    const Bytes back = roundTrip(wav, "", &noi);
    ASSERT_EQ(noi.size(), 54u + data.size());
    EXPECT_EQ(at32(noi, 0), 0u);            // PCM
    EXPECT_EQ(at16(noi, 4), 2u);            // channels
    EXPECT_EQ(at32(noi, 6), 32000u);        // frames per second
    EXPECT_EQ(at32(noi, 10), 128000u);      // bytes per second
    EXPECT_EQ(at16(noi, 14), 4u);           // bytes per frame
    EXPECT_EQ(at16(noi, 16), 16u);          // bits
    EXPECT_EQ(at32(noi, 50), data.size());  // D
    EXPECT_EQ(Bytes(noi.begin() + 54, noi.end()), data);
    EXPECT_EQ(back, riff({{"fmt ", fmtChunk(1, 2, 32000, 16)}, {"data", data}}));

    // 8-bit mono, odd length: the data chunk's pad byte is not a sample.
    const Bytes eight = {0x80, 0x00, 0xFF, 0x7F, 0x81};
    const Bytes back8 =
        roundTrip(riff({{"fmt ", fmtChunk(1, 1, 11025, 8)}, {"data", eight}}), "", &noi);
    EXPECT_EQ(at32(noi, 50), 5u);
    EXPECT_EQ(back8, riff({{"fmt ", fmtChunk(1, 1, 11025, 8)}, {"data", eight}}));
}

TEST_F(LflAudio, AdpcmRoundTripKeepsTheSignal) {
    const auto signal = sine(22050, 22050, 523.25);
    Bytes noi;
    const Bytes back = roundTrip(
        riff({{"fmt ", fmtChunk(1, 1, 22050, 16)}, {"data", pcm16(signal)}}), "--adpcm", &noi);
    EXPECT_EQ(at32(noi, 0), 1u);  // ADPCM
    EXPECT_EQ(at16(noi, 16), 16u);
    EXPECT_EQ(at32(noi, 50), signal.size() / 2);  // two codes a byte
    ASSERT_EQ(back.size(), 44 + signal.size() * 2);
    EXPECT_EQ(at32(back, 24), 22050u);
    EXPECT_EQ(at16(back, 34), 16u);
    double sig = 0, noise = 0;
    for (size_t i = 0; i < signal.size(); ++i) {
        const double got = int16_t(at16(back, 44 + 2 * i));
        sig += double(signal[i]) * signal[i];
        noise += (got - signal[i]) * (got - signal[i]);
    }
    const double snr = 10 * std::log10(sig / noise);
    std::printf("lfl encode --adpcm / decode: SNR %.1f dB\n", snr);
    EXPECT_GT(snr, 20.0);
}

TEST_F(LflAudio, UntrustedInputIsRefusedWithAReason) {
    const Bytes data = pcm16({1, 2, 3, 4});
    Bytes pastEnd = riff({{"fmt ", fmtChunk(1, 1, 22050, 16)}, {"data", data}});
    pastEnd.resize(pastEnd.size() - 2);  // the data chunk claims more than is left
    const std::vector<std::pair<const char*, Bytes>> wavs = {
        {"not a RIFF/WAVE file", Bytes(64, 0)},
        {"runs past the end", pastEnd},
        {"no fmt chunk", riff({{"data", data}})},
        {"not PCM", riff({{"fmt ", fmtChunk(3, 1, 22050, 32)}, {"data", data}})},
        {"only 8- or 16-bit", riff({{"fmt ", fmtChunk(1, 1, 22050, 24)}, {"data", data}})},
        {"sample rate out of range", riff({{"fmt ", fmtChunk(1, 1, 500, 16)}, {"data", data}})},
        {"--adpcm needs 16-bit", riff({{"fmt ", fmtChunk(1, 1, 22050, 8)}, {"data", data}})},
    };
    for (const auto& [why, wav] : wavs) {
        const ToolRun r =
            lfl("encode '" + write("bad.wav", wav) + "' '" + path("bad.noi") + "' --adpcm");
        EXPECT_EQ(r.status, 1) << why;
        EXPECT_NE(r.err.find(why), std::string::npos) << why << ": " << r.err;
        EXPECT_FALSE(fs::exists(path("bad.noi"))) << why;
    }
    EXPECT_EQ(lfl("encode a b c").status, 2);

    // decode takes the game's view of a sound record.
    Bytes broken(54, 0);
    broken[4] = 1, broken[6] = 0x22, broken[7] = 0x56, broken[16] = 16;  // mono 22050 Hz 16-bit
    broken[50] = 9;  // D = 9, but nothing follows
    ASSERT_TRUE(writeArchive(path("a.lfl"), {{"broken.noi", broken}}));
    ToolRun r = lfl("decode '" + path("a.lfl") + "' broken.noi '" + path("o.wav") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("sample data past the end"), std::string::npos) << r.err;
    r = lfl("decode '" + path("a.lfl") + "' missing.noi '" + path("o.wav") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.noi"), std::string::npos);
    EXPECT_FALSE(fs::exists(path("o.wav")));
    EXPECT_EQ(lfl("decode '" + path("a.lfl") + "'").status, 2);
    EXPECT_NE(lfl("--help").out.find("encode IN.wav OUT.noi [--adpcm]"), std::string::npos);
}
