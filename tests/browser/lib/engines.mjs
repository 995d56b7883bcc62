// One small interface over the three browser engines, so that a scenario is
// written once and runs in each:
//
//   chromium  Debian's Chromium through playwright-core (as the rest of the suite)
//   firefox   Debian's Firefox ESR through puppeteer-core over WebDriver BiDi
//   webkit    Debian's WebKitGTK (WebKitWebDriver and its MiniBrowser) over
//             classic WebDriver, spoken here directly with fetch; the
//             MiniBrowser needs an X display, so a private Xvfb is started
//
// launchEngine(name) gives { name, version, newSession(opts), close() }; a
// session is one clean browser context (own cookies) with: goto, reload,
// click, hover, move, press, tap, focus, activeId, evaluate, cookies,
// cookie, setViewport, url, waitFor and close. newSession({ touch: true })
// gives a page with a touch screen; an engine whose driver cannot touch says
// why by throwing TouchUnsupported from tap. Nothing here downloads a browser: every engine is the
// system's binary, and an engine whose binary is missing is reported by
// missingFor(name) so that the caller can skip it with the reason.
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export const ENGINE_NAMES = ['chromium', 'firefox', 'webkit'];

const BIN = {
    chromium: '/usr/bin/chromium',
    firefox: '/usr/bin/firefox-esr',
    webkitDriver: '/usr/bin/WebKitWebDriver',
    xvfb: '/usr/bin/Xvfb',
};

// What the machine lacks to run an engine (empty when it can run).
export function missingFor(name) {
    const need = {
        chromium: [[BIN.chromium, 'chromium']],
        firefox: [[BIN.firefox, 'firefox-esr']],
        webkit: [[BIN.webkitDriver, 'webkit2gtk-driver'], [BIN.xvfb, 'xvfb']],
    }[name];
    if (!need)
        return [`no engine called ${name}`];
    return need.filter(([path]) => !existsSync(path)).map(([path, pkg]) => `${path} (apt-get install ${pkg})`);
}

// A script for the top of every test page: it records uncaught errors,
// resources that fail to load (caught on the way down, as they do not bubble)
// and console errors in window.qwkErrors. The WebDriver engine has no event
// for them, so the session reads this list instead; the others read both.
export const ERROR_CATCHER = `window.qwkErrors=[];
addEventListener('error',function(e){var t=e.target;qwkErrors.push(t&&t!==window&&(t.src||t.href)?'failed to load '+(t.src||t.href):'error: '+e.message)},true);
(function(c){console.error=function(){qwkErrors.push('console error: '+[].slice.call(arguments).join(' '));return c.apply(console,arguments)}})(console.error);`;

// A fake clock for the page's timers, loaded before the menu script: the
// menu's setTimeout calls wait until the test moves the clock with
// qwkClock.runFor(ms), which runs every timer that falls due, in order.
// The drop-down delays are then checked to the millisecond in every engine.
export const FAKE_CLOCK = `(function(){var now=0,seq=0,queue=[];
window.setTimeout=function(f,ms){var id=++seq;queue.push({id:id,at:now+(Number(ms)||0),f:f,a:[].slice.call(arguments,2)});return id};
window.clearTimeout=function(id){queue=queue.filter(function(t){return t.id!==id})};
window.qwkClock={runFor:function(ms){var end=now+ms,next,i;
for(;;){next=null;for(i=0;i<queue.length;++i){var t=queue[i];if(t.at<=end&&(!next||t.at<next.at||(t.at===next.at&&t.id<next.id)))next=t}
if(!next)break;queue.splice(queue.indexOf(next),1);now=next.at;if(typeof next.f==='function')next.f.apply(window,next.a);else(0,eval)(next.f)}
now=end},pending:function(){return queue.length}}})();`;

// Thrown by tap when the engine's driver has no way to send a touch.
export class TouchUnsupported extends Error {}

const sleep = (ms) => new Promise((ok) => setTimeout(ok, ms));

async function freePort() {
    const s = createServer();
    await new Promise((ok) => s.listen(0, '127.0.0.1', ok));
    const { port } = s.address();
    await new Promise((ok) => s.close(ok));
    return port;
}

// ---------------------------------------------------------------------------
// What every session shares, built on the engine's own primitives.

class Session {
    constructor() {
        this.errors = [];
    }

    // Reads and empties the page's own error list (see ERROR_CATCHER).
    async collectPageErrors() {
        let got = [];
        try {
            got = await this.evaluate(() => {
                const e = window.qwkErrors ? window.qwkErrors.splice(0) : [];
                return e.map(String);
            });
        } catch {
            // A page in the middle of navigating has nothing to say yet.
        }
        for (const e of got)
            this.errors.push(`${e} (on the page)`);
    }

    // The page's own address: a driver's idea of it can lag behind a
    // navigation the page has already finished.
    async url() {
        return this.evaluate(() => location.href);
    }

    async cookie(name) {
        const c = (await this.cookies()).find((x) => x.name === name);
        return c ? c.value : undefined;
    }

    // The centre of an element's box, scrolled into view first.
    async centre(selector) {
        return this.evaluate((sel) => {
            const e = document.querySelector(sel);
            if (!e)
                throw new Error(`no element ${sel}`);
            const r0 = e.getBoundingClientRect();
            if (r0.bottom > innerHeight || r0.top < 0 || r0.right > innerWidth || r0.left < 0)
                e.scrollIntoView({ block: 'center', inline: 'center' });
            const r = e.getBoundingClientRect();
            return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
        }, selector);
    }

    async hover(selector) {
        const { x, y } = await this.centre(selector);
        await this.move(x, y);
    }

    // A touch on the centre of an element (touchAt is the engine's own).
    async tap(selector) {
        const { x, y } = await this.centre(selector);
        await this.touchAt(x, y);
    }

    async focus(selector) {
        await this.evaluate((sel) => document.querySelector(sel).focus(), selector);
    }

    // The id of the element holding the focus ('' for none or no id).
    async activeId() {
        return this.evaluate(() => (document.activeElement ? document.activeElement.id : ''));
    }

    // Polls fn(arg) in the page until it returns a true value; navigation
    // under way only delays the answer.
    async waitFor(fn, arg, what = 'the page condition', timeoutMs = 10000) {
        const end = Date.now() + timeoutMs;
        for (;;) {
            try {
                if (await this.evaluate(fn, arg))
                    return;
            } catch {
                // evaluated while the old page went away
            }
            if (Date.now() > end)
                throw new Error(`timed out waiting for ${what}`);
            await sleep(50);
        }
    }

    // Fails when any page showed an error; then closes the session.
    async finish() {
        try {
            await this.collectPageErrors();
            assert.deepEqual(this.errors, [], 'the pages reported errors');
        } finally {
            await this.close();
        }
    }
}

// ---------------------------------------------------------------------------
// Chromium: playwright-core, as the rest of the suite.

class PlaywrightSession extends Session {
    static async create(browser, viewport, touch) {
        const s = new PlaywrightSession();
        s.context = await browser.newContext({ viewport, hasTouch: !!touch });
        s.page = await s.context.newPage();
        s.page.on('pageerror', (e) => s.errors.push(`page error: ${e.message}`));
        s.page.on('console', (m) => {
            if (m.type() === 'error')
                s.errors.push(`console error: ${m.text()}`);
        });
        s.page.on('dialog', (d) => {
            s.errors.push(`unexpected dialog: ${d.message()}`);
            d.dismiss().catch(() => {});
        });
        return s;
    }

    async goto(url) { await this.collectPageErrors(); await this.page.goto(url); }
    async reload() { await this.collectPageErrors(); await this.page.reload(); }
    async click(selector) { await this.page.click(selector); }
    async move(x, y) { await this.page.mouse.move(x, y); }
    async touchAt(x, y) { await this.page.touchscreen.tap(x, y); }
    async press(key) { await this.page.keyboard.press(key); }
    async evaluate(fn, arg) { return this.page.evaluate(fn, arg); }
    async cookies() { return this.context.cookies(); }
    async setViewport(width, height) { await this.page.setViewportSize({ width, height }); }
    async close() { await this.context.close(); }
}

async function launchChromium() {
    const { chromium } = await import('playwright-core');
    const browser = await chromium.launch({
        executablePath: BIN.chromium,
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
    return {
        name: 'chromium',
        version: browser.version(),
        newSession: ({ viewport, touch }) => PlaywrightSession.create(browser, viewport, touch),
        close: () => browser.close(),
    };
}

// ---------------------------------------------------------------------------
// Firefox: puppeteer-core over WebDriver BiDi, one user context per session.

class PuppeteerSession extends Session {
    static async create(browser, viewport, touch) {
        const s = new PuppeteerSession();
        s.context = await browser.createBrowserContext();
        s.page = await s.context.newPage();
        await s.page.setViewport({ ...viewport, hasTouch: !!touch });
        s.page.on('pageerror', (e) => s.errors.push(`page error: ${e.message}`));
        s.page.on('console', (m) => {
            if (m.type() === 'error')
                s.errors.push(`console error: ${m.text()}`);
        });
        s.page.on('dialog', (d) => {
            s.errors.push(`unexpected dialog: ${d.message()}`);
            d.dismiss().catch(() => {});
        });
        return s;
    }

    async goto(url) { await this.collectPageErrors(); await this.page.goto(url); }
    async reload() { await this.collectPageErrors(); await this.page.reload(); }
    async click(selector) { await this.page.click(selector); }
    async move(x, y) { await this.page.mouse.move(x, y); }
    async touchAt(x, y) { await this.page.touchscreen.tap(x, y); }
    // Over BiDi puppeteer knows the space bar only by its character.
    async press(key) { await this.page.keyboard.press(key === 'Space' ? ' ' : key); }
    async evaluate(fn, arg) { return this.page.evaluate(fn, arg); }
    async cookies() {
        return typeof this.context.cookies === 'function' ? this.context.cookies() : this.page.cookies();
    }
    async setViewport(width, height) { await this.page.setViewport({ width, height }); }
    async close() { await this.context.close(); }
}

async function launchFirefox() {
    const { default: puppeteer } = await import('puppeteer-core');
    const browser = await puppeteer.launch({
        browser: 'firefox',
        protocol: 'webDriverBiDi',
        executablePath: BIN.firefox,
        headless: true,
        // Off the network: no update checks, no telemetry, no safe-browsing lists.
        extraPrefsFirefox: {
            'app.update.enabled': false,
            'browser.safebrowsing.update.enabled': false,
            'datareporting.policy.dataSubmissionEnabled': false,
            'network.captive-portal-service.enabled': false,
            'network.connectivity-service.enabled': false,
        },
    });
    return {
        name: 'firefox',
        version: (await browser.version()).replace(/^firefox\//, ''),
        newSession: ({ viewport, touch }) => PuppeteerSession.create(browser, viewport, touch),
        close: () => browser.close(),
    };
}

// ---------------------------------------------------------------------------
// WebKit: classic WebDriver against WebKitWebDriver, one WebDriver session
// (one fresh MiniBrowser, own cookies) per test session.

// Key names as playwright and puppeteer spell them, to WebDriver's code points.
const WD_KEYS = {
    Enter: '\uE007', Tab: '\uE004', Escape: '\uE00C', Space: ' ', Backspace: '\uE003',
    ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015',
    Home: '\uE011', End: '\uE010', Shift: '\uE008',
};

class WebDriverSession extends Session {
    static async create(driver, viewport) {
        const s = new WebDriverSession();
        s.driver = driver;
        const made = await driver.send('POST', '/session', {
            capabilities: {
                alwaysMatch: {
                    'webkitgtk:browserOptions': { binary: driver.miniBrowser, args: ['--automation'] },
                    unhandledPromptBehavior: 'ignore',
                },
            },
        });
        s.id = made.sessionId;
        s.version = made.capabilities.browserVersion;
        await s.setViewport(viewport.width, viewport.height);
        return s;
    }

    cmd(method, path, body) { return this.driver.send(method, `/session/${this.id}${path}`, body); }

    async goto(url) { await this.collectPageErrors(); await this.cmd('POST', '/url', { url }); this.lastUrl = url; }
    async reload() { await this.collectPageErrors(); await this.cmd('POST', '/refresh', {}); }

    async click(selector) {
        const found = await this.cmd('POST', '/element', { using: 'css selector', value: selector });
        const id = Object.values(found)[0];
        await this.cmd('POST', `/element/${id}/click`, {});
    }

    async move(x, y) {
        await this.cmd('POST', '/actions', {
            actions: [{
                type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' },
                actions: [{ type: 'pointerMove', duration: 0, origin: 'viewport', x: Math.round(x), y: Math.round(y) }],
            }],
        });
    }

    // WebKitWebDriver takes a pointer action of type "touch" without
    // complaint, but the GTK port replays it with the mouse: the page sees
    // pointerdown with pointerType "mouse", mouse events and a click, and no
    // touch events. A tap sent that way would test the mouse again.
    async touchAt() {
        throw new TouchUnsupported(`WebKitGTK ${this.version} under WebKitWebDriver has no touch input: `
            + 'a WebDriver pointer action of type "touch" reaches the page as the mouse (pointerType "mouse")');
    }

    async press(key) {
        const value = WD_KEYS[key] ?? key;
        await this.cmd('POST', '/actions', {
            actions: [{ type: 'key', id: 'keyboard', actions: [{ type: 'keyDown', value }, { type: 'keyUp', value }] }],
        });
    }

    async evaluate(fn, arg) {
        const script = `return (${fn.toString()}).apply(null, arguments)`;
        return this.cmd('POST', '/execute/sync', { script, args: arg === undefined ? [] : [arg] });
    }

    async cookies() { return this.cmd('GET', '/cookie'); }

    // WebDriver sizes the window, toolbar included: measure what the page
    // gets and grow the window by the difference.
    async setViewport(width, height) {
        await this.cmd('POST', '/window/rect', { width, height });
        const inner = await this.evaluate(() => [innerWidth, innerHeight]);
        if (inner[0] !== width || inner[1] !== height)
            await this.cmd('POST', '/window/rect', { width: 2 * width - inner[0], height: 2 * height - inner[1] });
    }

    async close() { await this.cmd('DELETE', ''); }
}

// Starts an X server of our own and answers its display name.
async function startXvfb() {
    const xvfb = spawn(BIN.xvfb, ['-displayfd', '1', '-screen', '0', '1600x1200x24', '-nolisten', 'tcp', '-noreset'],
        { stdio: ['ignore', 'pipe', 'ignore'] });
    const display = await new Promise((ok, fail) => {
        let out = '';
        xvfb.stdout.on('data', (d) => {
            out += d;
            if (out.includes('\n'))
                ok(`:${out.trim()}`);
        });
        xvfb.on('exit', (code) => fail(new Error(`Xvfb ended with ${code} before it started`)));
    });
    return {
        display,
        stop: () => new Promise((ok) => {
            if (xvfb.exitCode !== null)
                return ok();
            xvfb.once('exit', ok);
            xvfb.kill();
        }),
    };
}

async function launchWebKit() {
    const x = await startXvfb();
    const port = await freePort();
    const home = mkdtempSync(join(tmpdir(), 'qwk-webkit-'));
    // Its own home and caches, so that no run sees another's cookies or data.
    const env = { ...process.env, DISPLAY: x.display, HOME: home, XDG_CACHE_HOME: join(home, 'cache'),
        XDG_DATA_HOME: join(home, 'data'), XDG_CONFIG_HOME: join(home, 'config') };
    const proc = spawn(BIN.webkitDriver, [`--port=${port}`, '--host=127.0.0.1'], { env, stdio: 'ignore' });
    const base = `http://127.0.0.1:${port}`;
    const driver = {
        miniBrowser: ['/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', '/usr/lib/aarch64-linux-gnu/webkit2gtk-4.1/MiniBrowser']
            .find((p) => existsSync(p)),
        async send(method, path, body) {
            const r = await fetch(base + path, {
                method,
                headers: body === undefined ? {} : { 'content-type': 'application/json' },
                body: body === undefined ? undefined : JSON.stringify(body),
            });
            const json = await r.json();
            if (!r.ok)
                throw new Error(`WebDriver ${method} ${path}: ${json.value?.error}: ${json.value?.message}`);
            return json.value;
        },
    };
    // The browsers it started end with it; their files go after them.
    const stop = async () => {
        const ended = new Promise((ok) => (proc.exitCode === null ? proc.once('exit', ok) : ok()));
        proc.kill();
        await ended;
        await x.stop();
        rmSync(home, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
    };
    try {
        for (let i = 0; ; ++i) {
            try {
                if ((await driver.send('GET', '/status')).ready)
                    break;
            } catch (e) {
                if (i > 100)
                    throw new Error(`WebKitWebDriver did not answer on ${base}: ${e.message}`);
            }
            await sleep(100);
        }
        // One session to learn the version.
        const probe = await WebDriverSession.create(driver, { width: 800, height: 600 });
        const version = probe.version;
        await probe.close();
        return {
            name: 'webkit',
            version,
            newSession: ({ viewport }) => WebDriverSession.create(driver, viewport),
            close: stop,
        };
    } catch (e) {
        await stop();
        throw e;
    }
}

export async function launchEngine(name) {
    switch (name) {
    case 'chromium': return launchChromium();
    case 'firefox': return launchFirefox();
    case 'webkit': return launchWebKit();
    default: throw new Error(`no engine called ${name}`);
    }
}

// Runs fn(session) in a fresh session of engine, then fails on page errors.
export async function withSession(engine, fn, { viewport = { width: 1000, height: 700 }, touch = false } = {}) {
    const s = await engine.newSession({ viewport, touch });
    let ok = false;
    try {
        await fn(s);
        ok = true;
    } finally {
        if (ok)
            await s.finish();
        else
            await s.close().catch(() => {});
    }
}
