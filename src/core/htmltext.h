#pragma once
// Text written into an HTML page goes in as text, never as markup: a name,
// path or class typed by the author cannot open an element or end the
// attribute it stands in.

#include <QString>
#include <QStringView>

namespace qwk {

// "&", "<", ">" and the double quote as entities: for element text and for
// attribute values in double quotes. The apostrophe stays as it is, so names
// such as "Tom's page" are written as typed.
QString htmlEscaped(QStringView text);
void appendHtmlEscaped(QString &out, QStringView text);

// The same, and the apostrophe as "&#39;" as well: for values that also
// stand in attributes in single quotes (class='...').
QString htmlAttributeEscaped(QStringView text);

} // namespace qwk
