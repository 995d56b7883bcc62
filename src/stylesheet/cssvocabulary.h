#pragma once
// What the style sheet tab offers: the CSS properties with the values the
// author can pick for each, the menu's class keys, and the default sheets
// written for a new menu.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace qwk {

// The 30 property names, in the order the property list shows them.
const QStringList &cssPropertyNames();
// The values offered for each property, parallel to cssPropertyNames().
const QList<QStringList> &cssPropertyValueLists();

// The value that removes a property from a rule, and the one that asks for
// any colour.
inline const QString kCssDeleteValue = QStringLiteral("delete");
inline const QString kCssOtherColourValue = QStringLiteral("other...");
// The first colour of the colour list: a value list starting with it shows colours.
inline const QString kCssFirstColour = QStringLiteral("aqua");

// The fixed keys of the menu's classes, in the order of the "Class names" tab.
const QStringList &cssClassKeys();
// The prefix of the option keys that hold the class names.
inline const QString kClassNameOptionPrefix = QStringLiteral("prjCN");

// The effective name of a class key: the author's name, or the key itself.
using ClassNameFunction = std::function<QString(const QString &classKey)>;

// The default style sheet for a new menu: the drop-down (mouse-over) sheet, or
// the tree menu sheet. mouseOverHover gives the ":hover" rules of the link and
// main folder lines their "MouseOver" variant. CR LF line ends, tab indents.
QString defaultStyleSheet(bool dropDown, bool mouseOverHover, const ClassNameFunction &className);

} // namespace qwk
