// Runs a group of tests once per browser and once per way of opening the
// test: served over HTTP, and opened from the file system as a student who
// double-clicks the start page does. One browser serves both ways.
import assert from 'node:assert/strict';
import { after, before, describe } from 'node:test';
import { BROWSERS, launch } from './browsers.js';
import { Session } from './session.js';

export const WAYS = (process.env.DORVEL_WAYS || 'http,file').split(',').filter(Boolean);

export function eachBrowser(title, body) {
  for (const name of BROWSERS) {
    describe(`${title} [${name}]`, () => {
      const contexts = WAYS.map((way) => ({ name, way }));
      let launched;
      before(async () => {
        launched = await launch(name);
        for (const ctx of contexts) ctx.browser = launched.browser;
      });
      after(async () => { await launched?.close(); });
      for (const ctx of contexts) describe(ctx.way, () => body(ctx));
    });
  }
}

// The address of a file of an export, the way this context opens tests:
// from the server `served` (of `dorvel-cli serve`) or from the file system.
export function addressOf(ctx, served, relative) {
  return `${ctx.way === 'file' ? served.fileUrl : served.url}${relative}`;
}

// Opens the test folder's frameset.
export function openTest(ctx, served, testFolder) {
  return Session.open(ctx.browser, addressOf(ctx, served, `${testFolder}/frame.htm`));
}

export function assertNoErrors(session) {
  assert.deepEqual(session.errors, [], 'no page errors and no failed requests');
  assert.deepEqual(session.alerts, [], 'no alerts');
}
