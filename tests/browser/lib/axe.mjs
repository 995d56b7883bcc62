// axe-core in a page: the WCAG 2.0/2.1 A and AA rules and axe's best
// practices, on the whole page or on the parts a test names. The script is
// read from this folder's node_modules (pinned in package.json), never fetched.
import assert from 'node:assert/strict';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
export const AXE_SCRIPT = join(here, '..', 'node_modules', 'axe-core', 'axe.min.js');
export const AXE_TAGS = ['wcag2a', 'wcag2aa', 'wcag21aa', 'best-practice'];

// One line per failing node: the rule, its impact, the element and why.
export function describeViolations(violations) {
    const lines = [];
    for (const v of violations) {
        for (const n of v.nodes)
            lines.push(`${v.id} (${v.impact}): ${n.target.join(' ')}\n    ${n.failureSummary.replace(/\n/g, '\n    ')}\n    ${v.helpUrl}`);
    }
    return lines.join('\n');
}

// Runs axe on page (the whole document, or the selectors in include) and
// returns its results. The page must run scripts: a page opened with
// JavaScript off never answers the evaluation.
export async function runAxe(page, { include } = {}) {
    if (!(await page.evaluate(() => typeof window.axe === 'object')))
        await page.addScriptTag({ path: AXE_SCRIPT });
    return page.evaluate(async ([context, tags]) => {
        const r = await window.axe.run(context ?? document, { runOnly: { type: 'tag', values: tags }, resultTypes: ['violations'] });
        return { violations: r.violations, passes: r.passes.length };
    }, [include ? { include: [].concat(include).map((s) => [s]) } : null, AXE_TAGS]);
}

// Fails with a readable list when axe finds any violation; returns the results.
export async function checkAxe(page, options = {}) {
    const results = await runAxe(page, options);
    assert.equal(results.violations.length, 0, `axe found violations on ${page.url()}:\n${describeViolations(results.violations)}`);
    return results;
}
