// Finishing: the confirmation, totals and percentage, the results page,
// printing, and the review of finished questions (or none).
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { exportFixture, serve } from '../lib/exporter.js';
import { assertNoErrors, eachBrowser, openTest } from '../lib/harness.js';

const withReview = exportFixture('finish');
const noReview = exportFixture('finish-noreview');
const german = exportFixture('finish', undefined, 'Deutsch');
let servers;
before(async () => { servers = [await serve(withReview), await serve(noReview), await serve(german)]; });
after(async () => { for (const s of servers) await s.close(); });

// "Tuesday 8 December 2026 at 14:05": as English (UK) writes a date, a
// four-digit year and a 24-hour clock.
const TIME = /(Sun|Mon|Tues|Wednes|Thurs|Fri|Satur)day,? \d{1,2} [A-Z][a-z]+ 20\d\d(,| at) \d\d:\d\d/;

eachBrowser('finish', (ctx) => {
  test('three of four with review: 75 %, printing, then the marked questions', async () => {
    const s = await openTest(ctx, servers[0], withReview.testFolder);
    await s.waitForShown('q0.htm');
    for (const id of ['b1', 'b2', 'b3']) await s.clickElement('question', `${id}0div`);

    s.confirmAnswer = false;
    await s.press('Finish');
    await s.settle();
    assert.equal(s.dialogs.length, 1);
    assert.match(s.dialogs[0], /finish the test[\s\S]*cannot change[\s\S]*Cancel/);
    assert.equal(await s.shown(), 'q0.htm', 'declined: still testing');
    assert.equal(await s.title(), 'Finish: Question 1');

    s.confirmAnswer = true;
    await s.press('Finish');
    await s.settle();
    const results = await s.resultsText();
    for (const part of ['Finish', 'Examiner: Ms Ames', 'Created: 1 March 2026', 'Your Score', 'You scored 3 out of 4',
      'Lowest possible score: 0', '75 %', 'Use the arrows or the slider', 'Print these results']) {
      assert.ok(results.includes(part), `results show "${part}":\n${results}`);
    }
    // The pack's "&nbsp;" before the percentage is a space, not text.
    assert.match(results, /Lowest possible score: 0\s+Your percentage: 75 %/);
    assert.doesNotMatch(results, /&\w+;/);
    assert.match(results, new RegExp(`Started: ${TIME.source}`));
    assert.match(results, new RegExp(`Finished: ${TIME.source}`));
    assert.equal(await s.title(), 'Finish: (Results)');

    // The print link prints the results frame.
    await s.evaluate((q) => { q.print = () => { q.printed = true; }; });
    await s.clickElement('question', { selector: 'a[href="#"]' });
    assert.equal(await s.evaluate((q) => q.printed), true);

    // Finish, Mark and Cheat are covered again.
    await s.press('Finish');
    assert.equal(s.dialogs.length, 2);

    await s.press('Arrow2');
    await s.waitForShown('q0.htm');
    assert.equal(await s.title(), 'Finish: Question 1 (Test Complete)');
    assert.equal(await s.visible('cover'), 'visible');
    assert.deepEqual(await s.visibleIds(['b1tick', 'b2tick', 'b3tick', 'b4tick', 'b4cross']), ['b1tick', 'b2tick', 'b3tick']);
    await s.press('Arrow2');
    await s.waitForShown('q1.htm');
    assert.equal(await s.evaluate((q) => q.document.getElementById('f1').disabled), true, 'fields cannot be changed');
    await s.press('Arrow1');
    await s.press('Arrow1');
    await s.settle();
    assert.match(await s.resultsText(), /75 %/);
    assertNoErrors(s);
    await s.close();
  });

  test('the German pack\'s results page reads as plain text', async () => {
    const s = await openTest(ctx, servers[2], german.testFolder);
    await s.waitForShown('q0.htm');
    for (const id of ['b1', 'b2', 'b3']) await s.clickElement('question', `${id}0div`);
    s.confirmAnswer = true;
    await s.press('Finish');
    await s.settle();
    const results = await s.resultsText();
    assert.match(results, /Niedrigste mögliche Punktzahl: 0\s+Ihr Ergebnis in Prozent: 75 %/);
    assert.doesNotMatch(results, /&\w+;/);
    assertNoErrors(s);
    await s.close();
  });

  // The lowest total is -4 (a wrong field costs 4): 3 of 4 is 87.5 %; the
  // same field answered wrongly counts -4 at the finish.
  for (const { typed, score, percent } of [
    { typed: '', score: 3, percent: '87.5 %' },
    { typed: 'no', score: -1, percent: '37.5 %' },
  ]) {
    test(`without review, field ${typed ? 'wrong' : 'empty'}: ${percent}, results only`, async () => {
      const s = await openTest(ctx, servers[1], noReview.testFolder);
      await s.waitForShown('q0.htm');
      for (const id of ['b1', 'b2', 'b3']) await s.clickElement('question', `${id}0div`);
      if (typed) await s.typeInto('f1', typed);
      await s.press('Finish');
      await s.settle();
      const results = await s.resultsText();
      assert.ok(results.includes(`You scored ${score} out of 4`), results);
      assert.ok(results.includes('Lowest possible score: -4'), results);
      assert.ok(results.includes(percent), results);
      assert.ok(!results.includes('Use the arrows'), 'no review note');
      assert.ok(!results.includes('Print these results'), 'no print link');
      // The examiner's name holds markup: the student sees it as typed.
      assert.ok(results.includes('Ms <u>Ames</u> & Co'), results);
      assert.equal(await s.evaluate((q) => q.document.getElementsByTagName('u').length), 0);

      await s.press('Arrow2');
      await s.settle();
      assert.equal(await s.shown(), 'results', 'only the results page is left');
      assert.equal((await s.position('control', 'Sliderdiv')).left, 82);
      assertNoErrors(s);
      await s.close();
    });
  }
});
