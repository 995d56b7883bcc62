#include "tree/projectfile.h"

#include "core/prompt.h"
#include "core/textbuild.h"
#include "core/textfile.h"
#include "options/options.h"
#include "tree/nodes.h"

#include <vector>

namespace qwk {

QStringView splitKey(QStringView line)
{
    const qsizetype colon = line.indexOf(u':');
    return colon < 0 ? QStringView() : line.left(colon);
}

QStringView splitValue(QStringView line)
{
    const qsizetype colon = line.indexOf(u':');
    return colon < 0 ? QStringView() : line.mid(colon + 1);
}

namespace {

const QString kCRLF = QStringLiteral("\r\n");

// Lines of a text as views; accepts CR LF, LF and a lone CR.
class LineStream {
public:
    explicit LineStream(QStringView text) : m_text(text) {}
    bool atEnd() const { return m_pos >= m_text.size(); }
    QStringView readLine()
    {
        const qsizetype start = m_pos;
        const qsizetype n = m_text.size();
        const QChar *d = m_text.data();
        qsizetype i = start;
        while (i < n && d[i] != u'\n' && d[i] != u'\r')
            ++i;
        const QStringView line = m_text.mid(start, i - start);
        if (i < n) {
            if (d[i] == u'\r' && i + 1 < n && d[i + 1] == u'\n')
                ++i;
            ++i;
        }
        m_pos = i;
        return line;
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

bool isLine(QStringView line, QStringView key, QStringView value)
{
    return splitKey(line) == key && splitValue(line) == value;
}

void appendLine(QString &out, QStringView a, QStringView b = {})
{
    appendPieces(out, { a, b, u"\r\n" });
}

void writeNodeOptions(QString &out, const OptionNode &node, const QString &dnnTemplate)
{
    const auto cat = nodeOptionCatalogue();
    const OptionNode::Layout &l = node.layout();
    for (size_t s = 0; s < l.text.size(); ++s) {
        const NodeOptionDef &d = cat[l.text[s]];
        const QString &v = node.textAt(int(s));
        const bool isDefault = d.isHeaderTemplate ? v == dnnTemplate : v == d.saveDefaultText;
        if (!isDefault)
            appendPieces(out, { d.key, u":", v, u"\r\n" });
    }
    for (size_t s = 0; s < l.choice.size(); ++s) {
        const NodeOptionDef &d = cat[l.choice[s]];
        const bool v = node.choiceAt(int(s));
        if (v != d.choiceDefault)
            appendPieces(out, { d.key, v ? u":True\r\n" : u":False\r\n" });
    }
    for (size_t s = 0; s < l.check.size(); ++s) {
        const qint16 v = node.checkAt(int(s));
        if (v != 0)
            appendPieces(out, { cat[l.check[s]].key, u":", QString::number(v), u"\r\n" });
    }
}

void writeNodes(QString &out, const clsNodes &top, const QString &dnnTemplate)
{
    // Depth-first without recursion: each frame is a collection and the
    // position of its next item.
    struct Frame {
        const clsNodes *nodes;
        int next;
    };
    std::vector<Frame> stack{{&top, 1}};
    appendLine(out, u"start:nodes");
    while (!stack.empty()) {
        Frame &f = stack.back();
        if (f.next > f.nodes->count()) {
            appendLine(out, u"end:nodes");
            stack.pop_back();
            continue;
        }
        const MenuNode *n = f.nodes->item(f.next++);
        if (const clsFolder *folder = n->asFolder()) {
            appendLine(out, u"start:folder");
            writeNodeOptions(out, *folder, dnnTemplate);
            appendLine(out, u"end:folderOptions");
            appendLine(out, u"start:nodes");
            stack.push_back({&folder->nodes(), 1});
        } else if (const auto *page = n->asPage()) {
            appendLine(out, u"start:page");
            writeNodeOptions(out, *page, dnnTemplate);
            appendLine(out, u"end:page");
        } else if (const auto *col = n->asColumn()) {
            appendLine(out, u"start:column");
            appendLine(out, u"lnkColWidth:", col->width());
            appendLine(out, u"lnkChkColValue:", col->flagText());
            appendLine(out, u"end:column");
        }
        // The end-of-folder marker writes nothing: the reader recreates it.
    }
}

// Applies the option lines of a folder or page up to the line whose key is
// "end". Returns with the current line in *line.
void readNodeOptions(LineStream &s, OptionNode &node, QStringView *line)
{
    QStringView cur;
    if (!s.atEnd())
        cur = s.readLine();
    const auto cat = nodeOptionCatalogue();
    while (splitKey(cur) != u"end" && !s.atEnd()) {
        const int ci = nodeOptionIndex(splitKey(cur));
        const int slot = ci < 0 ? -1 : node.layout().slot[ci];
        if (slot >= 0) {
            const QStringView value = splitValue(cur);
            switch (cat[ci].kind) {
            case OptionKind::Text:
                node.setTextAt(slot, value.toString());
                break;
            case OptionKind::Choice:
                if (const auto b = toChoice(value))
                    node.setChoiceAt(slot, *b);
                break;
            case OptionKind::Check:
                if (const auto c = toCheck(value))
                    node.setCheckAt(slot, *c);
                break;
            case OptionKind::Unknown:
                break;
            }
        }
        if (!s.atEnd())
            cur = s.readLine();
    }
    *line = cur;
}

void readColumn(LineStream &s, clsColumn &col, QStringView *line)
{
    QStringView cur;
    if (!s.atEnd())
        cur = s.readLine();
    QString width = col.width();
    QString flag = col.flagText();
    while (splitKey(cur) != u"end" && !s.atEnd()) {
        const QStringView key = splitKey(cur);
        if (key == u"lnkColWidth") {
            width = splitValue(cur).toString();
        } else if (key == u"lnkChkColValue") {
            if (const auto c = toCheck(splitValue(cur)))
                flag = QString::number(*c);
        }
        if (!s.atEnd())
            cur = s.readLine();
    }
    col.load(width, flag);
    *line = cur;
}

void readProjectOptions(LineStream &s, clsOptions &options)
{
    LoadingOptionsGuard loading(&options);
    QStringView line;
    if (!s.atEnd())
        line = s.readLine();
    while (splitKey(line) != u"end" && !s.atEnd()) {
        const QStringView key = splitKey(line);
        // Only project options: a project file must not change the user's
        // program preferences or the selected node's fields.
        const int ci = key.startsWith(u"prj") ? options.getControl(key) : -1;
        if (ci >= 0) {
            const QString &name = options.control(ci).name;
            const QStringView value = splitValue(line);
            switch (kindOfControl(name)) {
            case OptionKind::Text: {
                QStringView v = value;
                if (key == u"prjFilWebRoot" && v.size() >= 2 && (v.endsWith(u'\\') || v.endsWith(u'/')))
                    v.chop(1);
                options.setControlValue(key, v.toString());
                break;
            }
            case OptionKind::Check:
                if (const auto c = toCheck(value))
                    options.setControlValue(key, int(*c));
                break;
            case OptionKind::Choice:
                if (const auto b = toChoice(value))
                    options.setControlValue(key, *b);
                break;
            case OptionKind::Unknown:
                break;
            }
        }
        if (!s.atEnd())
            line = s.readLine();
    }
}

void readNodes(LineStream &s, clsNodes &top)
{
    // The nesting of folders is followed with an explicit stack, so a file of
    // thousands of nested folders cannot exhaust the call stack.
    struct Frame {
        clsNodes *nodes;
        int index;
    };
    std::vector<Frame> stack{{&top, 1}};
    QStringView line;
    if (!s.atEnd())
        line = s.readLine();
    while (!stack.empty()) {
        Frame &f = stack.back();
        if (s.atEnd() || line == u"end:nodes") {
            stack.pop_back();
            if (stack.empty())
                break;
            // The folder that owned this collection is done; go on in its parent.
            if (!s.atEnd())
                line = s.readLine();
            ++stack.back().index;
            continue;
        }
        while (!s.atEnd() && !isLine(line, u"start", u"page") && !isLine(line, u"start", u"folder")
               && !isLine(line, u"start", u"column"))
            line = s.readLine();
        const QStringView what = splitKey(line) == u"start" ? splitValue(line) : QStringView();
        if (what == u"page") {
            readNodeOptions(s, *f.nodes->addPage(f.index), &line);
        } else if (what == u"column") {
            readColumn(s, *f.nodes->addColumn(f.index), &line);
        } else if (what == u"folder") {
            clsFolder *folder = f.nodes->addFolder(f.index);
            readNodeOptions(s, *folder, &line);
            while (!s.atEnd()) {
                line = s.readLine();
                if (line == u"start:nodes")
                    break;
            }
            line = s.atEnd() ? QStringView() : s.readLine();
            stack.push_back({&folder->nodes(), 1});
            continue;
        } else {
            continue; // the end came before another node: the loop ends above
        }
        if (!s.atEnd())
            line = s.readLine();
        ++f.index;
    }
}

} // namespace

QString ProjectFile::projectText(const clsOptions &options, const clsFolder &root)
{
    QString out;
    out.reserve(4096);
    appendLine(out, u"start:Quenwick 3.0");
    appendLine(out, u"start:prjOptions");
    for (int i = 0; i < options.controlCount(); ++i) {
        const ControlDef &c = options.control(i);
        if (!c.tag.startsWith(u"prj"))
            continue;
        const QVariant v = options.controlValue(c.tag);
        out.append(c.tag);
        out.append(u':');
        switch (kindOfControl(c.name)) {
        case OptionKind::Text:
            appendLine(out, v.toString());
            break;
        case OptionKind::Check:
            appendLine(out, QString::number(v.toInt()));
            break;
        case OptionKind::Choice:
            appendLine(out, v.toBool() ? u"True" : u"False");
            break;
        case OptionKind::Unknown:
            appendLine(out, u"");
            break;
        }
    }
    appendLine(out, u"end:prjOptions");
    writeNodes(out, root.nodes(), dnnHeaderTemplate(options.mainFolderLineClass()));
    appendLine(out, u"end:Quenwick 3.0");
    return out;
}

void ProjectFile::readText(QStringView text, clsOptions &options, clsFolder &root, const StageCallback &stage)
{
    LoadingOptionsGuard loading(&options);
    LineStream s(text);
    while (!s.atEnd()) {
        if (isLine(s.readLine(), u"start", u"prjOptions"))
            break;
    }
    if (stage)
        stage(QStringLiteral("Reading project options"));
    readProjectOptions(s, options);
    while (!s.atEnd()) {
        if (isLine(s.readLine(), u"start", u"nodes"))
            break;
    }
    if (stage)
        stage(QStringLiteral("Reading the menu tree"));
    readNodes(s, root.nodes());
}

TransferResult ProjectFile::save(const QString &path, const clsOptions &options, const clsFolder &root,
                                 const StageCallback &stage)
{
    if (stage)
        stage(QStringLiteral("Saving project options"));
    const QString text = projectText(options, root);
    if (stage)
        stage(QStringLiteral("Saving menu tree"));
    const FileResult r = writeFileAtomic(path, encodeText(text));
    return {r.ok, r.error};
}

TransferResult ProjectFile::read(const QString &path, clsOptions &options, clsFolder &root,
                                 const StageCallback &stage)
{
    QByteArray bytes;
    const FileResult r = readWholeFile(path, &bytes);
    if (!r.ok)
        return {false, r.error};
    const QString text = decodeText(bytes);
    bytes = QByteArray(); // a huge file need not be held twice while it is parsed
    readText(text, options, root, stage);
    return {true, {}};
}

} // namespace qwk
