#pragma once

#include <optional>

namespace kalvero::CommandLine {

// Answers --version and --help before any window or display is needed: the
// exit code when the program should end after printing, none otherwise.
std::optional<int> answer(int argc, char *argv[]);

}  // namespace kalvero::CommandLine
