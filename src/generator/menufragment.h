#pragma once
// The static fragment of the accessible markup: the menu's <nav> with every
// list filled and shown, for pages that include it when they are built
// (server-side includes, static site generators) and for visitors without
// JavaScript. The script finds it by the menu's id and enhances it instead
// of drawing the menu again. It is built from the data calls themselves, as
// they are written into the script, so the two cannot disagree.

#include "generator/serialiser.h"

#include <QHash>
#include <QString>
#include <memory>

namespace qwk {

class clsFolder;
class RunServices;

// Listens to the data calls of one serialiser pass and puts the fragment
// together from them.
class MenuFragmentBuilder : public DataCallObserver {
public:
    explicit MenuFragmentBuilder(RunServices &run);
    ~MenuFragmentBuilder() override;

    void call(QStringView function, QStringView id, QStringView flags, QStringView name, NameForm form,
              QStringView address, QStringView width) override;
    void column() override;
    void end() override;

    // The <nav> element, UTF-8 text ending with a line break.
    QString html() const;
    // Entries whose name is a script expression: the fragment cannot know
    // their text and leaves it empty.
    int unknownNames() const { return m_unknownNames; }

private:
    struct Node;
    void writeNode(QString &out, const Node &node) const;

    RunServices &m_run;
    QString m_mf, m_sf, m_lk;
    std::unique_ptr<Node> m_root;
    std::vector<Node *> m_stack;
    int m_unknownNames = 0;
    mutable QHash<QString, QString> m_classNames;
};

// The fragment's file: the script's file with ".js" replaced by
// ".fragment.html" (menu.js -> menu.fragment.html; ".fragment.html" is added
// to a name without ".js").
QString accessibleFragmentPath(const QString &scriptPath);

// The fragment of root's menu as the run writes it beside the script, for
// the sample page: made with a serialiser pass of its own, written nowhere.
// A menu with parts the server computes has no fragment: "" then.
QString accessibleMenuFragment(RunServices &run, const clsFolder &root);

} // namespace qwk
