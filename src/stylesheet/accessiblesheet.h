#pragma once
// The default style sheet for the accessible menu markup (a <nav> of nested
// lists, folders as buttons): the class keys on their elements, columns side
// by side, a visible focus outline, hover and focus colours that keep their
// contrast, the open/closed mark as generated content that screen readers
// skip, and entries large enough to hit with a finger.

#include "stylesheet/cssvocabulary.h"

#include <QString>

namespace qwk {

// The sheet for the drop-down (true) or the tree menu, with the project's
// class names. Like the other default sheets: CR LF line ends, tab indents,
// one rule per class key so the rule list and the run find every class. It
// holds no double quote, so it can also be embedded in the script.
QString accessibleStyleSheet(bool dropDown, const ClassNameFunction &className);

} // namespace qwk
