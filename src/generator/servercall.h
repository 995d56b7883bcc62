#pragma once
// Calls that the server control turns into server code are written into the
// menu data and the site map as placeholders: "[%", the function, its
// arguments in parentheses, ")%]". "%%" stands for a double quote there, so a
// string argument is enclosed in "%%" on both sides; numbers and True are
// written bare; arguments are separated by ",".

#include <QString>
#include <QStringView>

namespace qwk {

class ServerCall {
public:
    explicit ServerCall(QStringView function);

    // A string argument, "%%" + value + "%%". The value is written as given:
    // the caller escapes it for where the call stands.
    ServerCall &text(QStringView value);
    // A string argument that holds text of the author's or from the disk.
    // Its "%" (and a "[" or "]" that would join one of the marks) is written
    // as a joined ChrW(...) call, so the argument stays one string on the
    // server and cannot close the call or open another.
    ServerCall &userText(QStringView value);
    // A number or True, written as it stands.
    ServerCall &bare(QStringView value);
    // The finished placeholder.
    QString done() const;

private:
    void separate();
    QString m_call;
    bool m_first = true;
};

} // namespace qwk
