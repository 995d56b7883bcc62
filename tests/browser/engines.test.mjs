// The scenarios where browser engines differ, written once and run in each
// engine named in QWK_ENGINES (chromium, firefox, webkit; chromium alone by
// default): tree folders and their cookie, the scroll cookies, drop-down
// delays and placing, the public functions, several menus on one page,
// multilingual names, folder images and mouse-over classes; and in the
// accessible markup ("prjChkAccessible") the keyboard, touch, a content
// security policy without inline script and the static fragment.
//
// The drop-down delays run on a fake clock the page loads before the menu
// script (FAKE_CLOCK), as no engine but Chromium has a test clock of its own.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import {
    BASE_CSS, GIF, MODES, folder, generate, generateBoth, page, scriptFolder, scriptPage, startServer, tempRoot, removeRoot, writePage,
} from './lib/harness.mjs';
import { ERROR_CATCHER, FAKE_CLOCK, TouchUnsupported, launchEngine, missingFor, withSession } from './lib/engines.mjs';

const engineNames = (process.env.QWK_ENGINES || 'chromium').split(',').map((s) => s.trim()).filter(Boolean);

// Every page starts with the error catcher; drop-down pages add the clock.
const PRE = ERROR_CATCHER;
const PRE_CLOCK = ERROR_CATCHER + FAKE_CLOCK;

// ---------------------------------------------------------------------------
// The sites

// Tree: A (e1d1) holds A1 (e1d1d1); B (e1d2); Home (e1d3) a link.
const treeNodes = [
    folder('A', [folder('A1', [page('Deep link', '/target/deep.html')]), page('A link', '/target/alink.html')]),
    folder('B', [page('B link', '/target/blink.html')]),
    page('Home', '/target/home.html'),
];
const TREE = ['e1d1', 'e1d1d1', 'e1d2'];

// Drop-down: M1 (e1d1) holds one sub-folder per placing; M2 opens below.
const PLACINGS = [
    ['e1d1d2', '', 'dd'],
    ['e1d1d3', '.00', 'dd.00'],
    ['e1d1d4', '.00to', 'dd.00to'],
    ['e1d1d5', 'le', 'ddle'],
    ['e1d1d6', '.50', 'dd.50'],
    ['e1d1d7', '.50to', 'dd.50to'],
    ['e1d1d8', 'to', 'ddto'],
    ['e1d1d9', '.50le', 'dd.50le'],
];
const ddNodes = [
    folder('M1', [
        page('M1 one', '/target/m1one.html'),
        ...PLACINGS.map(([, pos], i) => folder(`Sub ${i + 1} ${pos || 'plain'}`, [
            page(`Sub ${i + 1} first`, `/target/s${i}a.html`),
            page(`Sub ${i + 1} second entry`, `/target/s${i}b.html`),
        ], { lnkMenuPosition: pos })),
    ]),
    folder('M2', [page('M2 one', '/target/m2one.html'), folder('M2 sub', [page('M2 deep', '/target/m2deep.html')])],
        { lnkMenuPosition: '.00' }),
];
const DD = ['e1d1', 'e1d2', 'e1d2d2', ...PLACINGS.map(([id]) => id)];

// A menu bar of three columns whose main menus open downward, centred.
const barNodes = [
    folder('Products', [page('Nails', '/target/nails.html'), folder('Tools', [page('Saw', '/target/saw.html')])]),
    { kind: 'column', opts: {} },
    folder('Services', [page('Repairs', '/target/repairs.html')]),
    { kind: 'column', opts: {} },
    page('Contact', '/target/contact.html'),
];
const BAR = ['e1d1', 'e1d1d2', 'e2d1'];

// Several menus: numbers "", 2 (tree) and 20 (drop-down) with the same names.
const multiNodes = (n) => [
    folder('Products', [folder('Tools', [page('Hammer', `/target/${n}/hammer.html`)]), page('Nails', `/target/${n}/nails.html`)]),
    folder('About', [page('Team', `/target/${n}/team.html`)]),
];
const MULTI = ['e1d1', 'e1d1d1', 'e1d2', 'f1d1', 'f1d1d1', 'f1d2', 'y1d1', 'y1d1d1', 'y1d2'];

// Multilingual names (UTF-8) by the page's language, with automatic widths.
const mlNodes = [
    folder('Files;;Dateien;;Fichiers', [page('Open;;Öffnen', '/target/open.html'), page('Close;;Schliessen', '/target/close.html')]),
    page('Home;;Startseite;;Accueil', '/target/home.html'),
];
const ML = {
    en: { names: ['Files', 'Open', 'Close', 'Home'], top: 100, sub: 100, color: 'rgb(0, 0, 128)' },
    de: { names: ['Dateien', 'Öffnen', 'Schliessen', 'Startseite'], top: 200, sub: 200, color: 'rgb(192, 0, 0)' },
    fr: { names: ['Fichiers', 'Open', 'Close', 'Accueil'], top: 136, sub: 100, color: 'rgb(0, 0, 192)' },
};

// Images and mouse-over classes.
const styleCss = BASE_CSS + '.MainFolderLineMouseOver { color: #ff0000; text-decoration: none; }\n'
    + '.LinkLineMouseOver { color: #00a000; text-decoration: none; }\n';
const images = {
    prjChkMFI: 1, prjFilMFOIMG: '/img/mfo.gif', prjFilMFCIMG: '/img/mfc.gif',
    prjChkSFI: 1, prjFilSFOIMG: '/img/sfo.gif', prjFilSFCIMG: '/img/sfc.gif',
    prjChkPLI: 1, prjFilPLIMG: '/img/pli.gif',
};

// The accessible markup: A (e1d1, a folder that runs script) holds A1
// (e1d1d1) and a script page; B (e1d2); Home (e1d3) a link.
const accNodes = [
    scriptFolder('A', 'window.qwkOpened=(window.qwkOpened||0)+1', [
        folder('A1', [page('A1 one', '/target/a1one.html')]),
        page('A two', '/target/atwo.html'),
        scriptPage('A script', 'window.qwkRan=(window.qwkRan||0)+1'),
    ]),
    folder('B', [page('B one', '/target/bone.html')]),
    page('Home', '/target/home.html'),
];
const ACC_FOLDERS = ['e1d1', 'e1d1d1', 'e1d2'];
// The catcher and the clock from a file of the site, so that a page whose
// policy forbids inline script has them too; blocked script or handlers show
// up as errors through the policy's violation event, in every engine alike.
const ACC_PRE = `${ERROR_CATCHER}
${FAKE_CLOCK}
window.qwkPointers=[];
document.addEventListener('pointerdown',function(e){qwkPointers.push(e.pointerType)},true);
document.addEventListener('securitypolicyviolation',function(e){qwkErrors.push('blocked by the policy: '+e.violatedDirective+' '+e.blockedURI)});
`;
const accPage = (script, more = {}) => ({
    head: '<script src="acc-pre.js"></script>' + (more.head || ''),
    after: `<a id="start" href="#start">start</a>\n${more.menu || `<script src="${script}"></script>`}\n<p><a id="outside" href="#outside">outside</a></p>`,
});

async function prepare(root) {
    mkdirSync(join(root, 'img'));
    for (const f of ['mfo', 'mfc', 'sfo', 'sfc', 'pli', 'other'])
        writeFileSync(join(root, 'img', `${f}.gif`), GIF);
    await generateBoth(root, 'tree', { nodes: treeNodes, options: { prjChkTreeMenus: 1 } });
    await generateBoth(root, 'dd', { nodes: ddNodes, options: { prjChkTreeMenus: 0 } });
    await generateBoth(root, 'bar', {
        nodes: barNodes, options: { prjChkTreeMenus: 0, prjChkMainMenusDownward: 1, prjCenterTable: 1 },
    });
    await generateBoth(root, 'style', { nodes: treeNodes, css: styleCss, options: { prjChkTreeMenus: 1, prjCSSinJS: 1, ...images } });
    await generateBoth(root, 'first', { nodes: multiNodes(1), options: { prjChkTreeMenus: 1 } });
    await generateBoth(root, 'second', { nodes: multiNodes(2), options: { prjChkTreeMenus: 1, prjMultipleMenu: 1, prjMultipleMenuNumber: 2 } });
    await generateBoth(root, 'third', { nodes: multiNodes(3), options: { prjChkTreeMenus: 0, prjMultipleMenu: 1, prjMultipleMenuNumber: 20 } });
    for (const mode of MODES) {
        const dir = join(root, mode);
        writePage(dir, 'tree.html', { before: PRE, scripts: ['tree.js'] });
        writePage(dir, 'style.html', { before: PRE, scripts: ['style.js'] });
        // The browser's own scroll restoring is off, so that only the menu's
        // scroll cookies bring the position back; getElementById hidden makes
        // the menu redraw by reloading the page.
        writePage(dir, 'scroll.html', {
            head: `<script>${PRE}history.scrollRestoration="manual";document.getElementById=undefined;</script>`
                + '<style>#above{height:900px}#below{height:2000px}</style>',
            after: '<div id="above"></div><script src="tree.js"></script><div id="below"></div>',
        });
        writePage(dir, 'dd.html', {
            before: PRE_CLOCK,
            head: '<style>#menu{margin:260px 0 0 380px}</style>',
            after: '<div id="menu"><script src="dd.js"></script></div>',
            body: '<p>page text</p>',
        });
        // Inside a positioned, padded page header, and a bar in a scrolled page.
        writePage(dir, 'header.html', {
            before: PRE_CLOCK,
            head: '<style>#header{position:relative;margin:260px 0 0 380px;padding:7px;border:3px solid #888}</style>',
            after: '<div id="header"><script src="dd.js"></script></div>',
            body: '<p>page text</p>',
        });
        writePage(dir, 'bar.html', {
            before: PRE_CLOCK,
            head: '<style>#menu{margin:900px 0 0 0}#tail{height:2000px}</style>',
            after: '<div id="menu"><script src="bar.js"></script></div>',
            body: '<div id="tail"></div>',
        });
        writePage(dir, 'multi.html', {
            before: PRE_CLOCK,
            head: '<style>.menu{float:left;width:300px}</style>',
            after: ['first', 'second', 'third'].map((m) => `<div class="menu"><script src="${m}.js"></script></div>`).join('\n'),
        });
        writeFileSync(join(dir, 'ml.de.css'), '.MainFolderLine { color: #c00000; }\n');
        writeFileSync(join(dir, 'ml.fr.css'), '.MainFolderLine { color: #0000c0; }\n');
        await generate(dir, 'ml', {
            nodes: mlNodes, compact: mode === 'compact',
            options: {
                prjChkTreeMenus: 1, prjChkUtf8: 1, prjChkMultiLingual: 1, prjLanguages: 'en;;de;;fr',
                prjJavascriptLanguageVariable: 'pageLang', prjAutomaticWidth: 1, prjPixelBase: '40;;60',
                prjPixelsPerCharacter: '12;;14', prjCSSinJS: 1,
            },
        });
        for (const lang of Object.keys(ML))
            writePage(dir, `ml-${lang}.html`, { before: `${PRE}var pageLang='${lang}';`, scripts: ['ml.js'] });

        const compact = mode === 'compact';
        await generate(dir, 'acctree', { nodes: accNodes, compact, options: { prjChkAccessible: 1, prjChkTreeMenus: 1 } });
        await generate(dir, 'accdrop', { nodes: accNodes, compact, options: { prjChkAccessible: 1, prjChkTreeMenus: 0, prjChkMainMenusDownward: 1 } });
        writeFileSync(join(dir, 'acc-pre.js'), ACC_PRE);
        writePage(dir, 'acc-tree.html', accPage('acctree.js'));
        writePage(dir, 'acc-drop.html', accPage('accdrop.js'));
        writePage(dir, 'acc-csp.html', accPage('acctree.js', { head: `<meta http-equiv="Content-Security-Policy" content="script-src 'self'">` }));
        // As a site generator includes the fragment, the script after it.
        const fragment = readFileSync(join(dir, 'acctree.fragment.html'), 'utf8');
        writePage(dir, 'acc-static.html', accPage('acctree.js', { menu: `${fragment}<script src="acctree.js"></script>` }));
    }
}

// ---------------------------------------------------------------------------
// Page helpers, all through the engine interface

const shown = (s, ids) => s.evaluate((all) => all.filter((i) => {
    const e = document.getElementById(i);
    if (!e)
        throw new Error(`no element ${i}`);
    return getComputedStyle(e).display !== 'none' && e.getClientRects().length > 0;
}), ids);
const clickEntry = (s, id) => s.click(`[id="a${id}"]`);
const pointAt = (s, id) => s.hover(`[id="a${id}"]`);
const pointAway = (s) => s.move(5, 5);
const runFor = (s, ms) => s.evaluate((m) => window.qwkClock.runFor(m), ms);
const rect = (s, id) => s.evaluate((i) => {
    const r = document.getElementById(i).getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height };
}, id);

// Where a section of the given flags belongs against its folder's box.
function expectedPlace(flags, box, sec) {
    const to = flags.includes('to');
    const le = flags.includes('le');
    const dot = flags.indexOf('.');
    const shift = dot === -1 ? 1 : Number(flags.substring(dot, dot + 3));
    let top = box.top;
    if (to)
        top = box.top - sec.height + (shift === 1 ? box.height : 0);
    else if (shift !== 1)
        top += box.height;
    const left = le ? box.left - sec.width * shift : box.left + box.width * shift;
    return { left, top };
}

async function assertPlaced(s, id, flags) {
    const box = await rect(s, `c${id}`);
    const sec = await rect(s, id);
    const want = expectedPlace(flags, box, sec);
    assert.ok(sec.width > 0 && sec.height > 0, `${id} has a size`);
    assert.ok(Math.abs(sec.left - want.left) <= 1 && Math.abs(sec.top - want.top) <= 1,
        `${id} (flags ${flags}): section at ${sec.left},${sec.top}, expected ${want.left},${want.top}; box ${JSON.stringify(box)}`);
}

// ---------------------------------------------------------------------------
// The scenarios, each (session, url(name), base) => Promise

const scenarios = {
    async 'tree folders open and close on click; the cookie brings them back after a reload'(s, url) {
        await s.goto(url('tree'));
        assert.deepEqual(await shown(s, TREE), []);
        assert.equal(await s.cookie('tree'), '0');
        await clickEntry(s, 'e1d1');
        await clickEntry(s, 'e1d1d1');
        assert.deepEqual(await shown(s, TREE), ['e1d1', 'e1d1d1']);
        assert.equal(await s.cookie('tree'), 'e1d1d1x', 'the open parent leaves the list');
        await clickEntry(s, 'e1d2');
        assert.equal(await s.cookie('tree'), 'e1d1d1xe1d2x');
        assert.equal(await s.url(), url('tree'), 'a folder click does not navigate');
        await s.reload();
        assert.deepEqual(await shown(s, TREE), TREE, 'the open sections come back');
        await clickEntry(s, 'e1d1d1');
        assert.equal(await s.cookie('tree'), 'e1d2xe1d1x', 'the parent stays open when a sub-folder closes');
        await clickEntry(s, 'e1d1');
        await clickEntry(s, 'e1d2');
        assert.deepEqual(await shown(s, TREE), []);
        assert.equal(await s.cookie('tree'), 'none', 'the last close stores "none"');
        await s.reload();
        assert.deepEqual(await shown(s, TREE), [], 'nothing opens after "none"');
    },

    // Folder names are plain text with a click handler in this markup; the
    // links are anchors, which take the keyboard.
    async 'Enter on a focused link follows it'(s, url, base) {
        await s.goto(url('tree'));
        await clickEntry(s, 'e1d1');
        await s.evaluate(() => document.getElementById('abe1d1d2').focus());
        assert.equal(await s.evaluate(() => document.activeElement.id), 'abe1d1d2');
        await s.press('Enter');
        await s.waitFor(() => location.pathname === '/target/alink.html', undefined, 'the link target');
        assert.equal(await s.url(), `${base}/target/alink.html`);
    },

    async 'the scroll cookies bring the position back after the redraw, and a link resets them'(s, url, base) {
        await s.goto(url('scroll'));
        await s.evaluate(() => window.scrollTo(0, 700));
        assert.equal(await s.evaluate(() => window.scrollY), 700);
        await s.evaluate(() => { window.qwkOld = true; });
        await clickEntry(s, 'e1d2');
        await s.waitFor(() => !window.qwkOld && document.readyState === 'complete', undefined, 'the redraw');
        assert.equal(await s.cookie('treeTop'), '700');
        assert.equal(await s.cookie('tree'), 'e1d2x');
        assert.equal(await s.evaluate(() => window.scrollY), 700, 'scrolled back to the saved position');
        await clickEntry(s, 'be1d2d1');
        await s.waitFor(() => location.pathname === '/target/blink.html', undefined, 'the link target');
        assert.equal(await s.cookie('treeTop'), '0');
        assert.equal(await s.cookie('treeLeft'), '0');
        assert.equal(await s.url(), `${base}/target/blink.html`);
    },

    async 'a drop-down folder opens after 400 ms and closes 400 ms after the mouse leaves'(s, url) {
        await s.goto(url('dd'));
        await pointAt(s, 'e1d1');
        await runFor(s, 399);
        assert.deepEqual(await shown(s, DD), [], 'not open before the delay');
        await runFor(s, 1);
        assert.deepEqual(await shown(s, DD), ['e1d1']);
        await pointAway(s);
        await runFor(s, 399);
        assert.deepEqual(await shown(s, DD), ['e1d1'], 'still open just before the close');
        await runFor(s, 1);
        assert.deepEqual(await shown(s, DD), []);
        await pointAt(s, 'e1d1');
        await runFor(s, 400);
        await pointAway(s);
        await runFor(s, 300);
        await pointAt(s, 'be1d1d1');
        await runFor(s, 2000);
        assert.deepEqual(await shown(s, DD), ['e1d1'], 'moving into the section within the delay keeps it open');
    },

    async 'drop-down sections are placed against their boxes as their position says'(s, url) {
        await s.goto(url('dd'));
        for (const [id, , flags] of PLACINGS) {
            await pointAt(s, 'e1d1');
            await runFor(s, 400);
            await pointAt(s, id);
            await runFor(s, 400);
            assert.deepEqual(await shown(s, DD), ['e1d1', id]);
            await assertPlaced(s, id, flags);
            await assertPlaced(s, 'e1d1', 'dd');
            await pointAway(s);
            await runFor(s, 400);
            assert.deepEqual(await shown(s, DD), [], `leaving ${id} closes it and its ancestors`);
        }
        await pointAt(s, 'e1d2');
        await runFor(s, 400);
        await assertPlaced(s, 'e1d2', 'dd.00');
        await pointAt(s, 'e1d2d2');
        await runFor(s, 400);
        assert.deepEqual(await shown(s, DD), ['e1d2', 'e1d2d2']);
        await assertPlaced(s, 'e1d2d2', 'dd');
    },

    async 'inside a positioned header and in a scrolled, centred menu bar the sections open next to their boxes'(s, url) {
        await s.goto(url('header'));
        await pointAt(s, 'e1d1');
        await runFor(s, 400);
        await assertPlaced(s, 'e1d1', 'dd');
        await pointAt(s, 'e1d1d3');
        await runFor(s, 400);
        assert.deepEqual(await shown(s, DD), ['e1d1', 'e1d1d3']);
        await assertPlaced(s, 'e1d1d3', 'dd.00');
        await pointAt(s, 'e1d2');
        await runFor(s, 400);
        await assertPlaced(s, 'e1d2', 'dd.00');

        await s.goto(url('bar'));
        await s.evaluate(() => window.scrollTo(0, 700));
        const table = await s.evaluate(() => {
            const t = document.getElementById('ce1d1').closest('td').closest('table').getBoundingClientRect();
            const m = document.getElementById('menu').getBoundingClientRect();
            return { left: t.left - m.left, right: m.right - t.right };
        });
        assert.ok(Math.abs(table.left - table.right) <= 1, `the bar is centred: ${JSON.stringify(table)}`);
        await pointAt(s, 'e1d1');
        await runFor(s, 400);
        assert.deepEqual(await shown(s, BAR), ['e1d1']);
        await assertPlaced(s, 'e1d1', 'dd.00');
        await pointAt(s, 'e1d1d2');
        await runFor(s, 400);
        await assertPlaced(s, 'e1d1d2', 'dd');
        await pointAt(s, 'e2d1');
        await runFor(s, 400);
        assert.deepEqual(await shown(s, BAR), ['e2d1'], 'the next column closes the first branch');
        await assertPlaced(s, 'e2d1', 'dd.00');
    },

    async 'the public functions open, close, find and change entries'(s, url) {
        await s.goto(url('style'));
        await s.evaluate(() => qOPEN('A1'));
        assert.deepEqual(await shown(s, TREE), ['e1d1', 'e1d1d1']);
        await s.evaluate(() => qCLOSE('A1'));
        assert.deepEqual(await shown(s, TREE), ['e1d1']);
        await s.evaluate(() => qOPENPAGE('B link'));
        assert.deepEqual(await shown(s, TREE), ['e1d1', 'e1d2']);
        await s.evaluate(() => qCLOSEPAGE('B link'));
        const got = await s.evaluate(() => {
            qSWAPBOX('A link', 'style.backgroundColor', 'rgb(255, 0, 0)');
            qSWAPLINE('A link', 'style.color', 'rgb(0, 128, 0)');
            qSWAPIMAGE('B', 'src', '/img/other.gif');
            return {
                gi: [qGI('A1'), qGI('Deep link'), qGI('Nope')],
                gp: qGP('Deep link'),
                box: getComputedStyle(document.getElementById('cbe1d1d2')).backgroundColor,
                line: getComputedStyle(document.getElementById('abe1d1d2')).color,
                image: document.getElementById('ie1d2').getAttribute('src'),
            };
        });
        assert.deepEqual(got, {
            gi: ['e1d1d1', 'be1d1d1d1', 'No such link'],
            gp: 'A&nbsp;&rarr;&nbsp;A1&nbsp;&rarr;&nbsp;Deep link',
            box: 'rgb(255, 0, 0)',
            line: 'rgb(0, 128, 0)',
            image: '/img/other.gif',
        });
        assert.deepEqual(await shown(s, TREE), ['e1d1']);
    },

    async 'three menus on one page keep their own folders, cookies and functions'(s, url) {
        await s.goto(url('multi'));
        await clickEntry(s, 'e1d1');
        await clickEntry(s, 'f1d2');
        await clickEntry(s, 'f1d1');
        await clickEntry(s, 'f1d1d1');
        assert.deepEqual(await shown(s, MULTI), ['e1d1', 'f1d1', 'f1d1d1', 'f1d2']);
        assert.equal(await s.cookie('first'), 'e1d1x');
        assert.equal(await s.cookie('second'), 'f1d2xf1d1d1x');
        await s.reload();
        assert.deepEqual(await shown(s, MULTI), ['e1d1', 'f1d1', 'f1d1d1', 'f1d2']);
        assert.deepEqual(await s.evaluate(() => [qGI('Hammer'), q2GI('Hammer'), q20GI('Hammer')]), ['be1d1d1d1', 'bf1d1d1d1', 'by1d1d1d1']);
        await s.evaluate(() => q2CLOSE('Products'));
        assert.deepEqual(await shown(s, MULTI), ['e1d1', 'f1d2']);
        await pointAt(s, 'y1d1');
        await runFor(s, 400);
        assert.deepEqual(await shown(s, MULTI), ['e1d1', 'f1d2', 'y1d1']);
        await s.move(900, 650);
        await runFor(s, 400);
        assert.deepEqual(await shown(s, MULTI), ['e1d1', 'f1d2']);
        assert.equal(await s.cookie('first'), 'e1d1x', "the drop-down menu leaves the trees' cookies alone");
    },

    async 'multilingual names, widths and style sheets follow the page language'(s, url) {
        let first = true;
        for (const [lang, want] of Object.entries(ML)) {
            await s.goto(url(`ml-${lang}`));
            // Opened once; the cookie opens it on the other languages' pages.
            if (first)
                await clickEntry(s, 'e1d1');
            first = false;
            await s.move(0, 0);
            const got = await s.evaluate(() => {
                const text = (id) => document.getElementById(id).textContent.replace(/\u00a0/g, ' ').trim();
                const width = (id) => document.querySelector(`[id="${id}"] table`).getBoundingClientRect().width;
                return {
                    names: ['ae1d1', 'abe1d1d1', 'abe1d1d2', 'ae1d2'].map(text),
                    top: width('ce1d1'),
                    sub: width('cbe1d1d1'),
                    color: getComputedStyle(document.getElementById('ae1d1')).color,
                    found: qGI(text('ae1d1')),
                };
            });
            assert.deepEqual(got, { names: want.names, top: want.top, sub: want.sub, color: want.color, found: 'e1d1' }, `language ${lang}`);
        }
    },

    async 'folder images swap on open and close; mouse-over classes switch on hover and back'(s, url) {
        await s.goto(url('style'));
        const src = () => s.evaluate(() => ['ie1d1', 'ie1d1d1', 'ibe1d1d2'].map((i) => document.getElementById(i).getAttribute('src')));
        assert.deepEqual(await src(), ['/img/mfc.gif', '/img/sfc.gif', '/img/pli.gif']);
        await clickEntry(s, 'e1d1');
        await clickEntry(s, 'e1d1d1');
        assert.deepEqual(await src(), ['/img/mfo.gif', '/img/sfo.gif', '/img/pli.gif']);
        const look = (id) => s.evaluate((i) => {
            const e = document.getElementById(i);
            return [e.className, getComputedStyle(e).color];
        }, id);
        await s.hover('[id="ae1d1"]');
        assert.deepEqual(await look('ae1d1'), ['MainFolderLineMouseOver', 'rgb(255, 0, 0)']);
        await s.hover('[id="abe1d1d2"]');
        assert.deepEqual(await look('ae1d1'), ['MainFolderLine', 'rgb(0, 0, 128)'], 'leaving the name puts its class back');
        assert.deepEqual(await look('abe1d1d2'), ['LinkLineMouseOver', 'rgb(0, 160, 0)']);
        await s.move(0, 0);
        assert.deepEqual(await look('abe1d1d2'), ['LinkLine', 'rgb(32, 32, 32)']);
        await clickEntry(s, 'e1d1');
        assert.equal((await src())[0], '/img/mfc.gif');
    },
};

// ---------------------------------------------------------------------------
// The accessible markup's scenarios, (session, url, base, t) => Promise

// [id, aria-expanded, list shown] of each folder.
const folderStates = (s, ids) => s.evaluate((list) => list.map((id) => {
    const b = document.getElementById('a' + id);
    const u = document.getElementById(id);
    return [id, b ? b.getAttribute('aria-expanded') : null, !!u && !u.hidden && u.getClientRects().length > 0];
}), ids);
const states = (ids, expanded) => ids.map((id) => [id, String(expanded), expanded]);

const accessibleScenarios = {
    async 'keyboard: Tab reaches the buttons and links in order, Enter and Space open and close tree folders'(s, url) {
        await s.goto(url('acc-tree'));
        await s.focus('#start');
        await s.press('Tab');
        assert.equal(await s.activeId(), 'ae1d1');
        await s.press('Enter');
        assert.deepEqual(await folderStates(s, ['e1d1']), states(['e1d1'], true));
        assert.equal(await s.evaluate(() => window.qwkOpened), 1, "the folder's script ran once");
        await s.press('Tab');
        assert.equal(await s.activeId(), 'ae1d1d1');
        await s.press('Space');
        assert.deepEqual(await folderStates(s, ['e1d1d1']), states(['e1d1d1'], true));
        assert.equal(await s.cookie('acctree'), 'e1d1d1x');
        const order = [];
        for (let i = 0; i < 6; i++) {
            await s.press('Tab');
            order.push(await s.activeId());
        }
        assert.deepEqual(order, ['abe1d1d1d1', 'abe1d1d2', 'abe1d1d3', 'ae1d2', 'ae1d3', 'outside']);
        await s.focus('[id="ae1d1d1"]');
        await s.press('Enter');
        assert.deepEqual(await folderStates(s, ['e1d1', 'e1d1d1']), [...states(['e1d1'], true), ...states(['e1d1d1'], false)]);
        await s.focus('[id="ae1d1"]');
        await s.press('Space');
        assert.deepEqual(await folderStates(s, ACC_FOLDERS), states(ACC_FOLDERS, false));
        assert.equal(await s.url(), url('acc-tree'), 'no key press navigated');
    },

    async 'keyboard in a drop-down menu: Enter opens a section, Escape closes it and returns the focus'(s, url) {
        await s.goto(url('acc-drop'));
        await s.focus('[id="ae1d1"]');
        await s.press('Enter');
        assert.deepEqual(await folderStates(s, ['e1d1']), states(['e1d1'], true));
        await s.press('Tab');
        assert.equal(await s.activeId(), 'ae1d1d1');
        await s.press('Enter');
        assert.deepEqual(await folderStates(s, ['e1d1d1']), states(['e1d1d1'], true));
        await s.press('Tab');
        assert.equal(await s.activeId(), 'abe1d1d1d1');
        await s.press('Escape');
        assert.equal(await s.activeId(), 'ae1d1d1');
        assert.deepEqual(await folderStates(s, ['e1d1', 'e1d1d1']), [...states(['e1d1'], true), ...states(['e1d1d1'], false)]);
        await s.press('Escape');
        assert.equal(await s.activeId(), 'ae1d1');
        assert.deepEqual(await folderStates(s, ['e1d1']), states(['e1d1'], false));
        await runFor(s, 1000);
        assert.deepEqual(await folderStates(s, ['e1d1']), states(['e1d1'], false), 'no timer opens it again');
    },

    async 'touch: a tap opens a drop-down section, a second tap closes it, a tap outside closes'(s, url, base, t) {
        await s.goto(url('acc-drop'));
        try {
            await s.tap('[id="ae1d1"]');
        } catch (e) {
            if (e instanceof TouchUnsupported)
                return t.skip(e.message);
            throw e;
        }
        // A driver that sent a mouse click instead would prove nothing here.
        assert.deepEqual(await s.evaluate(() => window.qwkPointers), ['touch'], 'the tap reached the page as a touch');
        // Past the hover delays: the touch's mouse events must not close it.
        await runFor(s, 1000);
        assert.deepEqual(await folderStates(s, ['e1d1']), states(['e1d1'], true), 'open, and still open after the hover delays');
        await s.tap('[id="ae1d1"]');
        await runFor(s, 1000);
        assert.deepEqual(await folderStates(s, ['e1d1']), states(['e1d1'], false), 'the second tap closes');
        await s.tap('[id="ae1d2"]');
        await runFor(s, 1000);
        assert.deepEqual(await folderStates(s, ['e1d2']), states(['e1d2'], true));
        await s.tap('#outside');
        await runFor(s, 1000);
        assert.deepEqual(await folderStates(s, ['e1d2']), states(['e1d2'], false), 'a tap outside closes');
    },

    async 'under a policy without inline script the menu is drawn, folders open and script entries run'(s, url) {
        await s.goto(url('acc-csp'));
        assert.equal(await s.evaluate(() => document.querySelectorAll('nav.qwk-menu [id="ae1d1"]').length), 1, 'drawn');
        for (const id of ACC_FOLDERS)
            await s.click(`[id="a${id}"]`);
        assert.deepEqual(await folderStates(s, ACC_FOLDERS), states(ACC_FOLDERS, true));
        await s.click('[id="abe1d1d3"]');
        assert.deepEqual(await s.evaluate(() => [window.qwkOpened, window.qwkRan]), [1, 1]);
    },

    async 'the static fragment is enhanced by the script: folders collapse, open and close on click'(s, url) {
        await s.goto(url('acc-static'));
        assert.deepEqual(await folderStates(s, ACC_FOLDERS), states(ACC_FOLDERS, false), 'collapsed by the script');
        await s.click('[id="ae1d1"]');
        await s.click('[id="ae1d1d1"]');
        assert.deepEqual(await folderStates(s, ACC_FOLDERS), [...states(['e1d1', 'e1d1d1'], true), ...states(['e1d2'], false)]);
        assert.deepEqual(await s.evaluate(() => ['ce1d1d1', 'cbe1d1d1d1'].map((i) => document.querySelectorAll(`[id="${i}"]`).length)),
            [1, 1], 'entries are not drawn twice');
        assert.equal(await s.evaluate(() => document.querySelectorAll('nav').length), 1, 'one menu');
        await s.click('[id="ae1d1"]');
        assert.deepEqual(await folderStates(s, ACC_FOLDERS), [['e1d1', 'false', false], ['e1d1d1', 'true', false], ['e1d2', 'false', false]],
            'closing A hides A1, which stays open inside it');
    },
};
const TOUCH = new Set(['touch: a tap opens a drop-down section, a second tap closes it, a tap outside closes']);

// ---------------------------------------------------------------------------

let root;
let server;
before(async () => {
    root = tempRoot('engines');
    await prepare(root);
    server = await startServer(root);
});
after(async () => {
    await server?.close();
    removeRoot(root);
});

for (const name of engineNames) {
    const missing = missingFor(name);
    describe(`engine ${name}`, () => {
        if (missing.length) {
            test(`${name} scenarios`, (t) => t.skip(`${name} is not installed: ${missing.join(', ')}`));
            return;
        }
        let engine;
        before(async () => {
            engine = await launchEngine(name);
            console.log(`# ${name} ${engine.version}`);
        });
        after(() => engine?.close());
        for (const mode of MODES)
            for (const [title, run] of Object.entries(scenarios))
                test(`${title} (${mode})`, () => withSession(engine,
                    (s) => run(s, (page) => `${server.base}/${mode}/${page}.html`, server.base)));
        for (const mode of MODES)
            for (const [title, run] of Object.entries(accessibleScenarios))
                test(`accessible markup: ${title} (${mode})`, (t) => withSession(engine,
                    (s) => run(s, (page) => `${server.base}/${mode}/${page}.html`, server.base, t),
                    { touch: TOUCH.has(title), viewport: TOUCH.has(title) ? { width: 400, height: 700 } : undefined }));
    });
}
