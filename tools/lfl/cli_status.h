// How every lfl command reports: a message on standard error and the exit
// status (1 for a failure, 2 for bad arguments).
#pragma once

#include <cstdio>
#include <string>

inline constexpr int kFailStatus = 1;
inline constexpr int kUsageStatus = 2;

inline int fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "lfl: %s: %s\n", what, detail.c_str());
    return kFailStatus;
}

inline int badArgs(const char* usageLine) {
    std::fprintf(stderr, "usage: lfl %s\n", usageLine);
    return kUsageStatus;
}
