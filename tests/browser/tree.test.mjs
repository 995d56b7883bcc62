// Tree menus: folders open and close on click, the open sections are kept in
// the cookie and come back after a reload.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { join } from 'node:path';
import {
    SITES, clickEntry, cookie, folder, generateSites, page, scriptFolder, setupSuite, shownSections,
    withPage, writePage,
} from './lib/harness.mjs';

// A (e1d1) runs a script when it opens and holds sub-folder A1 (e1d1d1);
// B (e1d2) is a second main folder; Home (e1d3) is a link at the top level.
const nodes = [
    scriptFolder('A', 'window.qwkOpened=(window.qwkOpened||0)+1', [
        folder('A1', [page('A1 one', '/target/a1one.html')]),
        page('A two', '/target/atwo.html'),
    ]),
    folder('B', [page('B one', '/target/bone.html')]),
    page('Home', '/target/home.html'),
];
const SECTIONS = ['e1d1', 'e1d1d1', 'e1d2'];

// Twelve main folders: ids e1d1 and e1d10 to e1d12 share their beginnings.
const wideNodes = Array.from({ length: 12 }, (_, i) => folder(`F${i + 1}`, i === 9
    ? [folder('F10 sub', [page('F10 deep', '/target/f10deep.html')])]
    : [page(`F${i + 1} link`, `/target/f${i + 1}.html`)]));
const WIDE = ['e1d1', 'e1d10', 'e1d10d1', 'e1d11'];

// Folder scripts that return: the empty script is written as "return true;".
const scriptedNodes = [
    scriptFolder('Empty', '', [page('E link', '/target/e.html')]),
    scriptFolder('Returns', 'window.qwkR=(window.qwkR||0)+1;window.qwkThis=this.id;return false', [
        scriptFolder('Sub returns', 'window.qwkS=(window.qwkS||0)+1;return true', [page('S link', '/target/s.html')]),
    ]),
];

// One site per option set; each project's cookie is named after its file.
const variants = {
    tree: {},
    mainopen: { prjChkMainMenusOpen: 1 },
    allopen: { prjChkAllMenusOpen: 1 },
    closed: { prjChkAllMenusClosed: 1, prjChkMainMenusOpen: 1 },
};

let suite;
before(async () => {
    suite = await setupSuite('tree', async (root) => {
        for (const [name, opts] of Object.entries(variants)) {
            await generateSites(root, name, { nodes, options: { prjChkTreeMenus: 1, ...opts } });
            for (const site of SITES)
                writePage(join(root, site.dir), `${name}.html`, { scripts: [`${name}.js`] });
        }
        await generateSites(root, 'scripted', { nodes: scriptedNodes, options: { prjChkTreeMenus: 1 } });
        await generateSites(root, 'wide', { nodes: wideNodes, options: { prjChkTreeMenus: 1 } });
        for (const site of SITES) {
            writePage(join(root, site.dir), 'scripted.html', { scripts: ['scripted.js'] });
            writePage(join(root, site.dir), 'wide.html', { scripts: ['wide.js'] });
        }
    });
});
after(() => suite?.close());

const opened = (p) => p.evaluate(() => window.qwkOpened || 0);

for (const site of SITES) {
    describe(`tree menu (${site.label})`, { concurrency: true }, () => {
        const url = (name) => `${suite.base}/${site.dir}/${name}.html`;

        test('folders open and close on click, and the cookie keeps the open sections', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                await p.goto(url('tree'));
                assert.deepEqual(await shownSections(p, SECTIONS), [], 'every folder starts closed');
                assert.equal(await cookie(context, 'tree'), '0', 'no open sections yet');

                await clickEntry(p, 'e1d1');
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1']);
                assert.ok(await p.isVisible('[id="ce1d1d1"]'), 'the sub-folder is seen in its open parent');
                assert.equal(await opened(p), 1, "the folder's script runs when it opens");
                assert.equal(await cookie(context, 'tree'), 'e1d1x');
                assert.equal(p.url(), url('tree'), 'a folder click does not navigate');

                await clickEntry(p, 'e1d1d1');
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'e1d1d1']);
                assert.equal(await cookie(context, 'tree'), 'e1d1d1x', 'the open parent leaves the list');
                assert.equal(await opened(p), 1, "the sub-folder does not run its parent's script");

                await clickEntry(p, 'e1d2');
                assert.equal(await cookie(context, 'tree'), 'e1d1d1xe1d2x');

                await p.reload();
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'e1d1d1', 'e1d2'], 'the open sections come back');
                assert.equal(await cookie(context, 'tree'), 'e1d1d1xe1d2x');

                await clickEntry(p, 'e1d1d1');
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'e1d2']);
                assert.equal(await cookie(context, 'tree'), 'e1d2xe1d1x', 'the parent stays open when a sub-folder closes');

                await clickEntry(p, 'e1d1');
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d2'], 'a second click hides the contents');
                assert.equal(await opened(p), 0, 'closing does not run the script (none ran since the reload)');
                assert.equal(await cookie(context, 'tree'), 'e1d2x');

                await clickEntry(p, 'e1d2');
                assert.deepEqual(await shownSections(p, SECTIONS), []);
                assert.equal(await cookie(context, 'tree'), 'none', 'the last close stores "none"');

                await p.reload();
                assert.deepEqual(await shownSections(p, SECTIONS), [], 'nothing opens after "none"');
                await clickEntry(p, 'e1d1');
                assert.equal(await opened(p), 1, "a closed folder's script runs again when it opens");
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1']);
            });
        });

        test('ids that begin alike (e1d1, e1d10, e1d11) are kept apart in the cookie', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                await p.goto(url('wide'));
                for (const id of ['e1d1', 'e1d10', 'e1d11'])
                    await clickEntry(p, id);
                assert.equal(await cookie(context, 'wide'), 'e1d1xe1d10xe1d11x');
                await clickEntry(p, 'e1d10d1');
                assert.equal(await cookie(context, 'wide'), 'e1d1xe1d11xe1d10d1x');
                await clickEntry(p, 'e1d1');
                assert.equal(await cookie(context, 'wide'), 'e1d11xe1d10d1x');
                await p.reload();
                assert.deepEqual(await shownSections(p, WIDE), ['e1d10', 'e1d10d1', 'e1d11']);
            });
        });

        test('a folder whose script is empty or returns still opens', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                await p.goto(url('scripted'));
                const all = ['e1d1', 'e1d2', 'e1d2d1'];
                await clickEntry(p, 'e1d1');
                await clickEntry(p, 'e1d2');
                await clickEntry(p, 'e1d2d1');
                assert.deepEqual(await shownSections(p, all), all);
                assert.deepEqual(await p.evaluate(() => [window.qwkR, window.qwkS]), [1, 1]);
                assert.equal(await p.evaluate(() => window.qwkThis), 'ae1d2', "the script sees the folder's anchor or button as this");
                assert.equal(await cookie(context, 'scripted'), 'e1d1xe1d2d1x');
                await clickEntry(p, 'e1d2');
                assert.deepEqual(await shownSections(p, all), ['e1d1']);
                assert.deepEqual(await p.evaluate(() => [window.qwkR, window.qwkS]), [1, 1], 'closing runs no script');
            });
        });

        test('a remembered sub-folder opens with its ancestors', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                const { hostname } = new URL(suite.base);
                await context.addCookies([{ name: 'tree', value: 'e1d1d1x', domain: hostname, path: '/' }]);
                await p.goto(url('tree'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'e1d1d1']);
                assert.equal(await cookie(context, 'tree'), 'e1d1d1x', 'the page-load code puts the cookie back');
            });
        });

        test('"mfo" opens the main folders on the first visit only', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                await p.goto(url('mainopen'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'e1d2']);
                assert.equal(await cookie(context, 'mainopen'), 'e1d1xe1d2x');
                await clickEntry(p, 'e1d1');
                assert.equal(await cookie(context, 'mainopen'), 'e1d2x');
                await p.reload();
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d2'], 'the closed folder stays closed');
                await clickEntry(p, 'e1d2');
                assert.equal(await cookie(context, 'mainopen'), 'none');
                await p.reload();
                assert.deepEqual(await shownSections(p, SECTIONS), [], 'later visits follow the cookie');
            });
        });

        test('"sfo" opens the sub-folders too on the first visit only', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                await p.goto(url('allopen'));
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'e1d1d1', 'e1d2']);
                assert.equal(await cookie(context, 'allopen'), 'e1d1d1xe1d2x');
                await clickEntry(p, 'e1d1d1');
                assert.equal(await cookie(context, 'allopen'), 'e1d2xe1d1x');
                await p.reload();
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1', 'e1d2']);
            });
        });

        test('"Begin each page with all folders closed" ignores the cookie', async () => {
            await withPage(suite.browser, async ({ context, page: p }) => {
                const { hostname } = new URL(suite.base);
                await context.addCookies([{ name: 'closed', value: 'e1d1xe1d2x', domain: hostname, path: '/' }]);
                await p.goto(url('closed'));
                assert.deepEqual(await shownSections(p, SECTIONS), [], 'neither the cookie nor "mfo" opens anything');
                await clickEntry(p, 'e1d1');
                assert.deepEqual(await shownSections(p, SECTIONS), ['e1d1'], 'folders still open on click');
                assert.equal(await cookie(context, 'closed'), 'e1d1xe1d2x', 'the cookie is neither read nor written');
                await p.reload();
                assert.deepEqual(await shownSections(p, SECTIONS), []);
            });
        });
    });
}
