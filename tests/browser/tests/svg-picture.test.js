// An SVG picture that carries a script never reaches the student. The
// teacher chose a clean drawing, which was later replaced by one with a
// script and an event handler (the export checks every file again): the
// exported test holds nothing of it, and its question shows no picture, as
// for any picture that is missing. The same SVG opened by itself does run
// its script in this browser, so the file is a live one.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { after, before, test } from 'node:test';
import { binFolder, cli, sampleSet, scratch, serve } from '../lib/exporter.js';
import { addressOf, assertNoErrors, eachBrowser } from '../lib/harness.js';
import { Session } from '../lib/session.js';

const MARK = 'data-ran';
const CLEAN = '<svg xmlns="http://www.w3.org/2000/svg" width="200" height="100">'
  + '<rect width="200" height="100" fill="steelblue"/></svg>';
const SCRIPTED = `<svg xmlns="http://www.w3.org/2000/svg" width="200" height="100" onload="document.documentElement.setAttribute('${MARK}', 'onload')">`
  + `<script>document.documentElement.setAttribute('${MARK}', 'script')</script>`
  + '<rect width="200" height="100" fill="red"/></svg>';

const folder = fs.mkdtempSync(path.join(scratch, 'svg-'));
const drawing = path.join(folder, 'Plan.svg');
fs.writeFileSync(drawing, CLEAN);
const set = sampleSet('svg-script', { PresentInRandomOrder: '0' });
cli(['media', set, '1', '--picture', drawing]);
fs.writeFileSync(drawing, SCRIPTED);

const out = fs.mkdtempSync(path.join(scratch, 'Plans-'));
const exported = { folder: out, testFolder: 'Plansres', startPage: path.join(out, 'Plans.htm') };
const run = spawnSync(path.join(binFolder(), 'dorvel-cli'), ['export', set, exported.startPage, '--layout', 'classic'], { encoding: 'utf8' });

function filesUnder(dir) {
  return fs.readdirSync(dir, { withFileTypes: true }).flatMap((e) => {
    const p = path.join(dir, e.name);
    return e.isDirectory() ? filesUnder(p) : [p];
  });
}

test('the export leaves the scripted SVG out and says why', () => {
  assert.equal(run.status, 0, run.stderr);
  assert.match(run.stderr, /Plan\.svg/);
  assert.match(run.stderr, /script or an event handler/);
  const shipped = filesUnder(out).filter((f) => fs.readFileSync(f, 'latin1').includes(MARK));
  assert.deepEqual(shipped, [], 'no file of the test holds the script');
  assert.deepEqual(filesUnder(out).filter((f) => f.toLowerCase().endsWith('.svg')), []);
});

let served;
before(async () => { served = await serve(exported); });
after(async () => { await served?.close(); });

eachBrowser('a scripted SVG picture', (ctx) => {
  test('opened by itself, the SVG runs its script (the fixture is live)', async () => {
    const page = await ctx.browser.newPage();
    try {
      await page.goto(pathToFileURL(drawing).href, { waitUntil: 'load' });
      assert.ok(await page.evaluate((mark) => document.documentElement.getAttribute(mark), MARK));
    } finally {
      await page.close();
    }
  });

  test('the question shows no picture and nothing runs', async () => {
    const s = await Session.open(ctx.browser, addressOf(ctx, served, `${exported.testFolder}/frame.htm`));
    try {
      const hasStartPicture = await s.evaluate((q) => !!q.document.stbutton);
      await s.clickElement('question', hasStartPicture
        ? await s.evaluate((q) => q.document.stbutton.parentNode.id) : 'StartTestdiv0');
      await s.waitForShown('q0.htm');
      const shown = await s.evaluate((q, c, mark) => ({
        picture: q.document.querySelector('img[name="qpicture"]') !== null,
        objects: q.document.querySelectorAll('object, embed, iframe, svg').length,
        ran: [...q.document.querySelectorAll(`[${mark}]`)].length,
        text: q.document.body.innerText.trim().length > 0,
      }), MARK);
      assert.deepEqual(shown, { picture: false, objects: 0, ran: 0, text: true });
      assertNoErrors(s);
    } finally {
      await s.close();
    }
  });
});
