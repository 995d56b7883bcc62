// Multilingual menus: the page's language variable picks each entry's name,
// each level's width and the language's own style sheet.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { mkdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { BASE_CSS, MODES, clickEntry, folder, generate, page, setupSuite, withPage, writePage } from './lib/harness.mjs';

// Languages en, de, fr. Names with fewer entries than languages fall back to
// the first entry.
const nodes = [
    folder('Files;;Dateien;;Fichiers', [
        page('Open;;Öffnen', '/target/open.html'),
        page('Close;;Schliessen', '/target/close.html'),
    ]),
    page('Home;;Startseite;;Accueil', '/target/home.html'),
];
const options = {
    prjChkTreeMenus: 1,
    prjChkUtf8: 1,
    prjChkMultiLingual: 1,
    prjLanguages: 'en;;de;;fr',
    prjJavascriptLanguageVariable: 'pageLang',
    prjAutomaticWidth: 1,
    // fr has no items of its own: it takes the first.
    prjPixelBase: '40;;60',
    prjPixelsPerCharacter: '12;;14',
    prjCSSinJS: 1,
};

// Longest names per level and language: top level en 5 (Files), de 10
// (Startseite), fr 8 (Fichiers); inside the folder en 5 (Close), de 10
// (Schliessen), fr 5 (Close, the fallback). Width = per character x length + base.
const EXPECT = {
    en: { names: ['Files', 'Open', 'Close', 'Home'], top: 100, sub: 100, color: 'rgb(0, 0, 128)' },
    de: { names: ['Dateien', 'Öffnen', 'Schliessen', 'Startseite'], top: 200, sub: 200, color: 'rgb(192, 0, 0)' },
    fr: { names: ['Fichiers', 'Open', 'Close', 'Accueil'], top: 136, sub: 100, color: 'rgb(0, 0, 192)' },
    // An unknown language takes the first entry of every list and only the general sheet.
    xx: { names: ['Files', 'Open', 'Close', 'Home'], top: 100, sub: 100, color: 'rgb(0, 0, 128)' },
};

let suite;
before(async () => {
    suite = await setupSuite('multilingual', async (root) => {
        for (const mode of MODES) {
            const dir = join(root, mode);
            mkdirSync(dir, { recursive: true });
            // Language sheets beside the general one; en has none.
            writeFileSync(join(dir, 'ml.de.css'), '.MainFolderLine { color: #c00000; }\n');
            writeFileSync(join(dir, 'ml.fr.css'), '.MainFolderLine { color: #0000c0; }\n');
            await generate(dir, 'ml', { nodes, options, compact: mode === 'compact', css: BASE_CSS });
            for (const lang of Object.keys(EXPECT))
                writePage(dir, `${lang}.html`, { before: `var pageLang='${lang}';`, scripts: ['ml.js'] });
        }
    });
});
after(() => suite?.close());

for (const mode of MODES) {
    describe(`multilingual menu (${mode})`, { concurrency: true }, () => {
        for (const [lang, want] of Object.entries(EXPECT)) {
            test(`page language "${lang}"`, async () => {
                await withPage(suite.browser, async ({ page: p }) => {
                    await p.goto(`${suite.base}/${mode}/${lang}.html`);
                    await clickEntry(p, 'e1d1');
                    // Away from the name, so its mouse-over class is gone.
                    await p.mouse.move(0, 0);
                    const got = await p.evaluate(() => {
                        const text = (id) => document.getElementById(id).textContent.replace(/\u00a0/g, ' ').trim();
                        const width = (id) => document.querySelector(`[id="${id}"] table`).getBoundingClientRect().width;
                        return {
                            names: ['ae1d1', 'abe1d1d1', 'abe1d1d2', 'ae1d2'].map(text),
                            top: [width('ce1d1'), width('ce1d2')],
                            sub: [width('cbe1d1d1'), width('cbe1d1d2')],
                            color: getComputedStyle(document.getElementById('ae1d1')).color,
                            box: getComputedStyle(document.getElementById('ce1d1')).backgroundColor,
                        };
                    });
                    assert.deepEqual(got, {
                        names: want.names,
                        top: [want.top, want.top],
                        sub: [want.sub, want.sub],
                        color: want.color,
                        box: 'rgb(232, 232, 240)',
                    });
                    assert.equal(await p.evaluate((n) => qGI(n), want.names[0]), 'e1d1', 'the public functions know the shown names');
                });
            });
        }
    });
}
