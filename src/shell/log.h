// The debug log: progress lines and "class::operation - text" failure
// messages. It keeps no other state than where the lines go.
#pragma once

#include <cstdarg>

// Opens the log. An empty path or "-" writes to standard error; nullptr
// disables logging. The file is rewritten at each start.
bool logOpen(const char* path);
// Opens the log as `name` in an opened folder (the game's own). Whatever
// lies there (the last run's log, a link, a hard link to another file) is
// unlinked first and a new private file made, so the log never writes
// through to another file. False when the file cannot be made.
bool logOpenAt(int folder, const char* name);
void logClose();

// Writes text as given (progress lines carry their own "\r\n").
void debugLog(const char* text);
// printf-style; the caller supplies any line ending.
void debugLogf(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
// A failure message: "text" followed by a line ending, plus an optional
// detail (an archive or file name) after a space.
void debugFail(const char* message, const char* detail = nullptr);
// Messages the original sent to the system debugger channel; here they
// share the log.
void debuggerOutput(const char* text);

// Tests capture what was logged.
void logCaptureBegin();
const char* logCaptured();
void logCaptureEnd();
