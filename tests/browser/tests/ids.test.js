// Author's ids that differ only in characters a page id cannot hold ("b-1"
// and "b1"): each element keeps its own blocks and its own answer.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { exportFixture, serve } from '../lib/exporter.js';
import { assertNoErrors, eachBrowser, openTest } from '../lib/harness.js';

const exported = exportFixture('ids');
let served;
before(async () => { served = await serve(exported); });
after(async () => { await served.close(); });

eachBrowser('ids', (ctx) => {
  test('two ids made alike stay two elements with two answers', async () => {
    const s = await openTest(ctx, served, exported.testFolder);
    await s.waitForShown('q0.htm');
    const ids = await s.evaluate((q) => [...q.document.querySelectorAll('[id]')].map((e) => e.id));
    assert.deepEqual(ids.filter((id, i) => ids.indexOf(id) !== i), [], 'no id twice on the page');

    // The lower button and the lower field are the second of each pair.
    const boxes = await s.evaluate((q) => [...q.document.querySelectorAll('input')].map((e) => e.id));
    assert.equal(boxes.length, 2);
    await s.clickElement('question', 'b10div');
    await s.typeInto(boxes[0], 'upper');
    await s.typeInto(boxes[1], 'lower');
    assert.deepEqual(await s.visibleIds(['b12div', 'b1_22div']), ['b12div']);

    await s.press('Arrow2');
    await s.waitForShown('q1.htm');
    await s.press('Arrow1');
    await s.waitForShown('q0.htm');
    assert.deepEqual([await s.fieldValue(boxes[0]), await s.fieldValue(boxes[1])], ['upper', 'lower']);
    assert.deepEqual(await s.visibleIds(['b12div', 'b1_22div']), ['b12div']);

    await s.press('Mark');
    assert.deepEqual(await s.visibleIds(['b1tick', 'b1cross', 'b1_2tick', 'b1_2cross']), ['b1tick']);
    assertNoErrors(s);
    await s.close();
  });
});
