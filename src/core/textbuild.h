#pragma once
// Appending many small pieces to one large text, as the writers do for every
// node of a menu: one resize and plain copies instead of a library append per
// piece, which costs more than the copy itself for pieces this short. And the
// line end every written file uses.

#include <QString>
#include <QStringView>

#include <cstring>
#include <initializer_list>

namespace qwk {

// Every file the program writes (scripts, pages, style sheets, projects) ends
// its lines with CR LF, whatever the system, so the same project gives the
// same bytes everywhere.
inline const QString kCRLF = QStringLiteral("\r\n");

inline void appendPieces(QString &out, std::initializer_list<QStringView> pieces)
{
    qsizetype total = 0;
    for (QStringView p : pieces)
        total += p.size();
    const qsizetype old = out.size();
    out.resize(old + total);
    char16_t *to = reinterpret_cast<char16_t *>(out.data()) + old;
    for (QStringView p : pieces) {
        if (!p.isEmpty())
            std::memcpy(to, p.utf16(), size_t(p.size()) * sizeof(char16_t));
        to += p.size();
    }
}

} // namespace qwk
