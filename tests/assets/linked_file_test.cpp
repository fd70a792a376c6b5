// Archive and loose-file reading: lookups, order, the loose-file fall-back,
// and every way a damaged file is refused without losing earlier records.
#include "assets/linked_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "assets/lfl_writer.h"
#include "shell/log.h"

namespace {

using Bytes = std::vector<uint8_t>;

class LinkedFileTest : public testing::Test {
protected:
    void SetUp() override {
        dir = testing::TempDir() + "/gg_linked_file_" + std::to_string(getpid());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        setDataFolder(dir);
        logCaptureBegin();
    }
    void TearDown() override {
        logCaptureEnd();
        setDataFolder("");
        std::filesystem::remove_all(dir);
    }
    void writeFile(const std::string& name, const Bytes& b) {
        std::ofstream(dir + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
    }
    // A record header with any size field, for damaged archives.
    static Bytes header(const std::string& name, uint32_t size, size_t payload = 0) {
        Bytes b(36 + payload, 1);
        std::fill(b.begin(), b.begin() + 32, 0);
        std::copy(name.begin(), name.end(), b.begin());
        for (int i = 0; i < 4; ++i) b[32 + i] = uint8_t(size >> (8 * i));
        return b;
    }
    std::string dir;
};

}  // namespace

TEST_F(LinkedFileTest, ArchiveRecordsInOrderFoundByNameAnyCase) {
    ASSERT_TRUE(writeArchive(
        dir + "/a.lfl", {{"bell_01.noi", {1, 2, 3}}, {"empty.eye", {}}, {"Bell_01.NOI", {9}}}));
    kwLinkedFileList list;
    ASSERT_TRUE(list.add_lfl("A.LFL"));  // file names on disk match without regard to case
    EXPECT_EQ(list.count, 3u);
    EXPECT_EQ(list.totalSize, 39u + 36 + 37);
    kwLinkedFile* f = list.find("BELL_01.NOI");
    ASSERT_NE(f, nullptr);
    EXPECT_STREQ(f->name, "bell_01.noi");  // the first of two equal names
    EXPECT_EQ(Bytes(f->data, f->data + f->payloadSize()), (Bytes{1, 2, 3}));
    kwLinkedFile* e = list.find("empty.eye");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->size, 36u);
    EXPECT_EQ(e->prev, list.head);
    EXPECT_EQ(list.tail->prev, e);

    writeFile("empty.lfl", {});
    EXPECT_TRUE(list.add_lfl("empty.lfl"));
    EXPECT_EQ(list.count, 3u);
    EXPECT_FALSE(list.add_lfl("missing.lfl"));
    EXPECT_EQ(std::string(logCaptured()),
              "kwLinkedFileList::add_lfl - could not load missing.lfl\r\n");
}

TEST_F(LinkedFileTest, DamagedArchivesKeepEarlierRecords) {
    const Bytes good = lflRecord("one.eye", Bytes{7, 7});
    const std::string corrupt = "kwLinkedFileList::add_flf - the file is corrupt a.lfl\r\n";
    const std::string alloc =
        "kwLinkedFileList::add_lfl - could not allocate memory bits a.lfl\r\n";
    const struct {
        const char* what;
        Bytes tail;
        std::string message;
    } cases[] = {
        {"size past the end", header("two", 50, 10), corrupt},
        {"size below the header", header("two", 20, 10), alloc},
        {"size zero", header("two", 0), alloc},
        {"truncated header", Bytes(20, 'x'), corrupt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes file = good;
        file.insert(file.end(), c.tail.begin(), c.tail.end());
        writeFile("a.lfl", file);
        logCaptureBegin();
        kwLinkedFileList list;
        EXPECT_FALSE(list.add_lfl("a.lfl"));
        EXPECT_EQ(std::string(logCaptured()), c.message);
        ASSERT_EQ(list.count, 1u);
        EXPECT_STREQ(list.head->name, "one.eye");
    }
    // A folder or a FIFO of an archive's name is refused, not read (nor waited on).
    std::filesystem::create_directory(dir + "/folder.lfl");
    EXPECT_FALSE(kwLinkedFileList().add_lfl("folder.lfl"));
    ASSERT_EQ(mkfifo((dir + "/fifo.lfl").c_str(), 0600), 0);
    EXPECT_FALSE(kwLinkedFileList().add_lfl("fifo.lfl"));
}

TEST_F(LinkedFileTest, NamesFromFilesAlwaysEndWithinTheirField) {
    Bytes rec = header("", 40, 4);
    std::fill(rec.begin(), rec.begin() + 32, 'n');  // no NUL in the name field
    Bytes junk = header("ab", 36);
    junk[5] = 'z';  // bytes after the NUL are ignored
    rec.insert(rec.end(), junk.begin(), junk.end());
    writeFile("a.lfl", rec);
    kwLinkedFileList list;
    ASSERT_TRUE(list.add_lfl("a.lfl"));
    EXPECT_EQ(std::string(list.head->name), std::string(31, 'n'));
    EXPECT_EQ(list.find("ab"), list.tail);
}

TEST_F(LinkedFileTest, LooseFiles) {
    writeFile("ten.noi", Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    writeFile("self.eye", lflRecord("SELF.eye", Bytes{5, 6}));  // a record of itself
    const Bytes other = lflRecord("other.eye", Bytes(4, 3));
    writeFile("wrap.eye", other);  // a record naming another blob
    Bytes bad = other;
    bad[32] = 99;  // the right name but a size that disagrees with the file
    writeFile("other.eye", bad);

    kwLinkedFileList list;
    kwLinkedFile* ten = list.find("TEN.noi");
    ASSERT_NE(ten, nullptr);
    EXPECT_EQ(ten->size, 46u);
    EXPECT_STREQ(ten->name, "TEN.noi");
    EXPECT_EQ(ten->data[9], 9);
    kwLinkedFile* self = list.find("self.eye");
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(Bytes(self->data, self->data + self->payloadSize()), (Bytes{5, 6}));
    kwLinkedFile* wrap = list.find("wrap.eye");
    ASSERT_NE(wrap, nullptr);
    EXPECT_STREQ(wrap->name, "wrap.eye");
    EXPECT_EQ(Bytes(wrap->data, wrap->data + wrap->payloadSize()), other);
    ASSERT_NE(list.find("other.eye"), nullptr);
    EXPECT_EQ(list.tail->payloadSize(), bad.size());

    // A loaded loose file stays listed; a missing one leaves the list alone.
    std::filesystem::remove(dir + "/ten.noi");
    const uint32_t n = list.count;
    EXPECT_EQ(list.find("ten.noi"), ten);
    logCaptureBegin();
    EXPECT_EQ(list.find("nowhere.eye"), nullptr);
    EXPECT_EQ(std::string(logCaptured()),
              "kwLinkedFile::load - unable to find " + dir + "/nowhere.eye\r\n");
    EXPECT_EQ(list.find(std::string(40, 'q').c_str()), nullptr);  // never truncated
    EXPECT_EQ(list.count, n);
}

TEST(LflWriter, RefusesNamesThatDoNotFit) {
    logCaptureBegin();
    EXPECT_TRUE(lflRecord(std::string(32, 'a'), Bytes{}).empty());
    EXPECT_EQ(lflRecord(std::string(31, 'a'), Bytes{1}).size(), 37u);
    EXPECT_TRUE(lflRecord("", Bytes{}).empty());
    const std::string path = testing::TempDir() + "/gg_never.lfl";
    EXPECT_FALSE(writeArchive(path, {{"ok", {}}, {std::string(32, 'b'), {}}}));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_NE(std::string(logCaptured()).find("writeArchive - "), std::string::npos);
    logCaptureEnd();
}
