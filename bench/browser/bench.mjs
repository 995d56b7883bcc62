// The browser half of bench/run: Quenwick's generated tree menu against a
// plain nested list written with one innerHTML (the floor) and three tree
// widgets a web author might pick instead, in Debian's Chromium. One more row
// writes the very HTML that the generated script collects and hands to
// document.write into a div with one innerHTML, timed like the floor: the
// gap between it and the floor is what the menu's markup costs, the gap
// between it and the generated menu what its script costs.
//
// node bench.mjs --work DIR --sizes 1000,10000,100000 --runs 5 --out FILE.json
//
// DIR holds, for each size N, tree-N/menu/qmenu.js (a tree menu), dd-N/menu/
// qmenu.js (the same project as a drop-down menu), a11y-N/menu/qmenu.js (the
// tree menu in the accessible markup) and tree-N.json (its entries as nested
// {title, children} for the peers). Each figure is the
// median of --runs page loads, each load in a clean state (no cookies).
//
// --engines firefox,webkit (the default) times the tree menu's draw and toggle
// in those engines too, at the sizes of --engine-sizes (those up to 10,000 by
// default), through tests/browser/lib/engines.mjs and the npm packages of
// tests/browser; an engine that is not installed is reported as such.

import http from 'node:http';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { launchEngine, missingFor } from '../../tests/browser/lib/engines.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const nm = path.join(here, 'node_modules');

function option(name, fallback) {
  const i = process.argv.indexOf(name);
  return i > 0 && i + 1 < process.argv.length ? process.argv[i + 1] : fallback;
}
const work = path.resolve(option('--work', '.'));
const sizes = option('--sizes', '1000,10000,100000').split(',').map(Number);
const runs = Math.max(1, Number(option('--runs', '5')));
const outFile = option('--out', '');
// One step that takes longer than this is not repeated; its figure is then
// a lower bound.
const capMs = Number(option('--cap-ms', '30000'));
// Which menus to measure (all by default), for a closer look at one.
const kinds = option('--kinds', 'quenwick,accessible,quenwickHtml,floor,jstree,fancytree,wunderbaum,dropdown').split(',');
// The other engines, where the generated tree menu's draw and toggle are
// timed too (the tests' engine interface: Firefox ESR, WebKitGTK), and the
// sizes there (those of --sizes up to 10,000 by default).
const otherEngines = option('--engines', 'firefox,webkit').split(',').filter(Boolean);
const engineSizes = option('--engine-sizes', sizes.filter((n) => n <= 10000).join(',')).split(',').filter(Boolean).map(Number);

const median = (v) => {
  const s = [...v].sort((a, b) => a - b);
  const m = s.length >> 1;
  return s.length % 2 ? s[m] : (s[m - 1] + s[m]) / 2;
};

// ---------------------------------------------------------------- pages

const escapeHtml = (t) => t.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');

function floorHtml(list) {
  let h = '<ul>';
  for (const e of list) {
    if (e.children) h += '<li class="f"><span>' + escapeHtml(e.title) + '</span>' + floorHtml(e.children) + '</li>';
    else h += '<li><a href="#">' + escapeHtml(e.title) + '</a></li>';
  }
  return h + '</ul>';
}

function jstreeData(list) {
  return list.map((e) => (e.children ? { text: e.title, children: jstreeData(e.children) } : { text: e.title }));
}

function peerData(list) {
  return list.map((e) => (e.children ? { title: e.title, children: peerData(e.children) } : { title: e.title }));
}

// The data scripts are made once, before any clock runs; every page loads
// its data (or, for Quenwick, its generated script) after its clock starts.
const dataCache = new Map();
async function dataScript(kind, n) {
  const key = kind + n;
  if (kind === 'qhtml' && !dataCache.has(key))
    dataCache.set(key, 'window.QHTML=' + JSON.stringify(await capturedHtml(n)) + ';');
  if (!dataCache.has(key)) {
    const tree = JSON.parse(fs.readFileSync(path.join(work, `tree-${n}.json`), 'utf8'));
    let body;
    if (kind === 'floor') body = 'window.FLOOR=' + JSON.stringify(floorHtml(tree)) + ';';
    else if (kind === 'jstree') body = 'window.TREE=' + JSON.stringify(jstreeData(tree)) + ';';
    else body = 'window.TREE=' + JSON.stringify(peerData(tree)) + ';';
    dataCache.set(key, body);
  }
  return dataCache.get(key);
}

// Shared by every page: the clock, the "drawn" moment (style and layout done,
// then the first frame after it) and the element count of the menu.
// The marks bench-start and bench-drawn bound the window profile.mjs reads.
const harness = `<script>
performance.mark('bench-start');
window.bench = {
  t0: performance.now(),
  frame() { return new Promise((r) => requestAnimationFrame(() => { const c = new MessageChannel(); c.port1.onmessage = () => r(); c.port2.postMessage(0); })); },
  layout() { document.body.getBoundingClientRect(); return document.body.offsetHeight; },
  elements() { const b = document.body; return b.getElementsByTagName('*').length - b.getElementsByTagName('script').length; },
};
window.benchDrawn = new Promise((resolve) => { window.benchMarkDrawn = async () => {
  bench.layout(); const layoutDone = performance.now(); await bench.frame(); performance.mark('bench-drawn');
  resolve({ draw: performance.now() - bench.t0, layout: layoutDone - bench.t0, elements: bench.elements() }); }; });
</script>`;

// The accessible markup builds a closed folder's list when it first opens,
// so its folders cannot be weighed in the page before the clock: the main
// folder with the most entries is found in the tree's JSON, as its index
// among the main folders (the buttons of the menu's columns, in order).
const bestMain = new Map();
function bestMainFolder(n) {
  if (!bestMain.has(n)) {
    const tree = JSON.parse(fs.readFileSync(path.join(work, `tree-${n}.json`), 'utf8'));
    let best = 0, most = -1, k = 0;
    for (const e of tree) {
      if (!e.children) continue;
      if (e.children.length > most) { most = e.children.length; best = k; }
      ++k;
    }
    bestMain.set(n, best);
  }
  return bestMain.get(n);
}

const head = (extra = '') =>
  `<!doctype html><html><head><meta charset="utf-8"><title>bench</title>${extra}</head><body>`;

function page(kind, n) {
  switch (kind) {
    case 'quenwick':
    case 'dropdown': {
      const dir = kind === 'quenwick' ? `tree-${n}` : `dd-${n}`;
      return head() + harness + `<script src="/work/${dir}/menu/qmenu.js"></script>` +
        `<script>benchMarkDrawn();</script></body></html>`;
    }
    case 'accessible':
      // The menu is drawn where its script stands; should the runtime wait
      // for the document, the moment its nav is in the page counts.
      return head() + harness + `<script>window.benchBest = ${bestMainFolder(n)};</script>` +
        `<script src="/work/a11y-${n}/menu/qmenu.js"></script>` +
        `<script>(() => { const drawn = () => document.querySelector('nav.qwk-menu'); if (drawn()) return benchMarkDrawn();
          const mo = new MutationObserver(() => { if (drawn()) { mo.disconnect(); benchMarkDrawn(); } });
          mo.observe(document, { childList: true, subtree: true }); })();</script></body></html>`;
    case 'quenwickHtml':
      return head() + '<div id="m"></div>' + harness + `<script src="/data/qhtml-${n}.js"></script>` +
        `<script>document.getElementById('m').innerHTML = QHTML; benchMarkDrawn();</script></body></html>`;
    case 'capture':
      // The generated tree menu with document.write recording its text
      // instead of writing it.
      return head() + '<script>window.benchWritten = []; document.write = function () { ' +
        'for (let i = 0; i < arguments.length; ++i) benchWritten.push(String(arguments[i])); };</script>' +
        `<script src="/work/tree-${n}/menu/qmenu.js"></script></body></html>`;
    case 'floor':
      return head('<style>li.f>ul{display:none} li.f.open>ul{display:block} #m.all li.f>ul{display:block}</style>') +
        '<div id="m"></div>' + harness + `<script src="/data/floor-${n}.js"></script>` +
        `<script>document.getElementById('m').innerHTML = FLOOR; benchMarkDrawn();</script></body></html>`;
    case 'jstree':
      return head('<link rel="stylesheet" href="/nm/jstree/dist/themes/default/style.min.css">' +
          '<script src="/nm/jquery/dist/jquery.min.js"></script><script src="/nm/jstree/dist/jstree.min.js"></script>') +
        '<div id="m"></div>' + harness + `<script src="/data/jstree-${n}.js"></script>` +
        `<script>$('#m').on('ready.jstree', () => benchMarkDrawn()).jstree({ core: { data: TREE } });</script></body></html>`;
    case 'fancytree':
      return head('<link rel="stylesheet" href="/nm/jquery.fancytree/dist/skin-win8/ui.fancytree.min.css">' +
          '<script src="/nm/jquery/dist/jquery.min.js"></script>' +
          '<script src="/nm/jquery.fancytree/dist/jquery.fancytree-all-deps.min.js"></script>') +
        '<div id="m"></div>' + harness + `<script src="/data/peer-${n}.js"></script>` +
        `<script>$('#m').fancytree({ source: TREE, init: () => benchMarkDrawn() });</script></body></html>`;
    case 'wunderbaum':
      return head('<link rel="stylesheet" href="/nm/wunderbaum/dist/wunderbaum.css">' +
          '<script src="/nm/wunderbaum/dist/wunderbaum.umd.min.js"></script>') +
        '<div id="m" style="height:800px"></div>' + harness + `<script src="/data/peer-${n}.js"></script>` +
        `<script>window.wb = new mar10.Wunderbaum({ element: '#m', source: TREE, init: () => { wb.update('any', { immediate: true }); benchMarkDrawn(); } });</script></body></html>`;
  }
  throw new Error('unknown page ' + kind);
}

// ---------------------------------------------------------------- in-page steps

// Each returns milliseconds; run inside the page with page.evaluate.
const steps = {
  quenwick: {
    // Every folder of the menu opened through the runtime's show/hide
    // function (the one a click ends in), then style and layout.
    openAll: `(async () => { const t = performance.now();
      for (const id in qGN) if (id[0] !== 'b' && !qO[id]) qCK2(id);
      bench.layout(); return performance.now() - t; })()`,
    // A click on the main folder with the most entries: the cookie is
    // updated and the section shown (the folder's own script, which may
    // leave the page, is not run).
    toggle: `(async () => { let best = '', most = -1;
      for (const id in qGN) { if (id[0] === 'b' || id.indexOf('d') !== id.lastIndexOf('d')) continue;
        const c = document.getElementById(id); if (c && c.children.length > most) { most = c.children.length; best = id; } }
      const times = [];
      for (let i = 0; i < 5; ++i) { const t = performance.now(); qUDC(best); qCK2(best); bench.layout();
        times.push(performance.now() - t); qUDC(best); qCK2(best); bench.layout(); await bench.frame(); }
      times.sort((a, b) => a - b); return times[2]; })()`,
  },
  // The accessible markup, driven by clicks on its folder buttons as a
  // visitor's would be (the folder's script and the cookie included).
  accessible: {
    // Every folder opened, each list built as its folder opens, then style
    // and layout.
    openAll: `(async () => { const t = performance.now();
      let todo = [...document.querySelectorAll('nav.qwk-menu button[aria-expanded]')];
      while (todo.length) { const next = [];
        for (const b of todo) { if (b.getAttribute('aria-expanded') === 'false') b.click();
          const list = document.getElementById(b.getAttribute('aria-controls'));
          for (const c of list.querySelectorAll(':scope > li > button[aria-expanded]')) next.push(c); }
        todo = next; }
      bench.layout(); return performance.now() - t; })()`,
    // The first opening of the main folder with the most entries, its list
    // built then: the dearest toggle there is (later ones only show it).
    toggle: `(async () => { const b = document.querySelectorAll('nav.qwk-menu > .qwk-column > li > button[aria-expanded]')[benchBest];
      const t = performance.now(); b.click(); bench.layout(); const first = performance.now() - t;
      b.click(); bench.layout(); await bench.frame(); return first; })()`,
  },
  // The same show and hide as the runtime's (display and z-index of the
  // section's element), without its cookie and bookkeeping; the sections
  // are found before the clock starts, as the runtime has them in a table.
  quenwickHtml: {
    openAll: `(async () => { const sections = [...document.querySelectorAll('#m div[id]')].filter((d) => d.id[0] !== 'c');
      const t = performance.now();
      for (const d of sections) { d.style.display = ''; d.style.zIndex = 2000; }
      bench.layout(); return performance.now() - t; })()`,
    toggle: `(async () => { let best = null, most = -1;
      for (const d of document.querySelectorAll('#m div[id]')) { if (d.id[0] === 'c' || d.id.indexOf('d') !== d.id.lastIndexOf('d')) continue;
        if (d.children.length > most) { most = d.children.length; best = d; } }
      const times = [];
      for (let i = 0; i < 5; ++i) { const t = performance.now(); best.style.display = ''; best.style.zIndex = 2000; bench.layout();
        times.push(performance.now() - t); best.style.display = 'none'; bench.layout(); await bench.frame(); }
      times.sort((a, b) => a - b); return times[2]; })()`,
  },
  floor: {
    openAll: `(async () => { const t = performance.now(); document.getElementById('m').classList.add('all');
      bench.layout(); return performance.now() - t; })()`,
    toggle: `(async () => { let best = null, most = -1;
      for (const li of document.querySelectorAll('#m>ul>li.f')) { const n = li.lastElementChild.children.length; if (n > most) { most = n; best = li; } }
      const times = [];
      for (let i = 0; i < 5; ++i) { const t = performance.now(); best.classList.toggle('open'); bench.layout();
        times.push(performance.now() - t); best.classList.toggle('open'); bench.layout(); await bench.frame(); }
      times.sort((a, b) => a - b); return times[2]; })()`,
  },
  jstree: {
    openAll: `new Promise((resolve) => { const j = $('#m').jstree(true); const t = performance.now();
      $('#m').one('open_all.jstree', () => { bench.layout(); resolve(performance.now() - t); }); j.open_all(null, 0); })`,
    toggle: `(async () => { const j = $('#m').jstree(true); let best = null, most = -1;
      for (const id of j.get_node('#').children) { const n = j.get_node(id).children.length; if (n > most) { most = n; best = id; } }
      const times = [];
      for (let i = 0; i < 5; ++i) { const t = performance.now(); j.open_node(best, false, 0); bench.layout();
        times.push(performance.now() - t); j.close_node(best, 0); bench.layout(); await bench.frame(); }
      times.sort((a, b) => a - b); return times[2]; })()`,
  },
  fancytree: {
    openAll: `(async () => { const tree = $.ui.fancytree.getTree('#m'); const t = performance.now();
      tree.expandAll(true, { noAnimation: true, noEvents: true }); bench.layout(); return performance.now() - t; })()`,
    toggle: `(async () => { const tree = $.ui.fancytree.getTree('#m'); let best = null, most = -1;
      for (const node of tree.getRootNode().children) { const n = node.children ? node.children.length : -1; if (n > most) { most = n; best = node; } }
      const times = [];
      for (let i = 0; i < 5; ++i) { const t = performance.now(); await best.setExpanded(true, { noAnimation: true }); bench.layout();
        times.push(performance.now() - t); await best.setExpanded(false, { noAnimation: true }); bench.layout(); await bench.frame(); }
      times.sort((a, b) => a - b); return times[2]; })()`,
  },
  wunderbaum: {
    // Wunderbaum draws only the rows in view; its own promise ends when the
    // rows are updated.
    openAll: `(async () => { const t = performance.now(); await wb.expandAll(true); wb.update('any', { immediate: true });
      bench.layout(); return performance.now() - t; })()`,
    toggle: `(async () => { let best = null, most = -1;
      for (const node of wb.root.children) { const n = node.children ? node.children.length : -1; if (n > most) { most = n; best = node; } }
      const times = [];
      for (let i = 0; i < 5; ++i) { const t = performance.now(); await best.setExpanded(true); wb.update('any', { immediate: true }); bench.layout();
        times.push(performance.now() - t); await best.setExpanded(false); wb.update('any', { immediate: true }); bench.layout(); await bench.frame(); }
      times.sort((a, b) => a - b); return times[2]; })()`,
  },
};

// Drop-down: the mouse comes to rest on the main folder with the most
// entries; the time from the last mouse-over to the section shown (style
// and layout done), less the 400 ms the menu waits on purpose.
const dropDownSetup = `(() => { let best = '', most = -1;
  for (const id in qGN) { if (id[0] === 'b' || id.indexOf('d') !== id.lastIndexOf('d')) continue;
    const c = document.getElementById(id); if (c && c.children.length > most) { most = c.children.length; best = id; } }
  window.ddState = { over: 0, shown: 0 };
  document.addEventListener('mouseover', () => { ddState.over = performance.now(); }, true);
  const section = document.getElementById(best);
  new MutationObserver(() => { if (section.style.display !== 'none' && !ddState.shown) { bench.layout(); ddState.shown = performance.now(); } })
    .observe(section, { attributes: true, attributeFilter: ['style'] });
  const r = document.getElementById('c' + best).getBoundingClientRect();
  return { id: best, x: r.left + Math.min(20, r.width / 2), y: r.top + r.height / 2 }; })()`;

// ---------------------------------------------------------------- server

function serve() {
  const types = { '.js': 'text/javascript; charset=utf-8', '.css': 'text/css', '.json': 'application/json',
    '.html': 'text/html; charset=utf-8', '.png': 'image/png', '.gif': 'image/gif', '.svg': 'image/svg+xml' };
  const server = http.createServer(async (req, res) => {
    const url = new URL(req.url, 'http://127.0.0.1');
    // Cross-origin isolation gives the pages the finer clock (5 us steps
    // instead of 100 us).
    const send = (status, type, body) => { res.writeHead(status, { 'content-type': type, 'cache-control': 'no-store',
      'cross-origin-opener-policy': 'same-origin', 'cross-origin-embedder-policy': 'require-corp' }); res.end(body); };
    let m;
    if ((m = url.pathname.match(/^\/page\/(\w+)-(\d+)$/))) return send(200, types['.html'], page(m[1], Number(m[2])));
    if ((m = url.pathname.match(/^\/data\/(floor|jstree|peer|qhtml)-(\d+)\.js$/))) {
      try {
        return send(200, types['.js'], await dataScript(m[1], Number(m[2])));
      } catch (err) {
        return send(500, 'text/plain', String(err));
      }
    }
    let root = null, rel = null;
    if (url.pathname.startsWith('/nm/')) { root = nm; rel = url.pathname.slice(4); }
    else if (url.pathname.startsWith('/work/')) { root = work; rel = url.pathname.slice(6); }
    if (root) {
      const file = path.resolve(root, decodeURIComponent(rel));
      if (file.startsWith(root + path.sep) && fs.existsSync(file) && fs.statSync(file).isFile())
        return send(200, types[path.extname(file)] || 'application/octet-stream', fs.readFileSync(file));
    }
    send(404, 'text/plain', 'not found');
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// ---------------------------------------------------------------- main

const server = await serve();
const base = `http://127.0.0.1:${server.address().port}`;
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'qwk-bench-chromium-'));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: '/usr/bin/chromium',
  headless: true,
  viewport: { width: 1280, height: 800 },
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
context.setDefaultTimeout(capMs * 4);

// The HTML the generated tree menu writes, as its script collects it on a
// first visit (no cookies: every folder closed, as in the timed loads).
async function capturedHtml(n) {
  await context.clearCookies();
  const p = await context.newPage();
  try {
    await p.goto(`${base}/page/capture-${n}`, { waitUntil: 'load' });
    const written = await p.evaluate('window.benchWritten');
    if (written.length !== 1)
      process.stderr.write(`browser: the tree menu at ${n} called document.write ${written.length} times, not once\n`);
    return written.join('');
  } finally {
    await p.close();
    await context.clearCookies();
  }
}

if (process.argv.includes('--serve')) {
  // Only serve the pages (for profile.mjs or a person with a browser). The
  // menus' HTML is captured now, so that no page load waits for it.
  for (const dir of fs.readdirSync(work)) {
    const m = dir.match(/^tree-(\d+)$/);
    if (m) await dataScript('qhtml', Number(m[1]));
  }
  process.stderr.write(`serving ${base}/page/KIND-N (quenwick, quenwickHtml, floor, jstree, fancytree, wunderbaum, dropdown)\n`);
  await new Promise(() => {});
}

const withCap = (promise) => Promise.race([promise,
  new Promise((resolve) => setTimeout(() => resolve(null), capMs))]);

async function measure(kind, n) {
  const got = { draw: [], layout: [], openAll: [], toggle: [], elements: null, capped: {} };
  for (let r = 0; r < runs; ++r) {
    await context.clearCookies();
    const p = await context.newPage();
    try {
      await p.goto(`${base}/page/${kind}-${n}`, { waitUntil: 'commit' });
      await p.waitForFunction('window.benchDrawn !== undefined', null, { polling: 10 });
      const drawn = await withCap(p.evaluate('benchDrawn'));
      if (!drawn) { got.capped.draw = true; break; }
      got.draw.push(drawn.draw);
      got.layout.push(drawn.layout);
      got.elements = drawn.elements;
      if (!got.capped.toggle) {
        const t = await withCap(p.evaluate(steps[kind].toggle));
        if (t === null) got.capped.toggle = true; else got.toggle.push(t);
      }
      if (!got.capped.openAll) {
        const t = await withCap(p.evaluate(steps[kind].openAll));
        if (t === null) got.capped.openAll = true; else got.openAll.push(t);
      }
    } finally {
      await p.close();
    }
  }
  const out = { elements: got.elements };
  if (process.env.QWK_BENCH_VERBOSE) process.stderr.write(JSON.stringify(got) + '\n');
  for (const k of ['draw', 'layout', 'openAll', 'toggle'])
    out[k] = got[k].length ? { ms: median(got[k]), runs: got[k].length, capped: !!got.capped[k] } : { ms: null, runs: 0, capped: !!got.capped[k] };
  return out;
}

async function measureDropDown(n) {
  const samples = [];
  for (let r = 0; r < runs; ++r) {
    await context.clearCookies();
    const p = await context.newPage();
    try {
      await p.goto(`${base}/page/dropdown-${n}`, { waitUntil: 'commit' });
      await p.waitForFunction('window.benchDrawn !== undefined', null, { polling: 10 });
      await p.evaluate('benchDrawn');
      const at = await p.evaluate(dropDownSetup);
      await p.mouse.move(at.x, 790);
      await p.waitForTimeout(100);
      await p.mouse.move(at.x, at.y);
      await p.waitForFunction('ddState.shown > 0', null, { timeout: 10000 });
      samples.push(await p.evaluate('ddState.shown - ddState.over - 400'));
    } finally {
      await p.close();
    }
  }
  return { ms: median(samples), runs: samples.length };
}

// The tree menu in another engine: each load in one session of the engine,
// its cookies removed before the next load, as Chromium's are.
async function measureEngine(name) {
  const missing = missingFor(name);
  if (missing.length) {
    process.stderr.write(`browser: ${name} not measured, missing ${missing.join(', ')}\n`);
    return { missing: missing.join(', ') };
  }
  const engine = await launchEngine(name);
  // sizes: the specified markup; accessibleSizes: the accessible one.
  const out = { version: engine.version, sizes: {}, accessibleSizes: {} };
  const markups = kinds.includes('accessible') ? ['quenwick', 'accessible'] : ['quenwick'];
  try {
    for (const n of engineSizes) for (const kind of markups) {
      const toggle = new Function(`return ${steps[kind].toggle}`);
      process.stderr.write(`browser: ${name} ${kind} ${n} ...\n`);
      const s = await engine.newSession({ viewport: { width: 1280, height: 800 } });
      const got = { draw: [], toggle: [] };
      try {
        for (let r = 0; r < runs; ++r) {
          await s.goto(`${base}/page/${kind}-${n}`);
          got.draw.push((await s.evaluate(() => window.benchDrawn)).draw);
          got.toggle.push(await s.evaluate(toggle));
          await s.evaluate(() => { for (const c of document.cookie.split(';')) document.cookie = c.split('=')[0].trim() + '=;expires=Thu, 01 Jan 1970 00:00:00 GMT;path=/'; });
        }
      } finally {
        await s.close();
      }
      out[kind === 'quenwick' ? 'sizes' : 'accessibleSizes'][n] = { draw: { ms: median(got.draw), runs: runs }, toggle: { ms: median(got.toggle), runs: runs } };
    }
  } finally {
    await engine.close();
  }
  return out;
}

const results = { capMs, sizes: {}, engines: {} };
try {
  for (const n of sizes) {
    const count = (list) => list.reduce((c, e) => c + 1 + (e.children ? count(e.children) : 0), 0);
    const row = { entries: count(JSON.parse(fs.readFileSync(path.join(work, `tree-${n}.json`), 'utf8'))) };
    for (const kind of ['quenwick', 'accessible', 'quenwickHtml', 'floor', 'jstree', 'fancytree', 'wunderbaum']) {
      if (!kinds.includes(kind)) continue;
      process.stderr.write(`browser: ${kind} ${n} ...\n`);
      // Captured before the clocks run.
      if (kind === 'quenwickHtml') await dataScript('qhtml', n);
      row[kind] = await measure(kind, n);
    }
    if (kinds.includes('accessible')) {
      const size = (dir) => { try { return fs.statSync(path.join(work, dir, 'menu', 'qmenu.js')).size; } catch { return null; } };
      row.scriptBytes = { specified: size(`tree-${n}`), accessible: size(`a11y-${n}`) };
    }
    if (kinds.includes('dropdown')) {
      process.stderr.write(`browser: drop-down ${n} ...\n`);
      row.dropDown = await measureDropDown(n);
    }
    results.sizes[n] = row;
  }
  for (const name of otherEngines)
    results.engines[name] = await measureEngine(name);
} finally {
  await context.close();
  server.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
const text = JSON.stringify(results, null, 1);
if (outFile) fs.writeFileSync(outFile, text); else process.stdout.write(text + '\n');
