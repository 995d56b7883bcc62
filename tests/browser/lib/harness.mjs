// Shared machinery of the browser tests: project files written from a small
// tree description, menus generated with quenwick-cli, a static web server on
// 127.0.0.1 and Debian's Chromium driven through playwright-core.
//
// Every page a test opens is watched: an uncaught script error or a console
// error (a broken menu script, a missing image, a link to a page that does not
// exist) fails the test.
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { mkdtempSync, mkdirSync, writeFileSync, readFileSync, existsSync, statSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { dirname, extname, join, normalize, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';
import { chromium } from 'playwright-core';

const execFileP = promisify(execFile);
const here = dirname(fileURLToPath(import.meta.url));
export const repoRoot = resolve(here, '..', '..', '..');

export const MODES = ['readable', 'compact'];

// The two markups a project can choose: the specified one (layout tables and
// inline handlers, written by document.write) and the accessible one (a nav
// of lists and buttons, project option prjChkAccessible). Test files that
// run on both generate one site per markup and mode.
export const MARKUPS = ['specified', 'accessible'];
export const SITES = MARKUPS.flatMap((markup) => MODES.map((mode) => ({
    markup, mode, dir: `${markup}-${mode}`, label: `${markup} markup, ${mode}`,
})));

export function cliPath() {
    const fromEnv = process.env.QWK_CLI;
    const path = fromEnv || join(repoRoot, 'build', 'src', 'cli', 'quenwick-cli');
    if (!existsSync(path))
        throw new Error(`quenwick-cli not found at ${path} (set QWK_CLI to its path)`);
    return path;
}

// ---------------------------------------------------------------------------
// Project files

// A folder of the menu. opts are node options ("lnk..." keys) written as they
// stand; children are further folder(), page() and column() nodes.
export function folder(name, children = [], opts = {}) {
    return { kind: 'folder', opts: { lnkNameFolder: name, ...opts }, children };
}

// A page whose address is url. Pass url null and the page options in opts
// for the other kinds (script links, pages without address).
export function page(name, url, opts = {}) {
    const o = { lnkNamePage: name, ...opts };
    if (url !== null && url !== undefined)
        o.lnkURL = url;
    return { kind: 'page', opts: o };
}

// A page link whose address is a piece of script.
export function scriptPage(name, js, opts = {}) {
    return page(name, null, { lnkJS: js, lnkOptTypePageJS: 'True', lnkOptTypePageNormal: 'False', ...opts });
}

// A page without an address: its name is plain text.
export function textPage(name, opts = {}) {
    return page(name, null, { lnkOptURLNone: 'True', lnkOptURLPageURLNormal: 'False', ...opts });
}

// A folder that runs a piece of script when it is opened.
export function scriptFolder(name, js, children = [], opts = {}) {
    return folder(name, children, { lnkOptTypeFolderJS: 'True', lnkOptTypeFolderNormal: 'False', lnkJS: js, ...opts });
}

export function column(opts = {}) {
    return { kind: 'column', opts };
}

function nodeLines(nodes, out) {
    out.push('start:nodes');
    for (const n of nodes) {
        out.push(`start:${n.kind}`);
        for (const [k, v] of Object.entries(n.opts))
            out.push(`${k}:${v}`);
        if (n.kind === 'folder') {
            out.push('end:folderOptions');
            nodeLines(n.children, out);
        } else {
            out.push(`end:${n.kind}`);
        }
    }
    out.push('end:nodes');
}

// The text of a project file. Options that are not given keep the
// new-project defaults, which the reader starts from.
export function projectText(options, nodes) {
    const out = ['start:Quenwick 3.0', 'start:prjOptions'];
    for (const [k, v] of Object.entries(options))
        out.push(`${k}:${v}`);
    out.push('end:prjOptions');
    nodeLines(nodes, out);
    out.push('end:Quenwick 3.0');
    return out.join('\r\n') + '\r\n';
}

// A style sheet that names every class of the menu, so the run finds them all.
export const BASE_CSS = [
    'body { font-family: sans-serif; font-size: 14px; margin: 8px; }',
    '.MenuTreeBox { background-color: #ffffff; }',
    '.MainFolderBox { background-color: #e8e8f0; }',
    '.MainFolderPage { background-color: #f4f4f8; }',
    '.MainFolderLine { color: #000080; text-decoration: none; }',
    '.SubFolderBox { background-color: #eef0e8; }',
    '.SubFolderPage { background-color: #f8f8f4; }',
    '.SubFolderLine { color: #006000; text-decoration: none; }',
    '.LinkBox { background-color: #ffffff; }',
    '.LinkPage { padding: 0px; }',
    '.LinkLine { color: #202020; text-decoration: none; }',
].join('\n') + '\n';

// Pass as css to have the run use the style sheet that `quenwick-cli css`
// offers for the project (tree or drop-down, by the project's options).
export const DEFAULT_SHEET = Symbol('the default style sheet');

// Writes the project name.qwk into dir and runs it; the script goes to
// dir/name.js and the style sheet (written first) to dir/name.css. Returns
// the paths and the run log.
export async function generate(dir, name, { options = {}, nodes = [], css = BASE_CSS, compact = false, extraArgs = [] } = {}) {
    mkdirSync(dir, { recursive: true });
    const project = join(dir, `${name}.qwk`);
    const js = join(dir, `${name}.js`);
    const cssPath = join(dir, `${name}.css`);
    const all = { prjFilWebRoot: dir, prjFilJS: js, prjFilCSS: cssPath, prjCSSinJS: 0, ...options };
    writeFileSync(project, projectText(all, nodes));
    if (css === DEFAULT_SHEET)
        await execFileP(cliPath(), ['css', project, ...(Number(all.prjChkTreeMenus) ? ['--tree'] : []), '--out', cssPath]);
    else if (css !== null)
        writeFileSync(cssPath, css);
    const args = ['run', project, ...extraArgs];
    if (compact)
        args.push('--compact');
    let result;
    try {
        result = await execFileP(cliPath(), args, { maxBuffer: 64 * 1024 * 1024 });
    } catch (e) {
        throw new Error(`quenwick-cli ${args.join(' ')} failed (${e.code}):\n${e.stdout}\n${e.stderr}`);
    }
    assert.ok(existsSync(js), `the run wrote no script:\n${result.stdout}`);
    return { project, js, css: cssPath, log: result.stdout };
}

// Generates the project once per mode into root/<mode>/ and returns
// { readable: {...}, compact: {...} }.
export async function generateBoth(root, name, project) {
    const runs = await Promise.all(MODES.map((mode) => generate(join(root, mode), name, { ...project, compact: mode === 'compact' })));
    return Object.fromEntries(MODES.map((mode, i) => [mode, runs[i]]));
}

// Generates the project once per site into root/<site.dir>/, the accessible
// sites with prjChkAccessible on.
export async function generateSites(root, name, project, sites = SITES) {
    await Promise.all(sites.map((site) => generate(join(root, site.dir), name, {
        ...project,
        compact: site.mode === 'compact',
        options: { ...project.options, ...(site.markup === 'accessible' ? { prjChkAccessible: 1 } : {}) },
    })));
}

// A web page. scripts are the addresses of menu scripts, included where the
// menu is to appear; before is script text run before them.
export function pageHtml({ title = 'Menu test', head = '', before = '', scripts = [], after = '', body = '' } = {}) {
    const pre = before ? `<script>${before}</script>\n` : '';
    const menus = scripts.map((s) => `<script src="${s}"></script>`).join('\n');
    return `<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>${title}</title>
<link rel="icon" href="data:,">
${head}
</head><body>
${pre}${menus}
${after}
${body}
</body></html>
`;
}

export function writePage(dir, file, opts) {
    mkdirSync(dir, { recursive: true });
    writeFileSync(join(dir, file), pageHtml(opts));
}

// A tiny GIF (1x1, one colour) for the folder and link images.
export const GIF = Buffer.from('R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7', 'base64');

// ---------------------------------------------------------------------------
// Web server

const TYPES = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.gif': 'image/gif',
};

// Serves root on 127.0.0.1 at a free port. Addresses under /target/ answer
// with a small page that names the address, so that links can point anywhere
// without files; every other missing file is a 404 (which the page watch
// reports as a console error).
export async function startServer(root) {
    const server = createServer((req, res) => {
        const url = new URL(req.url, 'http://127.0.0.1');
        const path = decodeURIComponent(url.pathname);
        if (path.startsWith('/target/')) {
            res.writeHead(200, { 'content-type': TYPES['.html'] });
            res.end(`<!DOCTYPE html><html><head><meta charset="utf-8"><link rel="icon" href="data:,"><title>target ${path}</title></head><body><p id="target">${path}</p></body></html>`);
            return;
        }
        const file = normalize(join(root, path));
        if (!file.startsWith(root + sep) || !existsSync(file) || !statSync(file).isFile()) {
            res.writeHead(404, { 'content-type': 'text/plain' });
            res.end('not found');
            return;
        }
        res.writeHead(200, { 'content-type': TYPES[extname(file)] || 'application/octet-stream', 'cache-control': 'no-store' });
        res.end(readFileSync(file));
    });
    await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
    const base = `http://127.0.0.1:${server.address().port}`;
    return { base, close: () => new Promise((ok) => server.close(ok)) };
}

// ---------------------------------------------------------------------------
// Browser

export const CHROMIUM = '/usr/bin/chromium';

export async function launchBrowser() {
    // Playwright gives every launch a fresh, temporary --user-data-dir of its
    // own (and refuses one in args); the flags keep Chromium off the network.
    return chromium.launch({
        executablePath: CHROMIUM,
        headless: true,
        args: [
            '--no-sandbox',
            '--disable-gpu',
            '--disable-quic',
            '--no-first-run',
            '--disable-background-networking',
            '--disable-component-update',
            '--disable-sync',
        ],
    });
}

// A fresh browser context (own cookies) with every page in it watched for
// script and console errors. Runs fn({ context, page, errors }) and then
// fails when any error was seen. With clock, the page's timers are under the
// test's control (context.clock), installed before any page loads.
export async function withPage(browser, fn, { clock = false, viewport = { width: 1000, height: 700 } } = {}) {
    const context = await browser.newContext({ viewport });
    const errors = [];
    const watch = (p) => {
        p.on('pageerror', (e) => errors.push(`page error on ${p.url()}: ${e.message}`));
        p.on('console', (m) => {
            if (m.type() === 'error')
                errors.push(`console error on ${p.url()}: ${m.text()}`);
        });
        p.on('dialog', (d) => {
            errors.push(`unexpected dialog on ${p.url()}: ${d.message()}`);
            d.dismiss().catch(() => {});
        });
    };
    context.on('page', watch);
    try {
        if (clock) {
            // Installed, the clock would still follow real time; paused, it
            // moves only when the test runs it forward.
            const t0 = Date.UTC(2026, 0, 1);
            await context.clock.install({ time: t0 });
            await context.clock.pauseAt(t0 + 1000);
        }
        const page = await context.newPage();
        await fn({ context, page, errors });
        assert.deepEqual(errors, [], 'the pages reported errors');
    } finally {
        await context.close();
    }
}

// The value of a cookie in the context, or undefined.
export async function cookie(context, name) {
    const all = await context.cookies();
    const c = all.find((x) => x.name === name);
    return c ? c.value : undefined;
}

// Whether a folder's contents (the element whose id is the section id) are shown.
export async function isShown(page, id) {
    return page.evaluate((i) => {
        const e = document.getElementById(i);
        if (!e) {
            // The accessible markup builds a folder's list when the folder
            // first opens: a sub-folder of a folder never opened is not there.
            if (document.querySelector('nav.qwk-menu'))
                return false;
            throw new Error(`no element ${i}`);
        }
        return getComputedStyle(e).display !== 'none' && e.getClientRects().length > 0;
    }, id);
}

// The ids of all folder containers that are shown, in document order.
export async function shownSections(page, ids) {
    const out = [];
    for (const id of ids)
        if (await isShown(page, id))
            out.push(id);
    return out;
}

// Clicks the anchor of an entry ("a" + section id).
export async function clickEntry(page, id) {
    await page.click(`[id="a${id}"]`);
}

// A temporary folder for one test file's sites; removed by the caller.
export function tempRoot(label) {
    return mkdtempSync(join(tmpdir(), `qwk-browser-${label}-`));
}

export function removeRoot(root) {
    if (root && !process.env.QWK_KEEP)
        rmSync(root, { recursive: true, force: true });
}

// Sets up one test file: a temporary site root, a server and a browser.
// prepare(root) writes the sites before the server starts.
export async function setupSuite(label, prepare) {
    const root = tempRoot(label);
    await prepare(root);
    const server = await startServer(root);
    const browser = await launchBrowser();
    return {
        root,
        base: server.base,
        browser,
        async close() {
            await browser.close();
            await server.close();
            removeRoot(root);
        },
    };
}
