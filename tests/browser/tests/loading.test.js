// Answers given while a question's page is still loading (a slow picture):
// they are kept when the student moves on and when the page finishes loading,
// and never filed under another question.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { exportFixture } from '../lib/exporter.js';
import { assertNoErrors, eachBrowser, openTest } from '../lib/harness.js';

const exported = exportFixture('loading');

// Serves the export; the slow picture is answered only when the test lets it go.
let server;
let held = [];
let holding = false;
const letPictureGo = () => { holding = false; for (const go of held.splice(0)) go(); };
before(async () => {
  server = http.createServer((req, res) => {
    const file = path.join(exported.folder, decodeURIComponent(new URL(req.url, 'http://x').pathname));
    if (!file.startsWith(exported.folder) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      res.writeHead(404).end();
      return;
    }
    const answer = () => {
      const type = file.endsWith('.gif') ? 'image/gif' : file.endsWith('.js') ? 'text/javascript' : 'text/html';
      res.writeHead(200, { 'Content-Type': type, 'Cache-Control': 'no-store' }).end(fs.readFileSync(file));
    };
    if (holding && file.endsWith('slow.gif')) held.push(answer);
    else answer();
  });
  await new Promise((r) => server.listen(0, '127.0.0.1', r));
});
after(async () => { letPictureGo(); server.closeAllConnections(); await new Promise((r) => server.close(r)); });
const served = () => ({ url: `http://127.0.0.1:${server.address().port}/` });

// Waits until question 2's page holds its field while its picture is held back.
async function reachLoadingQuestion(s) {
  holding = true;
  await s.press('Arrow2');
  await s.page.waitForFunction(() => {
    const q = window.frames.question;
    return q.shownPage === 'q1.htm' && q.document.getElementById('f1');
  }, { polling: 10, timeout: 10000 });
  while (held.length === 0) await new Promise((r) => setTimeout(r, 10));
}

eachBrowser('loading', (ctx) => {
  // Only a server can hold a picture back.
  test('typed on a loading page: kept after an arrow press and after the load', { skip: ctx.way === 'file' }, async () => {
    const s = await openTest(ctx, served(), exported.testFolder);
    await s.waitForShown('q0.htm');

    // Typed while loading, then away before the picture arrives.
    await reachLoadingQuestion(s);
    await s.typeInto('f1', 'early');
    assert.notEqual(await s.evaluate((q) => q.document.readyState), 'complete', 'the page was still loading');
    await s.press('Arrow2');
    await s.waitForShown('q2.htm');
    assert.equal(await s.fieldValue('f2'), '', 'not filed under the next question');
    letPictureGo();
    await s.press('Arrow1');
    await s.waitForShown('q1.htm');
    assert.equal(await s.fieldValue('f1'), 'early');

    // Typed while loading, then the picture arrives: the load keeps it.
    await s.press('Arrow1');
    await s.waitForShown('q0.htm');
    assert.equal(await s.fieldValue('f0'), '', 'not filed under the question before');
    await reachLoadingQuestion(s);
    await s.evaluate((q) => { q.document.getElementById('f1').value = ''; });
    await s.typeInto('f1', 'late');
    letPictureGo();
    await s.waitForShown('q1.htm');
    assert.equal(await s.fieldValue('f1'), 'late');
    await s.press('Arrow2');
    await s.waitForShown('q2.htm');
    await s.press('Arrow1');
    await s.waitForShown('q1.htm');
    assert.equal(await s.fieldValue('f1'), 'late');
    assertNoErrors(s);
    await s.close();
  });
});
