#include "app/runner_script.h"

#include <algorithm>
#include <sstream>

namespace {
bool parseKey(const std::string& word, kwKey* key) {
    if (word == "escape") *key = kwKey::Escape;
    else if (word == "left") *key = kwKey::Left;
    else if (word == "right") *key = kwKey::Right;
    else if (word == "delete") *key = kwKey::Delete;
    else return false;
    return true;
}

// "\b", "\r", "\t" and "\\" stand for Backspace, Enter, Tab and a backslash.
bool unescapeChars(const std::string& in, std::string* out) {
    out->clear();
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '\\') {
            out->push_back(in[i]);
            continue;
        }
        if (++i >= in.size()) return false;
        switch (in[i]) {
            case 'b': out->push_back('\b'); break;
            case 'r': out->push_back('\r'); break;
            case 't': out->push_back('\t'); break;
            case '\\': out->push_back('\\'); break;
            default: return false;
        }
    }
    return true;
}

bool parsePoint(std::istringstream& in, kwScriptAction* a) {
    if (!(in >> a->x >> a->y)) return false;
    return a->x >= 0 && a->x < kScreenWidth && a->y >= 0 && a->y < kScreenHeight;
}

std::string restOfLine(std::istringstream& in) {
    std::string rest;
    std::getline(in, rest);
    size_t start = rest.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : rest.substr(start);
}

bool parseAction(const std::string& verb, std::istringstream& in, kwScriptAction* a) {
    std::string word;
    if (verb == "move" || verb == "click" || verb == "rclick") {
        a->kind = verb == "move" ? kwActionKind::Move
                : verb == "click" ? kwActionKind::Click : kwActionKind::RightClick;
        return parsePoint(in, a);
    }
    if (verb == "key") {
        a->kind = kwActionKind::Key;
        return (in >> word) && parseKey(word, &a->key);
    }
    if (verb == "char") {
        a->kind = kwActionKind::Chars;
        return unescapeChars(restOfLine(in), &a->text) && !a->text.empty();
    }
    if (verb == "focus") {
        a->kind = kwActionKind::Focus;
        if (!(in >> word) || (word != "on" && word != "off")) return false;
        a->on = word == "on";
        return true;
    }
    if (verb == "screenshot" || verb == "dump") {
        a->kind = verb == "dump" ? kwActionKind::Dump : kwActionKind::Screenshot;
        a->text = restOfLine(in);
        return !a->text.empty();
    }
    if (verb == "quit") {
        a->kind = kwActionKind::Quit;
        return true;
    }
    return false;
}

std::string stripComment(const std::string& line) {
    size_t hash = line.find('#');
    return hash == std::string::npos ? line : line.substr(0, hash);
}

// A script saved with Windows line endings reads the same. Every carriage
// return at the end goes, also where a comment was cut off, so no line
// written back (without its comment) reads differently.
void dropTrailingReturns(std::string* text) {
    while (!text->empty() && text->back() == '\r') text->pop_back();
}
}  // namespace

bool parseRunnerScript(const std::string& text, std::vector<kwScriptAction>* out,
                       std::string* error) {
    out->clear();
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        dropTrailingReturns(&line);
        // A comment may not start inside typed text: "char" keeps its '#'.
        // The verb is read as the action below reads it, so "5char" and
        // "5 char" (or "5screenshot char #") agree on where a comment starts.
        std::istringstream probe(line);
        long long probeAt = -1;
        std::string verb;
        if (probe >> probeAt) probe >> verb;
        std::string body = verb == "char" ? line : stripComment(line);
        dropTrailingReturns(&body);
        std::istringstream in(body);
        long long at = -1;
        if (!(in >> at)) {
            if (body.find_first_not_of(" \t\r") == std::string::npos) continue;
            *error = "line " + std::to_string(number) + ": expected a time in milliseconds";
            return false;
        }
        kwScriptAction a;
        in >> verb;
        if (at < 0 || at > UINT32_MAX || !parseAction(verb, in, &a)) {
            *error = "line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        }
        a.at = static_cast<uint32_t>(at);
        out->push_back(a);
    }
    std::stable_sort(out->begin(), out->end(),
                     [](const kwScriptAction& l, const kwScriptAction& r) { return l.at < r.at; });
    return true;
}
