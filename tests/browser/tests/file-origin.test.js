// Opened straight from the file system, current browsers keep the test's
// frames apart; the test must say how to open it instead of failing silently.
import assert from 'node:assert/strict';
import path from 'node:path';
import { test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { exportFixture } from '../lib/exporter.js';
import { assertNoErrors, eachBrowser } from '../lib/harness.js';
import { Session } from '../lib/session.js';

const exported = exportFixture('navigation');

eachBrowser('file system', (ctx) => {
  test('a test opened as a file explains itself', async () => {
    const frameset = pathToFileURL(path.join(exported.folder, exported.testFolder, 'frame.htm')).href;
    const page = await ctx.browser.newPage();
    const s = new Session(page);
    await page.goto(frameset, { waitUntil: 'load' });
    await new Promise((r) => setTimeout(r, 500));
    assert.equal(s.dialogs.length, 1, 'one alert');
    assert.match(s.dialogs[0], /web address/);
    const control = await s.frame('control');
    assert.match(await control.evaluate(() => document.body.innerText), /web address/, 'the message stays on the control bar');
    assertNoErrors(s);
    await s.close();
  });
});
