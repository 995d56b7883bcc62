// Runs the browser tests with Node's test runner:
//   node run.mjs [path of quenwick-cli]                   every file, in Chromium
//   node run.mjs --engine firefox|webkit [quenwick-cli]   engines.test.mjs in that engine
//
// Exits with 77 (which CTest reports as skipped) when the machine lacks what
// the tests need: the engine (Debian's chromium, firefox-esr, or
// webkit2gtk-driver with xvfb) or the npm packages of this folder
// (scripts/setup-deps installs them all). Anything else that goes wrong fails.
import { spawnSync } from 'node:child_process';
import { existsSync, readdirSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { missingFor } from './lib/engines.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const SKIP = 77;

const args = process.argv.slice(2);
let engine = 'chromium';
const at = args.indexOf('--engine');
if (at !== -1)
    engine = args.splice(at, 2)[1];
const driverPackage = { chromium: 'playwright-core', firefox: 'puppeteer-core', webkit: null };
if (!(engine in driverPackage)) {
    console.error(`run.mjs: no engine called ${engine}`);
    process.exit(2);
}

const missing = missingFor(engine);
for (const pkg of ['playwright-core', driverPackage[engine]].filter(Boolean))
    if (!existsSync(join(here, 'node_modules', pkg)))
        missing.push(`${join(here, 'node_modules', pkg)} (npm ci in ${here})`);
if (missing.length) {
    console.log(`Skipping the browser tests in ${engine}; missing: ${missing.join(', ')}`);
    process.exit(SKIP);
}

const env = { ...process.env };
if (args[0])
    env.QWK_CLI = args[0];

// Another engine runs the scenarios written for every engine; Chromium runs them all.
if (engine !== 'chromium') {
    env.QWK_ENGINES = engine;
    const r = spawnSync(process.execPath, ['--test', 'engines.test.mjs'], { cwd: here, env, stdio: 'inherit' });
    if (r.error)
        throw r.error;
    process.exit(r.status === null ? 1 : r.status);
}

env.QWK_ENGINES = 'chromium';

// The longest files first, so that the two runners finish together.
const order = ['dropdown', 'engines', 'tree', 'style', 'links', 'multilingual', 'scripting', 'multimenu', 'axe', 'generic', 'folders', 'harness'];
const rank = (f) => {
    const i = order.indexOf(f.replace(/\.test\.mjs$/, ''));
    return i === -1 ? order.length : i;
};
const files = readdirSync(here).filter((f) => f.endsWith('.test.mjs')).sort((a, b) => rank(a) - rank(b) || a.localeCompare(b));

const r = spawnSync(process.execPath, ['--test', '--test-concurrency=2', ...files], { cwd: here, env, stdio: 'inherit' });
if (r.error)
    throw r.error;
process.exit(r.status === null ? 1 : r.status);
