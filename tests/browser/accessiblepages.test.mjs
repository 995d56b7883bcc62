// The pages a project with the accessible menu markup writes besides its
// script, the HTML5 site map and the sample page, styled with the markup's
// default style sheet (quenwick-cli css): axe-core finds no violation of the
// WCAG 2.0/2.1 A and AA rules or of its best practices. The pages are read
// as they stand before the menu's script runs: the static fragment (once the
// sample page holds it) but not what the script draws, which the menu's own
// tests check.
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { promisify } from 'node:util';
import { after, before, describe, test } from 'node:test';
import { GIF, cliPath, folder, page, projectText, setupSuite } from './lib/harness.mjs';
import { checkAxe } from './lib/axe.mjs';

const execFileP = promisify(execFile);
const cli = (...args) => execFileP(cliPath(), args);

const nodes = [
    folder('Products', [
        page('Nails', '/target/nails.html'),
        folder('Tools', [page('Saw', '/target/saw.html'), page('Caf\u00e9 & bar', '/target/cafe.html')]),
        folder('Nothing yet'),
    ]),
    page('Home', '/target/home.html'),
    page('About us', '/target/about.html'),
];

// Writes, runs and styles one project in root (the web root): its style
// sheet name.css from quenwick-cli css, then the script name.js, the site map
// name.sm.html and the sample page name-sample.html.
async function accessibleProject(root, name, tree) {
    const project = join(root, `${name}.qwk`);
    const options = {
        prjFilWebRoot: root, prjFilJS: join(root, `${name}.js`), prjFilCSS: join(root, `${name}.css`), prjCSSinJS: 0,
        prjChkAccessible: 1, prjChkTreeMenus: tree ? 1 : 0,
        prjChkPLI: 1, prjFilPLIMG: '/pli.gif',
    };
    writeFileSync(project, projectText(options, nodes));
    await cli('css', project, ...(tree ? ['--tree'] : []), '--out', join(root, `${name}.css`));
    await cli('run', project);
    await cli('sitemap', project);
    await cli('sample', project, '--out', join(root, `${name}-sample.html`));
}

// A page as it stands before the menu's script runs: the script is served
// empty (JavaScript itself stays on, for axe). Script errors, console errors
// and missing files (the style sheet, an image) fail the test.
async function withPageBeforeMenuScript(browser, url, fn) {
    const context = await browser.newContext({ viewport: { width: 1000, height: 700 } });
    const errors = [];
    try {
        await context.route('**/*.js', (r) => r.fulfill({ body: '', contentType: 'text/javascript' }));
        const p = await context.newPage();
        p.on('pageerror', (e) => errors.push(e.message));
        p.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
        p.on('requestfailed', (r) => errors.push(`failed: ${r.url()}`));
        const response = await p.goto(url);
        assert.equal(response.status(), 200);
        await fn(p);
        assert.deepEqual(errors, []);
    } finally {
        await context.close();
    }
}

let suite;
before(async () => {
    suite = await setupSuite('a11ypages', async (root) => {
        writeFileSync(join(root, 'pli.gif'), GIF);
        await accessibleProject(root, 'tree', true);
        await accessibleProject(root, 'dropdown', false);
    });
});
after(() => suite?.close());

for (const kind of ['tree', 'dropdown']) {
    describe(`accessible markup's pages (${kind})`, { concurrency: true }, () => {
        test('the site map has no axe violations', async () => {
            await withPageBeforeMenuScript(suite.browser, `${suite.base}/${kind}.sm.html`, async (p) => {
                await checkAxe(p);
                // The nested lists hold every link, folders with their entries.
                assert.equal(await p.locator('main ul a').count(), 5);
                assert.equal(await p.locator('main li:has(> span) > ul > li').count(), 5);
                assert.ok(await p.getByRole('link', { name: 'Caf\u00e9 & bar' }).isVisible());
                // The sheet gives each entry a target of at least 24 px.
                const heights = await p.locator('main a').evaluateAll((as) => as.map((a) => a.getBoundingClientRect().height));
                assert.ok(Math.min(...heights) >= 24, `heights ${heights}`);
            });
        });

        test('the sample page has no axe violations', async () => {
            await withPageBeforeMenuScript(suite.browser, `${suite.base}/${kind}-sample.html`, async (p) => {
                await checkAxe(p);
                assert.equal(await p.locator('h1').count(), 1);
                assert.equal(await p.locator('link[rel=stylesheet]').getAttribute('href'), `/${kind}.css`);
            });
        });
    });
}
