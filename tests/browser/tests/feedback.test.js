// Feedback frames chosen by every criterion, with and without showing every
// match, and the fallback.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { exportFixture, serve } from '../lib/exporter.js';
import { assertNoErrors, eachBrowser, openTest } from '../lib/harness.js';

const exported = exportFixture('feedback');
let served;
before(async () => { served = await serve(exported); });
after(async () => { await served.close(); });

// Question, whether its one button is chosen (full marks), the frames shown.
const CASES = [
  { q: 0, choose: true, shown: ['fb1'] },            // always, first match only
  { q: 1, choose: true, shown: ['fb1', 'fb2'] },     // always and full marks, every match
  { q: 1, choose: false, shown: ['fb1'] },
  { q: 2, choose: true, shown: ['fb2', 'fb3'] },     // the match 1, the range 2 to 1
  { q: 2, choose: false, shown: ['fb1'] },           // the lowest marks
  { q: 3, choose: false, shown: ['fb2', 'fb3'] },    // nothing matched: every fallback
  { q: 3, choose: true, shown: ['fb1'] },
];

eachBrowser('feedback', (ctx) => {
  test('Mark shows the feedback whose criterion holds', async () => {
    const s = await openTest(ctx, served, exported.testFolder);
    await s.waitForShown('q0.htm');
    for (const { q, choose, shown } of CASES) {
      while (await s.shown() !== `q${q}.htm`) {
        await s.press('Arrow2');
        await s.waitForShown(`q${q}.htm`);
      }
      const isChosen = await s.visible('b12div') === 'visible';
      if (isChosen !== choose) await s.clickElement('question', isChosen ? 'b12div' : 'b10div');
      await s.press('Mark');
      await s.settle();
      const frames = ['fb1', 'fb2', 'fb3', 'fb4'];
      assert.deepEqual(await s.visibleIds(frames.map((f) => `${f}div`)), shown.map((f) => `${f}div`), `question ${q}, chosen ${choose}`);
      const pages = await Promise.all(shown.map((f) => s.pageIn(`${f}frame`)));
      assert.deepEqual(pages, shown.map((f) => `q${q}${f}.htm`));
    }
    await s.press('Arrow1');
    await s.waitForShown('q2.htm');
    await s.press('Arrow1');
    await s.waitForShown('q1.htm');
    await s.press('Arrow1');
    await s.waitForShown('q0.htm');
    await s.press('Mark');
    await s.settle();
    assert.equal(await s.evaluate((q) => q.frames.fb1frame.document.body.innerText.trim()), 'Always shown',
      'the feedback page shows its own elements');
    assertNoErrors(s);
    await s.close();
  });
});
