// libFuzzer target for the project file reader.
//
// Any bytes are decoded as a project file is, read into a fresh project, and
// must neither crash nor hang the reader. What was read is then written, read
// back and written again: the reader keeps exactly what the writer writes, so
// the second text must equal the first. A difference aborts with both texts.
//
// Two values are by design not kept by a save: an empty name (not written, so
// it reads back as "New Page" or "New Folder") and an empty sub-column width
// (reads back as "130px"). The first tree gets those values before its first
// write, as the next open would give them; everything else must survive.
//
// The written text is then damaged as other editors and systems damage files
// (blank and unknown lines between lines, blanks after structure lines, LF CR
// line ends), at places the input chooses: the damage must cost nothing.

#include "core/prompt.h"
#include "core/textfile.h"
#include "options/options.h"
#include "options/settingsstore.h"
#include "tree/memoryproject.h"
#include "tree/nodes.h"
#include "tree/projectfile.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <vector>

using namespace qwk;

namespace {

// What the next open makes of the values a save does not keep.
void settleUnsavedDefaults(clsFolder &root)
{
    std::vector<clsNodes *> todo{&root.nodes()};
    while (!todo.empty()) {
        clsNodes *nodes = todo.back();
        todo.pop_back();
        for (int i = 1; i <= nodes->count(); ++i) {
            auto *node = dynamic_cast<OptionNode *>(nodes->item(i));
            if (!node)
                continue;
            clsFolder *folder = node->asFolder();
            const int nameSlot = node->Index(folder ? u"lnkNameFolder" : u"lnkNamePage");
            if (node->textAt(nameSlot).isEmpty())
                node->setTextAt(nameSlot, folder ? QStringLiteral("New Folder") : QStringLiteral("New Page"));
            const int widthSlot = node->Index(u"lnkSubColWidth");
            if (node->textAt(widthSlot).isEmpty())
                node->setTextAt(widthSlot, QStringLiteral("130px"));
            if (folder)
                todo.push_back(&folder->nodes());
        }
    }
}

[[noreturn]] void mismatch(const char *what, const QString &first, const QString &second)
{
    qsizetype at = 0;
    while (at < first.size() && at < second.size() && first[at] == second[at])
        ++at;
    std::fprintf(stderr, "round trip mismatch (%s) at character %lld\n--- first write\n%s\n--- second write\n%s\n",
                 what, static_cast<long long>(at), first.toUtf8().constData(), second.toUtf8().constData());
    std::abort();
}

// The text with lines a reader does not understand put between its lines,
// blanks after its structure lines, and LF CR line ends when the mix is odd.
QString damaged(const QString &text, quint32 mix)
{
    static const QString junk[] = {QString(), QStringLiteral(" "), QStringLiteral("no colon"),
                                   QStringLiteral("start:unknown"), QStringLiteral("end:")};
    QString out;
    const QString lineEnd = mix & 1 ? QStringLiteral("\n\r") : QStringLiteral("\r\n");
    quint32 x = mix;
    for (const QStringView line : QStringView(text).split(u"\r\n", Qt::SkipEmptyParts)) {
        x = x * 1103515245u + 12345u;
        out += line;
        if ((line.startsWith(u"start:") || line.startsWith(u"end:")) && (x >> 16) % 4 == 0)
            out += u" \t";
        out += lineEnd;
        if ((x >> 20) % 3 == 0)
            out += junk[(x >> 24) % std::size(junk)] + lineEnd;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    MemoryProject first;
    ProjectFile::readText(decodeText(bytes), first.options, *first.root);
    // The web root loses one trailing separator each time it is read, by
    // design; give the first tree the form that no longer changes.
    QString webRoot = first.options.text(u"prjFilWebRoot");
    while (webRoot.size() >= 2 && (webRoot.endsWith(u'\\') || webRoot.endsWith(u'/')))
        webRoot.chop(1);
    first.options.setControlValue(u"prjFilWebRoot", webRoot);
    assignTreeKeys(*first.root);
    settleUnsavedDefaults(*first.root);
    const QString text1 = ProjectFile::projectText(first.options, *first.root);

    // Back through the text itself.
    MemoryProject second;
    ProjectFile::readText(text1, second.options, *second.root);
    const QString text2 = ProjectFile::projectText(second.options, *second.root);
    if (text1 != text2)
        mismatch("text", text1, text2);

    // Back through the bytes a save would write, as the next open reads them.
    MemoryProject third;
    ProjectFile::readText(decodeText(encodeText(text1)), third.options, *third.root);
    const QString text3 = ProjectFile::projectText(third.options, *third.root);
    if (text1 != text3)
        mismatch("file bytes", text1, text3);

    // Damaged, the text still gives the same project.
    quint32 mix = 0;
    for (size_t i = 0; i < size; ++i)
        mix = mix * 31u + data[i];
    MemoryProject fourth;
    ProjectFile::readText(damaged(text1, mix), fourth.options, *fourth.root);
    const QString text4 = ProjectFile::projectText(fourth.options, *fourth.root);
    if (text1 != text4)
        mismatch("damaged lines", text1, text4);
    return 0;
}
