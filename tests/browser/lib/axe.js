// axe-core, the engine of the browsers' own accessibility audits, run inside
// one frame of a page with the rules of WCAG 2.1 levels A and AA.
import fs from 'node:fs';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const AXE = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
export const WCAG_21_AA = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'];
export const WCAG_22_AA = [...WCAG_21_AA, 'wcag22aa'];

// The violations in the document of a puppeteer frame (or page), each as
// "rule (impact): targets". Frames inside it are audited on their own.
// `preload` false keeps axe from fetching the page's style sheets itself,
// which a page opened from a file does not allow (the rules that need the
// sheets' text are then left out).
export async function audit(frame, tags = WCAG_21_AA, { preload = true } = {}) {
  if (!(await frame.evaluate(() => typeof window.axe === 'object'))) await frame.evaluate(AXE);
  return frame.evaluate((tags, preload) => window.axe.run(document, {
    runOnly: { type: 'tag', values: tags },
    iframes: false,
    preload,
    resultTypes: ['violations'],
  }).then((r) => r.violations.map((v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(' ')).slice(0, 4).join(', ')}`)),
  tags, preload);
}

// The same, for a frame the session reaches as a window (a session nested in
// a platform's frame): `which` is 'question' or 'control', or the name of a
// frame of the question page ('bs', the sound frame).
export function auditWindow(session, which) {
  return session.evaluate((q, c, source, tags, name) => {
    const w = name === 'question' ? q : (name === 'control' ? c : q.frames[name]);
    if (typeof w.axe !== 'object') w.eval(source);
    return w.axe.run(w.document, { runOnly: { type: 'tag', values: tags }, iframes: false, resultTypes: ['violations'] })
      .then((r) => r.violations.map((v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(' ')).slice(0, 4).join(', ')}`));
  }, AXE, WCAG_21_AA, which);
}
