// The public scripting functions, called by a web page's own script.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { mkdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { GIF, SITES, folder, generateSites, page, setupSuite, shownSections, withPage, writePage } from './lib/harness.mjs';

const nodes = [
    folder('A', [
        folder('A1', [page('Deep link', '/target/deep.html')]),
        page('A link', '/target/alink.html'),
        page('Twin', '/target/twin1.html'),
    ]),
    folder('B', [page('B link', '/target/blink.html'), page('Twin', '/target/twin2.html')]),
    page('Home', '/target/home.html'),
];
const SECTIONS = ['e1d1', 'e1d1d1', 'e1d2'];
const images = {
    prjChkMFI: 1, prjFilMFOIMG: '/img/mfo.gif', prjFilMFCIMG: '/img/mfc.gif',
    prjChkSFI: 1, prjFilSFOIMG: '/img/sfo.gif', prjFilSFCIMG: '/img/sfc.gif',
    prjChkPLI: 1, prjFilPLIMG: '/img/pli.gif',
};

let suite;
before(async () => {
    suite = await setupSuite('scripting', async (root) => {
        mkdirSync(join(root, 'img'));
        for (const f of ['mfo', 'mfc', 'sfo', 'sfc', 'pli', 'other'])
            writeFileSync(join(root, 'img', `${f}.gif`), GIF);
        await generateSites(root, 'scripting', { nodes, options: { prjChkTreeMenus: 1, ...images } });
        for (const site of SITES)
            writePage(join(root, site.dir), 'scripting.html', { scripts: ['scripting.js'] });
    });
});
after(() => suite?.close());

for (const site of SITES) {
    describe(`scripting functions (${site.label})`, { concurrency: true }, () => {
        const open = async (p) => p.goto(`${suite.base}/${site.dir}/scripting.html`);

        test('qOPEN and qCLOSE open a folder with its ancestors and close it', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await open(p);
                await p.evaluate(() => qOPEN('A1'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'e1d1d1']);
                await p.evaluate(() => qOPEN('A1'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'e1d1d1'], 'opening an open folder keeps it open');
                await p.evaluate(() => qCLOSE('A1'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1']);
                await p.evaluate(() => qCLOSE('A1'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1'], 'closing a closed folder changes nothing');
                await p.evaluate(() => qOPEN('B'));
                await p.evaluate(() => qCLOSE('A'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d2']);
            });
        });

        test('qOPENPAGE and qCLOSEPAGE work on the folder that holds a link', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await open(p);
                await p.evaluate(() => qOPENPAGE('Deep link'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'e1d1d1']);
                assert.ok(await p.isVisible('[id="abe1d1d1d1"]'));
                await p.evaluate(() => qCLOSEPAGE('Deep link'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1']);
                await p.evaluate(() => qOPENPAGE('B link'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'e1d2']);
                // A link at the top level has no folder: nothing happens.
                await p.evaluate(() => qOPENPAGE('Home'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'e1d2']);
            });
        });

        test('qGI finds the first entry of a name, or answers "No such link"; qGP gives the arrow path', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await open(p);
                const got = await p.evaluate(() => ({
                    folder: qGI('A1'),
                    link: qGI('Deep link'),
                    top: qGI('Home'),
                    twin: qGI('Twin'),
                    none: qGI('Nope'),
                    pathMain: qGP('A'),
                    pathDeep: qGP('Deep link'),
                    pathTwin: qGP('Twin'),
                }));
                assert.deepEqual(got, {
                    folder: 'e1d1d1',
                    link: 'be1d1d1d1',
                    top: 'e1d3',
                    twin: 'be1d1d3',
                    none: 'No such link',
                    pathMain: 'A',
                    pathDeep: 'A&nbsp;&rarr;&nbsp;A1&nbsp;&rarr;&nbsp;Deep link',
                    pathTwin: 'A&nbsp;&rarr;&nbsp;Twin',
                });
            });
        });

        test('qSWAPBOX, qSWAPLINE and qSWAPIMAGE change an entry by its name', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await open(p);
                await p.evaluate(() => {
                    qOPEN('A');
                    qSWAPBOX('A link', 'style.backgroundColor', 'rgb(255, 0, 0)');
                    qSWAPLINE('A link', 'style.color', 'rgb(0, 128, 0)');
                    qSWAPIMAGE('B', 'src', '/img/other.gif');
                    qSWAPIMAGE('A link', 'title', 'link image');
                });
                const got = await p.evaluate(() => ({
                    box: getComputedStyle(document.getElementById('cbe1d1d2')).backgroundColor,
                    line: getComputedStyle(document.getElementById('abe1d1d2')).color,
                    image: document.getElementById('ie1d2').getAttribute('src'),
                    linkImage: document.getElementById('ibe1d1d2').title,
                    otherBox: document.getElementById('cbe1d1d3').style.backgroundColor,
                }));
                assert.deepEqual(got, {
                    box: 'rgb(255, 0, 0)',
                    line: 'rgb(0, 128, 0)',
                    image: '/img/other.gif',
                    linkImage: 'link image',
                    otherBox: '',
                });
            });
        });

        test('an unknown name changes nothing and breaks nothing', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await open(p);
                await p.evaluate(() => {
                    qOPEN('Nope');
                    qCLOSE('Nope');
                    qOPENPAGE('Nope');
                    qCLOSEPAGE('Nope');
                    qSWAPBOX('Nope', 'style.color', 'red');
                    qSWAPLINE('Nope', 'style.color', 'red');
                    qSWAPIMAGE('Nope', 'src', '/img/other.gif');
                });
                assert.deepEqual(await shownSections(p, SECTIONS), []);
            });
        });
    });
}
