#pragma once
// What the generator tests share: a fresh option store with the new-project
// defaults, and a way to run script text under Node.

#include "options/options.h"
#include "options/settingsstore.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"

#include <QString>
#include <memory>

namespace qwk::test {

struct OptionsFixture {
    ScriptedPrompt prompt;
    MemorySettingsStore settings;
    std::unique_ptr<clsOptions> options;
    OptionsFixture()
        : options(std::make_unique<clsOptions>(&prompt, &settings))
    {
        options->loadNewPrjDefaults();
    }
    void set(const QString &key, const QVariant &value)
    {
        if (!options->setControlValue(key, value))
            qFatal("cannot set option %s", qPrintable(key));
    }
};

// Runs script with node and returns what it printed; a failure of node is
// returned as "NODE FAILED: " and its complaint.
QString runNode(const QString &script);

} // namespace qwk::test
