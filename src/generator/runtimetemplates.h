#pragma once
// The fixed text of the menu script's runtime library, as templates for
// TextEmitter. $v:name$ and $f:name$ are the script identifiers of internal
// variable and function names; other placeholders are the option-dependent
// pieces the runtime writer computes once per run. Comment lines ("//...")
// are dropped from compact scripts.

#include <QStringView>

namespace qwk::runtime {

// Global variables and the image preloading.
extern const QStringView kGlobals;
extern const QStringView kImagePreload;

// The functions of the library, in the order they are written.
extern const QStringView kDrawing; // mf, ccmf, sf, lk, col, de
extern const QStringView kAnchors; // cmf, csf, clk, wa, waMO, waMT, wi
extern const QStringView kClicks; // ck, ck2, osfl, ismf, gf, go, os, cs, dw, gif, ii, ch
extern const QStringView kCookies; // udc, osc, csc, sio, oas, gc, sc, sshw, ssc, stsc, ct, className

// Between className and the languages: the public scripting functions and
// the mouse-over functions of drop-down menus.
extern const QStringView kScripting; // openpage ... gp
extern const QStringView kMouseOver; // dropDownMenu ... timeout

extern const QStringView kLanguages; // langString, multilingual
extern const QStringView kTransform; // cnv

extern const QStringView kPageLoad;

} // namespace qwk::runtime
