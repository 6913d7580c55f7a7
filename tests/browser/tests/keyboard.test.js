// The whole test by keyboard alone, in reading order, with nothing but key
// presses: start, a choice, both halves of true/false, a typed field, a drag
// carried to its place, Mark, Cheat, the slider and the arrows, the Alt+N
// shortcut, Finish, and the review of the results; then every key that
// moves between questions (the slider's, Alt+N and Alt+P from both frames).
// Earlier elements are reached with Shift+Tab: headless Firefox skips the
// first frame when Tab wraps around from the last element of a frameset (a
// plain frameset does the same there).
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { exportFixture, serve } from '../lib/exporter.js';
import { assertNoErrors, eachBrowser, openTest } from '../lib/harness.js';
import { announced, focused, key, named, tabTo } from '../lib/keyboard.js';

const exported = exportFixture('keyboard');
let served;
before(async () => { served = await serve(exported); });
after(async () => { await served.close(); });

const bar = (name) => (f) => f.frame === 'control' && f.name === name;

eachBrowser('keyboard', (ctx) => {
  test('a test taken with the keyboard alone', async () => {
    const s = await openTest(ctx, served, exported.testFolder);
    await s.page.bringToFront();
    await s.waitForShown('p0.htm');
    const start = await focused(s);
    assert.deepEqual([start.frame, start.id, start.ring.split(' ')[0]], ['question', 'question', 'none'],
      'the page\'s text has the focus, to be read, without a ring a mouse user would see');

    // Start from the pre-test page.
    await tabTo(s, named('Start Test'));
    await key(s, 'Enter');
    await s.waitForShown('q0.htm');

    // Reading order: the choices, then the bar from left to right.
    const order = [];
    const first = await tabTo(s, named('A: Venus'));
    order.push(first.name);
    for (let i = 0; i < 8; i++) {
      await key(s, 'Tab');
      order.push((await focused(s)).name);
    }
    assert.deepEqual(order, ['A: Venus', 'B: Mars', 'Help', 'Previous question', 'Question slider', 'Next question',
      'Cheat', 'Mark', 'Finish']);

    // The focus shows as a ring on the question page and on the bar.
    assert.equal((await focused(s)).ring, 'solid 2px', 'a ring on the bar');
    assert.equal((await tabTo(s, named('B: Mars'), { back: true })).ring, 'solid 3px', 'a ring on the page');

    // A choice with Space; Mark says right or wrong.
    await tabTo(s, named('B: Mars'), { back: true });
    await key(s, ' ');
    assert.deepEqual(await s.visibleIds(['c12div', 'c22div']), ['c22div']);
    assert.equal((await focused(s)).checked, 'true');
    await tabTo(s, bar('Mark'));
    await key(s, 'Enter');
    assert.equal(await s.visible('c2tick'), 'visible');
    assert.match(await announced(s, /Mars/), /B: Mars: right/);

    // The forward arrow.
    await tabTo(s, bar('Next question'), { back: true });
    await key(s, 'Enter');
    await s.waitForShown('q1.htm');

    // Both halves of true/false.
    await tabTo(s, named('Spiders have six legs: false'), { back: true });
    await key(s, 'Enter');
    await tabTo(s, named('The Sun is a star: true'));
    await key(s, ' ');
    assert.equal((await focused(s)).pressed, 'true');
    assert.deepEqual(await s.visibleIds(['s13div', 's14div', 's23div', 's24div']), ['s14div', 's23div']);

    // The slider: one question on with the right arrow.
    const slider = await tabTo(s, bar('Question slider'));
    assert.equal(slider.valueText, 'Question 2 of 4');
    await key(s, 'ArrowRight');
    await s.waitForShown('q2.htm');
    assert.equal((await focused(s)).valueText, 'Question 3 of 4');

    // A typed answer, labelled by its question and the text beside it.
    await tabTo(s, named('Capitals: The capital of France'), { back: true });
    await s.page.keyboard.type('Paris', { delay: 5 });
    assert.equal(await s.fieldValue('f1'), 'Paris');

    // Alt+N from the question frame.
    await s.page.keyboard.down('Alt');
    await s.page.keyboard.press('KeyN');
    await s.page.keyboard.up('Alt');
    await s.waitForShown('q3.htm');

    // A drag without dragging: picked with Enter, carried with the arrows and
    // Tab, put back with Escape, then dropped with Enter.
    const home = await s.position('question', 'd10div');
    await tabTo(s, named('Rhine'));
    await key(s, 'Enter');
    assert.match(await announced(s, /picked up/), /^Rhine picked up/);
    assert.equal((await focused(s)).pressed, 'true');
    await key(s, 'ArrowDown');
    assert.match(await announced(s, /Place 1/), /Place 1 of 2: Germany/);
    await key(s, 'Tab');
    assert.match(await announced(s, /Place 2/), /Place 2 of 2: Spain/);
    assert.equal((await focused(s)).name, 'Rhine', 'Tab carries the item and keeps the focus on it');
    await key(s, 'Escape');
    assert.deepEqual(await s.position('question', 'd10div'), home, 'Escape puts it back');
    assert.equal((await focused(s)).pressed, 'false');

    await key(s, ' ');
    await key(s, 'ArrowRight');
    await key(s, 'Enter');
    await s.settle();
    assert.deepEqual(await s.position('question', 'd10div'), { left: 320, top: 95 }, 'centred on Germany');
    assert.match(await announced(s, /Dropped/), /Dropped on Place 1 of 2: Germany/);

    // Mark, then Cheat held down on the bar, then released.
    await tabTo(s, bar('Mark'));
    await key(s, 'Enter');
    assert.equal(await s.visible('d1cross'), 'visible');
    assert.match(await announced(s, /Rhine/), /Rhine: wrong/);
    await tabTo(s, bar('Cheat'), { back: true });
    await s.page.keyboard.down(' ');
    await new Promise((r) => setTimeout(r, 100));
    assert.deepEqual(await s.position('question', 'd10div'), { left: 320, top: 215 }, 'Cheat shows the right place');
    assert.match(await announced(s, /right answers/), /The right answers: Rhine: Place 2 of 2: Spain/);
    await s.page.keyboard.up(' ');
    await new Promise((r) => setTimeout(r, 100));
    assert.deepEqual(await s.position('question', 'd10div'), { left: 320, top: 95 }, 'the own answer is back');
    assert.match(await announced(s, /back/), /Your own answers are back/);

    // Carried again, to the right place this time.
    await tabTo(s, named('Rhine'), { back: true });
    await key(s, 'Enter');
    await key(s, 'ArrowDown');
    await key(s, 'ArrowDown');
    await key(s, 'Enter');
    await s.settle();
    assert.deepEqual(await s.position('question', 'd10div'), { left: 320, top: 215 });

    // Home and End on the slider, then the back arrow.
    await tabTo(s, bar('Question slider'));
    await key(s, 'Home');
    await s.waitForShown('q0.htm');
    await key(s, 'End');
    await s.waitForShown('q3.htm');
    await tabTo(s, bar('Previous question'), { back: true });
    await key(s, 'Enter');
    await s.waitForShown('q2.htm');
    assert.equal(await s.fieldValue('f1'), 'Paris', 'the typed answer was kept');

    // Finish: the score is announced.
    await tabTo(s, bar('Finish'));
    await key(s, 'Enter');
    await s.settle();
    assert.match(await s.resultsText(), /You scored 6 out of 6/i);
    assert.match(await announced(s, /scored/), /You scored 6 out of 6 \(100 %\)\./);
    assert.match(await s.evaluate((q) => q.document.title), /Keys: Results/);

    // Review: the slider walks the marked questions; their answers stay as they are.
    await tabTo(s, bar('Question slider'), { back: true });
    await key(s, 'ArrowRight');
    await s.waitForShown('q0.htm');
    assert.equal((await focused(s)).valueText, 'Question 1 of 4');
    assert.equal(await s.visible('c2tick'), 'visible');
    await tabTo(s, named('A: Venus'), { back: true });
    await key(s, 'Enter');
    assert.deepEqual(await s.visibleIds(['c12div', 'c22div']), ['c22div'], 'a reviewed answer cannot change');
    assertNoErrors(s);
    await s.close();
  });

  // Every key the help page lists for moving between questions, each from
  // where a student presses it: the slider's keys on the slider, Alt+N and
  // Alt+P from the bar and from the question page.
  test('every key that moves between questions goes where it says, from either frame', async () => {
    const s = await openTest(ctx, served, exported.testFolder);
    await s.page.bringToFront();
    await s.waitForShown('p0.htm');
    await tabTo(s, named('Start Test'));
    await key(s, 'Enter');
    await s.waitForShown('q0.htm');

    const on = {
      slider: { accept: bar('Question slider') },
      bar: { accept: bar('Mark') },
      question: { accept: (f) => f.frame === 'question', back: true },
    };
    const MOVES = [
      ['slider', 'ArrowRight', 'q1.htm'], ['slider', 'ArrowLeft', 'q0.htm'],
      ['slider', 'ArrowUp', 'q1.htm'], ['slider', 'ArrowDown', 'q0.htm'],
      ['slider', 'PageUp', 'q1.htm'], ['slider', 'PageDown', 'q0.htm'],
      ['slider', 'End', 'q3.htm'], ['slider', 'Home', 'q0.htm'],
      ['bar', 'Alt+N', 'q1.htm'], ['bar', 'Alt+N', 'q2.htm'], ['bar', 'Alt+P', 'q1.htm'],
      ['question', 'Alt+N', 'q2.htm'], ['question', 'Alt+P', 'q1.htm'], ['question', 'Alt+P', 'q0.htm'],
    ];
    for (const [where, pressed, page] of MOVES) {
      const { accept, back } = on[where];
      if (!accept(await focused(s))) await tabTo(s, accept, { back });
      if (pressed.startsWith('Alt+')) {
        await s.page.keyboard.down('Alt');
        await s.page.keyboard.press(`Key${pressed.slice(4)}`);
        await s.page.keyboard.up('Alt');
      } else {
        await key(s, pressed);
      }
      await s.waitForShown(page).catch(async () => {
        assert.fail(`${pressed} on the ${where} showed ${await s.shown()}, not ${page}`);
      });
    }
    assertNoErrors(s);
    await s.close();
  });
});
