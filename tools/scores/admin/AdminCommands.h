// `brinecast-scores admin ...`: the operator's commands on a store, while the server runs.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "scores/store/ScoreStore.h"

namespace brinecast::scores {

// Runs one command (list, remove, ban, export, backup) with its arguments; the exit status.
int RunAdminCommand(ScoreStore& store, const std::vector<std::string>& command, std::FILE* out,
                    std::FILE* err);

// One CSV field: quoted when it holds a comma, quote or line break, and led by a quote mark
// when a spreadsheet would take it for a formula (=, +, -, @, tab or carriage return first).
std::string CsvField(const std::string& text);

}  // namespace brinecast::scores
