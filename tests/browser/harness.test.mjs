// The page watch of the harness: every other test relies on it to fail on a
// broken menu script, so it is checked against pages that are broken on purpose.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { setupSuite, withPage, writePage } from './lib/harness.mjs';

const PAGES = {
    clean: { after: '<script>window.ok=1</script>' },
    thrown: { after: "<script>throw new Error('thrown on purpose')</script>" },
    logged: { after: "<script>console.error('logged on purpose')</script>" },
    missing: { scripts: ['no-such-menu.js'] },
    later: { after: "<a id='x' href='#' onclick=\"null.f();return false\">x</a>" },
};

let suite;
before(async () => {
    suite = await setupSuite('harness', async (root) => {
        for (const [name, page] of Object.entries(PAGES))
            writePage(root, `${name}.html`, page);
    });
});
after(() => suite?.close());

describe('page watch', { concurrency: true }, () => {
    const visit = (name, then = async () => {}) =>
        withPage(suite.browser, async ({ page: p }) => {
            await p.goto(`${suite.base}/${name}.html`);
            await then(p);
        });

    test('a clean page passes', async () => {
        await visit('clean');
    });
    test('an uncaught error fails', async () => {
        await assert.rejects(visit('thrown'), /thrown on purpose/);
    });
    test('a console error fails', async () => {
        await assert.rejects(visit('logged'), /logged on purpose/);
    });
    test('a missing file fails', async () => {
        await assert.rejects(visit('missing'), /404/);
    });
    test('an error in a click handler fails', async () => {
        await assert.rejects(visit('later', (p) => p.click('#x')), /page error/);
    });
});
