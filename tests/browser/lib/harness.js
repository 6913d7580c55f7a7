// Runs a group of tests once per browser, with one browser for the group.
import assert from 'node:assert/strict';
import { after, before, describe } from 'node:test';
import { BROWSERS, launch } from './browsers.js';
import { Session } from './session.js';

export function eachBrowser(title, body) {
  for (const name of BROWSERS) {
    describe(`${title} [${name}]`, () => {
      const ctx = { name };
      before(async () => { ctx.launched = await launch(name); ctx.browser = ctx.launched.browser; });
      after(async () => { await ctx.launched?.close(); });
      body(ctx);
    });
  }
}

// Opens the test folder's frameset from a served folder.
export function openTest(ctx, served, testFolder) {
  return Session.open(ctx.browser, `${served.url}${testFolder}/frame.htm`);
}

export function assertNoErrors(session) {
  assert.deepEqual(session.errors, [], 'no page errors and no failed requests');
}
