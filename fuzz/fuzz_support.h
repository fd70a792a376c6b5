// What every fuzz target shares: a private scratch folder per process (the
// only place a target writes), files written into and read from it, and the
// check that turns a broken promise of the code under test into a crash
// that libFuzzer, or the test run, reports with its reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The folder, made on first use with mkdtemp and removed with everything in
// it at exit (or, after a crash, by the next run). It lies on /dev/shm when that is writable (the
// settings record is synced to disk at every save, which on a real disk would cost milliseconds per
// input), else under $TMPDIR or /tmp.
const std::string& fuzzScratchFolder();
// A path inside it; the subfolder is made if needed.
std::string fuzzScratchPath(const std::string& sub, const std::string& name);

// Creates or truncates the file with exactly these bytes.
bool fuzzWriteFile(const std::string& path, const uint8_t* data, size_t size);
// The whole file; empty when it cannot be read.
std::vector<uint8_t> fuzzReadFile(const std::string& path);

// Aborts with "fuzz check failed: <what>" when ok is false.
void fuzzCheck(bool ok, const char* what);
