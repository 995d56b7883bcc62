// Several menus on one page: three projects with the menu numbers "", "2"
// and "20" (section ids starting "e", "f" and "y"), two tree menus and a
// drop-down menu, each with its own cookie.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { join } from 'node:path';
import { SITES, clickEntry, cookie, folder, generateSites, page, setupSuite, shownSections, withPage, writePage } from './lib/harness.mjs';

// The same names in every menu, so the public functions must keep them apart.
const nodes = (n) => [
    folder('Products', [folder('Tools', [page('Hammer', `/target/${n}/hammer.html`)]), page('Nails', `/target/${n}/nails.html`)]),
    folder('About', [page('Team', `/target/${n}/team.html`)]),
];
const SECTIONS = ['e1d1', 'e1d1d1', 'e1d2', 'f1d1', 'f1d1d1', 'f1d2', 'y1d1', 'y1d1d1', 'y1d2'];

let suite;
before(async () => {
    suite = await setupSuite('multimenu', async (root) => {
        await generateSites(root, 'first', { nodes: nodes(1), options: { prjChkTreeMenus: 1 } });
        await generateSites(root, 'second', {
            nodes: nodes(2), options: { prjChkTreeMenus: 1, prjMultipleMenu: 1, prjMultipleMenuNumber: 2 },
        });
        await generateSites(root, 'third', {
            nodes: nodes(3), options: { prjChkTreeMenus: 0, prjMultipleMenu: 1, prjMultipleMenuNumber: 20 },
        });
        for (const site of SITES)
            writePage(join(root, site.dir), 'multi.html', {
                head: '<style>.menu{float:left;width:300px}</style>',
                after: ['first', 'second', 'third'].map((m) => `<div class="menu"><script src="${m}.js"></script></div>`).join('\n'),
            });
    });
});
after(() => suite?.close());

for (const site of SITES) {
    describe(`three menus on one page (${site.label})`, { concurrency: true }, () => {
        const open = (p) => p.goto(`${suite.base}/${site.dir}/multi.html`);

        test('each tree menu opens its own folders and keeps its own cookie', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                await open(p);
                assert.deepEqual(await shownSections(p, SECTIONS), []);
                await clickEntry(p, 'e1d1');
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1']);
                await clickEntry(p, 'f1d2');
                await clickEntry(p, 'f1d1');
                await clickEntry(p, 'f1d1d1');
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'f1d1', 'f1d1d1', 'f1d2']);
                assert.equal(await cookie(context, 'first'), 'e1d1x');
                assert.equal(await cookie(context, 'second'), 'f1d2xf1d1d1x');
                await p.reload();
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'f1d1', 'f1d1d1', 'f1d2']);
                await clickEntry(p, 'e1d1');
                assert.equal(await cookie(context, 'first'), 'none');
                assert.equal(await cookie(context, 'second'), 'f1d2xf1d1d1x', "closing in one menu leaves the other's cookie");
                assert.deepEqual(await shownSections(p, SECTIONS), ['f1d1', 'f1d1d1', 'f1d2']);
            });
        });

        test('the public functions of each menu find only their own entries', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await open(p);
                const ids = await p.evaluate(() => [qGI('Hammer'), q2GI('Hammer'), q20GI('Hammer'), q20GI('Nope')]);
                assert.deepEqual(ids, ['be1d1d1d1', 'bf1d1d1d1', 'by1d1d1d1', 'No such link']);
                await p.evaluate(() => q2OPENPAGE('Hammer'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['f1d1', 'f1d1d1']);
                await p.evaluate(() => qOPEN('About'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d2', 'f1d1', 'f1d1d1']);
                await p.evaluate(() => q2CLOSE('Products'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d2']);
            });
        });

        test('the drop-down menu works beside the tree menus and leaves their state alone', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                await open(p);
                await clickEntry(p, 'e1d1');
                const r = await p.evaluate(() => {
                    const b = document.getElementById('ay1d1').getBoundingClientRect();
                    return { x: b.left + b.width / 2, y: b.top + b.height / 2 };
                });
                await p.mouse.move(r.x, r.y);
                await p.clock.runFor(400);
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'y1d1']);
                await p.mouse.move(900, 650);
                await p.clock.runFor(400);
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1']);
                assert.equal(await cookie(context, 'first'), 'e1d1x');
                assert.equal(await cookie(context, 'third'), '0', 'the drop-down menu writes no open sections');
            }, { clock: true });
        });
    });
}
