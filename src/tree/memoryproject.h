#pragma once
// A project that lives only in memory: the new-project defaults, an empty
// tree, no questions asked and no settings touched on disk. For the tools
// that make, read or measure projects without a person or a user profile.

#include "core/prompt.h"
#include "options/options.h"
#include "options/settingsstore.h"
#include "tree/nodes.h"

#include <memory>

namespace qwk {

struct MemoryProject {
    NonInteractivePrompt prompt;
    MemorySettingsStore settings;
    clsOptions options { &prompt, &settings };
    std::unique_ptr<clsFolder> root;

    MemoryProject()
    {
        options.loadNewPrjDefaults();
        root = std::make_unique<clsFolder>();
    }
};

} // namespace qwk
