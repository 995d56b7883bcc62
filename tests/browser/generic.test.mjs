// Browsers without document.getElementById ("generic" browsers): the menu
// draws only the open folders' contents, and a click stores the open sections
// in the cookie and reloads the page. The page hides getElementById before
// the menu script runs.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { join } from 'node:path';
import { MODES, clickEntry, cookie, folder, generateBoth, page, setupSuite, withPage, writePage } from './lib/harness.mjs';

const nodes = [
    folder('A', [folder('A1', [page('Deep', '/target/deep.html')]), page('A link', '/target/alink.html')]),
    folder('B', [page('B link', '/target/blink.html')]),
    page('Home', '/target/home.html'),
];
const BOXES = ['ce1d1', 'ce1d1d1', 'cbe1d1d1d1', 'cbe1d1d2', 'ce1d2', 'cbe1d2d1', 'ce1d3'];

// The browser's own scroll restoring is switched off, so that only the
// menu's scroll cookies can bring the position back.
const HIDE = 'history.scrollRestoration="manual";document.getElementById=undefined;';

let suite;
before(async () => {
    suite = await setupSuite('generic', async (root) => {
        await generateBoth(root, 'generic', { nodes, options: { prjChkTreeMenus: 1 } });
        for (const mode of MODES) {
            writePage(join(root, mode), 'generic.html', { before: HIDE, scripts: ['generic.js'] });
            writePage(join(root, mode), 'scroll.html', {
                head: `<script>${HIDE}</script><style>#above{height:900px}#below{height:2000px}</style>`,
                after: '<div id="above"></div><script src="generic.js"></script><div id="below"></div>',
            });
        }
    });
});
after(() => suite?.close());

// The boxes drawn, with their left margins.
const drawn = (p, ids) => p.evaluate((all) => all
    .map((id) => [id, document.querySelector(`[id="${id}"]`)])
    .filter(([, e]) => e)
    .map(([id, e]) => `${id} ${e.style.marginLeft}`), ids);

async function clickAndReload(p, id) {
    await Promise.all([p.waitForEvent('load'), clickEntry(p, id)]);
}

for (const mode of MODES) {
    describe(`generic browser (${mode})`, { concurrency: true }, () => {
        const url = (name) => `${suite.base}/${mode}/${name}.html`;

        test('only the open folders are drawn; a click stores the state and draws the tree again', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                await p.goto(url('generic'));
                assert.equal(await p.evaluate(() => document.getElementById), undefined);
                assert.deepEqual(await drawn(p, BOXES), ['ce1d1 9px', 'ce1d2 9px', 'ce1d3 9px']);
                await clickAndReload(p, 'e1d1');
                assert.equal(await cookie(context, 'generic'), 'e1d1x');
                assert.deepEqual(await drawn(p, BOXES), ['ce1d1 9px', 'ce1d1d1 18px', 'cbe1d1d2 18px', 'ce1d2 9px', 'ce1d3 9px']);
                await clickAndReload(p, 'e1d1d1');
                assert.equal(await cookie(context, 'generic'), 'e1d1d1x');
                assert.deepEqual(await drawn(p, BOXES),
                    ['ce1d1 9px', 'ce1d1d1 18px', 'cbe1d1d1d1 27px', 'cbe1d1d2 18px', 'ce1d2 9px', 'ce1d3 9px']);
                await clickAndReload(p, 'e1d2');
                assert.deepEqual(await drawn(p, BOXES), [
                    'ce1d1 9px', 'ce1d1d1 18px', 'cbe1d1d1d1 27px', 'cbe1d1d2 18px', 'ce1d2 9px', 'cbe1d2d1 18px', 'ce1d3 9px',
                ]);
                await clickAndReload(p, 'e1d1');
                assert.equal(await cookie(context, 'generic'), 'e1d2x');
                assert.deepEqual(await drawn(p, BOXES), ['ce1d1 9px', 'ce1d2 9px', 'cbe1d2d1 18px', 'ce1d3 9px']);
                await Promise.all([p.waitForURL(`${suite.base}/target/blink.html`), clickEntry(p, 'be1d2d1')]);
            });
        });

        test('the scroll position comes back after the reload', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                await p.goto(url('scroll'));
                await p.evaluate(() => window.scrollTo(0, 700));
                assert.equal(await p.evaluate(() => window.scrollY), 700);
                await clickAndReload(p, 'e1d2');
                assert.equal(await cookie(context, 'genericTop'), '700');
                assert.equal(await p.evaluate(() => window.scrollY), 700);
                assert.ok(await p.locator('[id="cbe1d2d1"]').count(), 'the folder is open');
            });
        });
    });
}
