// The test where students get it: a whole set of a hundred questions, the
// single file to e-mail (opened from the file system, as a double-clicked
// attachment is, and from a web site), and the message of a browser that
// will not run the pages.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { exportFixture, exportSet, exportSingleFile, sampleSet, serve } from '../lib/exporter.js';
import { audit } from '../lib/axe.js';
import { addressOf, assertNoErrors, eachBrowser } from '../lib/harness.js';
import { announced, focused, key, named, tabTo } from '../lib/keyboard.js';
import { Session } from '../lib/session.js';

const OPTIONS = { PresentInRandomOrder: '0', allowMarking: '1', allowCheating: '0', GraphicStyle: 'Chalkboard' };
const hundred = exportSet(sampleSet('hundred', { ...OPTIONS, TestName: 'Hundred' }, 100), 'Hundred');
const single = exportSingleFile(sampleSet('single', { ...OPTIONS, TestName: 'Mailed' }), 'Mailed Test');
const refusing = exportFixture('navigation');
fs.rmSync(path.join(refusing.folder, refusing.testFolder, 'pages.js'));
let servers;
before(async () => { servers = await Promise.all([serve(hundred), serve(refusing), serve(single)]); });
after(async () => { for (const s of servers) await s.close(); });

// From the start page: its Start button opens the test in a window of its own.
async function startFromStartPage(browser, address, testAddress) {
  const start = await browser.newPage();
  const startSession = new Session(start);
  await start.goto(address, { waitUntil: 'load' });
  const opened = browser.waitForTarget((t) => t.url().endsWith(testAddress));
  await start.click('input[name="ClickHere"]');
  const s = new Session(await (await opened).page());
  await s.page.waitForFunction(() => window.frames.question && window.frames.question.shownPage === 'p0.htm',
    { polling: 20, timeout: 20000 });
  await s.settle();
  return { s, start, startSession };
}

// The pictures of the frames the student sees have all loaded.
function picturesLoaded(s) {
  return s.evaluate((q, c) => [q, c].every((w) => [...w.document.images].every((i) => i.complete && i.naturalWidth > 0)));
}

// Start, answer question 1 (Mars), Mark it, Finish: the results.
async function mainFlow(s, questions) {
  await s.pressStart();
  assert.match(await s.evaluate((q) => q.document.body.innerText), /Red Planet/);
  assert.equal(await picturesLoaded(s), true, 'every picture shows');
  await s.clickElement('question', 'button20div');
  await s.press('Mark');
  assert.equal(await s.visible('button2tick'), 'visible');
  if (questions > 1) {
    await s.press('Arrow2');
    await s.waitForShown('q1.htm');
  }
  await s.press('Finish');
  await s.page.waitForFunction(() => /Results/.test(document.title), { polling: 20, timeout: 10000 });
  const results = await s.resultsText();
  assert.match(results, /You scored 1 out of \d+/);
  assert.match(results, /Your percentage:\s*[\d.]+ %/);
  assert.equal(await picturesLoaded(s), true, 'the results page shows its picture');
}

eachBrowser('portable', (ctx) => {
  test('a set of a hundred questions runs to its results', async () => {
    const s = await Session.open(ctx.browser, addressOf(ctx, servers[0], `${hundred.testFolder}/frame.htm`));
    await s.pressStart();
    // The slider's end is the hundredth question: the thumb's last position
    // lies 56 pixels past the end of the slide line, which starts at left 82.
    const line = await s.box('control', { selector: 'img[src$="slideline.gif"]' });
    const thumb = await s.box('control', 'Sliderdiv');
    await s.dragBy({ x: thumb.x + 13, y: thumb.y + 13 }, { x: line.x - 82 + line.width + 56 + 13, y: thumb.y + 13 });
    await s.waitForShown('q99.htm');
    assert.equal(await s.title(), 'Hundred: Question 100');
    await s.press('Finish');
    await s.settle();
    assert.match(await s.resultsText(), /You scored 0 out of \d+/);
    assertNoErrors(s);
    await s.close();
  });

  // The single file as double-clicked, or as put on a web site.
  const singleAddress = () => (ctx.way === 'file' ? pathToFileURL(single.startPage).href
    : `${servers[2].url}${encodeURIComponent(path.basename(single.startPage))}`);

  test('the single file runs from its start page to its results', async () => {
    assert.match(single.said, /Mailed Test\.htm \(\d+(\.\d)? (KB|MB)\)$/, 'the export says how large the file is');
    assert.deepEqual(fs.readdirSync(single.folder), ['Mailed Test.htm'], 'one file, nothing beside it');
    const { s, start, startSession } = await startFromStartPage(ctx.browser, singleAddress(), '#test');
    assert.equal(await start.evaluate(() => document.images[0].complete && document.images[0].naturalWidth > 0), true,
      'the start page shows its picture');
    await mainFlow(s, 11);
    // Help writes the help page the file carries into a window of its own.
    await s.press('Help');
    await s.page.waitForFunction(() => /How to take this test/.test(window.open('', 'Help').document.body?.innerText ?? ''),
      { polling: 50, timeout: 10000 });
    assertNoErrors(s);
    assertNoErrors(startSession);
    await s.close();
    await start.close();
  });

  test('the single file keeps the names, keys and announcements of the accessible test', async () => {
    const { s, start, startSession } = await startFromStartPage(ctx.browser, singleAddress(), '#test');
    const found = {};
    const check = async (what, frame) => {
      const violations = await audit(frame);
      if (violations.length) found[what] = violations;
    };
    await check('frameset', s.page);
    await check('control bar', await s.frame('control'));
    await check('pre-test page', await s.frame('question'));

    // Started, answered, marked and finished with keys alone.
    await s.page.bringToFront();
    await tabTo(s, (f) => f.frame === 'question' && /start/i.test(f.name));
    await key(s, 'Enter');
    await s.waitForShown('q0.htm');
    await check('question page', await s.frame('question'));
    await tabTo(s, named('B: Mars'));
    await key(s, ' ');
    assert.equal((await focused(s)).checked, 'true', 'the chosen answer says so');
    await tabTo(s, (f) => f.frame === 'control' && f.name === 'Mark');
    await key(s, 'Enter');
    assert.match(await announced(s, /Mars/), /B: Mars: right/);
    await tabTo(s, (f) => f.frame === 'control' && f.name === 'Finish');
    await key(s, 'Enter');
    await s.page.waitForFunction(() => window.frames.question.shownPage === 'results', { polling: 20, timeout: 10000 });
    assert.match(await announced(s, /scored/), /You scored 1 out of \d+/);
    await check('results page', await s.frame('question'));

    assert.deepEqual(found, {});
    assertNoErrors(s);
    assertNoErrors(startSession);
    await s.close();
    await start.close();
  });

  if (ctx.way !== 'file') return;

  test('a browser that will not load the page texts says how to open the test', async () => {
    const s = new Session(await ctx.browser.newPage());
    await s.page.goto(addressOf(ctx, servers[1], `${refusing.testFolder}/frame.htm`), { waitUntil: 'load' });
    await s.page.waitForFunction(() => window.frames.control.shownPage === 'refused', { polling: 20, timeout: 10000 });
    assert.equal(s.alerts.length, 1, 'one alert');
    assert.match(s.alerts[0], /web address/);
    const control = await s.frame('control');
    assert.match(await control.evaluate(() => document.body.innerText), /web address/, 'the message stays on the control bar');
    await s.close();
  });
});
