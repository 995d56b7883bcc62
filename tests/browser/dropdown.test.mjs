// Drop-down menus: sections open while the mouse rests on a folder, placed as
// the folder's flags say, and close when the mouse leaves. The page's timers
// run on a test clock, so the delays are checked to the millisecond.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { join } from 'node:path';
import {
    SITES, cookie, folder, generateSites, page, scriptFolder, setupSuite, shownSections, withPage, writePage,
} from './lib/harness.mjs';

// Sub-folders of M1, one per placing: [id, position text, expected placing].
const PLACINGS = [
    ['e1d1d2', '', 'beside to the right, level with the top'],
    ['e1d1d3', '.00', 'directly below'],
    ['e1d1d4', '.00to', 'directly above'],
    ['e1d1d5', 'le', 'beside to the left, level with the top'],
    ['e1d1d6', '.50', 'below, shifted right by half the box'],
    ['e1d1d7', '.50to', 'above, shifted right by half the box'],
    ['e1d1d8', 'to', 'beside to the right, level with the bottom'],
    ['e1d1d9', '.50le', 'below, shifted left by half the section'],
];

const nodes = [
    folder('M1', [
        page('M1 one', '/target/m1one.html'),
        ...PLACINGS.map(([id, pos], i) => folder(`Sub ${i + 1} ${pos || 'plain'}`, [
            page(`Sub ${i + 1} first`, `/target/s${i}a.html`),
            page(`Sub ${i + 1} second entry`, `/target/s${i}b.html`),
        ], { lnkMenuPosition: pos })),
    ]),
    scriptFolder('M2', 'window.qwkM2=(window.qwkM2||0)+1', [
        page('M2 one', '/target/m2one.html'),
        folder('M2 sub', [page('M2 deep', '/target/m2deep.html')]),
    ], { lnkMenuPosition: '.00' }),
    page('Top', '/target/top.html'),
];
const ALL = ['e1d1', 'e1d2', 'e1d2d2', ...PLACINGS.map(([id]) => id)];

// A menu bar: main folders side by side in columns (blocks 1 to 3).
const barNodes = [
    folder('Products', [page('Nails', '/target/nails.html'), folder('Tools', [page('Saw', '/target/saw.html')])]),
    { kind: 'column', opts: {} },
    folder('Services', [page('Repairs', '/target/repairs.html')]),
    { kind: 'column', opts: {} },
    page('Contact', '/target/contact.html'),
];
const BAR = ['e1d1', 'e1d1d2', 'e2d1'];

// The expected section rectangle for a placing, from the box's rectangle and
// the section's size.
function expected(flags, box, sec) {
    const to = flags.includes('to');
    const le = flags.includes('le');
    const dot = flags.indexOf('.');
    const shift = dot === -1 ? 1 : Number(flags.substring(dot, dot + 3));
    let top = box.top;
    if (to) {
        top = box.top - sec.height;
        if (shift === 1)
            top += box.height;
    } else if (shift !== 1) {
        top += box.height;
    }
    const left = le ? box.left - sec.width * shift : box.left + box.width * shift;
    return { left, top };
}

let suite;
before(async () => {
    suite = await setupSuite('dropdown', async (root) => {
        await generateSites(root, 'dd', { nodes, options: { prjChkTreeMenus: 0 } });
        await generateSites(root, 'down', {
            nodes: barNodes, options: { prjChkTreeMenus: 0, prjChkMainMenusDownward: 1, prjCenterTable: 1 },
        });
        await generateSites(root, 'ddopen', { nodes, options: { prjChkTreeMenus: 0, prjChkAllMenusOpen: 1 } });
        for (const { dir } of SITES) {
            // The menu stands away from the page's edges, so that sections
            // placed above and to the left stay on the page.
            for (const name of ['dd', 'down', 'ddopen'])
                writePage(join(root, dir), `${name}.html`, {
                    title: name,
                    head: '<style>#menu{margin:260px 0 0 380px}</style>',
                    after: `<div id="menu"><script src="${name}.js"></script></div>`,
                    body: '<p>page text</p>',
                });
            // The same menu inside a positioned page header, as many sites have.
            writePage(join(root, dir), 'header.html', {
                title: 'header',
                head: '<style>#header{position:relative;margin:260px 0 0 380px;padding:7px}</style>',
                after: '<div id="header"><script src="dd.js"></script></div>',
                body: '<p>page text</p>',
            });
        }
    });
});
after(() => suite?.close());

async function rect(p, id) {
    return p.evaluate((i) => {
        const r = document.getElementById(i).getBoundingClientRect();
        return { left: r.left, top: r.top, width: r.width, height: r.height };
    }, id);
}

// Moves the mouse onto the middle of an entry's name.
async function pointAt(p, id) {
    const r = await rect(p, `a${id}`);
    await p.mouse.move(r.left + r.width / 2, r.top + r.height / 2);
}

// Moves the mouse to an empty corner of the page.
async function pointAway(p) {
    await p.mouse.move(5, 5);
}

async function assertPlaced(p, id, flags, what) {
    const box = await rect(p, `c${id}`);
    const sec = await rect(p, id);
    const want = expected(flags, box, sec);
    assert.ok(sec.width > 0 && sec.height > 0, `${id} has a size`);
    assert.ok(Math.abs(sec.left - want.left) <= 1 && Math.abs(sec.top - want.top) <= 1,
        `${id} (${what}, flags ${flags}): section at ${sec.left},${sec.top}, expected ${want.left},${want.top}; box ${JSON.stringify(box)}`);
}

// The stacking level of a section as the page computes it: the specified
// markup sets it on the section's div, the accessible one on its list.
const layer = (p, id) => p.evaluate((i) => getComputedStyle(document.getElementById(i)).zIndex, id);

// Where the menu bar stands within #menu: the specified markup's outer
// layout table, or the accessible markup's columns taken together.
const barOffsets = (p) => p.evaluate(() => {
    const m = document.getElementById('menu').getBoundingClientRect();
    const nav = document.querySelector('#menu nav.qwk-menu');
    const parts = nav ? [...nav.querySelectorAll(':scope > .qwk-column')]
        : [document.getElementById('ce1d1').closest('td').closest('table')];
    const rects = parts.map((e) => e.getBoundingClientRect());
    return { left: Math.min(...rects.map((r) => r.left)) - m.left, right: m.right - Math.max(...rects.map((r) => r.right)) };
});

for (const site of SITES) {
    describe(`drop-down menu (${site.label})`, { concurrency: true }, () => {
        const url = (name) => `${suite.base}/${site.dir}/${name}.html`;

        test('a main folder opens after 400 ms beside its box and closes 400 ms after the mouse leaves', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                await p.goto(url('dd'));
                const before = await cookie(context, 'dd');
                assert.deepEqual(await shownSections(p, ALL), []);
                await pointAt(p, 'e1d1');
                await p.clock.runFor(399);
                assert.deepEqual(await shownSections(p, ALL), [], 'not open before the delay');
                await p.clock.runFor(1);
                assert.deepEqual(await shownSections(p, ALL), ['e1d1']);
                assert.equal(await layer(p, 'e1d1'), '2000');
                await assertPlaced(p, 'e1d1', 'dd', 'main folder');

                await pointAway(p);
                await p.clock.runFor(399);
                assert.deepEqual(await shownSections(p, ALL), ['e1d1'], 'still open just before the close');
                await p.clock.runFor(1);
                assert.deepEqual(await shownSections(p, ALL), []);
                assert.equal(await cookie(context, 'dd'), before, 'nothing is written to the cookie');
            }, { clock: true });
        });

        test('coming back within the delay keeps the menu open; moving into it keeps it open', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('dd'));
                await pointAt(p, 'e1d1');
                await p.clock.runFor(400);
                await pointAway(p);
                await p.clock.runFor(300);
                await pointAt(p, 'e1d1');
                await p.clock.runFor(2000);
                assert.deepEqual(await shownSections(p, ALL), ['e1d1'], 'the return cancelled the close');
                await pointAt(p, 'be1d1d1');
                await p.clock.runFor(2000);
                assert.deepEqual(await shownSections(p, ALL), ['e1d1'], 'a link inside the section keeps it open');
            }, { clock: true });
        });

        // One page for all placings: each sub-folder opens, is measured, and
        // the menu closes completely before the next.
        test('sub-folders open as their position says, their parent staying open', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('dd'));
                for (const [id, pos, what] of PLACINGS) {
                    await pointAt(p, 'e1d1');
                    await p.clock.runFor(400);
                    await pointAt(p, id);
                    await p.clock.runFor(399);
                    assert.deepEqual(await shownSections(p, ALL), ['e1d1'], `${id} waits for the delay`);
                    await p.clock.runFor(1);
                    assert.deepEqual(await shownSections(p, ALL), ['e1d1', id], `${id} opens (${what})`);
                    const dot = pos.indexOf('.');
                    const flags = 'dd' + (dot === -1 ? '' : pos.substring(dot, dot + 3))
                        + (pos.includes('to') ? 'to' : '') + (pos.includes('le') ? 'le' : '');
                    await assertPlaced(p, id, flags, what);
                    await assertPlaced(p, 'e1d1', 'dd', 'its main folder');
                    await pointAway(p);
                    await p.clock.runFor(400);
                    assert.deepEqual(await shownSections(p, ALL), [], `leaving ${id} closes it and its ancestors`);
                }
            }, { clock: true });
        });

        test('inside a positioned page header the sections open next to their folders', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('header'));
                await pointAt(p, 'e1d1');
                await p.clock.runFor(400);
                await assertPlaced(p, 'e1d1', 'dd', 'main folder');
                await pointAt(p, 'e1d1d3');
                await p.clock.runFor(400);
                assert.deepEqual(await shownSections(p, ALL), ['e1d1', 'e1d1d3']);
                await assertPlaced(p, 'e1d1d3', 'dd.00', 'sub-folder');
                await pointAt(p, 'e1d2');
                await p.clock.runFor(400);
                await assertPlaced(p, 'e1d2', 'dd.00', 'main folder');
            }, { clock: true });
        });

        test('moving to another branch closes the first; ".00" opens a main folder below its box', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                await p.goto(url('dd'));
                const before = await cookie(context, 'dd');
                await pointAt(p, 'e1d1');
                await p.clock.runFor(400);
                await pointAt(p, 'e1d1d2');
                await p.clock.runFor(400);
                assert.deepEqual(await shownSections(p, ALL), ['e1d1', 'e1d1d2']);
                // A link of the main folder's own section closes the sub-folder beside it.
                await pointAt(p, 'be1d1d1');
                await p.clock.runFor(400);
                assert.deepEqual(await shownSections(p, ALL), ['e1d1']);
                await pointAt(p, 'e1d1d2');
                await p.clock.runFor(400);
                assert.deepEqual(await shownSections(p, ALL), ['e1d1', 'e1d1d2']);
                await pointAt(p, 'e1d2');
                await p.clock.runFor(400);
                assert.deepEqual(await shownSections(p, ALL), ['e1d2']);
                await assertPlaced(p, 'e1d2', 'dd.00', 'main folder');
                await pointAt(p, 'e1d2d2');
                await p.clock.runFor(400);
                assert.deepEqual(await shownSections(p, ALL), ['e1d2', 'e1d2d2']);
                await assertPlaced(p, 'e1d2d2', 'dd', 'sub-folder');
                // Back onto the main folder: its own section stays, the deeper one closes.
                await pointAt(p, 'e1d2');
                await p.clock.runFor(400);
                assert.deepEqual(await shownSections(p, ALL), ['e1d2']);
                assert.equal(await cookie(context, 'dd'), before, 'nothing is written to the cookie');
            }, { clock: true });
        });

        // The specified markup opens drop-down sections on hover only; the
        // accessible one opens them on a click too (keyboard and touch).
        if (site.markup === 'specified') {
            test("a click on a drop-down folder runs the folder's script and nothing else", async () => {
                await withPage(suite.browser, async ({ context, page: p }) => {
                    await p.goto(url('dd'));
                    const before = await cookie(context, 'dd');
                    await p.click('[id="ae1d2"]');
                    assert.equal(await p.evaluate(() => window.qwkM2), 1);
                    assert.deepEqual(await shownSections(p, ALL), [], 'the click does not open the section');
                    assert.equal(p.url(), url('dd'));
                    assert.equal(await cookie(context, 'dd'), before);
                }, { clock: true });
            });
        } else {
            test("a click on a drop-down folder opens it and runs its script; a second click closes it", async () => {
                await withPage(suite.browser, async ({ context, page: p }) => {
                    await p.goto(url('dd'));
                    const before = await cookie(context, 'dd');
                    await p.click('[id="ae1d2"]');
                    assert.equal(await p.evaluate(() => window.qwkM2), 1);
                    assert.deepEqual(await shownSections(p, ALL), ['e1d2'], 'the click opens the section at once');
                    assert.equal(await p.getAttribute('[id="ae1d2"]', 'aria-expanded'), 'true');
                    await assertPlaced(p, 'e1d2', 'dd.00', 'main folder opened by a click');
                    await p.click('[id="ae1d2d2"]');
                    assert.deepEqual(await shownSections(p, ALL), ['e1d2', 'e1d2d2']);
                    await p.click('[id="ae1d2"]');
                    assert.deepEqual(await shownSections(p, ALL), [], 'the second click closes the section and the one inside');
                    assert.equal(await p.getAttribute('[id="ae1d2"]', 'aria-expanded'), 'false');
                    assert.equal(await p.evaluate(() => window.qwkM2), 1, 'closing runs no script');
                    assert.equal(p.url(), url('dd'));
                    assert.equal(await cookie(context, 'dd'), before, 'nothing is written to the cookie');
                }, { clock: true });
            });
        }

        test('drop-down folders do not open on the first visit and leave the cookie alone', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                await p.goto(url('ddopen'));
                assert.deepEqual(await shownSections(p, ALL), []);
                assert.equal(await cookie(context, 'ddopen'), '0');
                await p.reload();
                assert.deepEqual(await shownSections(p, ALL), []);
            }, { clock: true });
        });

        test('a menu bar whose main menus open downward', async () => {
            await withPage(suite.browser, async ({ page: p }) => {
                await p.goto(url('down'));
                const boxes = await Promise.all(['ce1d1', 'ce2d1', 'ce3d1'].map((id) => rect(p, id)));
                assert.ok(boxes[0].left < boxes[1].left && boxes[1].left < boxes[2].left && boxes[0].top === boxes[1].top,
                    'the columns stand side by side');
                const bar = await barOffsets(p);
                assert.ok(Math.abs(bar.left - bar.right) <= 1, `the bar is centred: ${JSON.stringify(bar)}`);
                await pointAt(p, 'e1d1');
                await p.clock.runFor(400);
                assert.deepEqual(await shownSections(p, BAR), ['e1d1']);
                await assertPlaced(p, 'e1d1', 'dd.00', 'main folder');
                await pointAt(p, 'e1d1d2');
                await p.clock.runFor(400);
                assert.deepEqual(await shownSections(p, BAR), ['e1d1', 'e1d1d2']);
                await assertPlaced(p, 'e1d1d2', 'dd', 'sub-folder of a downward main folder');
                await pointAt(p, 'e2d1');
                await p.clock.runFor(400);
                assert.deepEqual(await shownSections(p, BAR), ['e2d1'], 'the next column closes the first branch');
                await assertPlaced(p, 'e2d1', 'dd.00', 'main folder in the second column');
                await pointAt(p, 'e3d1');
                await p.clock.runFor(2000);
                assert.deepEqual(await shownSections(p, BAR), [], 'a link on the bar opens nothing, and leaving closes the rest');
            }, { clock: true });
        });
    });
}
