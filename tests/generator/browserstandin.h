#pragma once
// A minimal stand-in for the browser objects the menu script touches
// (document with cookies and elements, navigator, window, timers), so the
// runtime's functions can be run under Node one by one.

#include <QString>

namespace qwk::test {

// Defines document, navigator, window, Image, alert, setTimeout and
// clearTimeout, plus helpers: mk(id) makes an element, out(label, value)
// prints "label=value", cookieValues holds the cookies by name, rawCookie
// (when not null) replaces document.cookie as read, refuseCookies drops every
// write, timers lists the timers with their state ("live", "cleared", "fired")
// and fire(i) runs one. With w3c false the document has no getElementById.
QString browserStandIn(bool w3c = true);

} // namespace qwk::test
