// Writes the headless runner's script text from actions, one
// "AT_MS ACTION ARGS" line each, typed characters escaped as the parser
// reads them. The script seeds are written with it, and the script target
// checks that whatever the parser accepts reads back the same through it.
#pragma once

#include <string>
#include <vector>

#include "app/runner_script.h"

std::string writeRunnerScript(const std::vector<kwScriptAction>& actions);
