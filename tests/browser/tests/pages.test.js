// Every page of a real export loads in the browser: a set with every question
// type, exported in every shipped style through `dorvel-cli export`, served by
// `dorvel-cli serve` (case-sensitive names, as on a web server) and opened from
// the file system. Each page is shown in the frameset by the test's own
// controls; feedback and sound pages are written into the question frame on
// their own. No page error, and every picture and sound a page names is there.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { exportEveryType, readPageTexts, serve, shippedStyles } from '../lib/exporter.js';
import { addressOf, assertNoErrors, eachBrowser } from '../lib/harness.js';
import { Session } from '../lib/session.js';

// Every file a page names: pictures, sounds, videos, backgrounds, scripts;
// and the sound pages it plays.
function namedFiles(html) {
  const names = new Set();
  for (const m of html.matchAll(/(?:src|background|value)="([^"]+)"/g)) {
    if (/\.(gif|jpe?g|png|wav|mp3|mp2|aif|mpe?g|mov|avi|swf|js|htm)$/i.test(m[1])) names.add(decodeURIComponent(m[1]));
  }
  for (const m of html.matchAll(/playSound\('([^']+\.htm)'\)/g)) names.add(m[1]);
  return names;
}

const exports = shippedStyles().map((style) => ({ style, ...exportEveryType(style) }));
for (const e of exports) e.pages = readPageTexts(path.join(e.folder, e.testFolder));
const servers = [];
before(async () => {
  for (const e of exports) servers.push(e.served = await serve(e));
});
after(async () => { for (const s of servers) await s.close(); });

test('every file a page names is in the test folder or among its page texts, under exactly that name', () => {
  for (const e of exports) {
    const folder = path.join(e.folder, e.testFolder);
    assert.ok('q10.htm' in e.pages, `${e.style}: eleven question pages`);
    assert.deepEqual(fs.readdirSync(folder).filter((f) => f.endsWith('.htm')), ['frame.htm'], 'no page files');
    for (const [page, text] of Object.entries(e.pages)) {
      for (const name of namedFiles(text)) {
        assert.ok(name in e.pages || fs.existsSync(path.join(folder, name)), `${e.style}/${page} names ${name}`);
      }
    }
  }
});

eachBrowser('pages', (ctx) => {
  for (const e of exports) {
    test(`${e.style}: the pre-test page, every question and the results page load`, async () => {
      const s = await Session.open(ctx.browser, addressOf(ctx, e.served, `${e.testFolder}/frame.htm`));
      try {
        assert.equal(await s.shown(), 'p0.htm');
        await s.pressStart();
        const pages = Object.keys(e.pages).filter((f) => /^q\d+\.htm$/.test(f));
        for (let n = 0; n < pages.length; n++) {
          await s.waitForShown(`q${n}.htm`);
          if (n + 1 < pages.length) await s.press('Arrow2');
        }
        await s.press('Finish');
        await s.settle();
        assert.match(await s.resultsText(), /%/);
        assertNoErrors(s);
      } finally {
        await s.close();
      }
    });

    test(`${e.style}: feedback and sound pages show on their own`, async () => {
      const s = await Session.open(ctx.browser, addressOf(ctx, e.served, `${e.testFolder}/frame.htm`));
      try {
        const small = Object.keys(e.pages).filter((f) => /^[pq]\d+(fb|s)[^.]*\.htm$/.test(f));
        assert.ok(small.length > 0);
        for (const page of small) {
          await s.page.evaluate((name) => window.showPage(window.frames.question, name), page);
          await s.waitForShown(page);
        }
        assertNoErrors(s);
      } finally {
        await s.close();
      }
    });
  }
});
