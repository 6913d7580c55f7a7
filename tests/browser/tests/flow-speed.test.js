// How quick the flowing pages are, in both browsers, from file:// (printed,
// never asserted as timings; docs/measurements.md keeps the figures):
// - a move: from the press on Next to the next frame painted after the new
//   question is in the page, against the floor of the method: a press whose
//   handler changes one text, timed the same way (median of 7 of each);
// - the start: from opening the start page to its first paint, and from the
//   press on Start to the first question painted;
// - the bytes the browser reads before the first question.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, describe, it } from 'node:test';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { BROWSERS, launch } from '../lib/browsers.js';
import { exportFlow, flowSampleSet } from '../lib/flow.js';

const exported = exportFlow(flowSampleSet('flow-speed', { shouldUserEnterDetails: '0' }), 'Speed');
const url = pathToFileURL(exported.startPage).href;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const list = (values) => values.map((t) => t.toFixed(1)).join(', ');

// Arms a timer in the page: the press (pointer down) to the frame painted
// after the first change of `watched` (or of the status for the floor).
function arm(page, watched) {
  return page.evaluate((selector) => {
    window.timing = {};
    const target = document.querySelector(selector);
    const seen = new MutationObserver(() => {
      seen.disconnect();
      requestAnimationFrame(() => { window.timing.painted = performance.now(); });
    });
    seen.observe(target, { childList: true, subtree: true, characterData: true });
    document.addEventListener('pointerdown', () => { window.timing.pressed = performance.now(); }, { capture: true, once: true });
    document.addEventListener('mousedown', () => { window.timing.pressed ??= performance.now(); }, { capture: true, once: true });
  }, watched);
}
async function timed(page) {
  await page.waitForFunction(() => window.timing.painted !== undefined, { polling: 5, timeout: 5000 });
  return page.evaluate(() => window.timing.painted - window.timing.pressed);
}
async function click(page, selector) {
  const box = await (await page.$(selector)).boundingBox();
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
}

for (const name of BROWSERS) {
  describe(`the flowing pages' speed [${name}]`, () => {
    let launched;
    before(async () => { launched = await launch(name); });
    after(async () => { await launched?.close(); });

    it('moves, starts and loads quickly (figures printed)', async () => {
      const page = await launched.browser.newPage();
      await page.setViewport({ width: 1280, height: 800 });
      const opened = Date.now();
      await page.goto(url, { waitUntil: 'load' });
      await page.waitForSelector('#startButton');
      // The start page's first paint as the browser counts it (paint timing),
      // and when its scripts had run (DOMContentLoaded), from the navigation's start.
      const opening = await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => {
        const paint = performance.getEntriesByName('first-contentful-paint')[0];
        const nav = performance.getEntriesByType('navigation')[0];
        done({ paint: paint ? paint.startTime : NaN, ready: nav ? nav.domContentLoadedEventEnd : NaN });
      })));
      await arm(page, '#main');
      await click(page, '#startButton');
      const startToQuestion = await timed(page);
      assert.ok(Date.now() - opened < 10000);

      // The bytes read before the first question: the page and every file it loaded.
      const files = await page.evaluate(() => [location.href,
        ...[...document.querySelectorAll('script[src], link[rel=stylesheet][href], img[src]')].map((e) => e.src || e.href)]);
      const bytes = files.filter((f) => f.startsWith('file:')).reduce((sum, f) => sum + fs.statSync(fileURLToPath(f)).size, 0);

      const moves = [];
      const floor = [];
      // The floor: a press whose only effect is one changed text in the page.
      await page.evaluate(() => {
        const b = document.createElement('button');
        b.id = 'emptyChange';
        b.textContent = '0';
        b.addEventListener('click', () => { b.textContent = String(Number(b.textContent) + 1); });
        document.body.appendChild(b);
      });
      for (let k = 0; k < 7; k++) {
        await arm(page, '#main');
        await click(page, '.nav-next');
        moves.push(await timed(page));
        await arm(page, '#emptyChange');
        await click(page, '#emptyChange');
        floor.push(await timed(page));
      }
      console.log(`# flow speed in ${name} from file://: next question painted after ${list(moves)} ms (median ${median(moves).toFixed(1)}); `
        + `empty change ${list(floor)} ms (median ${median(floor).toFixed(1)}); start page's scripts run after ${opening.ready.toFixed(1)} ms, first paint after ${opening.paint.toFixed(1)} ms; `
        + `first question painted ${startToQuestion.toFixed(1)} ms after Start; ${(bytes / 1000).toFixed(1)} KB before the first question`);
      assert.equal(moves.length, 7);
      await page.close();
    });
  });
}
