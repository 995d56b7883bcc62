// A closer look at one page of the browser benchmark: loads it once under
// Chromium's performance trace and prints where the main thread spent its
// time (top trace events by total duration, and the JavaScript functions by
// self time from the sampling profiler).
//
// node profile.mjs URL [TRACE.json]   (URL as served by bench.mjs --serve)
import fs from 'node:fs';
import { chromium } from 'playwright-core';

const url = process.argv[2];
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
const page = await browser.newPage();
await browser.startTracing(page, { categories: ['devtools.timeline', 'disabled-by-default-devtools.timeline', 'v8.execute',
  'disabled-by-default-v8.cpu_profiler', 'blink', 'loading'] });
await page.goto(url, { waitUntil: 'commit' });
await page.waitForFunction('window.benchDrawn !== undefined', null, { polling: 10, timeout: 120000 });
const drawn = await page.evaluate('benchDrawn');
const buffer = await browser.stopTracing();
await browser.close();
if (process.argv[3]) fs.writeFileSync(process.argv[3], buffer);
console.log('drawn', JSON.stringify(drawn));
const { traceEvents } = JSON.parse(buffer.toString());
const main = traceEvents.find((e) => e.name === 'thread_name' && e.args?.name === 'CrRendererMain');
const byName = new Map();
for (const e of traceEvents) {
  if (e.ph !== 'X' || !e.dur || (main && (e.pid !== main.pid || e.tid !== main.tid))) continue;
  byName.set(e.name, (byName.get(e.name) || 0) + e.dur / 1000);
}
console.log('main thread, trace events by total ms (nested events overlap):');
for (const [n, d] of [...byName].sort((a, b) => b[1] - a[1]).slice(0, 20)) console.log('  ' + d.toFixed(1).padStart(10) + '  ' + n);
// Sampling profile: self time per function.
const nodes = new Map(); const self = new Map(); let samples = [], deltas = [];
for (const e of traceEvents) {
  if (e.name !== 'ProfileChunk') continue;
  const c = e.args?.data?.cpuProfile; if (!c) continue;
  for (const n of c.nodes || []) nodes.set(n.id, n.callFrame);
  samples = samples.concat(c.samples || []); deltas = deltas.concat(e.args.data.timeDeltas || []);
}
for (let i = 0; i < samples.length; ++i) {
  const f = nodes.get(samples[i]); const k = f ? (f.functionName || '(anonymous)') + ' ' + (f.url || '').split('/').pop() + ':' + f.lineNumber : '?';
  self.set(k, (self.get(k) || 0) + (deltas[i + 1] || 0) / 1000);
}
console.log('JavaScript self time (ms):');
for (const [n, d] of [...self].sort((a, b) => b[1] - a[1]).slice(0, 15)) console.log('  ' + d.toFixed(1).padStart(10) + '  ' + n);
