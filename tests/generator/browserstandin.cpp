#include "browserstandin.h"

namespace qwk::test {

QString browserStandIn(bool w3c)
{
    QString s = QStringLiteral(R"js(
var elements = {};
function mk(id) {
  var e = { id: id, style: {}, offsetTop: 0, offsetLeft: 0, offsetWidth: 0, offsetHeight: 0, offsetParent: null };
  elements[id] = e;
  return e;
}
var cookieNames = [], cookieValues = {}, rawCookie = null, refuseCookies = false;
var alerts = [];
function alert(text) { alerts.push(text); }
var document = {
  get cookie() {
    if (rawCookie !== null) return rawCookie;
    return cookieNames.map(function (n) { return n + "=" + cookieValues[n]; }).join("; ");
  },
  set cookie(v) {
    if (refuseCookies) return;
    var pair = v.split(";")[0], i = pair.indexOf("="), n = pair.substring(0, i);
    if (!(n in cookieValues)) cookieNames.push(n);
    cookieValues[n] = pair.substring(i + 1);
  },
  getElementById: function (id) { return Object.prototype.hasOwnProperty.call(elements, id) ? elements[id] : null; },
  images: [],
  location: "http://example.test/page.htm",
  body: { scrollLeft: 0, scrollTop: 0 }
};
var navigator = { userAgent: "Mozilla/5.0 (X11; Linux x86_64)", appVersion: "5.0 (X11)" };
var window = { location: { href: "" }, pageXOffset: 0, pageYOffset: 0, scroll: function () {} };
function Image() {}
var timers = [];
function setTimeout(f, ms) { timers.push({ f: f, ms: ms, state: "live" }); return timers.length; }
function clearTimeout(id) { if (id > 0 && timers[id - 1].state == "live") timers[id - 1].state = "cleared"; }
function fire(i) { timers[i].state = "fired"; timers[i].f(); }
function out(label, value) { console.log(label + "=" + (typeof value === "string" ? value : JSON.stringify(value))); }
var qwkLang = "en";
)js");
    if (!w3c)
        s += QStringLiteral("document.getElementById = undefined;\n");
    return s;
}

} // namespace qwk::test
