// Every page of a real export loads in the browser: a set with every question
// type, exported in every shipped style through `dorvel-cli export` and served
// by `dorvel-cli serve` (case-sensitive names, as on a web server). Each page
// is shown in the frameset by the test's own controls; feedback and sound pages
// are opened on their own. No page error, and every picture and sound a page
// names is there.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { exportEveryType, serve, shippedStyles } from '../lib/exporter.js';
import { assertNoErrors, eachBrowser } from '../lib/harness.js';
import { Session } from '../lib/session.js';

// Every file a page names: pictures, sounds, videos, backgrounds, scripts.
function namedFiles(html) {
  const names = new Set();
  for (const m of html.matchAll(/(?:src|background|value)="([^"]+)"/g)) {
    if (/\.(gif|jpe?g|png|wav|mp3|mp2|aif|mpe?g|mov|avi|swf|js|htm)$/i.test(m[1])) names.add(decodeURIComponent(m[1]));
  }
  for (const m of html.matchAll(/location = '([^']+\.htm)'/g)) names.add(m[1]);
  return names;
}

const exports = shippedStyles().map((style) => ({ style, ...exportEveryType(style) }));
const servers = [];
before(async () => {
  for (const e of exports) {
    const s = await serve(e);
    servers.push(s);
    e.frameset = `${s.url}${e.testFolder}/frame.htm`;
  }
});
after(async () => { for (const s of servers) await s.close(); });

test('every file a page names is in the test folder, under exactly that name', () => {
  for (const e of exports) {
    const folder = path.join(e.folder, e.testFolder);
    const pages = fs.readdirSync(folder).filter((f) => f.endsWith('.htm'));
    assert.ok(pages.includes('q10.htm'), `${e.style}: eleven question pages`);
    for (const page of pages) {
      for (const name of namedFiles(fs.readFileSync(path.join(folder, page), 'latin1'))) {
        assert.ok(fs.existsSync(path.join(folder, name)), `${e.style}/${page} names ${name}`);
      }
    }
  }
});

eachBrowser('pages', (ctx) => {
  for (const e of exports) {
    test(`${e.style}: the pre-test page, every question and the results page load`, async () => {
      const s = await Session.open(ctx.browser, e.frameset);
      try {
        assert.equal(await s.shown(), 'p0.htm');
        const hasStartPicture = await s.evaluate((q) => !!q.document.stbutton);
        if (hasStartPicture) {
          const id = await s.evaluate((q) => q.document.stbutton.parentNode.id);
          await s.clickElement('question', id);
        } else {
          await s.clickElement('question', 'StartTestdiv0');
        }
        const pages = fs.readdirSync(path.join(e.folder, e.testFolder)).filter((f) => /^q\d+\.htm$/.test(f));
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

    test(`${e.style}: feedback and sound pages load on their own`, async () => {
      const base = e.frameset.replace(/frame\.htm$/, '');
      const small = fs.readdirSync(path.join(e.folder, e.testFolder)).filter((f) => /^[pq]\d+(fb|s)[^.]*\.htm$/.test(f));
      for (const page of small) {
        const tab = await ctx.browser.newPage();
        const s = new Session(tab);
        try {
          await tab.goto(base + page, { waitUntil: 'load' });
          await new Promise((r) => setTimeout(r, 100));
          assertNoErrors(s);
        } finally {
          await s.close();
        }
      }
    });
  }
});
