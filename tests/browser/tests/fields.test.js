// Typed answers: each edit restriction, ranges, marking and the cheat view.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { exportFixture, serve } from '../lib/exporter.js';
import { assertNoErrors, eachBrowser, openTest } from '../lib/harness.js';

const exported = exportFixture('fields');
let served;
before(async () => { served = await serve(exported); });
after(async () => { await served.close(); });

// Field, keys typed, what the filter leaves, the mark.
const CASES = [
  { id: 'f1', keys: 'PARIS', value: 'PARIS', mark: 'tick' },     // text, any case
  { id: 'f2', keys: 'a1b.50', value: '1.50', mark: 'tick' },     // decimal: letters dropped; 1.50 is 1.5
  { id: 'f3', keys: '1x2.', value: '12', mark: 'tick' },         // whole: the point dropped too
  { id: 'f4', keys: '7', value: '7', mark: 'tick' },             // range given as 10 to 5
  { id: 'f5', keys: '4', value: '4', mark: 'cross' },            // outside 1 to 3
  // 3.14 give or take 0.01: both ends are right, just past them is wrong.
  { id: 'f6', keys: '3.13', value: '3.13', mark: 'tick' },
  { id: 'f7', keys: '3.15', value: '3.15', mark: 'tick' },
  { id: 'f8', keys: '3.129', value: '3.129', mark: 'cross' },
  { id: 'f9', keys: '3.151', value: '3.151', mark: 'cross' },
];

const markOf = async (s, id) => {
  const tick = await s.visible(`${id}tick`) === 'visible';
  const cross = await s.visible(`${id}cross`) === 'visible';
  return tick && cross ? 'both' : tick ? 'tick' : cross ? 'cross' : '';
};

eachBrowser('fields', (ctx) => {
  test('restrictions filter the keys; Mark judges texts, numbers and ranges', async () => {
    const s = await openTest(ctx, served, exported.testFolder);
    await s.waitForShown('q0.htm');
    await s.press('Mark');
    for (const { id } of CASES) assert.equal(await markOf(s, id), '', `${id}: empty is not marked`);

    for (const { id, keys, value } of CASES) {
      await s.typeInto(id, keys);
      assert.equal(await s.fieldValue(id), value, `${id} after typing ${keys}`);
    }
    await s.press('Mark');
    for (const { id, mark } of CASES) assert.equal(await markOf(s, id), mark, id);

    // Typing again takes the mark away.
    await s.clickElement('question', 'f5');
    await s.page.keyboard.press('Backspace');
    assert.equal(await markOf(s, 'f5'), '');

    await s.press('Cheat', { hold: true });
    await s.settle(); // still shown once the layers have settled under the pointer
    const shown = [];
    for (const { id } of CASES) shown.push(await s.fieldValue(id));
    assert.deepEqual(shown, ['Paris', '1.5', '12', '10 to 5', '1 to 3', ...Array(4).fill('3.13 to 3.15')]);
    await s.release();
    await s.settle();
    assert.deepEqual([await s.fieldValue('f1'), await s.fieldValue('f4')], ['PARIS', '7']);
    assertNoErrors(s);
    await s.close();
  });
});
