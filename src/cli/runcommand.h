#pragma once
// The generator verbs of quenwick-cli: run, sitemap and sample perform the
// designer's jobs and print the run log, one entry per line.

#include "cli/cliapp.h"

namespace qwk::cli {

int runCommand(CliApp &app, const Arguments &args);

} // namespace qwk::cli
