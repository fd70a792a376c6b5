// decode and encode. Both go through the game's own .noi check and ADPCM
// codec, so a sound that decodes here plays the same in the game, and a
// payload the tool writes is one the game accepts.
#include "audio_commands.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli_status.h"
#include "assets/linked_file.h"
#include "assets/noi_format.h"
#include "audio/adpcm.h"
#include "wav_file.h"

namespace {

constexpr uint16_t kAdpcmBits = 16;

bool readFile(const std::string& path, std::vector<uint8_t>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    return bool(out);
}

// The archive's own record of that name (no loose-file fallback).
const kwLinkedFile* findRecord(const kwLinkedFileList& list, const char* name) {
    for (const kwLinkedFile* f = list.head; f; f = f->next)
        if (namesEqual(f->name, name)) return f;
    return nullptr;
}

// The whole sound as the PCM it plays.
std::vector<uint8_t> decodedPcm(const kwNoiLayout& l) {
    const uint8_t* codes = l.samples;
    if (!l.adpcm) return std::vector<uint8_t>(codes, codes + l.decodedBytes);
    std::vector<int16_t> pcm(l.decodedBytes / sizeof(int16_t));
    kwAdpcmChannel left, right;
    if (l.header.channels == 2)
        adpcmDecodeStereo(left, right, codes, l.frames, pcm.data());
    else
        adpcmDecodeMono(left, codes, l.frames, pcm.data());
    std::vector<uint8_t> out;
    out.reserve(l.decodedBytes);
    for (int16_t s : pcm) {
        out.push_back(uint8_t(uint16_t(s)));
        out.push_back(uint8_t(uint16_t(s) >> 8));
    }
    return out;
}

std::vector<int16_t> samples16(const std::vector<uint8_t>& bytes) {
    std::vector<int16_t> out(bytes.size() / 2);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = int16_t(uint16_t(bytes[2 * i] | bytes[2 * i + 1] << 8));
    return out;
}

}  // namespace

int lflDecode(int argc, char** argv) {
    if (argc != 3) return badArgs("decode ARCHIVE NAME OUT.wav");
    kwLinkedFileList list;
    if (!list.add_lfl_path(argv[0])) return fail("cannot read archive", argv[0]);
    const kwLinkedFile* record = findRecord(list, argv[1]);
    if (!record) return fail("no such record in the archive", argv[1]);
    kwNoiLayout l;
    if (const char* why = noiProblem(record->data, record->payloadSize(), &l))
        return fail("not a playable sound", std::string(argv[1]) + " (" + why + ")");
    const std::vector<uint8_t> wav =
        makeWav(l.header.channels, l.header.framesPerSecond, l.header.bitsPerSample, decodedPcm(l));
    if (wav.empty()) return fail("too long for a WAV file", argv[1]);
    return writeFile(argv[2], wav) ? 0 : fail("cannot write", argv[2]);
}

int lflEncode(int argc, char** argv) {
    const char* paths[2] = {};
    int pathCount = 0;
    bool adpcm = false;
    for (int i = 0; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--adpcm"))
            adpcm = true;
        else if (pathCount < 2)
            paths[pathCount++] = argv[i];
        else
            pathCount = 3;
    }
    if (pathCount != 2) return badArgs("encode IN.wav OUT.noi [--adpcm]");
    std::vector<uint8_t> file;
    if (!readFile(paths[0], file)) return fail("cannot read", paths[0]);
    kwWavPcm wav;
    if (const char* why = parseWav(file, &wav))
        return fail("not a usable WAV file", std::string(paths[0]) + " (" + why + ")");
    if (adpcm && wav.bitsPerSample != kAdpcmBits) return fail("--adpcm needs 16-bit PCM", paths[0]);

    kwNoiHeader h;
    h.coding = adpcm ? kNoiCodingAdpcm : kNoiCodingPcm;
    h.channels = wav.channels;
    h.framesPerSecond = wav.framesPerSecond;
    h.bitsPerSample = wav.bitsPerSample;
    const std::vector<uint8_t> payload =
        adpcm ? writeNoi(h, adpcmEncode(samples16(wav.data), wav.channels)) : writeNoi(h, wav.data);
    if (payload.size() > UINT32_MAX) return fail("too long for a sound", paths[0]);
    kwNoiLayout check;
    if (const char* why = noiProblem(payload.data(), uint32_t(payload.size()), &check))
        return fail("cannot make a sound of it", std::string(paths[0]) + " (" + why + ")");
    return writeFile(paths[1], payload) ? 0 : fail("cannot write", paths[1]);
}
