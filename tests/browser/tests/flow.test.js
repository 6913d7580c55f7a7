// The flowing web test (the default layout) on every screen, in both
// browsers: a student takes every kind of question of the sample set to the
// results on a phone (touch), a tablet, a desktop and at 400 % zoom; nothing
// scrolls sideways, no control is too small or outside the width, a long
// question covers nothing, axe finds no serious fault (WCAG 2.2 A and AA),
// and the keyboard flow moves the focus to each new question's heading and
// announces it. Opened from a folder, as one file, and served.
import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';
import { pathToFileURL } from 'node:url';
import { audit, WCAG_22_AA } from '../lib/axe.js';
import { BROWSERS, launch } from '../lib/browsers.js';
import { serve } from '../lib/exporter.js';
import { answerShown, exportFlow, flowSampleSet, layoutProblems, longTextSet, press, SCREENS, useScreen } from '../lib/flow.js';

const set = flowSampleSet();
const folder = exportFlow(set);
const single = exportFlow(set, 'One', { singleFile: true });
const long = exportFlow(longTextSet(), 'Long');

// axe's serious and critical findings only, as the bar is set.
async function seriousFaults(page) {
  return (await audit(page, WCAG_22_AA, { preload: false })).filter((v) => /\((serious|critical)\)/.test(v));
}

async function openPage(browser) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(`page error: ${e.message ?? e}`));
  // A failed load is reported with its address below (the browser's own icon request is none of the test's).
  page.on('console', (m) => { if (m.type() === 'error' && !/Failed to load resource/.test(m.text())) errors.push(`console: ${m.text()}`); });
  page.on('requestfailed', (r) => { if (!r.url().endsWith('favicon.ico')) errors.push(`request failed: ${r.url()}`); });
  page.on('response', (r) => { if (r.status() >= 400 && !r.url().endsWith('favicon.ico')) errors.push(`HTTP ${r.status()}: ${r.url()}`); });
  page.errors = errors;
  return page;
}

// The whole test as a student takes it on `screen`, checking the layout on
// every page (and axe with `withAxe`); returns the results page's score line.
async function takeTest(page, browserName, screen, url, { withAxe = false } = {}) {
  const touch = await useScreen(page, browserName, screen);
  await page.goto(url, { waitUntil: 'load' });
  const where = `${browserName} ${screen.name}`;
  const check = async (what) => {
    assert.deepEqual(await layoutProblems(page), [], `${where}: ${what}`);
    if (withAxe) assert.deepEqual(await seriousFaults(page), [], `${where}: axe on ${what}`);
  };
  await page.waitForSelector('#startButton', { visible: true });
  await check('the start page');
  // Start without a name is refused with a message and the box focused.
  await press(page, '#startButton', touch);
  assert.match(await page.$eval('#nameMessage', (e) => e.textContent), /name/i);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'studentName');
  await page.keyboard.type('Ada Lovelace');
  await press(page, '#startButton', touch);
  await page.waitForSelector('h2#qh');

  const count = await page.evaluate(() => window.DorvelEngine.state.order.length);
  assert.equal(count, 11, 'every question of the sample');
  const kindsChecked = new Set();
  for (let n = 0; n < count; n++) {
    assert.equal(await page.$eval('.qnum', (e) => e.textContent), `Question ${n + 1}`);
    await answerShown(page, touch);
    const kind = await page.$eval('article.question', (e) => e.className.match(/kind-(\w+)/)[1]);
    if (n === 0) {
      // Mark shows the wrong choice crossed; Cheat lists the right answer.
      await press(page, '.nav-mark', touch);
      assert.equal(await page.$$eval('.mark.is-wrong', (m) => m.length), 1);
      await press(page, '.nav-cheat', touch);
      assert.match(await page.$eval('.right-answers', (e) => e.textContent), /B: Mars/);
    }
    if (n === 2) {
      // The picture beside the answers where there is room (40em), above them where there is not.
      await page.waitForFunction(() => { const i = document.querySelector('.picture img'); return i && i.complete; });
      const [picture, answers, loaded] = await page.evaluate(() => {
        const img = document.querySelector('.picture img');
        return [img.getBoundingClientRect().toJSON(), document.querySelector('.answers').getBoundingClientRect().toJSON(),
          img.complete && img.naturalWidth > 0];
      });
      assert.ok(loaded, `${where}: the picture is shown`);
      if (screen.width >= 640) assert.ok(picture.right <= answers.left, `${where}: the picture beside the answers`);
      else assert.ok(picture.bottom <= answers.top, `${where}: the picture above the answers`);
    }
    if (n === 1) {
      assert.ok(await page.$eval('audio', (a) => a.src.length > 0 && a.controls), `${where}: the sound has its controls`);
    }
    if (!kindsChecked.has(kind)) {
      await check(`question ${n + 1} (${kind})`);
      kindsChecked.add(kind);
    }
    if (n < count - 1) {
      await press(page, '.nav-next', touch);
      await page.waitForFunction((k) => document.querySelector('.qnum')?.textContent === `Question ${k}`, {}, n + 2);
    }
  }
  assert.deepEqual([...kindsChecked].sort(), ['choice', 'truefalse', 'typed']);
  await press(page, '.nav-finish', touch);
  await page.waitForSelector('#finishDialog[open]');
  if (withAxe) assert.deepEqual(await seriousFaults(page), [], `${where}: axe on the finish dialog`);
  await press(page, '#finishDialog button.primary', touch);
  await page.waitForSelector('#score');
  await check('the results');
  const score = await page.$eval('#score', (e) => e.textContent);
  assert.match(await page.$eval('.results', (e) => e.textContent), /Student: Ada Lovelace/);

  // Review: a marked question from the results, its answers fixed.
  await press(page, 'button.review', touch);
  await page.waitForSelector('h2#qh');
  assert.equal(await page.$eval('.choices input', (e) => e.disabled), true);
  assert.equal(await page.$$eval('.mark.is-wrong', (m) => m.length), 1);
  await check('a reviewed question');
  await press(page, '.nav-results', touch);
  await page.waitForSelector('#score');
  assert.deepEqual(page.errors, [], `${where}: no page errors`);
  return score;
}

for (const name of BROWSERS) {
  describe(`the flowing web test [${name}]`, () => {
    let launched;
    let served;
    before(async () => {
      launched = await launch(name);
      served = await serve(folder);
    });
    after(async () => {
      await served?.close();
      await launched?.close();
    });

    for (const screen of SCREENS) {
      it(`takes every kind to the results on a ${screen.name} (${screen.width}x${screen.height}) from a folder, with axe`, async () => {
        const page = await openPage(launched.browser);
        const score = await takeTest(page, name, screen, pathToFileURL(folder.startPage).href, { withAxe: true });
        assert.equal(score, 'You scored 22 out of 23 (96 %).');
        await page.close();
      });

      it(`covers nothing with a long question on a ${screen.name}`, async () => {
        const page = await openPage(launched.browser);
        const touch = await useScreen(page, name, screen);
        await page.goto(pathToFileURL(long.startPage).href, { waitUntil: 'load' });
        await press(page, '#startButton', touch);
        await page.waitForSelector('h2#qh');
        assert.equal((await page.$eval('.qtitle', (e) => e.textContent)).length, 600);
        await press(page, '.choices li[data-choice="2"] label', touch);
        await press(page, '.nav-mark', touch);
        assert.deepEqual(await layoutProblems(page), []);
        // The page grows: the bar follows the answers.
        const [lastChoice, bar] = await page.evaluate(() => [document.querySelector('.choices li:last-child').getBoundingClientRect().bottom,
          document.querySelector('nav').getBoundingClientRect().top]);
        assert.ok(bar >= lastChoice, 'the bar below the last choice');
        await page.close();
      });
    }

    it('takes the test as one file and served, on a phone', async () => {
      for (const url of [pathToFileURL(single.startPage).href, served.address]) {
        const page = await openPage(launched.browser);
        const score = await takeTest(page, name, SCREENS[0], url);
        assert.equal(score, 'You scored 22 out of 23 (96 %).', url);
        await page.close();
      }
    });

    it('moves the focus to each new heading, announces it, and never traps Tab', async () => {
      const page = await openPage(launched.browser);
      await useScreen(page, name, SCREENS[2]);
      await page.goto(pathToFileURL(folder.startPage).href, { waitUntil: 'load' });
      const active = () => page.evaluate(() => {
        const e = document.activeElement;
        return e ? `${e.tagName.toLowerCase()}${e.id ? '#' + e.id : ''}${e.className ? '.' + e.className : ''}` : '';
      });
      const status = () => page.$eval('#status', (e) => e.textContent);
      await page.focus('#studentName');
      await page.keyboard.type('Kim');
      await page.keyboard.press('Enter');
      await page.waitForSelector('h2#qh');
      assert.equal(await active(), 'h2#qh');
      await page.waitForFunction(() => document.getElementById('status').textContent === 'Question 1 of 11');

      // Tab from the heading: the answers first, then the bar; Space chooses.
      await page.keyboard.press('Tab');
      assert.match(await active(), /^input/);
      await page.keyboard.press('ArrowDown');
      assert.equal(await page.evaluate(() => window.DorvelEngine.state.responses[1].chosen[0]), 1);
      // Next by Enter: the new heading has the focus and the move is announced.
      await page.focus('.nav-next');
      await page.keyboard.press('Enter');
      await page.waitForFunction(() => document.querySelector('.qnum').textContent === 'Question 2');
      assert.equal(await active(), 'h2#qh');
      await page.waitForFunction(() => document.getElementById('status').textContent === 'Question 2 of 11');
      assert.equal(await status(), 'Question 2 of 11');
      // Alt+N goes on from anywhere.
      await page.keyboard.down('Alt');
      await page.keyboard.press('n');
      await page.keyboard.up('Alt');
      await page.waitForFunction(() => document.getElementById('status').textContent === 'Question 3 of 11');
      assert.equal(await active(), 'h2#qh');
      // Mark by key: the announcement names the answer's mark.
      await page.keyboard.press('Tab');
      await page.keyboard.press(' ');
      await page.focus('.nav-mark');
      await page.keyboard.press('Enter');
      await page.waitForFunction(() => /: (right|wrong)/.test(document.getElementById('status').textContent));
      // Last, as focus may leave for the browser's own controls: Tab goes
      // through the answers and the bar and on out of it.
      await page.focus('h2#qh');
      const visited = [];
      for (let k = 0; k < 12; k++) {
        await page.keyboard.press('Tab');
        visited.push(await active());
      }
      assert.ok(visited.some((v) => v.includes('nav-next')), `Next reached by Tab: ${visited}`);
      assert.ok(visited.some((v) => v.includes('nav-finish')), 'Finish reached by Tab');
      // Past the last control Tab leaves the bar (to the browser or back to the page top): never stuck inside it.
      const afterBar = visited.slice(visited.findIndex((v) => v.includes('nav-finish')) + 1);
      assert.ok(afterBar.some((v) => !v.includes('nav-') && !v.includes('slider')), `Tab leaves the bar: ${visited}`);

      assert.deepEqual(page.errors, []);
      await page.close();
    });
  });
}
