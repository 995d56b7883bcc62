#pragma once
// A project set up for a generator job: the new-project defaults, a web root
// in a temporary folder holding the script's folder and a style sheet, the
// run services and an empty tree. Tests add their options and nodes.

#include "generator/runservices.h"
#include "options/options.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"
#include "tree/nodes.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

namespace qwk::test {

struct RunFixture {
    ScriptedPrompt prompt;
    clsOptions options { &prompt, nullptr };
    ScriptNameTables tables;
    std::unique_ptr<RunServices> run;
    clsFolder root;
    QTemporaryDir dir;

    explicit RunFixture(const QByteArray &styleSheet)
    {
        options.loadNewPrjDefaults();
        options.setControlValue(u"prjFilWebRoot", dir.path());
        options.setControlValue(u"prjFilJS", path(QStringLiteral("menu/qmenu.js")));
        options.setControlValue(u"prjFilCSS", path(QStringLiteral("qmenu.css")));
        QDir(dir.path()).mkpath(QStringLiteral("menu"));
        writeBytes(path(QStringLiteral("qmenu.css")), styleSheet);
        run = std::make_unique<RunServices>(options, prompt, tables);
    }
    QString path(const QString &name) const { return dir.filePath(name); }
};

} // namespace qwk::test
