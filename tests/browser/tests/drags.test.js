// Drag items: dropping on targets, overlap allowed and not, two targets
// touched, three-layer picture items, marking, cheating, a selection limit,
// touch input, and items carried by taps instead of drags.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { exportFixture, serve } from '../lib/exporter.js';
import { assertNoErrors, eachBrowser, openTest } from '../lib/harness.js';

const exported = exportFixture('drags');
let served;
before(async () => { served = await serve(exported); });
after(async () => { await served.close(); });

// Targets in page pixels of the question: left, top, width, height.
const T0 = [300, 80, 120, 50], T1 = [300, 200, 120, 50], T2 = [430, 80, 120, 50];
const HOME = { d1: [40, 80], d2: [40, 140], d3: [40, 200], d4: [40, 260] };
// Where an item of this size lies when centred on a target.
const centred = ([l, t, w, h], [iw, ih]) => [l + w / 2 - iw / 2, t + h / 2 - ih / 2];
const TEXT = [100, 20], PICTURE = [60, 40];

eachBrowser('drags', (ctx) => {
  let s, origin;
  const at = async (id) => {
    const p = await s.position('question', id);
    return [p.left, p.top];
  };
  // Drops item `id` with its centre on question point (x, y), then lets the glide finish.
  const drop = async (id, x, y) => {
    await s.dragElement(`${id}0div`, { x: origin.x + x, y: origin.y + y });
    await new Promise((r) => setTimeout(r, 500));
  };
  const open = async () => {
    s = await openTest(ctx, served, exported.testFolder);
    await s.waitForShown('q0.htm');
    const cover = await s.box('question', 'cover');
    origin = { x: cover.x, y: cover.y };
  };

  test('items land centred on targets, or go home', async () => {
    await open();
    await drop('d1', 360, 225);
    assert.deepEqual(await at('d10div'), centred(T1, TEXT), 'centred on T1');
    await drop('d2', 350, 215);
    assert.deepEqual(await at('d20div'), HOME.d2, 'T1 is taken and d2 may not overlap');
    await drop('d3', 350, 215);
    assert.deepEqual(await at('d30div'), centred(T1, TEXT), 'd3 may share a target');
    await drop('d2', 425, 105);
    assert.deepEqual(await at('d20div'), centred(T0, TEXT), 'touching T0 and T2: the first target');
    await drop('d4', 490, 105);
    const d4 = centred(T2, PICTURE);
    for (const layer of ['d40div', 'd41div', 'd42div']) assert.deepEqual(await at(layer), d4, `${layer} moves with the item`);
    await drop('d3', 200, 380);
    assert.deepEqual(await at('d30div'), HOME.d3, 'dropped on no target: home');

    // Marks: on T1 (0) and T0 (1) the best (T2, 2) is missed; the tick and
    // cross sit at the item's lower right corner; an item at home has neither.
    await s.press('Mark');
    assert.deepEqual(await s.visibleIds(['d3tick', 'd3cross']), []);
    const expected = { d1: 'cross', d2: 'cross', d4: 'tick' };
    for (const [id, mark] of Object.entries(expected)) {
      assert.equal(await s.visible(`${id}${mark}`), 'visible', `${id} ${mark}`);
      const [l, t] = await at(`${id}0div`);
      const size = id === 'd4' ? PICTURE : TEXT;
      assert.deepEqual(await at(`${id}${mark}`), [Math.trunc(l) + size[0] - 20, Math.trunc(t) + size[1] - 20]);
    }

    // Cheat puts the first item on the best target, the others home (it is taken).
    await s.press('Cheat', { hold: true });
    await s.settle();
    assert.deepEqual(await at('d10div'), centred(T2, TEXT));
    for (const id of ['d2', 'd3', 'd4']) assert.deepEqual(await at(`${id}0div`), HOME[id], `${id} home while cheating`);
    await s.release();
    await s.settle();
    assert.deepEqual(await at('d20div'), centred(T0, TEXT), 'released: the student\'s places');

    // Places survive leaving the question.
    await s.press('Arrow2');
    await s.waitForShown('q1.htm');
    await s.press('Arrow1');
    await s.waitForShown('q0.htm');
    assert.deepEqual(await at('d10div'), centred(T1, TEXT));
    assert.deepEqual(await at('d42div'), d4);
    assertNoErrors(s);
    await s.close();
  });

  test('with a limit of one, a second item on a target sends the first home', async () => {
    await open();
    await s.press('Arrow2');
    await s.waitForShown('q1.htm');
    await drop('d1', 360, 105);
    await drop('d1', 360, 225);
    assert.deepEqual(await at('d10div'), centred(T1, TEXT), 'moving the chosen item keeps it chosen');
    await drop('d2', 360, 105);
    assert.deepEqual(await at('d20div'), centred(T0, TEXT));
    assert.deepEqual(await at('d10div'), HOME.d1, 'pushed out');
    assertNoErrors(s);
    await s.close();
  });

  test('a finger drags items too', async () => {
    await open();
    const b = await s.box('question', 'd10div');
    await s.page.touchscreen.touchStart(b.x + b.width / 2, b.y + b.height / 2);
    for (let k = 1; k <= 8; k++) {
      await s.page.touchscreen.touchMove(b.x + b.width / 2 + (origin.x + 360 - b.x - b.width / 2) * k / 8,
        b.y + b.height / 2 + (origin.y + 105 - b.y - b.height / 2) * k / 8);
    }
    await s.page.touchscreen.touchEnd();
    await new Promise((r) => setTimeout(r, 500));
    assert.deepEqual(await at('d10div'), centred(T0, TEXT));
    assertNoErrors(s);
    await s.close();
  });

  test('a tap picks an item up and a tap on a target drops it; a tap elsewhere puts it back', async () => {
    await open();
    const tapOn = async (x, y) => { await s.page.touchscreen.tap(x, y); await new Promise((r) => setTimeout(r, 150)); };
    const centre = async (id) => { const b = await s.box('question', id); return [b.x + b.width / 2, b.y + b.height / 2]; };
    await tapOn(...await centre('d10div'));
    assert.deepEqual(await at('d10div'), HOME.d1, 'a tap does not move the item');
    assert.equal(await s.evaluate((q) => q.document.querySelector('[data-drag="d1"]').getAttribute('aria-pressed')), 'true');
    await tapOn(origin.x + 360, origin.y + 225);
    await s.settle();
    assert.deepEqual(await at('d10div'), centred(T1, TEXT), 'dropped on the tapped target');

    // A picture item of three layers, picked with the mouse: the press lands on a layer above.
    const [x, y] = await centre('d40div');
    await s.clickAt(x, y);
    await new Promise((r) => setTimeout(r, 150));
    await s.clickAt(origin.x + 200, origin.y + 380);
    await s.settle();
    assert.deepEqual(await at('d40div'), HOME.d4, 'a tap on no target puts it back');
    await s.clickAt(x, y);
    await new Promise((r) => setTimeout(r, 150));
    await s.clickAt(origin.x + 490, origin.y + 105);
    await s.settle();
    for (const layer of ['d40div', 'd41div', 'd42div']) assert.deepEqual(await at(layer), centred(T2, PICTURE), layer);
    await s.press('Mark');
    assert.equal(await s.visible('d4tick'), 'visible', 'marked as a dragged drop is');
    assertNoErrors(s);
    await s.close();
  });
});
