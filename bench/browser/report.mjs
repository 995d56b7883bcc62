// The table of bench/run, from the core results ("SIZE STEP key=value ..."
// lines, "n/a" for a step that failed) and the browser results (bench.mjs's
// JSON), with the targets checked.
//
// node report.mjs --core core.txt [--browser browser.json] --runs R

import fs from 'node:fs';
import os from 'node:os';
import { execFileSync } from 'node:child_process';

function option(name, fallback) {
  const i = process.argv.indexOf(name);
  return i > 0 && i + 1 < process.argv.length ? process.argv[i + 1] : fallback;
}

const core = new Map(); // "SIZE STEP" -> {seconds, bytes, ...} or null
for (const line of fs.readFileSync(option('--core'), 'utf8').split('\n')) {
  const m = line.match(/^(\d+) (\S+) (.*)$/);
  if (!m) continue;
  if (m[3].trim() === 'n/a') { core.set(`${m[1]} ${m[2]}`, null); continue; }
  const v = {};
  for (const kv of m[3].matchAll(/(\w+)=(\S*)/g)) v[kv[1]] = Number.isNaN(Number(kv[2])) ? kv[2] : Number(kv[2]);
  core.set(`${m[1]} ${m[2]}`, v);
}
const browserFile = option('--browser', '');
const browser = browserFile ? JSON.parse(fs.readFileSync(browserFile, 'utf8')) : null;
const runs = option('--runs', '5');
const sizes = [...new Set([...core.keys()].map((k) => Number(k.split(' ')[0])))].sort((a, b) => a - b);

const cpu = (() => {
  try {
    const m = fs.readFileSync('/proc/cpuinfo', 'utf8').match(/^model name\s*:\s*(.*)$/m);
    return m ? m[1].trim() : os.cpus()[0]?.model || 'unknown CPU';
  } catch { return os.cpus()[0]?.model || 'unknown CPU'; }
})();
let chromium = 'Chromium';
try { chromium = execFileSync('/usr/bin/chromium', ['--version'], { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] }).trim(); } catch {}

const lines = [];
const out = (s = '') => lines.push(s);
const pad = (s, w) => String(s).padStart(w);
const padr = (s, w) => String(s).padEnd(w);
const secs = (v) => (v == null ? 'n/a' : v < 0.01 ? (v * 1000).toFixed(2) + ' ms' : v < 1 ? (v * 1000).toFixed(1) + ' ms' : v.toFixed(2) + ' s');
const ms = (v) => (v == null ? 'n/a' : v < 10 ? v.toFixed(2) : v < 1000 ? v.toFixed(1) : Math.round(v).toString());
const mib = (kib) => (kib == null ? 'n/a' : (kib / 1024).toFixed(0) + ' MiB');
const bytes = (b) => (b == null ? 'n/a' : b >= 1048576 ? (b / 1048576).toFixed(1) + ' MiB' : (b / 1024).toFixed(0) + ' KiB');

out(`Quenwick benchmark on ${os.hostname()} (${cpu}, ${os.cpus().length} cores), ${new Date().toISOString().replace(/\.\d+Z$/, 'Z')}`);
out(`every figure the median of ${runs} runs`);
out();
out('Core (synthetic projects; time of the step alone; peak = resident memory of the process with the tree loaded;');
out('      floor = the output\'s bytes read and written in 128 KiB pieces, as cat does' +
  ([...core.keys()].some((k) => k.endsWith('-ir')) ? ';\n      instructions = callgrind count of the step alone, one run, at the two largest sizes)' : ')'));
const steps = [['read', 'project read'], ['write', 'project write'], ['run', 'run (script)'], ['runauto', 'run, auto widths'], ['sitemap', 'siteMap']];
const haveIr = [...core.keys()].some((k) => k.endsWith('-ir'));
out(padr('nodes', 8) + padr('step', 18) + pad('time', 10) + pad('output', 11) + pad('peak', 9) + pad('floor', 10) + pad('x floor', 9) + (haveIr ? pad('instructions', 16) : ''));
const verdicts = [];
for (const n of sizes) {
  for (const [key, label] of steps) {
    const v = core.get(`${n} ${key}`);
    const f = core.get(`${n} ${key}-cat`);
    const ir = core.get(`${n} ${key}-ir`);
    const ratio = v && f && f.seconds > 0 ? v.seconds / f.seconds : null;
    out(padr(n, 8) + padr(label, 18) + pad(secs(v?.seconds), 10) + pad(bytes(v?.bytes), 11) + pad(mib(v?.peak_kib), 9) +
      pad(f ? secs(f.seconds) : 'n/a', 10) + pad(ratio == null ? 'n/a' : 'x' + ratio.toFixed(1), 9) +
      (haveIr ? pad(ir?.instructions ? Number(ir.instructions).toLocaleString('en-US') : '', 16) : ''));
  }
}

// Core targets, at the largest size (100,000 nodes).
const big = sizes.includes(100000) ? 100000 : null;
if (big) {
  const limit = { read: 0.3, write: 0.3, run: 0.5, runauto: 1.0, sitemap: 0.5 };
  for (const [key, label] of steps) {
    const v = core.get(`${big} ${key}`);
    if (!v) { verdicts.push(`n/a   ${label} at ${big}: not measured (the step failed or does not exist yet)`); continue; }
    verdicts.push(`${v.seconds <= limit[key] ? 'met ' : 'MISS'}  ${label} at ${big}: ${secs(v.seconds)} (at most ${secs(limit[key])})`);
    const f = core.get(`${big} ${key}-cat`);
    if (f) verdicts.push(`${v.seconds <= 10 * f.seconds ? 'met ' : 'MISS'}  ${label} at ${big}: x${(v.seconds / f.seconds).toFixed(1)} the cat floor (at most x10)`);
    const small = core.get(`${big / 10} ${key}`);
    if (small) verdicts.push(`${v.seconds <= 12 * small.seconds ? 'met ' : 'MISS'}  ${label} ${big / 10} -> ${big}: x${(v.seconds / small.seconds).toFixed(1)} time (at most x12)`);
    const irBig = core.get(`${big} ${key}-ir`), irSmall = core.get(`${big / 10} ${key}-ir`);
    if (irBig?.instructions && irSmall?.instructions) {
      const g = irBig.instructions / irSmall.instructions;
      verdicts.push(`${g <= 12 ? 'met ' : 'MISS'}  ${label} ${big / 10} -> ${big}: x${g.toFixed(1)} instructions (at most x12)`);
    }
  }
}

if (browser) {
  const cap = Math.round((browser.capMs ?? 30000) / 1000);
  out();
  out(`Browser (${chromium}, headless, through playwright-core; tree mode, every folder closed at first)`);
  out('  draw = page script start to the menu laid out and the next frame drawn (data or generated script loaded after');
  out('  the clock starts); open all = every folder opened and laid out; toggle = opening the main folder with the most');
  out('  entries, style and layout included; elements = DOM elements of the drawn menu; * = a run took longer than');
  out(`  ${cap} s and the step was not repeated: the median of the runs that finished; >${cap} s = none finished`);
  out('  Quenwick\'s HTML, one innerHTML = the HTML the generated script collects and writes, put into a div with one');
  out('  innerHTML like the plain list (toggle and open all: the same display change, without the runtime\'s cookie)');
  out(padr('entries', 9) + padr('menu', 32) + pad('draw ms', 10) + pad('open all ms', 13) + pad('toggle ms', 11) + pad('elements', 10) + pad('x floor', 9));
  const names = { quenwick: 'Quenwick', accessible: 'Quenwick, accessible markup', quenwickHtml: 'Quenwick\'s HTML, one innerHTML', floor: 'plain <ul> innerHTML', jstree: 'jstree 3.3.17', fancytree: 'fancytree 2.38.5', wunderbaum: 'wunderbaum 0.14.1' };
  const fmt = (r) => (r == null || r.ms == null ? (r?.capped ? `>${cap} s` : 'n/a') : ms(r.ms) + (r.capped ? '*' : ''));
  for (const [n, row] of Object.entries(browser.sizes)) {
    for (const kind of Object.keys(names)) {
      const r = row[kind];
      if (!r) continue;
      const ratio = r.draw?.ms != null && row.floor?.draw?.ms ? 'x' + (r.draw.ms / row.floor.draw.ms).toFixed(2) : 'n/a';
      out(padr(row.entries ?? n, 9) + padr(names[kind], 32) + pad(fmt(r.draw), 10) + pad(fmt(r.openAll), 13) + pad(fmt(r.toggle), 11) + pad(r.elements ?? 'n/a', 10) + pad(ratio, 9));
    }
  }
  if (Object.values(browser.sizes).some((row) => row.accessible)) {
    out('  accessible markup: toggle = the first opening, which builds the folder\'s list; open all = clicks on every');
    out('  folder button, each list built as it opens');
    out('Script bytes (tree menu, readable)');
    out(padr('entries', 9) + pad('specified', 12) + pad('accessible', 12));
    for (const [n, row] of Object.entries(browser.sizes))
      if (row.scriptBytes) out(padr(row.entries ?? n, 9) + pad(bytes(row.scriptBytes.specified), 12) + pad(bytes(row.scriptBytes.accessible), 12));
  }
  out('Drop-down mode: mouse rest to the section shown, less the menu\'s 400 ms delay');
  out(padr('entries', 9) + pad('ms', 10));
  for (const [n, row] of Object.entries(browser.sizes)) out(padr(row.entries ?? n, 9) + pad(ms(row.dropDown?.ms), 10));

  const engines = Object.entries(browser.engines ?? {});
  if (engines.length) {
    out('The tree menu in other engines (draw and toggle as above; Chromium\'s figures repeated beside them)');
    out(padr('entries', 9) + padr('engine', 40) + pad('draw ms', 10) + pad('toggle ms', 11));
    for (const [n, row] of Object.entries(browser.sizes)) {
      if (!engines.some(([, e]) => e.sizes?.[n])) continue;
      out(padr(row.entries ?? n, 9) + padr(chromium.split(' ').slice(0, 2).join(' '), 40) + pad(fmt(row.quenwick?.draw), 10) + pad(fmt(row.quenwick?.toggle), 11));
      for (const [name, e] of engines)
        if (e.sizes?.[n])
          out(padr(row.entries ?? n, 9) + padr(`${name} ${e.version}`, 40) + pad(fmt(e.sizes[n].draw), 10) + pad(fmt(e.sizes[n].toggle), 11));
      if (row.accessible?.draw)
        out(padr(row.entries ?? n, 9) + padr(`${chromium.split(' ').slice(0, 2).join(' ')}, accessible`, 40) + pad(fmt(row.accessible.draw), 10) + pad(fmt(row.accessible.toggle), 11));
      for (const [name, e] of engines)
        if (e.accessibleSizes?.[n])
          out(padr(row.entries ?? n, 9) + padr(`${name} ${e.version}, accessible`, 40) + pad(fmt(e.accessibleSizes[n].draw), 10) + pad(fmt(e.accessibleSizes[n].toggle), 11));
    }
    for (const [name, e] of engines)
      if (e.missing) out(`  ${name}: not measured, missing ${e.missing}`);
  }

  const ten = browser.sizes['10000'];
  if (ten?.quenwick?.draw?.ms != null) {
    const q = ten.quenwick.draw.ms;
    const f = ten.floor?.draw?.ms;
    if (f) verdicts.push(`${q <= 1.5 * f ? 'met ' : 'MISS'}  draw at 10000: x${(q / f).toFixed(2)} the plain <ul> floor (at most x1.5)`);
    for (const peer of ['jstree', 'fancytree', 'wunderbaum']) {
      const p = ten[peer]?.draw?.ms;
      if (p != null) verdicts.push(`${q < p ? 'met ' : 'MISS'}  draw at 10000: ${ms(q)} ms against ${names[peer]} ${ms(p)} ms (faster)`);
    }
  }
  const a = ten?.accessible?.draw?.ms;
  if (a != null) {
    const f = ten.floor?.draw?.ms;
    if (f) verdicts.push(`${a <= 1.5 * f ? 'met ' : 'MISS'}  accessible markup, draw at 10000: x${(a / f).toFixed(2)} the plain <ul> floor (at most x1.5)`);
    for (const peer of ['jstree', 'fancytree', 'wunderbaum']) {
      const p = ten[peer]?.draw?.ms;
      if (p != null) verdicts.push(`${a < p ? 'met ' : 'MISS'}  accessible markup, draw at 10000: ${ms(a)} ms against ${names[peer]} ${ms(p)} ms (faster)`);
    }
  }
  const hundred = browser.sizes['100000'];
  if (hundred?.accessible?.toggle?.ms != null)
    verdicts.push(`${hundred.accessible.toggle.ms < 16 ? 'met ' : 'MISS'}  accessible markup, first toggle at 100000: ${ms(hundred.accessible.toggle.ms)} ms (under 16 ms)`);
  if (hundred?.quenwick?.toggle?.ms != null)
    verdicts.push(`${hundred.quenwick.toggle.ms < 16 ? 'met ' : 'MISS'}  toggle at 100000: ${ms(hundred.quenwick.toggle.ms)} ms (under 16 ms)`);
}

if (verdicts.length) {
  out();
  out('Targets');
  for (const v of verdicts) out('  ' + v);
}
process.stdout.write(lines.join('\n') + '\n');
