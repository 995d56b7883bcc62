// Style: the embedded style sheet, mouse-over classes, names that do not
// wrap, folder images and automatic widths, as the browser lays them out.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { mkdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { BASE_CSS, GIF, MODES, clickEntry, column, folder, generateBoth, page, setupSuite, withPage, writePage } from './lib/harness.mjs';

const CSS = BASE_CSS + [
    '.MainFolderLineMouseOver { color: #ff0000; text-decoration: none; }',
    '.LinkLineMouseOver { color: #00a000; text-decoration: none; }',
    '.MainFolderBox07 { background-color: #123456; }',
].join('\n') + '\n';

const narrow = { lnkChkSubColValue: 1, lnkSubColWidth: '60px' };
const nodes = [
    folder('Products and services for everybody', [
        folder('Sub', [page('Deep', '/target/deep.html')], narrow),
        page('A long link name with many words', '/target/long.html'),
    ], narrow),
    page('Go*07', '/target/go.html'),
];
const images = {
    prjChkMFI: 1, prjFilMFOIMG: '/img/mfo.gif', prjFilMFCIMG: '/img/mfc.gif',
    prjChkSFI: 1, prjFilSFOIMG: '/img/sfo.gif', prjFilSFCIMG: '/img/sfc.gif',
    prjChkPLI: 1, prjFilPLIMG: '/img/pli.gif',
};
const common = { prjChkTreeMenus: 1, prjCSSinJS: 1, prjChkFirstColValue: 1, prjFirstColWid: '60px', ...images };

// Automatic widths, 40 px plus 12 px per character of the level's longest name.
const autoNodes = [
    folder('Products', [
        page('Nails', '/target/nails.html'),
        folder('Tools', [page('Saw', '/target/saw.html')]),
        page('Screwdrivers', '/target/screw.html'),
    ]),
    page('Go', '/target/go.html'),
    column(),
    folder('Contact us now', [page('Mail', '/target/mail.html')]),
];

let suite;
before(async () => {
    suite = await setupSuite('style', async (root) => {
        mkdirSync(join(root, 'img'));
        for (const f of ['mfo', 'mfc', 'sfo', 'sfc', 'pli'])
            writeFileSync(join(root, 'img', `${f}.gif`), GIF);
        await generateBoth(root, 'style', { nodes, css: CSS, options: common });
        await generateBoth(root, 'wrap', { nodes, css: CSS, options: { ...common, prjChkAllowLineBreaks: 1 } });
        await generateBoth(root, 'auto', {
            nodes: autoNodes, css: CSS,
            options: {
                prjChkTreeMenus: 1, prjCSSinJS: 1, prjAutomaticWidth: 1, prjPixelBase: 40, prjPixelsPerCharacter: 12,
                prjLeftIndentMainFolder: 12, prjLeftIndentSubFolder: 20, prjPixelsHeight: 30,
            },
        });
        for (const mode of MODES)
            for (const name of ['style', 'wrap', 'auto'])
                writePage(join(root, mode), `${name}.html`, { scripts: [`${name}.js`] });
    });
});
after(() => suite?.close());

const computed = (p, id, prop) => p.evaluate(([i, q]) => getComputedStyle(document.getElementById(i))[q], [id, prop]);
const className = (p, id) => p.evaluate((i) => document.getElementById(i).className, id);
const lineCount = (p, id) => p.evaluate((i) => {
    // Lines of an inline element: its fragments, by distinct top.
    const tops = new Set([...document.getElementById(i).getClientRects()].map((r) => Math.round(r.top)));
    return tops.size;
}, id);

for (const mode of MODES) {
    describe(`menu style (${mode})`, { concurrency: true }, () => {
        const url = (name) => `${suite.base}/${mode}/${name}.html`;

        test('the embedded style sheet styles the menu', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('style'));
                await clickEntry(p, 'e1d1');
                await p.mouse.move(0, 0);
                const got = await p.evaluate(() => {
                    const cs = (sel, prop) => getComputedStyle(document.querySelector(sel))[prop];
                    return {
                        mainBox: cs('[id="ce1d1"]', 'backgroundColor'),
                        mainPage: cs('[id="e1d1"]', 'backgroundColor'),
                        mainLine: cs('[id="ae1d1"]', 'color'),
                        subBox: cs('[id="ce1d1d1"]', 'backgroundColor'),
                        subLine: cs('[id="ae1d1d1"]', 'color'),
                        linkLine: cs('[id="abe1d1d2"]', 'color'),
                        suffixBox: cs('[id="ce1d2"]', 'backgroundColor'),
                        suffixClass: document.getElementById('ce1d2').className,
                        // the link image is followed by a no-break space
                        suffixName: document.getElementById('ae1d2').textContent.replace(/\u00a0/g, ''),
                    };
                });
                assert.deepEqual(got, {
                    mainBox: 'rgb(232, 232, 240)',
                    mainPage: 'rgb(244, 244, 248)',
                    mainLine: 'rgb(0, 0, 128)',
                    subBox: 'rgb(238, 240, 232)',
                    subLine: 'rgb(0, 96, 0)',
                    linkLine: 'rgb(32, 32, 32)',
                    suffixBox: 'rgb(18, 52, 86)',
                    suffixClass: 'MainFolderBox07',
                    suffixName: 'Go',
                });
            });
        });

        test('the mouse-over classes switch on hover and back', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('style'));
                await p.hover('[id="ae1d1"]');
                assert.equal(await className(p, 'ae1d1'), 'MainFolderLineMouseOver');
                assert.equal(await computed(p, 'ae1d1', 'color'), 'rgb(255, 0, 0)');
                await p.mouse.move(0, 0);
                assert.equal(await className(p, 'ae1d1'), 'MainFolderLine');
                await clickEntry(p, 'e1d1');
                await p.hover('[id="abe1d1d2"]');
                assert.equal(await className(p, 'abe1d1d2'), 'LinkLineMouseOver');
                assert.equal(await computed(p, 'abe1d1d2', 'color'), 'rgb(0, 160, 0)');
                await p.mouse.move(0, 0);
                assert.equal(await className(p, 'abe1d1d2'), 'LinkLine');
            });
        });

        test('names do not wrap unless line breaks are allowed', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('style'));
                await clickEntry(p, 'e1d1');
                assert.equal(await lineCount(p, 'ae1d1'), 1);
                assert.equal(await lineCount(p, 'abe1d1d2'), 1);
                await p.goto(url('wrap'));
                await clickEntry(p, 'e1d1');
                assert.ok(await lineCount(p, 'ae1d1') > 1, 'a long folder name wraps in its 60px box');
                assert.ok(await lineCount(p, 'abe1d1d2') > 1, 'a long link name wraps in its 60px box');
            });
        });

        test('folder images swap on open and close', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('style'));
                const src = (id) => p.getAttribute(`[id="${id}"]`, 'src');
                assert.equal(await src('ie1d1'), '/img/mfc.gif');
                assert.equal(await src('ie1d1d1'), '/img/sfc.gif');
                assert.equal(await src('ibe1d1d2'), '/img/pli.gif');
                await clickEntry(p, 'e1d1');
                assert.equal(await src('ie1d1'), '/img/mfo.gif');
                await clickEntry(p, 'e1d1d1');
                assert.equal(await src('ie1d1d1'), '/img/sfo.gif');
                await clickEntry(p, 'e1d1d1');
                assert.equal(await src('ie1d1d1'), '/img/sfc.gif');
                await clickEntry(p, 'e1d1');
                assert.equal(await src('ie1d1'), '/img/mfc.gif');
                await p.evaluate(() => qOPEN('Sub'));
                assert.deepEqual([await src('ie1d1'), await src('ie1d1d1')], ['/img/mfo.gif', '/img/sfo.gif'],
                    'opening through a script swaps the images too');
            });
        });

        test("automatic widths give each level's boxes the computed width; indents and cell height", async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('auto'));
                await p.evaluate(() => { qOPEN('Tools'); qOPEN('Contact us now'); });
                const boxes = ['ce1d1', 'ce1d2', 'cbe1d1d1', 'ce1d1d2', 'cbe1d1d3', 'cbe1d1d2d1', 'ce2d1', 'cbe2d1d1'];
                const got = await p.evaluate((ids) => Object.fromEntries(ids.map((id) => {
                    const box = document.getElementById(id);
                    const table = box.querySelector('table').getBoundingClientRect();
                    const cell = box.querySelector('td').getBoundingClientRect();
                    return [id, { width: table.width, left: box.getBoundingClientRect().left, cell: cell.height }];
                })), boxes);
                const widths = Object.fromEntries(boxes.map((id) => [id, got[id].width]));
                assert.deepEqual(widths, {
                    ce1d1: 136, // Products: 8 characters
                    ce1d2: 136,
                    cbe1d1d1: 184, // Screwdrivers: 12 characters
                    ce1d1d2: 184,
                    cbe1d1d3: 184,
                    cbe1d1d2d1: 76, // Saw: 3 characters
                    ce2d1: 208, // the second column: Contact us now, 14 characters
                    cbe2d1d1: 88, // Mail
                });
                // Main boxes stand 12 px into their column, each level below 20 px further in.
                const td = await p.evaluate(() => document.getElementById('ce1d1').parentElement.getBoundingClientRect().left);
                assert.equal(got.ce1d1.left - td, 12);
                assert.equal(got.cbe1d1d1.left - got.ce1d1.left, 20);
                assert.equal(got.cbe1d1d2d1.left - got.ce1d1d2.left, 20);
                assert.deepEqual([...new Set(boxes.map((id) => got[id].cell))], [30], 'every cell is 30 px high');
            });
        });
    });
}
