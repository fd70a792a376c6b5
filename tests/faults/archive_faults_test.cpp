// Each archive of the data folder broken in turn: missing, cut short at
// several lengths, with bytes flipped (fixed seeds, so a failure replays).
// The game starts, walks every screen, logs what it refused and carries on.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fault_run.h"

namespace fault {
namespace {

constexpr size_t kRecordHeader = 36;
constexpr size_t kFormatHeaderBytes = 64;  // where image and sound headers lie
constexpr int kScatteredFlips = 48;
constexpr uint64_t kSeeds[] = {0x5eed0001, 0x5eed0002};

// A small fixed generator, the same on every machine and library.
struct SplitMix {
    uint64_t state;
    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    size_t below(size_t n) { return size_t(next() % n); }
    uint8_t nonZeroByte() { return uint8_t(1 + next() % 255); }
};

uint64_t seedFor(const std::string& archive, uint64_t seed) {
    uint64_t h = seed;
    for (char c : archive) h = h * 131 + uint8_t(c);
    return h;
}

bool has(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

class ArchiveFaults : public FaultRun, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        FaultRun::SetUp();
        data = copyData();
        path = data / GetParam();
        original = readBytes(path);
        records = archiveRecords(original);
        ASSERT_FALSE(records.empty()) << GetParam();
    }
    // Writes the broken archive, walks, and checks what every fault must keep.
    Walk walkWith(const std::vector<uint8_t>& bytes) {
        writeFile(path, bytes);
        const Walk w = walk();
        expectOrderly(w);
        expectTurnPlayed(w);
        return w;
    }
    // Only the menu's own pictures hold the button that starts a game: with
    // any other archive broken, the turn is played all the same.
    void expectTurnPlayed(const Walk& w) const {
        if (GetParam() == "menu.lfl") return;
        EXPECT_NE(w.play.find("\"scene\":\"play\""), std::string::npos) << w.play;
        EXPECT_EQ(number(w.play, "playPhase"), 2);
    }
    // Whether a record of this archive was looked for in vain.
    bool anyRecordRefused(const std::string& log) const {
        for (const ArchiveRecord& r : records)
            if (has(log, "unable to find " + (data / r.name).string())) return true;
        return false;
    }

    fs::path data, path;
    std::vector<uint8_t> original;
    std::vector<ArchiveRecord> records;
};

TEST_P(ArchiveFaults, MissingIsLoggedByNameAndTheWalkGoesOn) {
    fs::remove(path);
    const Walk w = walk();
    expectOrderly(w);
    expectTurnPlayed(w);
    EXPECT_TRUE(has(w.log, "kwLinkedFileList::add_lfl - could not load " + GetParam())) << w.log;
}

// Empty is a valid archive with no records: what the game looks for in it is
// refused one by one. Cut inside a record, the archive is refused as corrupt
// from that record on.
TEST_P(ArchiveFaults, CutShortIsLoggedAndTheWalkGoesOn) {
    const std::string corrupt = "kwLinkedFileList::add_flf - the file is corrupt " + GetParam();
    {
        SCOPED_TRACE("0 bytes");
        const Walk w = walkWith({});
        EXPECT_TRUE(anyRecordRefused(w.log)) << w.log;
    }
    size_t half = original.size() / 2;
    for (const ArchiveRecord& r : records)
        if (r.offset == half) ++half;  // a cut between records would not be corrupt
    for (size_t length : {kRecordHeader, half, original.size() - 1}) {
        SCOPED_TRACE(std::to_string(length) + " bytes");
        const Walk w = walkWith({original.begin(), original.begin() + ptrdiff_t(length)});
        EXPECT_TRUE(has(w.log, corrupt)) << w.log;
    }
}

// A record claiming more than the file holds is refused as corrupt; one
// claiming less than its own header, as unallocatable. The records before
// it still serve.
TEST_P(ArchiveFaults, ARecordSizeOutsideTheFileIsRefused) {
    for (uint64_t seed : kSeeds) {
        SplitMix rng{seedFor(GetParam(), seed)};
        const ArchiveRecord& r = records[rng.below(records.size())];
        SCOPED_TRACE("record " + r.name);
        std::vector<uint8_t> bytes = original;
        bytes[r.offset + 35] ^= 0x80;  // the size's top byte: now far past the end
        Walk w = walkWith(bytes);
        EXPECT_TRUE(has(w.log, "kwLinkedFileList::add_flf - the file is corrupt " + GetParam()))
            << w.log;
        bytes = original;
        bytes[r.offset + 32] = uint8_t(kRecordHeader - 1);
        std::fill(bytes.begin() + ptrdiff_t(r.offset) + 33,
                  bytes.begin() + ptrdiff_t(r.offset) + 36, 0);
        w = walkWith(bytes);
        EXPECT_TRUE(
            has(w.log, "kwLinkedFileList::add_lfl - could not allocate memory bits " + GetParam()))
            << w.log;
    }
}

// Flipped bytes where the readers look first (each record's own header and
// the start of its payload) and scattered anywhere. Not every flip can be
// told from good data (a pixel, an unread header byte), so what must hold
// is only that the game runs on and logs well-formed refusals.
TEST_P(ArchiveFaults, FlippedBytesNeverStopTheGame) {
    for (uint64_t seed : kSeeds) {
        SplitMix rng{seedFor(GetParam(), seed)};
        std::vector<uint8_t> headers = original;
        for (const ArchiveRecord& r : records) {
            const size_t span = std::min<size_t>(r.size, kRecordHeader + kFormatHeaderBytes);
            headers[r.offset + rng.below(span)] ^= rng.nonZeroByte();
        }
        {
            SCOPED_TRACE("headers, seed " + std::to_string(seed));
            walkWith(headers);
        }
        std::vector<uint8_t> scattered = original;
        for (int i = 0; i < kScatteredFlips; ++i)
            scattered[rng.below(scattered.size())] ^= rng.nonZeroByte();
        SCOPED_TRACE("scattered, seed " + std::to_string(seed));
        walkWith(scattered);
    }
}

std::string archiveTestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string n = info.param;
    for (char& c : n)
        if (c == '.') c = '_';
    return n;
}

INSTANTIATE_TEST_SUITE_P(EveryArchive, ArchiveFaults, ::testing::ValuesIn(gameArchives()),
                         archiveTestName);

}  // namespace
}  // namespace fault
