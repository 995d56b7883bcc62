// A closer look at one page of the browser benchmark: loads it under
// Chromium's performance trace and prints where the page's main thread spent
// the time between the page clock's start and the menu drawn (the marks the
// benchmark's harness sets): a breakdown into script, HTML parse, style,
// layout, paint, garbage collection and the rest, the trace events by time of
// their own, and the JavaScript functions by self time from the sampling
// profiler.
//
// node profile.mjs URL [TRACE.json] [--runs R] [--full]
// node profile.mjs URL --clocks [--runs R]
//
// URL as served by bench.mjs --serve. --runs loads the page R times (each in
// a new page with no cookies) and prints the median of every figure.
// --clocks traces nothing: the page's own clock splits the draw at the
// script's download, the one document.write (or innerHTML) and the layout,
// with no tracing overhead. The
// lean trace categories keep the page within a few per cent of its untraced
// time; --full adds Blink's own category (every parser step, but about three
// times slower pages: it records a task for each inline event handler).
// Script compile on the main thread for a script that was compiled while it
// downloaded is mostly V8 parsing the whole script again for source
// positions: with DevTools' Runtime domain on (playwright turns it on), the
// first cookie read of the generated menu script costs that second parse
// (35-50 ms for a 0.9 MiB script, against 2-7 ms without DevTools).
import fs from 'node:fs';
import { chromium } from 'playwright-core';

const args = process.argv.slice(2);
const flag = (name) => { const i = args.indexOf(name); if (i < 0) return null; const v = args[i + 1]; args.splice(i, 2); return v; };
const runs = Math.max(1, Number(flag('--runs') ?? 1));
const full = args.includes('--full');
const clocks = args.includes('--clocks');
const [url, traceFile] = args.filter((a) => a !== '--full' && a !== '--clocks');
if (!url) {
  process.stderr.write('usage: node profile.mjs URL [TRACE.json] [--runs R] [--full]\n');
  process.exit(2);
}

const categories = ['devtools.timeline', 'disabled-by-default-devtools.timeline', 'v8.execute', 'v8',
  'disabled-by-default-v8.cpu_profiler', 'disabled-by-default-v8.compile', 'blink.user_timing', 'loading'];
if (full) categories.push('blink');

// The phase of an event's own time: that of the innermost enclosing event
// (itself included) whose name is listed here; "other" when there is none.
const phaseOf = (name) => {
  if (name === 'ParseHTML') return 'HTML parse';
  if (name === 'UpdateLayoutTree' || name === 'RecalculateStyles' || name === 'Document::updateStyle') return 'style';
  if (name === 'Layout' || name === 'UpdateLayout') return 'layout';
  if (/^(Paint|PrePaint|Layerize|UpdateLayer|CompositeLayers|Commit|PaintImage|RasterTask)$/.test(name)) return 'paint';
  if (/GC|Scavenge|Sweep|Mark[A-Z]|BlinkGC/.test(name)) return 'garbage collection';
  if (/^(v8\.compile|V8\.Compile|V8\.Parse|V8\.PreParse|v8\.parseOnBackground|V8\.ScriptCompiler|CompileScript|v8\.produceCache|v8\.compileModule)/.test(name))
    return 'script compile on the main thread';
  if (/^(EvaluateScript|FunctionCall|v8\.run|v8\.callFunction|V8\.Execute|TimerFire|FireAnimationFrame|EventDispatch)$/.test(name)) return 'script';
  return null;
};

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});

function analyse(buffer) {
  const { traceEvents } = JSON.parse(buffer.toString());
  // The page's main thread: the renderer main thread with the most work (the
  // first renderer's is often that of the blank page before the navigation).
  const busy = new Map();
  for (const e of traceEvents) if (e.ph === 'X' && e.dur) busy.set(`${e.pid}/${e.tid}`, (busy.get(`${e.pid}/${e.tid}`) || 0) + e.dur);
  const mains = traceEvents.filter((e) => e.name === 'thread_name' && e.args?.name === 'CrRendererMain');
  mains.sort((a, b) => (busy.get(`${b.pid}/${b.tid}`) || 0) - (busy.get(`${a.pid}/${a.tid}`) || 0));
  const main = mains[0];
  const onMain = (e) => e.pid === main.pid && e.tid === main.tid;
  const mark = (name) => traceEvents.find((e) => e.name === name && e.pid === main.pid && e.cat.includes('user_timing'))?.ts;
  const from = mark('bench-start') ?? -Infinity;
  const to = mark('bench-drawn') ?? Infinity;

  // Complete events and begin/end pairs of the main thread as intervals,
  // then the own time of each (its length less its children's), clipped to
  // the window.
  const spans = [];
  const open = [];
  for (const e of traceEvents) {
    if (!onMain(e)) continue;
    if (e.ph === 'X' && e.dur > 0) spans.push({ name: e.name, s: e.ts, e: e.ts + e.dur });
    else if (e.ph === 'B') open.push(e);
    else if (e.ph === 'E') {
      const b = open.pop();
      if (b) spans.push({ name: b.name, s: b.ts, e: e.ts });
    }
  }
  spans.sort((a, b) => a.s - b.s || b.e - a.e);
  const own = new Map(); // name -> ms
  const phases = new Map(); // phase -> ms
  const clip = (s, e) => Math.max(0, Math.min(e, to) - Math.max(s, from));
  const stack = [];
  const credit = (span, s, e) => {
    const d = clip(s, e) / 1000;
    if (!d) return;
    own.set(span.name, (own.get(span.name) || 0) + d);
    let phase = null;
    for (let i = stack.length - 1; i >= 0 && !phase; --i) phase = phaseOf(stack[i].name);
    phase = phase || 'other (own time of tasks: frame bookkeeping, loading, ...)';
    phases.set(phase, (phases.get(phase) || 0) + d);
  };
  // Walks the spans as a tree: each span's own time is its time not covered
  // by a child.
  const close = (until) => {
    while (stack.length && stack[stack.length - 1].e <= until) {
      const top = stack[stack.length - 1];
      credit(top, top.cursor, top.e);
      stack.pop();
      if (stack.length) stack[stack.length - 1].cursor = top.e;
    }
  };
  for (const sp of spans) {
    close(sp.s);
    if (stack.length) {
      const parent = stack[stack.length - 1];
      if (sp.e > parent.e) continue; // overlapping, not nested: skip
      credit(parent, parent.cursor, sp.s);
    }
    sp.cursor = sp.s;
    stack.push(sp);
  }
  close(Infinity);

  // Sampling profile of the page's process: self time per function.
  const nodes = new Map();
  const self = new Map();
  let time = null;
  for (const e of traceEvents) {
    if (e.pid !== main.pid) continue;
    if (e.name === 'Profile') time = e.args?.data?.startTime ?? time;
    if (e.name !== 'ProfileChunk') continue;
    const c = e.args?.data?.cpuProfile;
    if (!c) continue;
    for (const n of c.nodes || []) nodes.set(n.id, n.callFrame);
    const samples = c.samples || [];
    const deltas = e.args.data.timeDeltas || [];
    for (let i = 0; i < samples.length; ++i) {
      time += deltas[i] || 0;
      if (time < from || time > to) continue;
      const next = deltas[i + 1] || 0;
      const f = nodes.get(samples[i]);
      const k = f ? (f.functionName || '(anonymous)') + ' ' + (f.url || '').split('/').pop() + ':' + f.lineNumber : '?';
      self.set(k, (self.get(k) || 0) + next / 1000);
    }
  }
  const window = from > -Infinity && to < Infinity ? (to - from) / 1000 : null;
  if (window != null) {
    let busy = 0;
    for (const d of phases.values()) busy += d;
    phases.set('main thread idle (waiting for the network, off-thread compile)', Math.max(0, window - busy));
  }
  return { window, phases, own, self };
}

const median = (v) => {
  const s = [...v].sort((a, b) => a - b);
  const m = s.length >> 1;
  return s.length % 2 ? s[m] : (s[m - 1] + s[m]) / 2;
};

// The untraced split: document.write and the innerHTML setter record when
// they ran; the download of the last script before them comes from the
// page's resource timing.
async function clockRun() {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  const page = await context.newPage();
  await page.addInitScript(() => {
    window.benchWrites = [];
    const write = document.write;
    document.write = function () {
      const t = performance.now();
      const r = write.apply(document, arguments);
      benchWrites.push([t, performance.now()]);
      return r;
    };
    const inner = Object.getOwnPropertyDescriptor(Element.prototype, 'innerHTML');
    Object.defineProperty(Element.prototype, 'innerHTML', { configurable: true, get: inner.get,
      set(v) { const t = performance.now(); inner.set.call(this, v); benchWrites.push([t, performance.now()]); } });
  });
  await page.goto(url, { waitUntil: 'commit' });
  await page.waitForFunction('window.benchDrawn !== undefined', null, { polling: 10, timeout: 120000 });
  const drawn = await page.evaluate('benchDrawn');
  const c = await page.evaluate(`(() => { const w = benchWrites[0] || [NaN, NaN];
    const js = performance.getEntriesByType('resource').filter((e) => /\\.js$/.test(e.name) && e.responseEnd <= w[0]);
    const loaded = js.length ? Math.max(...js.map((e) => e.responseEnd)) : bench.t0;
    return { t0: bench.t0, loaded, write: w, writes: benchWrites.length }; })()`);
  await context.close();
  return { drawn: drawn.draw, elements: drawn.elements, writes: c.writes,
    'script downloaded': c.loaded - c.t0, 'script compiled and run, up to the write': c.write[0] - c.loaded,
    'inside document.write / innerHTML (HTML parse, DOM)': c.write[1] - c.write[0],
    'after it, to style and layout done': drawn.layout - (c.write[1] - c.t0), 'next frame': drawn.draw - drawn.layout };
}

if (clocks) {
  const got = [];
  for (let r = 0; r < runs; ++r) got.push(await clockRun());
  await browser.close();
  const median = (v) => { const s = [...v].sort((a, b) => a - b); const m = s.length >> 1; return s.length % 2 ? s[m] : (s[m - 1] + s[m]) / 2; };
  console.log(`${url}, ${runs} untraced load${runs > 1 ? 's (medians)' : ''}, ${got[0].elements} elements, ` +
    `${got[0].writes} document.write/innerHTML call${got[0].writes === 1 ? '' : 's'}`);
  for (const k of Object.keys(got[0]).filter((k) => !['elements', 'writes'].includes(k)))
    console.log('  ' + median(got.map((g) => g[k])).toFixed(1).padStart(10) + '  ' + (k === 'drawn' ? 'drawn (page clock start to the next frame)' : k));
  process.exit(0);
}

const results = [];
const drawnRuns = [];
for (let r = 0; r < runs; ++r) {
  const context = await browser.newContext();
  const page = await context.newPage();
  await browser.startTracing(page, { categories });
  await page.goto(url, { waitUntil: 'commit' });
  await page.waitForFunction('window.benchDrawn !== undefined', null, { polling: 10, timeout: 120000 });
  const drawn = await page.evaluate('benchDrawn');
  const buffer = await browser.stopTracing();
  await context.close();
  if (traceFile && r === 0) fs.writeFileSync(traceFile, buffer);
  drawnRuns.push(drawn);
  results.push(analyse(buffer));
}
await browser.close();

const med = (pick) => {
  const keys = new Set(results.flatMap((r) => [...pick(r).keys()]));
  return [...keys].map((k) => [k, median(results.map((r) => pick(r).get(k) || 0))]).sort((a, b) => b[1] - a[1]);
};
const f = (v) => v.toFixed(1).padStart(10);
console.log(`${url}, ${runs} load${runs > 1 ? 's (medians)' : ''}, ${full ? 'full' : 'lean'} trace categories`);
console.log(`drawn ${f(median(drawnRuns.map((d) => d.draw)))} ms, laid out ${f(median(drawnRuns.map((d) => d.layout)))} ms, ` +
  `elements ${drawnRuns[0].elements}`);
if (results[0].window == null) console.log('(no bench-start/bench-drawn marks: the whole trace is counted)');
else console.log(`traced window (page clock start to drawn): ${f(median(results.map((r) => r.window)))} ms`);
console.log('main thread by phase (own time of events, each credited to its innermost phase), ms:');
for (const [n, d] of med((r) => r.phases)) console.log('  ' + f(d) + '  ' + n);
console.log('main thread trace events by own time, ms:');
for (const [n, d] of med((r) => r.own).slice(0, 20)) console.log('  ' + f(d) + '  ' + n);
console.log('JavaScript self time from the sampling profiler (native calls such as document.write include', 'the work they do), ms:');
for (const [n, d] of med((r) => r.self).slice(0, 20)) console.log('  ' + f(d) + '  ' + n);
