#pragma once
// The generator jobs: "run" (the menu script), "writeSample", "siteMap" and
// "showLog". The driver checks the file locations first, runs the job under
// the run services' error handling and keeps the log of the last job.

#include <QString>
#include <functional>

namespace qwk {

class clsCSS;
class clsFolder;
class RunServices;

class RunDriver {
public:
    // The deepest menu the jobs write. Real menus have a handful of levels;
    // section ids and the script's markup grow with every level, and browsers
    // stop nesting elements long before this.
    static constexpr int kMaxMenuDepth = 500;

    // A writer of one job's files; it reports trouble through the run services.
    using JobWriter = std::function<void()>;

    RunDriver(RunServices &run, const clsFolder &root, clsCSS *styleSheet = nullptr);

    // The text the run window shows above the log while the job runs.
    static QString jobLabel(const QString &job);

    // Performs the job; false when it failed (missing locations or an
    // "Error: " entry in the log).
    bool runJob(const QString &job);

    // The log of the most recent job, failed or not ("showLog" shows it).
    const QString &lastLog() const { return m_lastLog; }

    bool checkFileLocations();
    void logSelectedOptions();
    void runScriptJob();
    void writeScript();
    // The script text of a run, without writing it.
    QString scriptText();

    // The sample page and site map writers plug in here.
    void setSampleWriter(JobWriter w) { m_sampleWriter = std::move(w); }
    void setSiteMapWriter(JobWriter w) { m_siteMapWriter = std::move(w); }
    // The folder expansion of hard-disk pages at design time.
    void setSerialiserSetup(std::function<void(class MenuSerialiser &)> setup) { m_serialiserSetup = std::move(setup); }

private:
    // errorPrefix: a failure is logged as "Error: ", a line break and the
    // description; otherwise as the description alone.
    bool runWriter(const JobWriter &writer, const QString &missingLine, bool errorPrefix = true);

    RunServices &m_run;
    const clsFolder &m_root;
    clsCSS *m_css;
    JobWriter m_sampleWriter;
    JobWriter m_siteMapWriter;
    std::function<void(MenuSerialiser &)> m_serialiserSetup;
    QString m_lastLog;
};

} // namespace qwk
