#include "script_writer.h"

namespace {

const char* keyWord(kwKey key) {
    switch (key) {
        case kwKey::Escape:
            return "escape";
        case kwKey::Left:
            return "left";
        case kwKey::Right:
            return "right";
        case kwKey::Delete:
            return "delete";
        default:
            return "other";  // no key the parser knows
    }
}

// Backspace, Enter, Tab and the backslash in their escaped forms.
std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '\b':
                out += "\\b";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string point(const kwScriptAction& a) {
    return std::to_string(a.x) + " " + std::to_string(a.y);
}

std::string body(const kwScriptAction& a) {
    switch (a.kind) {
        case kwActionKind::Move:
            return "move " + point(a);
        case kwActionKind::Click:
            return "click " + point(a);
        case kwActionKind::RightClick:
            return "rclick " + point(a);
        case kwActionKind::Key:
            return std::string("key ") + keyWord(a.key);
        case kwActionKind::Chars:
            return "char " + escaped(a.text);
        case kwActionKind::Focus:
            return a.on ? "focus on" : "focus off";
        case kwActionKind::Screenshot:
            return "screenshot " + a.text;
        case kwActionKind::Dump:
            return "dump " + a.text;
        case kwActionKind::Quit:
            return "quit";
    }
    return "";
}

}  // namespace

std::string writeRunnerScript(const std::vector<kwScriptAction>& actions) {
    std::string out;
    for (const kwScriptAction& a : actions) out += std::to_string(a.at) + " " + body(a) + "\n";
    return out;
}
