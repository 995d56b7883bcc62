#pragma once
// Automatic widths: each menu level's box is as wide as its longest name,
// a base plus some pixels per character. The width of a level is known only
// after its last entry, so the serialiser writes a placeholder into every call
// of the level and replaces it when the level is finished. With several
// languages every value is a ";;" list with one entry per language.

#include "generator/identifiers.h"

#include <QString>
#include <vector>

namespace qwk {

class clsOptions;

// The item of a ";;" list that starts at position (1-based), moving position
// past the following ";;" (or past the end). "" at or past the end.
QString nextListItem(const QString &list, int &position);

// perCharacter x length + base, as "NNNpx"; defaults 40, 5 and 10 for values
// that are not 16-bit numbers; "" when the result leaves the 16-bit range.
QString widthOf(const QString &base, const QString &perCharacter, const QString &length);

// The greater of a recorded length and the length of name.
QString longer(const QString &current, const QString &name);

// The text a writer puts where a level's width goes. A width placeholder
// ("[$" + section id + "$]", also inside the server's language placeholder)
// gets the fill mark (kFillMark) in front of its "[$": the level's width
// later replaces only what carries the mark, never the same characters in a
// name or an address. Any other width is written as it stands.
QString markedWidth(QStringView width);
// The same, escaped for a script string, into room for kScriptEscapeWidth
// times width's length; returns the end.
char16_t *writeMarkedWidth(char16_t *to, QStringView width);

// Whether a width typed by the author may be written where the script puts
// it bare (width=...): empty, or a number with an optional unit ("120",
// "120px", "50%", "7.5em"), blanks around it allowed; a ";;" list of such
// widths for several languages.
bool isWidthValue(QStringView text);
// The message that stops a run for a width that is not.
QString badWidthMessage(QStringView option, const QString &value);

class AutomaticWidths {
public:
    explicit AutomaticWidths(const clsOptions &options);

    // The start value of a level's name-length list.
    static QString startLengths() { return QStringLiteral("2"); }

    QString addNameLength(const QString &name, const QString &lengths) const;
    QString computeWidth(const QString &bases, const QString &perCharacters, const QString &lengths) const;
    // The width for a level from the project's base and per-character values.
    QString levelWidth(const QString &lengths) const;
    // Replaces every occurrence of placeholder, as the writers mark it
    // (markedWidth), in text by the level's width.
    QString resolveWidth(const QString &text, const QString &lengths, const QString &placeholder) const;
    // The same on the tail of a buffer that starts at from: the level being
    // finished is always the end of the text written so far.
    void resolveTail(QString &buffer, qsizetype from, const QString &lengths, const QString &placeholder) const;

    bool multilingual() const { return !m_languages.isEmpty(); }

private:
    const clsOptions &m_options;
    QString m_languages; // "" unless the project is multilingual
};

// A level's width is known only at its end, but its calls were written long
// before, and with them every deeper level's. Replacing the placeholder at
// once would go over the deeper levels' text again for every level around
// them, which grows with the square of the depth; instead each finished
// level's width is noted and every placeholder is filled in one pass when
// the writing is done.
class LevelWidthFill {
public:
    explicit LevelWidthFill(const clsOptions &options) : m_widths(options) {}

    // The level whose text starts at start in out is finished: its width is
    // noted for placeholder. A width text without a placeholder this program
    // wrote cannot be told apart in the final pass and is replaced at once.
    void note(QString &out, qsizetype start, const QString &lengths, const QString &placeholder);
    // Fills every noted placeholder in out from from on, and forgets them.
    void fill(QString &out, qsizetype from);

private:
    struct NotedWidth {
        QString placeholder; // as written, with the fill mark (markedWidth)
        qsizetype keyStart;  // where the mark, "[$" ... "$]" stands inside it
        qsizetype keyLength;
        QString width;
    };
    AutomaticWidths m_widths;
    std::vector<NotedWidth> m_noted;
};

} // namespace qwk
