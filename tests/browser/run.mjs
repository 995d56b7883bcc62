// Runs the browser tests with Node's test runner: node run.mjs [path of quenwick-cli].
//
// Exits with 77 (which CTest reports as skipped) when the machine lacks what
// the tests need: Debian's Chromium or the npm packages of this folder
// (scripts/setup-deps installs both). Anything else that goes wrong fails.
import { spawnSync } from 'node:child_process';
import { existsSync, readdirSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const SKIP = 77;

const missing = [];
if (!existsSync('/usr/bin/chromium'))
    missing.push('/usr/bin/chromium (apt-get install chromium)');
if (!existsSync(join(here, 'node_modules', 'playwright-core')))
    missing.push(`${join(here, 'node_modules')} (npm ci in ${here})`);
if (missing.length) {
    console.log(`Skipping the browser tests; missing: ${missing.join(', ')}`);
    process.exit(SKIP);
}

const env = { ...process.env };
if (process.argv[2])
    env.QWK_CLI = process.argv[2];

// The longest files first, so that the two runners finish together.
const order = ['dropdown', 'tree', 'style', 'links', 'multilingual', 'scripting', 'multimenu', 'axe', 'generic', 'folders', 'harness'];
const rank = (f) => {
    const i = order.indexOf(f.replace(/\.test\.mjs$/, ''));
    return i === -1 ? order.length : i;
};
const files = readdirSync(here).filter((f) => f.endsWith('.test.mjs')).sort((a, b) => rank(a) - rank(b) || a.localeCompare(b));

const r = spawnSync(process.execPath, ['--test', '--test-concurrency=2', ...files], { cwd: here, env, stdio: 'inherit' });
if (r.error)
    throw r.error;
process.exit(r.status === null ? 1 : r.status);
