#pragma once
// One function per quenwick-cli verb; each returns the exit status.

#include "cli/cliapp.h"

namespace qwk::cli {

int showCommand(CliApp &app, const Arguments &args);
int saveCommand(CliApp &app, const Arguments &args);
int newCommand(CliApp &app, const Arguments &args);

} // namespace qwk::cli
