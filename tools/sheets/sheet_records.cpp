#include "sheet_records.h"

#include <cctype>

namespace {

bool endsWith(const std::string& s, const char* tail) {
    const std::string t = tail;
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

std::string lowerCase(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// "<stem>_NN" with two digits: the stem and the number.
bool splitNumber(const std::string& s, std::string* stem, int* number) {
    if (s.size() < 4 || s[s.size() - 3] != '_') return false;
    const char d1 = s[s.size() - 2], d2 = s[s.size() - 1];
    if (!std::isdigit(static_cast<unsigned char>(d1)) ||
        !std::isdigit(static_cast<unsigned char>(d2)))
        return false;
    *stem = s.substr(0, s.size() - 3);
    *number = (d1 - '0') * 10 + (d2 - '0');
    return !stem->empty() && *number > 0;
}

}  // namespace

bool parseFrameName(const std::string& rawName, char* part, std::string* animation, int* frame) {
    const std::string name = lowerCase(rawName);
    std::string stem;
    if (endsWith(name, ".msk")) {
        if (name.rfind("a_", 0) != 0 || !splitNumber(name.substr(2, name.size() - 6), &stem, frame))
            return false;
        if (!endsWith(stem, "_m")) return false;
        *part = 'm';
        *animation = stem.substr(0, stem.size() - 2);
        return !animation->empty();
    }
    if (!endsWith(name, ".eye") || name.size() < 2 || (name[0] != 'a' && name[0] != 'b') ||
        name[1] != '_')
        return false;
    if (!splitNumber(name.substr(2, name.size() - 6), &stem, frame)) return false;
    *part = name[0];
    *animation = stem;
    return true;
}

SheetRecords sortRecords(const kwLinkedFileList& list) {
    SheetRecords out;
    std::map<std::string, size_t> index;  // animation name -> position in out.animations
    for (const kwLinkedFile* f = list.head; f; f = f->next) {
        const std::string name = f->name;
        std::string animation;
        char part = 0;
        int frame = 0;
        if (!parseFrameName(name, &part, &animation, &frame)) {
            if (endsWith(lowerCase(name), ".eye"))
                out.pictures.push_back(name);
            else
                ++out.others;
            continue;
        }
        auto [it, added] = index.emplace(animation, out.animations.size());
        if (added) out.animations.push_back({animation, {}});
        SheetFrame& slot = out.animations[it->second].frames[frame];
        (part == 'b' ? slot.base : part == 'a' ? slot.alpha : slot.mask) = name;
    }
    return out;
}
