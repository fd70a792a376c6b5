#include "app/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

std::string jsonEscape(const std::string& s) {
    std::string r = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            r += '\\';
            r += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            // Names are bytes from a file, not UTF-8: escape anything outside ASCII.
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            r += buf;
        } else {
            r += static_cast<char>(c);
        }
    }
    return r + "\"";
}

void kwJsonWriter::separate(const char* key) {
    if (needComma) out += ',';
    if (key) out += jsonEscape(key) + ':';
    needComma = true;
}

kwJsonWriter& kwJsonWriter::beginObject(const char* key) {
    separate(key);
    out += '{';
    needComma = false;
    return *this;
}

kwJsonWriter& kwJsonWriter::endObject() {
    out += '}';
    needComma = true;
    return *this;
}

kwJsonWriter& kwJsonWriter::beginArray(const char* key) {
    separate(key);
    out += '[';
    needComma = false;
    return *this;
}

kwJsonWriter& kwJsonWriter::endArray() {
    out += ']';
    needComma = true;
    return *this;
}

kwJsonWriter& kwJsonWriter::value(const char* key, int64_t v) {
    separate(key);
    out += std::to_string(v);
    return *this;
}

kwJsonWriter& kwJsonWriter::flag(const char* key, bool v) {
    separate(key);
    out += v ? "true" : "false";
    return *this;
}

kwJsonWriter& kwJsonWriter::value(const char* key, const std::string& v) {
    separate(key);
    out += jsonEscape(v);
    return *this;
}

kwJsonWriter& kwJsonWriter::number(const char* key, double v) {
    if (!std::isfinite(v)) return null(key);  // JSON has no NaN or infinity
    separate(key);
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
    return *this;
}

kwJsonWriter& kwJsonWriter::null(const char* key) {
    separate(key);
    out += "null";
    return *this;
}
