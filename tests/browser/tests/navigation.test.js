// Pre-test pages, the start button, arrows, the slider, and answers kept
// while the student moves between questions.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { exportFixture, serve } from '../lib/exporter.js';
import { assertNoErrors, eachBrowser, openTest } from '../lib/harness.js';

const exported = exportFixture('navigation');
const withFeedback = { exported: exportFixture('feedback') };
let served;
before(async () => { [served, withFeedback.served] = await Promise.all([serve(exported), serve(withFeedback.exported)]); });
after(async () => { await Promise.all([served.close(), withFeedback.served.close()]); });

// 640 wide without Mark and Cheat: the thumb runs from 82 to 530, 112 pixels
// a position for five questions.
const THUMB = [82, 194, 306, 418, 530];

eachBrowser('navigation', (ctx) => {
  let s;
  const questionText = () => s.evaluate((q) => q.document.body.innerText.match(/Question [A-E]/)?.[0]);
  const thumbLeft = async () => (await s.position('control', 'Sliderdiv')).left;
  // Page x of a thumb left position: the thumb's centre follows the pointer.
  const pointerXFor = async (left) => {
    const b = await s.box('control', 'Sliderdiv');
    return b.x - (await thumbLeft()) + left + 13;
  };
  const start = async () => {
    s = await openTest(ctx, served, exported.testFolder);
    await s.press('Arrow2');
    await s.waitForShown('p1.htm');
    await s.clickElement('question', 'StartTestdiv0');
    await s.waitForShown('q0.htm');
  };

  test('pre-test pages lead to the start button, which starts the test', async () => {
    s = await openTest(ctx, served, exported.testFolder);
    assert.equal(await s.shown(), 'p0.htm');
    assert.equal(await s.title(), 'Navigation: (Introduction)');
    assert.equal(await s.visible('StartTestdiv0'), 'hidden', 'no start button before the last page');

    // Finish is covered by its disabled layer during the pre-test.
    await s.press('Finish');
    await s.press('Arrow1');
    assert.equal(await s.shown(), 'p0.htm');
    assert.deepEqual(s.dialogs, []);

    await s.press('Arrow2');
    await s.waitForShown('p1.htm');
    assert.equal(await thumbLeft(), 530);
    assert.equal(await s.visible('StartTestdiv0'), 'visible');
    await s.press('Arrow2');
    await s.settle();
    assert.equal(await s.shown(), 'p1.htm', 'the right arrow never starts the test');

    await s.clickElement('question', 'StartTestdiv0');
    await s.waitForShown('q0.htm');
    assert.equal(await s.title(), 'Navigation: Question 1');
    assert.equal(await questionText(), 'Question A');
    assert.equal(await thumbLeft(), 82);
    assertNoErrors(s);
    await s.close();
  });

  test('arrows and the slider move between the questions', async () => {
    await start();
    await s.press('Arrow1');
    await s.settle();
    assert.equal(await s.shown(), 'q0.htm', 'nothing before the first question');

    await s.press('Arrow2');
    await s.waitForShown('q1.htm');
    assert.equal(await s.title(), 'Navigation: Question 2');
    assert.equal(await thumbLeft(), THUMB[1]);

    // Clicking the slide line right of the thumb moves on, left of it back.
    const line = await s.box('control', 'Sliderdiv');
    await s.clickAt(await pointerXFor(480), line.y + 13);
    await s.waitForShown('q2.htm');
    await s.clickAt(await pointerXFor(100), line.y + 13);
    await s.waitForShown('q1.htm');

    // Dragging the thumb: released exactly halfway it goes to the later position.
    const cases = [
      { left: 306 + 56, expect: 3 },
      { left: 194 + 55, expect: 1 },
      { left: 194 + 56, expect: 2 },
      { left: 600, expect: 4 }, // beyond the line the thumb stops at its end
    ];
    for (const { left, expect } of cases) {
      const y = line.y + 13;
      await s.dragBy({ x: await pointerXFor(await thumbLeft()), y }, { x: await pointerXFor(left), y });
      await s.waitForShown(`q${expect}.htm`);
      assert.equal(await thumbLeft(), THUMB[expect], `thumb released at ${left}`);
    }
    await s.press('Arrow2');
    await s.settle();
    assert.equal(await s.shown(), 'q4.htm', 'nothing after the last question');
    assertNoErrors(s);
    await s.close();
  });

  test('answers stay with their question', async () => {
    await start();
    await s.clickElement('question', 'button10div');
    await s.typeInto('field1', '  New   York  ');
    await s.press('Arrow2');
    await s.waitForShown('q1.htm');
    assert.equal(await s.visible('button12div'), 'hidden');
    assert.equal(await s.fieldValue('field1'), '');
    await s.press('Arrow1');
    await s.waitForShown('q0.htm');
    assert.equal(await s.visible('button12div'), 'visible');
    assert.equal(await s.fieldValue('field1'), 'New York', 'white space collapsed');

    // Two moves before the next page has loaded must not file this page's
    // answers under the question in between.
    await s.evaluate((q, c) => {
      const arrow = c.document.querySelector('#Arrow2div0 img');
      arrow.onmousedown();
      arrow.onmousedown();
    });
    await s.waitForShown('q2.htm');
    await s.press('Arrow1');
    await s.waitForShown('q1.htm');
    assert.equal(await s.visible('button12div'), 'hidden');
    assert.equal(await s.fieldValue('field1'), '');
    assertNoErrors(s);
    await s.close();
  });

  // Presses the right arrow from question `first` until question `last` is
  // shown and reports three moments of each move, counted from the press:
  // the page written into its frame, the first frame painted after that, and
  // its load finished (pictures in and the answers restored).
  const timeMoves = async (session, label, first, last) => {
    const moments = { written: [], painted: [], loaded: [] };
    await session.page.evaluate(() => {
      const clock = () => performance.timeOrigin + performance.now();
      const write = window.writePage;
      window.writePage = function (win, name, text) {
        write(win, name, text);
        if (win !== window.frames.question || !window.move) return;
        const move = window.move;
        move.written = clock();
        requestAnimationFrame(() => { move.painted = clock(); });
        win.addEventListener('load', () => { move.loaded = clock(); }, { once: true });
      };
    });
    for (let k = first + 1; k <= last; k++) {
      await session.evaluate((q, c) => {
        window.move = {};
        c.document.addEventListener('mousedown', () => { window.move.pressed = c.performance.timeOrigin + c.performance.now(); },
          { capture: true, once: true });
      });
      await session.press('Arrow2');
      await session.waitForShown(`q${k}.htm`);
      const move = await session.page.evaluate(() => window.move);
      for (const key of Object.keys(moments)) moments[key].push(move[key] - move.pressed);
    }
    const list = (values) => values.map((t) => t.toFixed(1)).join(', ');
    console.log(`# next question${label} in ${ctx.name} over ${ctx.way}: written after ${list(moments.written)} ms; `
      + `painted after ${list(moments.painted)} ms; loaded after ${list(moments.loaded)} ms `
      + `(worst painted ${Math.max(...moments.painted).toFixed(1)} ms)`);
  };

  test('moving to the next question is quick', async () => {
    await start();
    await timeMoves(s, '', 0, 4);
    assertNoErrors(s);
    await s.close();
    // Questions with feedback frames (two or three each) move as quickly.
    const f = await openTest(ctx, withFeedback.served, withFeedback.exported.testFolder);
    await f.waitForShown('q0.htm');
    await timeMoves(f, ' (with feedback)', 0, 3);
    assertNoErrors(f);
    await f.close();
  });
});
