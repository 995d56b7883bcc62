#pragma once
// Automatic widths: each menu level's box is as wide as its longest name,
// a base plus some pixels per character. The width of a level is known only
// after its last entry, so the serialiser writes a placeholder into every call
// of the level and replaces it when the level is finished. With several
// languages every value is a ";;" list with one entry per language.

#include <QString>

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

class AutomaticWidths {
public:
    explicit AutomaticWidths(const clsOptions &options);

    // The start value of a level's name-length list.
    static QString startLengths() { return QStringLiteral("2"); }

    QString addNameLength(const QString &name, const QString &lengths) const;
    QString computeWidth(const QString &bases, const QString &perCharacters, const QString &lengths) const;
    // The width for a level from the project's base and per-character values.
    QString levelWidth(const QString &lengths) const;
    // Replaces every occurrence of placeholder in text by the level's width.
    QString resolveWidth(const QString &text, const QString &lengths, const QString &placeholder) const;
    // The same on the tail of a buffer that starts at from: the level being
    // finished is always the end of the text written so far.
    void resolveTail(QString &buffer, qsizetype from, const QString &lengths, const QString &placeholder) const;

    bool multilingual() const { return !m_languages.isEmpty(); }

private:
    const clsOptions &m_options;
    QString m_languages; // "" unless the project is multilingual
};

} // namespace qwk
