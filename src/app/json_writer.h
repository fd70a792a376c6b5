// A small JSON text builder for the state dump: objects, arrays, numbers,
// booleans, null and escaped strings, with commas placed for the caller.
#pragma once

#include <cstdint>
#include <string>

class kwJsonWriter {
public:
    kwJsonWriter& beginObject(const char* key = nullptr);
    kwJsonWriter& endObject();
    kwJsonWriter& beginArray(const char* key = nullptr);
    kwJsonWriter& endArray();
    kwJsonWriter& value(const char* key, int64_t v);
    kwJsonWriter& flag(const char* key, bool v);
    kwJsonWriter& value(const char* key, const std::string& v);
    // Shortest text that reads back as `v`; null when it is not finite.
    kwJsonWriter& number(const char* key, double v);
    kwJsonWriter& null(const char* key);
    const std::string& text() const { return out; }

private:
    void separate(const char* key);
    std::string out;
    bool needComma = false;
};

std::string jsonEscape(const std::string& s);
