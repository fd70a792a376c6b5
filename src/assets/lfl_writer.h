// Writes linked-file-list archives: each record a 32-byte NUL-padded name,
// a u32 size (36 + payload) and the payload. The lfl tool's pack command,
// the art generator and the tests all build archives with this.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

// One archive record; empty if the name is empty or has 32 or more
// characters (it would not fit with its NUL) or the payload is too large for the u32 size.
std::vector<uint8_t> lflRecord(const std::string& name, std::span<const uint8_t> payload);

// Writes every record, in order, to path (created or truncated). False,
// with a debug-log line, on a bad name or a failed write; a failed write
// leaves no partial archive behind.
bool writeArchive(const std::string& path,
                  const std::vector<std::pair<std::string, std::vector<uint8_t>>>& records);
