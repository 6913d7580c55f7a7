// Select buttons under a limit of one and of two, both halves of a
// true/false button, Mark with ticks and crosses, and Cheat while held.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { exportFixture, serve } from '../lib/exporter.js';
import { assertNoErrors, eachBrowser, openTest } from '../lib/harness.js';

const exported = exportFixture('choices');
let served;
before(async () => { served = await serve(exported); });
after(async () => { await served.close(); });

const chosen = (s, ids) => s.visibleIds(ids.map((id) => `${id}2div`));
const marks = async (s, ids) => {
  const out = {};
  for (const id of ids) {
    const tick = await s.visible(`${id}tick`) === 'visible';
    const cross = await s.visible(`${id}cross`) === 'visible';
    out[id] = tick && cross ? 'both' : tick ? 'tick' : cross ? 'cross' : '';
  }
  return out;
};
// A true/false button: its left half chooses true (state 3), its right half false (state 4).
const half = (s, id, side) => s.clickElement('question', `${id}0div`, side === 'true' ? 0.25 : 0.75);
const tfState = async (s, id) => (await s.visible(`${id}3div`)) === 'visible' ? 'true'
  : (await s.visible(`${id}4div`)) === 'visible' ? 'false' : '';

eachBrowser('choices', (ctx) => {
  test('a limit of one keeps one choice; Mark ticks and crosses it', async () => {
    const s = await openTest(ctx, served, exported.testFolder);
    await s.waitForShown('q0.htm');
    await s.clickElement('question', 'b10div');
    assert.deepEqual(await chosen(s, ['b1', 'b2', 'b3']), ['b12div']);
    await s.clickElement('question', 'b20div');
    assert.deepEqual(await chosen(s, ['b1', 'b2', 'b3']), ['b22div'], 'the earlier choice is undone');

    await s.press('Mark');
    assert.deepEqual(await marks(s, ['b1', 'b2', 'b3']), { b1: '', b2: 'cross', b3: '' });
    await s.clickElement('question', 'b10div');
    assert.deepEqual(await chosen(s, ['b1', 'b2', 'b3']), ['b12div']);
    await s.press('Mark');
    assert.deepEqual(await marks(s, ['b1', 'b2', 'b3']), { b1: 'tick', b2: '', b3: '' });

    // Pressing the chosen button again takes the choice back.
    await s.clickElement('question', 'b12div');
    assert.deepEqual(await chosen(s, ['b1', 'b2', 'b3']), []);
    assertNoErrors(s);
    await s.close();
  });

  test('a limit of two undoes the oldest choice, in element order after a return', async () => {
    const s = await openTest(ctx, served, exported.testFolder);
    await s.waitForShown('q0.htm');
    await s.press('Arrow2');
    await s.waitForShown('q1.htm');
    for (const id of ['b3', 'b1']) await s.clickElement('question', `${id}0div`);
    assert.deepEqual(await chosen(s, ['b1', 'b2', 'b3']), ['b12div', 'b32div']);
    await s.clickElement('question', 'b20div');
    assert.deepEqual(await chosen(s, ['b1', 'b2', 'b3']), ['b12div', 'b22div'], 'b3 was chosen first');

    await s.press('Arrow1');
    await s.waitForShown('q0.htm');
    await s.press('Arrow2');
    await s.waitForShown('q1.htm');
    await s.clickElement('question', 'b30div');
    assert.deepEqual(await chosen(s, ['b1', 'b2', 'b3']), ['b22div', 'b32div'], 'b1 comes first in the question');
    assertNoErrors(s);
    await s.close();
  });

  test('both halves of a true/false button; Mark and Cheat', async () => {
    const s = await openTest(ctx, served, exported.testFolder);
    await s.waitForShown('q0.htm');
    await s.clickElement('question', 'b20div'); // a wrong choice, to see Cheat hide it
    await s.press('Arrow2');
    await s.waitForShown('q1.htm');
    await s.press('Arrow2');
    await s.waitForShown('q2.htm');

    await half(s, 't1', 'true');
    assert.equal(await tfState(s, 't1'), 'true');
    await half(s, 't1', 'false');
    assert.equal(await tfState(s, 't1'), 'false', 'the other half switches');
    await half(s, 't1', 'false');
    assert.equal(await tfState(s, 't1'), '', 'the chosen half again takes it back');
    await half(s, 't1', 'true');
    await half(s, 't2', 'true');
    await s.press('Mark');
    assert.deepEqual(await marks(s, ['t1', 't2', 't3']), { t1: 'tick', t2: 'cross', t3: '' });

    await s.press('Cheat', { hold: true });
    await s.settle(); // still shown once the layers have settled under the pointer
    assert.deepEqual([await tfState(s, 't1'), await tfState(s, 't2'), await tfState(s, 't3')], ['true', 'false', ''],
      'held: the best state of each, neither where no state is best');
    await s.release();
    assert.deepEqual([await tfState(s, 't1'), await tfState(s, 't2'), await tfState(s, 't3')], ['true', 'true', ''],
      'released: the student\'s own answers');

    await s.press('Arrow1');
    await s.waitForShown('q1.htm');
    await s.press('Arrow1');
    await s.waitForShown('q0.htm');
    await s.press('Cheat', { hold: true });
    await s.settle(); // still shown once the layers have settled under the pointer
    assert.deepEqual(await chosen(s, ['b1', 'b2', 'b3']), ['b12div']);
    await s.release();
    assert.deepEqual(await chosen(s, ['b1', 'b2', 'b3']), ['b22div']);
    assertNoErrors(s);
    await s.close();
  });
});
