#include "tree/projectfile.h"

#include "core/prompt.h"
#include "core/textbuild.h"
#include "core/textfile.h"
#include "options/options.h"
#include "tree/nodes.h"
#include "tree/treewalk.h"

#include <array>
#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <utility>
#include <vector>

namespace qwk {

namespace {

// Position of the first a or b in text[from, n), or n. Reading a project is
// mostly looking for line ends and colons, so eight characters are tested at
// a time where the processor allows.
qsizetype findEither(const QChar *text, qsizetype from, qsizetype n, char16_t a, char16_t b)
{
    const char16_t *d = reinterpret_cast<const char16_t *>(text);
    qsizetype i = from;
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi16(short(a));
    const __m128i vb = _mm_set1_epi16(short(b));
    for (; i + 8 <= n; i += 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(d + i));
        const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(chunk, va), _mm_cmpeq_epi16(chunk, vb)));
        if (hits != 0)
            return i + std::countr_zero(unsigned(hits)) / 2;
    }
#endif
    for (; i < n; ++i) {
        if (d[i] == a || d[i] == b)
            return i;
    }
    return n;
}

// Equality of two texts without a library call: most comparisons of the
// reader are between short texts, and most are decided by the length.
bool sameText(QStringView a, QStringView b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), size_t(a.size()) * sizeof(QChar)) == 0;
}

// Position of the first ":" of a line, or -1.
qsizetype colonIn(QStringView line)
{
    const qsizetype at = findEither(line.data(), 0, line.size(), u':', u':');
    return at == line.size() ? -1 : at;
}

} // namespace

QStringView splitKey(QStringView line)
{
    const qsizetype colon = colonIn(line);
    return colon < 0 ? QStringView() : line.left(colon);
}

QStringView splitValue(QStringView line)
{
    const qsizetype colon = colonIn(line);
    return colon < 0 ? QStringView() : line.mid(colon + 1);
}

namespace {

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
        qsizetype i = findEither(d, start, n, u'\n', u'\r');
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

void appendLine(QString &out, QStringView a, QStringView b = {})
{
    appendPieces(out, { a, b, u"\r\n" });
}

// Whether a node of a kind that leaves a text option at its initial value
// writes nothing for it: worked out once per save and kind instead of a
// string comparison per node and option.
class InitialTexts {
public:
    explicit InitialTexts(const QString &dnnTemplate) : m_dnnTemplate(dnnTemplate) {}
    const QString &dnnTemplate() const { return m_dnnTemplate; }
    const std::vector<char> &leftOut(const OptionNode::Layout &l)
    {
        for (const auto &[layout, flags] : m_known) {
            if (layout == &l)
                return flags;
        }
        const auto cat = nodeOptionCatalogue();
        std::vector<char> flags;
        for (size_t s = 0; s < l.text.size(); ++s)
            flags.push_back(isDefault(cat[l.text[s]], l.initialText[s]));
        m_known.emplace_back(&l, std::move(flags));
        return m_known.back().second;
    }
    bool isDefault(const NodeOptionDef &d, const QString &v) const
    {
        return d.isHeaderTemplate ? v == m_dnnTemplate : v == d.saveDefaultText;
    }

private:
    const QString &m_dnnTemplate;
    std::vector<std::pair<const OptionNode::Layout *, std::vector<char>>> m_known; // a folder's and a page's
};

void writeNodeOptions(QString &out, const OptionNode &node, InitialTexts &initial)
{
    const auto cat = nodeOptionCatalogue();
    const OptionNode::Layout &l = node.layout();
    const std::vector<char> &leftOut = initial.leftOut(l);
    for (size_t s = 0; s < l.text.size(); ++s) {
        // Most options are left at their initial value, decided per kind.
        const bool stored = node.storesText(int(s));
        if (!stored && leftOut[s])
            continue;
        const NodeOptionDef &d = cat[l.text[s]];
        const QString &v = node.textAt(int(s));
        if (!stored || !initial.isDefault(d, v))
            appendPieces(out, { d.key, u":", v, u"\r\n" });
    }
    // A choice is written when it differs from its default, which is also
    // the value a new node starts with.
    for (quint32 changed = node.choiceBits() ^ l.initialChoices; changed != 0; changed &= changed - 1) {
        const int s = std::countr_zero(changed);
        appendPieces(out, { cat[l.choice[size_t(s)]].key, node.choiceAt(s) ? u":True\r\n" : u":False\r\n" });
    }
    for (size_t s = 0; s < l.check.size(); ++s) {
        const qint16 v = node.checkAt(int(s));
        if (v != 0)
            appendPieces(out, { cat[l.check[s]].key, u":", QString::number(v), u"\r\n" });
    }
}

void writeNodes(QString &out, const clsFolder &root, const QString &dnnTemplate)
{
    struct Writer {
        QString &out;
        InitialTexts initial;
        void enterFolder(const clsFolder &, int) { appendLine(out, u"start:nodes"); }
        void leaveFolder(const clsFolder &, int) { appendLine(out, u"end:nodes"); }
        void node(const MenuNode &n, int, int)
        {
            if (const clsFolder *folder = n.asFolder()) {
                appendLine(out, u"start:folder");
                writeNodeOptions(out, *folder, initial);
                appendLine(out, u"end:folderOptions");
            } else if (const auto *page = n.asPage()) {
                appendLine(out, u"start:page");
                writeNodeOptions(out, *page, initial);
                appendLine(out, u"end:page");
            } else if (const auto *col = n.asColumn()) {
                appendLine(out, u"start:column");
                appendLine(out, u"lnkColWidth:", col->width());
                appendLine(out, u"lnkChkColValue:", col->flagText());
                appendLine(out, u"end:column");
            }
        }
    };
    // The end-of-folder marker writes nothing (the reader recreates it); it is
    // let through, as one kind test fewer per node than skipping it.
    walkTree<EndMarkers::Visit>(root, Writer{out, InitialTexts(dnnTemplate)});
}

// The structure lines of the format. They are recognised with blanks, tabs
// and stray CRs around them trimmed away, because a file that went through
// another editor or another line-end convention must keep its shape: losing
// one "end:nodes" would move every later node into the folder above.
enum class Tag {
    None, // an option line, or a line the reader does not understand
    StartProject,
    EndProject,
    StartOptions,
    EndOptions,
    StartNodes,
    EndNodes,
    StartFolder,
    EndFolderOptions,
    StartPage,
    EndPage,
    StartColumn,
    EndColumn,
};

Tag structureTag(QStringView line)
{
    // Most lines are option lines: a structure line is one whose first
    // character after the blanks is the "s" of "start" or the "e" of "end".
    qsizetype first = 0;
    while (first < line.size() && line[first].isSpace())
        ++first;
    if (first == line.size() || (line[first] != u's' && line[first] != u'e'))
        return Tag::None;
    const QStringView t = line.trimmed();
    const QStringView key = splitKey(t);
    const bool start = line[first] == u's';
    if (!sameText(key, start ? QStringView(u"start") : QStringView(u"end")))
        return Tag::None;
    // Told apart by the first character before any comparison in full.
    const QStringView what = splitValue(t);
    switch (what.isEmpty() ? u'\0' : what.front().unicode()) {
    case u'n':
        if (sameText(what, u"nodes"))
            return start ? Tag::StartNodes : Tag::EndNodes;
        break;
    case u'p':
        if (sameText(what, u"page"))
            return start ? Tag::StartPage : Tag::EndPage;
        if (sameText(what, u"prjOptions"))
            return start ? Tag::StartOptions : Tag::EndOptions;
        break;
    case u'c':
        if (sameText(what, u"column"))
            return start ? Tag::StartColumn : Tag::EndColumn;
        break;
    case u'f':
        if (start && sameText(what, u"folder"))
            return Tag::StartFolder;
        if (!start && sameText(what, u"folderOptions"))
            return Tag::EndFolderOptions;
        break;
    case u'Q':
        if (what.startsWith(u"Quenwick "))
            return start ? Tag::StartProject : Tag::EndProject;
        break;
    default:
        break;
    }
    return Tag::None;
}

// The lines that close an option block, whichever block is open.
bool endsOptionBlock(Tag tag)
{
    return tag == Tag::EndOptions || tag == Tag::EndFolderOptions || tag == Tag::EndPage || tag == Tag::EndColumn;
}

// An option line of a key the format knows, wherever it stands.
bool isKnownOptionLine(QStringView line, const clsOptions &options)
{
    const QStringView key = splitKey(line);
    if (key.isEmpty())
        return false;
    if (key.startsWith(u"prj"))
        return options.getControl(key) >= 0;
    return nodeOptionIndex(key) >= 0 || key == u"lnkColWidth" || key == u"lnkChkColValue";
}

// Catalogue index of a node option key, as nodeOptionIndex, for the reader,
// which asks once per option line: the keys are told apart by their length
// and two characters before any is compared in full, instead of hashing.
class NodeKeyIndex {
public:
    NodeKeyIndex()
    {
        const auto cat = nodeOptionCatalogue();
        for (int i = 0; i < kNodeOptionCount; ++i) {
            const QString &k = cat[i].key;
            Q_ASSERT(k.size() > kPrefix && k.size() < kMaxLength);
            m_byLength[size_t(k.size())].push_back(i);
        }
    }
    int find(QStringView key) const
    {
        if (key.size() <= kPrefix || key.size() >= kMaxLength)
            return -1;
        const auto cat = nodeOptionCatalogue();
        for (int i : m_byLength[size_t(key.size())]) {
            const QString &k = cat[i].key;
            if (k[kPrefix] == key[kPrefix] && k.back() == key.back() && sameText(k, key))
                return i;
        }
        return -1;
    }

private:
    static constexpr qsizetype kPrefix = 3; // "lnk"
    static constexpr qsizetype kMaxLength = 48;
    std::array<std::vector<int>, kMaxLength> m_byLength;
};

void applyNodeOption(OptionNode &node, QStringView line)
{
    static const NodeKeyIndex keys;
    const qsizetype colon = colonIn(line);
    if (colon < 0)
        return;
    const int ci = keys.find(line.left(colon));
    const int slot = ci < 0 ? -1 : node.layout().slot[ci];
    if (slot < 0)
        return; // a key this kind of node does not carry
    const QStringView value = line.mid(colon + 1);
    switch (nodeOptionCatalogue()[ci].kind) {
    case OptionKind::Text:
        // A value the node already holds (the column width every new node
        // starts with, written for every node) is not copied again.
        if (value.isEmpty() || !sameText(value, node.textAt(slot)))
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

void applyColumnOption(clsColumn &col, QStringView line)
{
    const QStringView key = splitKey(line);
    if (key == u"lnkColWidth") {
        col.load(splitValue(line).toString(), col.flagText());
    } else if (key == u"lnkChkColValue") {
        if (const auto c = toCheck(splitValue(line)))
            col.load(col.width(), QString::number(*c));
    }
}

void applyProjectOption(clsOptions &options, QStringView line)
{
    const QStringView key = splitKey(line);
    // Only project options: a project file must not change the user's
    // program preferences or the selected node's fields.
    const int ci = key.startsWith(u"prj") ? options.getControl(key) : -1;
    if (ci < 0)
        return;
    const QStringView value = splitValue(line);
    switch (kindOfControl(options.control(ci).name)) {
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

// Builds the tree from the lines after the root's "start:nodes", one line at
// a time. Every structure line is acted on wherever it comes; any other line
// is either an option of the block that is open or skipped. The nesting is an
// explicit stack, so thousands of nested folders cannot exhaust the call stack.
class TreeReader {
public:
    explicit TreeReader(clsNodes &top) : m_lists{&top} {}

    // The portal header template new pages start with: the one for the
    // project's class name, worked out once the project options are read.
    // The default one is shared, so that pages need not store it.
    void setHeaderTemplate(const QString &t)
    {
        m_headerTemplate = t == defaultDnnHeaderTemplate() ? defaultDnnHeaderTemplate() : t;
    }

    // False once the root's list is closed: the tree is complete.
    bool line(QStringView line, Tag tag)
    {
        if (tag == Tag::None) {
            if (m_node)
                applyNodeOption(*m_node, line);
            else if (m_column)
                applyColumnOption(*m_column, line);
            return true; // between nodes, a line not understood is skipped
        }
        if (m_node || m_column) {
            // A structure line ends the open block. The block's own end is
            // used up; anything else (a lost end line) is read as it comes.
            const bool folder = m_node && m_node->asFolder();
            m_node = nullptr;
            m_column = nullptr;
            if (folder)
                m_awaitingList = true;
            if (endsOptionBlock(tag))
                return true;
        }
        if (m_awaitingList) {
            // A folder's options are followed by its own list. When its
            // "start:nodes" is lost, the list is taken as opened all the same,
            // so its "end:nodes" still closes this folder and not the one above.
            m_awaitingList = false;
            if (tag == Tag::StartNodes)
                return true;
        }
        clsNodes &list = *m_lists.back();
        switch (tag) {
        case Tag::StartPage:
            m_node = list.addPage(list.count(), m_headerTemplate);
            break;
        case Tag::StartFolder: {
            clsFolder *folder = list.addFolder(list.count());
            m_node = folder;
            m_lists.push_back(&folder->nodes());
            break;
        }
        case Tag::StartColumn:
            m_column = list.addColumn(list.count());
            break;
        case Tag::EndNodes:
            m_lists.pop_back();
            return !m_lists.empty();
        case Tag::EndProject:
            return false;
        default:
            break; // a structure line out of place: skipped
        }
        return true;
    }

private:
    std::vector<clsNodes *> m_lists; // open lists, innermost last
    OptionNode *m_node = nullptr; // the page or folder whose options are being read
    clsColumn *m_column = nullptr;
    bool m_awaitingList = false; // a folder's options ended; its "start:nodes" is next
    QString m_headerTemplate = defaultDnnHeaderTemplate();
};

} // namespace

namespace {

bool isLaterOption(QStringView key)
{
    return key == u"prjChkAccessible";
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
        // Options added after the first release are written only when set,
        // so a project that does not use them keeps the bytes it always had.
        if (isLaterOption(c.tag) && v.toInt() == 0)
            continue;
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
    writeNodes(out, root, dnnHeaderTemplate(options.mainFolderLineClass()));
    appendLine(out, u"end:Quenwick 3.0");
    return out;
}

bool ProjectFile::readText(QStringView text, clsOptions &options, clsFolder &root, const StageCallback &stage)
{
    LoadingOptionsGuard loading(&options);
    LineStream s(text);
    TreeReader tree(root.nodes());
    enum class Part { Outside, Options, Tree, Done };
    Part part = Part::Outside;
    bool recognised = false;
    while (part != Part::Done && !s.atEnd()) {
        const QStringView line = s.readLine();
        const Tag tag = structureTag(line);
        if (!recognised)
            recognised = tag != Tag::None || isKnownOptionLine(line, options);
        // Any text outside the two blocks is skipped.
        if (part == Part::Options) {
            if (tag == Tag::None) {
                applyProjectOption(options, line);
                continue;
            }
            part = Part::Outside;
            if (endsOptionBlock(tag))
                continue;
        }
        if (part == Part::Tree) {
            if (!tree.line(line, tag))
                part = Part::Done;
            continue;
        }
        if (tag == Tag::StartOptions) {
            if (stage)
                stage(QStringLiteral("Reading project options"));
            part = Part::Options;
        } else if (tag == Tag::StartNodes) {
            if (stage)
                stage(QStringLiteral("Reading the menu tree"));
            tree.setHeaderTemplate(dnnHeaderTemplate(options.mainFolderLineClass()));
            part = Part::Tree;
        } else if (tag == Tag::EndProject) {
            part = Part::Done;
        }
    }
    return recognised;
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
    if (bytes.isEmpty())
        return {false, QStringLiteral("The file is empty; it is not a Quenwick project file.")};
    const QString text = decodeText(bytes);
    bytes = QByteArray(); // a huge file need not be held twice while it is parsed
    // Opened as an empty project, a file of another kind would be replaced
    // by the next save.
    if (!readText(text, options, root, stage))
        return {false, QStringLiteral("The file is not a Quenwick project file.")};
    return {true, {}};
}

} // namespace qwk
