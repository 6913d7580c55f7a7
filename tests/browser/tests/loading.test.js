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
// Waits until question 2's page holds its field while its picture is held back.
// A test session fetches the picture once: written pages share the frame's
// document, and with it the pictures it already has.
async function reachLoadingQuestion(s) {
  holding = true;
  await s.press('Arrow2');
  await s.page.waitForFunction(() => {
    const q = window.frames.question;
    return q.shownPage === 'q1.htm' && q.document.getElementById('f1');
  }, { polling: 10, timeout: 10000 });
  for (let waited = 0; held.length === 0; waited += 10) {
    if (waited > 10000) throw new Error('the picture was never asked for');
    await new Promise((r) => setTimeout(r, 10));
  }
  assert.equal(await s.evaluate((q) => [...q.document.images].some((i) => !i.complete)), true,
    'the picture is still loading');
}

eachBrowser('loading', (ctx) => {
  // Only a server can hold a picture back.
  const served = () => ({ url: `http://127.0.0.1:${server.address().port}/` });
  const options = { skip: ctx.way === 'file' && 'only a server can hold a picture back' };

  test('typed on a loading page, then away before the picture arrives: kept, and filed under its question', options, async () => {
    const s = await openTest(ctx, served(), exported.testFolder);
    await s.waitForShown('q0.htm');
    await reachLoadingQuestion(s);
    await s.typeInto('f1', 'early');
    await s.press('Arrow2');
    // Shown and started; Firefox counts the next page written into the frame
    // as loading while the picture of the one before is still on its way.
    await s.page.waitForFunction(() => {
      const q = window.frames.question;
      return q.shownPage === 'q2.htm' && q.document.answersRestored === true;
    }, { polling: 10, timeout: 10000 });
    assert.equal(await s.fieldValue('f2'), '', 'not filed under the next question');
    letPictureGo();
    await s.press('Arrow1');
    await s.waitForShown('q1.htm');
    assert.equal(await s.fieldValue('f1'), 'early');
    assertNoErrors(s);
    await s.close();
  });

  test('typed on a loading page, then the picture arrives: the load keeps it', options, async () => {
    const s = await openTest(ctx, served(), exported.testFolder);
    await s.waitForShown('q0.htm');
    await reachLoadingQuestion(s);
    await s.typeInto('f1', 'late');
    letPictureGo();
    await s.waitForShown('q1.htm');
    assert.equal(await s.fieldValue('f1'), 'late');
    await s.press('Arrow2');
    await s.waitForShown('q2.htm');
    await s.press('Arrow1');
    await s.waitForShown('q1.htm');
    assert.equal(await s.fieldValue('f1'), 'late');
    await s.press('Arrow1');
    await s.waitForShown('q0.htm');
    assert.equal(await s.fieldValue('f0'), '', 'not filed under the question before');
    assertNoErrors(s);
    await s.close();
  });
});
