// axe-core on the accessible markup's menu: no violation of the WCAG 2.0 and
// 2.1 A and AA rules nor of the best-practice rules on the menu's nodes, in
// tree and drop-down mode, with every folder closed, one open and all open
// (each list is built when its folder first opens, so only the opened states
// put the sections' entries before axe). The pages around the menu are
// themselves sound (language, title, landmarks, one heading), so that what
// axe reports is the menu's, and use the style sheet offered for the markup
// (its colours are what the contrast rules judge).
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { mkdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import {
    DEFAULT_SHEET, GIF, column, folder, generateSites, page, scriptFolder, scriptPage, setupSuite, textPage, withPage,
} from './lib/harness.mjs';
import { checkAxe } from './lib/axe.mjs';

// Every kind of entry the markup has: folders within folders, a folder with
// a script, a column, links that open a new window, a script link, a name
// without address, folder and link images.
const nodes = [
    folder('Products', [
        folder('Tools', [page('Hammer', '/target/hammer.html'), page('Saw', '/target/saw.html', { lnkChkNewWindow: 1 })]),
        page('Nails', '/target/nails.html'),
        scriptPage('Order form', 'window.qwkOrder=1'),
        textPage('Coming soon'),
    ]),
    scriptFolder('Services', 'window.qwkServices=1', [
        page('Repairs', '/target/repairs.html'),
        folder('Rental', [page('Vans', '/target/vans.html'), page('Trailers', '/target/trailers.html', { lnkChkNoPageImage: 1 })]),
    ]),
    column(),
    folder('About', [page('Team', '/target/team.html'), page('Blog', 'https://blog.example.com/', { lnkChkNewWindow: 1 })]),
    page('Contact', '/target/contact.html'),
];
const images = {
    prjChkMFI: 1, prjFilMFOIMG: '/img/open.gif', prjFilMFCIMG: '/img/closed.gif',
    prjChkSFI: 1, prjFilSFOIMG: '/img/open.gif', prjFilSFCIMG: '/img/closed.gif',
    prjChkPLI: 1, prjFilPLIMG: '/img/link.gif',
};
const SITES = [{ markup: 'accessible', mode: 'readable', dir: 'accessible' }];

// A whole, sound page: the menu in the page's header, the text in main.
const pageText = (script) => `<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Menu check</title>
<link rel="icon" href="data:,">
<link rel="stylesheet" href="${script}.css">
</head><body>
<header><script src="${script}.js"></script></header>
<main><h1>Menu check</h1><p>The page's own text.</p></main>
</body></html>
`;

let suite;
before(async () => {
    suite = await setupSuite('axe', async (root) => {
        mkdirSync(join(root, 'img'));
        for (const f of ['open', 'closed', 'link'])
            writeFileSync(join(root, 'img', `${f}.gif`), GIF);
        await generateSites(root, 'tree', { nodes, css: DEFAULT_SHEET, options: { prjChkTreeMenus: 1, ...images } }, SITES);
        await generateSites(root, 'dd', { nodes, css: DEFAULT_SHEET, options: { prjChkTreeMenus: 0, ...images } }, SITES);
        for (const name of ['tree', 'dd'])
            writeFileSync(join(root, 'accessible', `${name}.html`), pageText(name));
    });
});
after(() => suite?.close());

// checkAxe fails on any violation; the passes show that axe found the menu.
const checkMenu = async (p, state) => {
    let results;
    try {
        results = await checkAxe(p, { include: 'nav' });
    } catch (e) {
        e.message = `${state}: ${e.message}`;
        throw e;
    }
    assert.ok(results.passes > 0, `axe judged the menu, ${state}`);
};

// Opens every closed folder, level by level, as the lists are built.
const openAll = (p) => p.evaluate(async () => {
    for (;;) {
        const closed = [...document.querySelectorAll('nav.qwk-menu button[aria-expanded="false"]')]
            .filter((b) => b.getClientRects().length > 0);
        if (!closed.length)
            return;
        for (const b of closed)
            b.click();
    }
});

describe('axe-core on the accessible menu', { concurrency: true }, () => {
    test('tree menu: closed, one folder open, all open', async () => {
        await withPage(suite.browser, async ({ page: p }) => {
            await p.goto(`${suite.base}/accessible/tree.html`);
            assert.equal(await p.locator('nav.qwk-menu').count(), 1, 'one menu is drawn');
            await checkMenu(p, 'every folder closed');
            await p.click('[id="ae1d1"]');
            assert.equal(await p.getAttribute('[id="ae1d1"]', 'aria-expanded'), 'true');
            await checkMenu(p, 'one folder open');
            await openAll(p);
            assert.equal(await p.locator('nav.qwk-menu button[aria-expanded="false"]').count(), 0);
            await checkMenu(p, 'every folder open');
        });
    });

    // A drop-down menu shows one branch at a time: each branch is opened to
    // its deepest folder in turn, from the keyboard (the mouse would open
    // and close sections on its own timers), after a click outside the menu
    // has closed the one before.
    test('drop-down menu: closed, one section open, each branch open to its end', async () => {
        await withPage(suite.browser, async ({ page: p }) => {
            await p.goto(`${suite.base}/accessible/dd.html`);
            await checkMenu(p, 'every folder closed');
            await p.press('[id="ae1d1"]', 'Enter');
            assert.equal(await p.getAttribute('[id="ae1d1"]', 'aria-expanded'), 'true');
            await checkMenu(p, 'one section open');
            for (const path of [['e1d1', 'e1d1d1'], ['e1d2', 'e1d2d2'], ['e2d1']]) {
                await p.click('main p');
                for (const id of path)
                    await p.press(`[id="a${id}"]`, 'Enter');
                for (const id of path)
                    assert.equal(await p.getAttribute(`[id="a${id}"]`, 'aria-expanded'), 'true', `${id} is open`);
                await checkMenu(p, `the branch ${path.join(' > ')} open`);
            }
        });
    });
});
