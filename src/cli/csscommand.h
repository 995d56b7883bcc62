#pragma once
// quenwick-cli css: writes the project's default style sheet.

#include "cli/cliapp.h"

namespace qwk::cli {

// The drop-down sheet, or the tree menu sheet with --tree, under the
// project's class names, to --out FILE or standard output.
int cssCommand(CliApp &app, const Arguments &args);

} // namespace qwk::cli
