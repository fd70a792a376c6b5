// The headless runner's script as a user could write it: any text at all.
// A script the parser accepts holds only actions it can perform (points on
// the picture, known keys, something to type or a file to write), in time
// order, and reads back to the same actions when written out again; a
// script it refuses names a line that exists.
#include <algorithm>
#include <string>
#include <vector>

#include "app/runner_script.h"
#include "fuzz_entry.h"
#include "fuzz_support.h"
#include "platform/platform.h"
#include "script_writer.h"

namespace {

bool performable(const kwScriptAction& a) {
    switch (a.kind) {
        case kwActionKind::Move:
        case kwActionKind::Click:
        case kwActionKind::RightClick:
            return a.x >= 0 && a.x < kScreenWidth && a.y >= 0 && a.y < kScreenHeight;
        case kwActionKind::Key:
            return a.key != kwKey::Other;
        case kwActionKind::Chars:
        case kwActionKind::Screenshot:
        case kwActionKind::Dump:
            return !a.text.empty() && a.text.find('\n') == std::string::npos;
        default:
            return true;
    }
}

bool same(const kwScriptAction& a, const kwScriptAction& b) {
    return a.at == b.at && a.kind == b.kind && a.x == b.x && a.y == b.y && a.key == b.key &&
           a.on == b.on && a.text == b.text;
}

// "line N: ..." with N one of the script's lines.
void checkError(const std::string& error, const std::string& text) {
    const size_t lines = size_t(std::count(text.begin(), text.end(), '\n')) + 1;
    size_t number = 0, at = 5;
    fuzzCheck(error.rfind("line ", 0) == 0, "a refusal does not name its line");
    while (at < error.size() && error[at] >= '0' && error[at] <= '9')
        number = number * 10 + size_t(error[at++] - '0');
    fuzzCheck(number >= 1 && number <= lines, "a refusal names a line the script lacks");
}

}  // namespace

GG_FUZZ_TARGET(fuzzScript) {
    const std::string text = size ? std::string(reinterpret_cast<const char*>(data), size) : "";
    std::vector<kwScriptAction> actions;
    std::string error;
    if (!parseRunnerScript(text, &actions, &error)) {
        checkError(error, text);
        return 0;
    }
    for (size_t i = 0; i < actions.size(); ++i) {
        fuzzCheck(performable(actions[i]), "an accepted action cannot be performed");
        fuzzCheck(i == 0 || actions[i - 1].at <= actions[i].at, "actions out of time order");
    }
    std::vector<kwScriptAction> again;
    fuzzCheck(parseRunnerScript(writeRunnerScript(actions), &again, &error),
              "a written script is refused");
    fuzzCheck(again.size() == actions.size() &&
                  std::equal(actions.begin(), actions.end(), again.begin(), same),
              "a written script reads back differently");
    return 0;
}
