// Links: where each kind of link goes when it is clicked.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { join } from 'node:path';
import {
    MODES, clickEntry, cookie, folder, generateBoth, page, scriptPage, setupSuite, textPage, withPage, writePage,
} from './lib/harness.mjs';

// Docs (e1d1) holds one link of each kind; Top (e1d2) is a link at the top level.
const nodes = [
    folder('Docs', [
        page('Normal', '/target/normal.html'),
        page('External', '/target/external.html', { lnkChkNewWindow: 1 }),
        scriptPage('Script', 'window.qwkScript=(window.qwkScript||0)+1'),
        textPage('Plain'),
    ]),
    page('Top', '/target/top.html'),
];

let suite;
before(async () => {
    suite = await setupSuite('links', async (root) => {
        await generateBoth(root, 'links', { nodes, options: { prjChkTreeMenus: 1 } });
        // The hook puts every address under /target/t/ with the link's name in front.
        await generateBoth(root, 'transform', {
            nodes,
            options: { prjChkTreeMenus: 1, prjTransformURL: "return '/target/t/'+name+url.substring(7)" },
        });
        for (const mode of MODES) {
            writePage(join(root, mode), 'links.html', { scripts: ['links.js'] });
            writePage(join(root, mode), 'transform.html', { scripts: ['transform.js'] });
        }
    });
});
after(() => suite?.close());

for (const mode of MODES) {
    describe(`links (${mode})`, { concurrency: true }, () => {
        const url = (name) => `${suite.base}/${mode}/${name}.html`;

        test('a normal link goes to its address and resets the scroll cookies', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                const { hostname } = new URL(suite.base);
                await context.addCookies([
                    { name: 'linksLeft', value: '5', domain: hostname, path: '/' },
                    { name: 'linksTop', value: '70', domain: hostname, path: '/' },
                ]);
                await p.goto(url('links'));
                await clickEntry(p, 'e1d1');
                await Promise.all([p.waitForURL(`${suite.base}/target/normal.html`), clickEntry(p, 'be1d1d1')]);
                assert.equal(await p.textContent('#target'), '/target/normal.html');
                assert.equal(await cookie(context, 'linksLeft'), '0');
                assert.equal(await cookie(context, 'linksTop'), '0');
            });
        });

        test('a link at the top level goes to its address', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('links'));
                await Promise.all([p.waitForURL(`${suite.base}/target/top.html`), clickEntry(p, 'e1d2')]);
            });
        });

        test('"e" opens the address in a new window', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                await p.goto(url('links'));
                await clickEntry(p, 'e1d1');
                assert.equal(await p.getAttribute('[id="abe1d1d2"]', 'target'), '_blank');
                const [popup] = await Promise.all([context.waitForEvent('page'), clickEntry(p, 'be1d1d2')]);
                await popup.waitForURL(`${suite.base}/target/external.html`);
                assert.equal(p.url(), url('links'), 'the menu page stays where it was');
                assert.equal(await p.getAttribute('[id="abe1d1d1"]', 'target'), null, 'a normal link has no target');
            });
        });

        test('a script link runs its code and does not navigate', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('links'));
                await clickEntry(p, 'e1d1');
                await clickEntry(p, 'be1d1d3');
                await clickEntry(p, 'be1d1d3');
                assert.equal(await p.evaluate(() => window.qwkScript), 2);
                await p.waitForTimeout(100);
                assert.equal(p.url(), url('links'));
            });
        });

        test('"nl" shows the name as plain text', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('links'));
                await clickEntry(p, 'e1d1');
                const box = p.locator('[id="cbe1d1d4"]');
                assert.equal((await box.innerText()).trim(), 'Plain');
                assert.equal(await box.locator('a').count(), 0);
                assert.equal(await p.locator('[id="abe1d1d4"]').count(), 0);
            });
        });

        test('the address hook changes every address', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('transform'));
                const hrefs = await p.evaluate(() => ['abe1d1d1', 'abe1d1d2', 'ae1d2'].map((i) => document.getElementById(i).getAttribute('href')));
                assert.deepEqual(hrefs, ['/target/t/Normal/normal.html', '/target/t/External/external.html', '/target/t/Top/top.html']);
                assert.equal(await p.getAttribute('[id="abe1d1d3"]', 'href'), 'javascript:{\\}', 'script links keep their do-nothing address');
                await clickEntry(p, 'e1d1');
                await Promise.all([p.waitForURL(`${suite.base}/target/t/Normal/normal.html`), clickEntry(p, 'be1d1d1')]);
            });
        });
    });
}
