// Videos: a kind current browsers play shows as a video with controls and
// loads; any other kind is a link to the file, named, never an empty box.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { fileURLToPath } from 'node:url';
import { after, before, test } from 'node:test';
import { exportFixture, serve } from '../lib/exporter.js';
import { assertNoErrors, eachBrowser, openTest } from '../lib/harness.js';

const exported = exportFixture('videos');
let served;
before(async () => { served = await serve(exported); });
after(async () => { await served.close(); });

eachBrowser('videos', (ctx) => {
  test('WebM plays in a video element; AVI is offered as a link', async () => {
    const s = await openTest(ctx, served, exported.testFolder);
    await s.waitForShown('q0.htm');
    await s.page.waitForFunction(() => {
      const v = window.frames.question.document.querySelector('#video1div video');
      return v && v.readyState >= 1;
    }, { polling: 20, timeout: 10000 });
    const video = await s.evaluate((q) => {
      const v = q.document.querySelector('#video1div video');
      const box = v.getBoundingClientRect();
      return { controls: v.controls, width: box.width, height: box.height, duration: v.duration, error: v.error };
    });
    assert.equal(video.controls, true);
    assert.equal(video.error, null);
    assert.ok(video.duration > 0, `the clip's length is known: ${video.duration}`);
    assert.deepEqual([video.width, video.height], [160, 120]);

    const link = await s.evaluate((q) => {
      const block = q.document.getElementById('video2div');
      const a = block.querySelector('a');
      return { text: block.innerText.trim(), href: a?.href, embeds: block.querySelectorAll('embed, object, video').length };
    });
    assert.equal(link.text, 'old.avi');
    assert.equal(link.embeds, 0);
    if (link.href.startsWith('file:')) assert.ok(fs.existsSync(fileURLToPath(link.href)), 'the link reaches the file');
    else assert.equal((await fetch(link.href)).status, 200, 'the link reaches the file');
    assert.equal(await s.evaluate((q) => q.document.querySelectorAll('embed, object').length), 0);
    assertNoErrors(s);
    await s.close();
  });
});
