#include "shell/log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {
FILE* g_file = nullptr;
bool g_ownsFile = false;
bool g_capturing = false;
std::string g_captured;

void emit(const char* text) {
    if (g_capturing) g_captured += text;
    if (g_file) {
        std::fputs(text, g_file);
        std::fflush(g_file);
    }
}
}  // namespace

bool logOpen(const char* path) {
    logClose();
    if (!path) return true;
    if (!*path || std::string(path) == "-") {
        g_file = stderr;
        return true;
    }
    g_file = std::fopen(path, "wb");
    g_ownsFile = g_file != nullptr;
    return g_file != nullptr;
}

bool logOpenAt(int folder, const char* name) {
    constexpr mode_t kPrivateFile = 0600;
    logClose();
    unlinkat(folder, name, 0);  // nothing there is fine; a folder there makes the open fail
    const int fd =
        openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kPrivateFile);
    if (fd < 0) return false;
    g_file = fdopen(fd, "wb");
    if (!g_file) close(fd);
    g_ownsFile = g_file != nullptr;
    return g_file != nullptr;
}

void logClose() {
    if (g_ownsFile && g_file) std::fclose(g_file);
    g_file = nullptr;
    g_ownsFile = false;
}

void debugLog(const char* text) {
    emit(text ? text : "");
}

void debugLogf(const char* fmt, ...) {
    char buf[1024];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    emit(buf);
}

void debugFail(const char* message, const char* detail) {
    if (detail)
        debugLogf("%s %s\r\n", message, detail);
    else
        debugLogf("%s\r\n", message);
}

void debuggerOutput(const char* text) {
    emit(text);
}

void logCaptureBegin() {
    g_captured.clear();
    g_capturing = true;
}
const char* logCaptured() {
    return g_captured.c_str();
}
void logCaptureEnd() {
    g_capturing = false;
    g_captured.clear();
}
