// The accessible markup ("prjChkAccessible"): lists and buttons built by the
// script, used with the keyboard alone and by touch; the script loaded in
// every way a page may load it (normally, deferred, async, added after load,
// under a content security policy without inline script); the static
// fragment with JavaScript off; arrival on a page deep in the menu.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { copyFileSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import {
    MODES, cookie, folder, generate, page, scriptFolder, scriptPage, setupSuite, withPage, writePage,
} from './lib/harness.mjs';

// Main folders A (e1d1, with sub-folder A1 e1d1d1) and B (e1d2), a page at
// the top level (e1d3), a script page and a page opening a new window. The
// first link leads to a page of the site, under the mode's folder.
const nodesFor = (mode) => [
    scriptFolder('A', 'window.qwkOpened=(window.qwkOpened||0)+1', [
        folder('A1', [page('A1 one', `/${mode}/deep/a1one.html`)]),
        page('A two', '/target/atwo.html'),
        scriptPage('A script', 'window.qwkRan=(window.qwkRan||0)+1'),
    ]),
    folder('B', [page('B one', '/target/bone.html', { lnkChkNewWindow: 'True' })]),
    page('Home', '/target/home.html'),
];
const FOLDERS = ['e1d1', 'e1d1d1', 'e1d2'];
const linksFor = (mode) => [`/${mode}/deep/a1one.html`, '/target/atwo.html', '/target/bone.html', '/target/home.html'];

const ACC = { prjChkAccessible: 1 };
const TREE = { ...ACC, prjChkTreeMenus: 1 };
const DROP = { ...ACC, prjChkTreeMenus: 0, prjChkMainMenusDownward: 1 };

// Ways of putting the script into a page: [file, page options].
const loadings = {
    normal: { scripts: ['tree.js'] },
    defer: { head: '<script src="tree.js" defer></script>' },
    async: { head: '<script src="tree.js" async></script>', body: '<p>after</p>' },
    injected: {
        head: '<script src="inject.js"></script>',
    },
    target: { body: '<div id="quenwick-menu"></div><script src="tree.js"></script>' },
};
const INJECT = `window.addEventListener('load', function () {
  var s = document.createElement('script'); s.src = 'tree.js'; document.body.appendChild(s);
});
`;

let suite;
before(async () => {
    suite = await setupSuite('accessible', async (root) => {
        for (const mode of MODES) {
            const dir = join(root, mode);
            const compact = mode === 'compact';
            await generate(dir, 'tree', { nodes: nodesFor(mode), options: TREE, compact });
            await generate(dir, 'drop', { nodes: nodesFor(mode), options: DROP, compact });
            for (const [name, opts] of Object.entries(loadings))
                writePage(dir, `${name}.html`, opts);
            writeFileSync(join(dir, 'inject.js'), INJECT);
            writePage(dir, 'drop.html', { scripts: ['drop.js'], after: '<p><a id="outside" href="#x">outside</a></p>' });
            // A page that includes the fragment as a site generator would, then the script.
            const fragment = readFileSync(join(dir, 'tree.fragment.html'), 'utf8');
            writePage(dir, 'static.html', { body: `${fragment}<script src="tree.js"></script>` });
            // The deep page: the address of a link two folders down, served from the site.
            writePage(join(dir, 'deep'), 'a1one.html', { scripts: ['../tree.js'] });
            copyFileSync(join(dir, 'tree.js'), join(dir, 'deep', 'tree.js'));
            // Names and style sheets by the page's language, the sheets carried in the script.
            writeFileSync(join(dir, 'ml.de.css'), '.MainFolderLine { color: #c00000; }\n');
            await generate(dir, 'ml', {
                nodes: [folder('Files;;Dateien', [page('Open;;Öffnen', '/target/open.html')])], compact,
                options: { ...TREE, prjChkUtf8: 1, prjChkMultiLingual: 1, prjLanguages: 'en;;de', prjJavascriptLanguageVariable: 'pageLang', prjCSSinJS: 1 },
            });
            for (const lang of ['en', 'de'])
                writePage(dir, `ml-${lang}.html`, { head: `<script src="lang-${lang}.js"></script>`, scripts: ['ml.js'] });
            for (const lang of ['en', 'de'])
                writeFileSync(join(dir, `lang-${lang}.js`), `var pageLang='${lang}';\n`);
        }
    });
});
after(() => suite?.close());

// The state every folder shows: [id, aria-expanded, list shown].
const folderStates = (p, ids) => p.evaluate((list) => list.map((id) => {
    const b = document.getElementById('a' + id);
    const u = document.getElementById(id);
    return [id, b ? b.getAttribute('aria-expanded') : null, !!u && !u.hidden && u.getClientRects().length > 0];
}), ids);

// Checks the markup the contract promises for a drawn menu.
async function checkMarkup(p) {
    const r = await p.evaluate(() => {
        const navs = document.querySelectorAll('nav.qwk-menu');
        const nav = navs[0];
        const bad = [];
        for (const b of nav.querySelectorAll('button[aria-controls]')) {
            if (!document.getElementById(b.getAttribute('aria-controls')))
                bad.push(`aria-controls of ${b.id}`);
            const u = document.getElementById(b.getAttribute('aria-controls'));
            if (String(!u.hidden) !== b.getAttribute('aria-expanded'))
                bad.push(`aria-expanded of ${b.id}`);
        }
        for (const e of nav.querySelectorAll('*'))
            for (const a of e.getAttributeNames())
                if (a.startsWith('on'))
                    bad.push(`${a} on ${e.id}`);
        for (const a of nav.querySelectorAll('a[href]'))
            if (a.getAttribute('href').startsWith('javascript:'))
                bad.push(`javascript: address on ${a.id}`);
        return {
            navs: navs.length, id: nav.id, label: nav.getAttribute('aria-label'), bad,
            direct: [...nav.children].every((c) => c.matches('ul.qwk-column')),
        };
    });
    assert.equal(r.navs, 1, 'one menu');
    assert.equal(r.label, 'Site menu');
    assert.ok(r.direct, 'only columns directly inside the nav');
    assert.deepEqual(r.bad, []);
}

for (const mode of MODES) {
    describe(`accessible markup (${mode})`, { concurrency: true }, () => {
        const url = (name) => `${suite.base}/${mode}/${name}.html`;

        for (const way of Object.keys(loadings)) {
            test(`the menu is drawn and works when the script is loaded: ${way}`, async () => {
                await withPage(suite.browser, async ({ page: p }) => {
                    await p.goto(url(way));
                    await p.waitForSelector('[id="ae1d1"]');
                    await checkMarkup(p);
                    await p.click('[id="ae1d1"]');
                    assert.deepEqual(await folderStates(p, ['e1d1']), [['e1d1', 'true', true]]);
                    assert.equal(await p.evaluate(() => window.qwkOpened), 1);
                    if (way === 'target')
                        assert.equal(await p.evaluate(() => document.querySelector('#quenwick-menu > nav') !== null), true,
                            'drawn into the element with the menu id');
                });
            });
        }

        test('under a policy without inline script, every folder opens and the script page runs', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                const violations = [];
                p.on('console', (m) => { if (/Content Security Policy/i.test(m.text())) violations.push(m.text()); });
                await p.route('**/normal.html', async (route) => {
                    const res = await route.fetch();
                    await route.fulfill({ response: res, headers: { ...res.headers(), 'content-security-policy': "script-src 'self'" } });
                });
                await p.goto(url('normal'));
                for (const id of FOLDERS)
                    await p.click(`[id="a${id}"]`);
                assert.deepEqual(await folderStates(p, FOLDERS), FOLDERS.map((id) => [id, 'true', true]));
                await p.click('[id="abe1d1d3"]');
                assert.equal(await p.evaluate(() => window.qwkRan), 1);
                assert.deepEqual(violations, []);
            });
        });

        test('keyboard alone: Tab reaches every shown entry, Enter and Space open and close folders', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                await p.goto(url('normal'));
                const focused = () => p.evaluate(() => document.activeElement.id);
                await p.keyboard.press('Tab');
                assert.equal(await focused(), 'ae1d1');
                await p.keyboard.press('Enter');
                assert.deepEqual(await folderStates(p, ['e1d1']), [['e1d1', 'true', true]]);
                await p.keyboard.press('Tab');
                assert.equal(await focused(), 'ae1d1d1');
                await p.keyboard.press('Space');
                assert.deepEqual(await folderStates(p, ['e1d1d1']), [['e1d1d1', 'true', true]]);
                assert.equal(await cookie(context, 'tree'), 'e1d1d1x');
                const order = [];
                for (let i = 0; i < 6; i++) {
                    await p.keyboard.press('Tab');
                    order.push(await focused());
                }
                assert.deepEqual(order, ['abe1d1d1d1', 'abe1d1d2', 'abe1d1d3', 'ae1d2', 'ae1d3', '']);
                await p.focus('[id="ae1d1"]');
                await p.keyboard.press('Space');
                assert.deepEqual(await folderStates(p, ['e1d1']), [['e1d1', 'false', false]]);
            });
        });

        test('drop-down by keyboard: Enter opens, arrows move along the bar, Escape closes and returns the focus', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('drop'));
                await p.focus('[id="ae1d1"]');
                await p.keyboard.press('Enter');
                assert.deepEqual(await folderStates(p, ['e1d1']), [['e1d1', 'true', true]]);
                await p.keyboard.press('Tab');
                await p.keyboard.press('Enter');
                assert.deepEqual(await folderStates(p, ['e1d1d1']), [['e1d1d1', 'true', true]]);
                await p.keyboard.press('Tab');
                assert.equal(await p.evaluate(() => document.activeElement.id), 'abe1d1d1d1');
                await p.keyboard.press('Escape');
                assert.equal(await p.evaluate(() => document.activeElement.id), 'ae1d1d1');
                assert.deepEqual(await folderStates(p, ['e1d1', 'e1d1d1']), [['e1d1', 'true', true], ['e1d1d1', 'false', false]]);
                await p.keyboard.press('Escape');
                assert.equal(await p.evaluate(() => document.activeElement.id), 'ae1d1');
                assert.deepEqual(await folderStates(p, ['e1d1']), [['e1d1', 'false', false]]);
                // The main entries stand one below the other here.
                await p.keyboard.press('ArrowDown');
                assert.equal(await p.evaluate(() => document.activeElement.id), 'ae1d2');
                await p.keyboard.press('ArrowUp');
                await p.keyboard.press('ArrowUp');
                assert.equal(await p.evaluate(() => document.activeElement.id), 'ae1d3', 'the arrows wrap around');
                // Focus leaving the menu closes the open section.
                await p.focus('[id="ae1d2"]');
                await p.keyboard.press('Enter');
                await p.focus('#outside');
                assert.deepEqual(await folderStates(p, ['e1d2']), [['e1d2', 'false', false]]);
            });
        });

        test('touch: a tap opens a drop-down folder, a second tap closes it, a tap outside closes', async () => {
            const context = await suite.browser.newContext({ hasTouch: true, isMobile: true, viewport: { width: 400, height: 700 } });
            try {
                const p = await context.newPage();
                const errors = [];
                p.on('pageerror', (e) => errors.push(e.message));
                await p.goto(url('drop'));
                await p.tap('[id="ae1d1"]');
                await p.waitForTimeout(600);
                assert.deepEqual(await folderStates(p, ['e1d1']), [['e1d1', 'true', true]], 'open, and still open after the hover delay');
                await p.tap('[id="ae1d1"]');
                await p.waitForTimeout(600);
                assert.deepEqual(await folderStates(p, ['e1d1']), [['e1d1', 'false', false]]);
                await p.tap('[id="ae1d2"]');
                await p.tap('#outside');
                assert.deepEqual(await folderStates(p, ['e1d2']), [['e1d2', 'false', false]]);
                assert.deepEqual(errors, []);
            } finally {
                await context.close();
            }
        });

        test('with JavaScript off the fragment shows every link; with it on the script enhances the fragment', async () => {
            const context = await suite.browser.newContext({ javaScriptEnabled: false });
            try {
                const p = await context.newPage();
                await p.goto(url('static'));
                const hrefs = await p.$$eval('nav a[href]', (as) => as.filter((a) => a.getClientRects().length > 0).map((a) => a.getAttribute('href')));
                assert.deepEqual(hrefs, linksFor(mode));
            } finally {
                await context.close();
            }
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('static'));
                await checkMarkup(p);
                assert.deepEqual(await folderStates(p, FOLDERS), FOLDERS.map((id) => [id, 'false', false]), 'collapsed by the script');
                await p.click('[id="ae1d1"]');
                assert.equal(await p.locator('[id="ce1d1d1"]').count(), 1, 'entries are not drawn twice');
                assert.deepEqual(await folderStates(p, ['e1d1']), [['e1d1', 'true', true]]);
            });
        });

        test("the page language picks the names and the language's own style sheet", async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                for (const [lang, name, color] of [['en', 'Files', 'rgb(0, 0, 128)'], ['de', 'Dateien', 'rgb(192, 0, 0)']]) {
                    // Read before any hover or focus gives the name its mouse-over class.
                    await p.goto(url(`ml-${lang}`));
                    assert.deepEqual(await p.evaluate(() => [document.getElementById('ae1d1').textContent, getComputedStyle(document.getElementById('ae1d1')).color]),
                        [name, color]);
                    assert.equal(await p.evaluate(() => qGI('Open') === 'be1d1d1' || qGI('Öffnen') === 'be1d1d1'), true);
                }
            });
        });

        test('arriving on a deep page: its link is the current page and its folders are open', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(`${suite.base}/${mode}/deep/a1one.html`);
                assert.deepEqual(await folderStates(p, ['e1d1', 'e1d1d1', 'e1d2']),
                    [['e1d1', 'true', true], ['e1d1d1', 'true', true], ['e1d2', 'false', false]]);
                assert.deepEqual(await p.$$eval('[aria-current]', (es) => es.map((e) => [e.id, e.getAttribute('aria-current')])),
                    [['abe1d1d1d1', 'page']]);
            });
        });
    });
}
