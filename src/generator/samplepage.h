#pragma once
// The "writeSample" job: a small HTML page that includes the menu script, so
// the designer can open it in a browser and see the menu at work. The page
// also says where the page, the style sheet and the script are.

#include "core/prompt.h"

#include <QString>
#include <functional>
#include <optional>

namespace qwk {

class RunServices;

class SamplePageWriter {
public:
    // Asks for the page's file name; nothing means the user cancelled. The
    // default asks through the run's prompt.
    using FileNameChooser = std::function<std::optional<QString>(const FileDialogRequest &)>;

    explicit SamplePageWriter(RunServices &run);

    void setFileNameChooser(FileNameChooser chooser) { m_choose = std::move(chooser); }

    // The name the dialog proposes: "prjFilSample" when set, otherwise
    // "qSample.html" in the web root (or, without one, next to the script,
    // the style sheet or the project, whichever is known first).
    QString defaultSampleFile() const;

    // The job: asks for the file name, stores it in "prjFilSample", writes
    // the page. Trouble ends the job through the run services' abort.
    void writeSample();

    // The page's text for a page written to samplePath.
    QString pageText(const QString &samplePath, const QString &scriptAddress);

private:
    RunServices &m_run;
    FileNameChooser m_choose;
};

} // namespace qwk
