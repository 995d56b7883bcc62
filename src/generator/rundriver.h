#pragma once
// The generator jobs: the menu script, the sample page, the site map and the
// log of the last job. A job runs in two halves. prepare() does everything
// that needs the person or changes the project: it checks the file
// locations, asks its questions and stores the answers and defaults in the
// options. generate() then writes the files without asking anything and
// without touching an option, so the designer can run it on a worker thread
// while its window shows the log. runJob() does both, for callers that do
// not care where the halves run.

#include <QString>
#include <optional>

namespace qwk {

class clsCSS;
class clsFolder;
class RunServices;

class RunDriver {
public:
    enum class Job { Run, WriteSample, SiteMap, ShowLog };

    // The deepest menu the jobs write. Real menus have a handful of levels;
    // section ids and the script's markup grow with every level, and browsers
    // stop nesting elements long before this.
    static constexpr int kMaxMenuDepth = 500;

    // What prepare() settled for generate().
    struct Prepared {
        Job job = Job::ShowLog;
        // The sample page's file; nothing when the save dialog was cancelled,
        // which generate() reports in the log where the page would have
        // been written.
        std::optional<QString> sampleFile;
    };

    // The site map writes the section id of each listed page into the tree.
    RunDriver(RunServices &run, clsFolder &root, clsCSS *styleSheet = nullptr);

    // The text the run window shows above the log while the job runs.
    static QString jobLabel(Job job);

    // Where nobody is there to answer the sample page's save dialog (the
    // command line): the page is written to path, or to the name the dialog
    // would propose when path is empty.
    void answerSampleFile(const QString &path) { m_sampleAnswer = path; }

    // The first half, on the thread that may ask the person: starts a new
    // log, checks the file locations and the menu's depth, asks the job's
    // questions and writes the options they decide. Nothing when the job
    // cannot run (the reason is logged and kept as the last log).
    std::optional<Prepared> prepare(Job job);
    // The second half, on any thread: logs and writes the job's files. False
    // when it failed ("Error: " or the sample page's reason in the log).
    bool generate(const Prepared &prepared);
    // Both halves; false when the job failed.
    bool runJob(Job job);

    // The log of the most recent job, failed or not ("showLog" shows it).
    const QString &lastLog() const { return m_lastLog; }

    // The script text of a run, without writing it.
    QString scriptText();
    // The script a run would write, made in memory for a live preview: it
    // asks nothing and writes no file and no option. False when the run
    // would fail; lastLog() then ends with "Error: " and the reason.
    bool previewScript(QString &script);

private:
    bool checkFileLocations();
    void logSelectedOptions();
    void writeScript();
    void checkServerControl() const;
    bool writeSample(const std::optional<QString> &file);
    // The sample page's file name: the fixed answer, or the save dialog's.
    std::optional<QString> chooseSampleFile();

    // The accessible markup's static fragment: made by scriptText() from the
    // same data calls, written beside the script by writeScript().
    void writeFragment(const QString &scriptPath);

    RunServices &m_run;
    clsFolder &m_root;
    clsCSS *m_css;
    std::optional<QString> m_sampleAnswer;
    QString m_lastLog;
    QString m_fragment;
    int m_fragmentUnknownNames = 0;
};

} // namespace qwk
