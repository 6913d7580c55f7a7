// What a student meets around the test itself: the start page asks for the
// name and the results page (which is what prints) shows it; the maker's
// line appears only where the installation names a real site; the results
// page writes its dates and times in the pack's language.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { binFolder, exportSingleFile, sampleSet, scratch, serve } from '../lib/exporter.js';
import { addressOf, assertNoErrors, eachBrowser } from '../lib/harness.js';
import { Session } from '../lib/session.js';

const OPTIONS = { PresentInRandomOrder: '0', allowMarking: '1', allowCheating: '0', GraphicStyle: 'Chalkboard' };

// The web export of a set as dorvel-cli makes it, in the pack `lang`, on the
// installation `home` (DORVEL_HOME) when given.
function exportWith(set, startName, { lang, home } = {}) {
  const out = fs.mkdtempSync(path.join(scratch, 'students-'));
  const startPage = path.join(out, `${startName}.htm`);
  execFileSync(path.join(binFolder(), 'dorvel-cli'), [...(lang ? ['--lang', lang] : []), 'export', set, startPage, '--layout', 'classic'],
    { env: { ...process.env, ...(home ? { DORVEL_HOME: home } : {}) }, stdio: ['ignore', 'pipe', 'pipe'] });
  return { folder: out, testFolder: `${startName.replace(/ /g, '')}res`, startPage, startName };
}

// An installation like the build's, which also names the maker's site.
function installationNaming(site) {
  const home = fs.mkdtempSync(path.join(scratch, 'install-'));
  for (const folder of ['Buttons', 'DorvelTemplates', 'DVLang', 'DVSounds']) {
    fs.symlinkSync(path.join(binFolder(), folder), path.join(home, folder));
  }
  fs.writeFileSync(path.join(home, 'maker-site.txt'), `${site}\n`);
  return home;
}

const SITE = 'https://tests.dorvel-schule.eu/';
const named = exportWith(sampleSet('named', { ...OPTIONS, TestName: 'Named', shouldUserEnterDetails: '1' }), 'NamedTest');
const german = exportWith(sampleSet('german', { ...OPTIONS, TestName: 'Erdkunde' }), 'Erdkunde', { lang: 'Deutsch' });
const withSite = exportWith(sampleSet('site', { ...OPTIONS, TestName: 'Site' }), 'Site', { home: installationNaming(SITE) });
const placeholder = exportWith(sampleSet('placeholder', { ...OPTIONS, TestName: 'Placeholder' }), 'Placeholder',
  { home: installationNaming('https://dorvel.example.org/') });
const namedSingle = exportSingleFile(sampleSet('named-single', { ...OPTIONS, TestName: 'Mailed', shouldUserEnterDetails: '1' }),
  'Mailed');
let servers;
before(async () => { servers = await Promise.all([named, german, withSite, placeholder].map(serve)); });
after(async () => { for (const s of servers) await s.close(); });

// What a page shows: its visible text and where its links lead.
function seen(frame) {
  return frame.evaluate(() => ({ text: document.body.innerText, links: [...document.links].map((a) => a.href) }));
}

// Opens the start page; `name` is typed into its name box when it has one.
// Start opens the test in a window of its own, which is returned.
async function start(ctx, served, exported, name) {
  const page = await ctx.browser.newPage();
  const startSession = new Session(page);
  await page.goto(addressOf(ctx, served, `${exported.startName}.htm`), { waitUntil: 'load' });
  if (name !== undefined) await page.type('#studentName', name);
  const opened = ctx.browser.waitForTarget((t) => t.url().includes(`${exported.testFolder}/frame.htm`));
  await page.click('input[name="ClickHere"]');
  const s = new Session(await (await opened).page());
  await s.settle();
  return { s, startSession, page };
}

// From the first pre-test page straight to the results.
async function finish(s) {
  await s.pressStart();
  await s.press('Finish');
  await s.page.waitForFunction(() => window.frames.question.shownPage === 'results', { polling: 20, timeout: 10000 });
  return seen(await s.frame('question'));
}

eachBrowser('students', (ctx) => {
  test('the start page asks for the name; the results page shows it', async () => {
    const served = servers[0];
    const page = await ctx.browser.newPage();
    const startSession = new Session(page);
    await page.goto(addressOf(ctx, served, 'NamedTest.htm'), { waitUntil: 'load' });
    assert.match((await seen(page)).text, /Your name:/);
    // Start without a name: nothing opens, the page says what is missing.
    const before = (await ctx.browser.pages()).length;
    await page.click('input[name="ClickHere"]');
    await new Promise((r) => setTimeout(r, 300));
    assert.equal((await ctx.browser.pages()).length, before, 'no test window without a name');
    assert.match((await seen(page)).text, /Please type your name/);
    assert.equal(await page.evaluate(() => document.activeElement.id), 'studentName');
    await page.close();

    const name = 'Zoë O\'Brien & <Ann> 7b';
    const { s, startSession: second, page: startPage } = await start(ctx, served, named, name);
    const results = await finish(s);
    assert.match(results.text, new RegExp(`Student: ${name.replace(/[.*+?^${}()|[\]\\]/g, '\\$&')}`));
    assertNoErrors(s);
    assertNoErrors(startSession);
    assertNoErrors(second);
    await s.close();
    await startPage.close();
  });

  // The single file opens itself again with "#test": the name goes before it.
  test('the single file carries the typed name to its results', { skip: ctx.way !== 'file' && 'a file opened as such' },
    async () => {
      const page = await ctx.browser.newPage();
      const startSession = new Session(page);
      await page.goto(pathToFileURL(namedSingle.startPage).href, { waitUntil: 'load' });
      await page.type('#studentName', 'Ana Lúcia');
      const opened = ctx.browser.waitForTarget((t) => t.url().endsWith('?learner=Ana%20L%C3%BAcia#test'));
      await page.click('input[name="ClickHere"]');
      const s = new Session(await (await opened).page());
      await s.page.waitForFunction(() => window.frames.question && window.frames.question.shownPage === 'p0.htm',
        { polling: 20, timeout: 20000 });
      await s.settle();
      assert.match((await finish(s)).text, /Student: Ana Lúcia/);
      assertNoErrors(s);
      assertNoErrors(startSession);
      await s.close();
      await page.close();
    });

  test('the maker\'s line only where the installation names a real site', async () => {
    const cases = [
      { exported: named, served: servers[0], site: null, name: 'x' },
      { exported: placeholder, served: servers[3], site: null },
      { exported: withSite, served: servers[2], site: SITE },
    ];
    for (const c of cases) {
      const { s, startSession, page } = await start(ctx, c.served, c.exported, c.name);
      const startShown = await seen(page);
      const results = await finish(s);
      for (const [where, shown] of [['start page', startShown], ['results page', results]]) {
        assert.doesNotMatch(shown.text, /example/, `${c.exported.startName} ${where}: no placeholder`);
        assert.ok(shown.links.every((l) => !/example/.test(l)), `${c.exported.startName} ${where}: ${shown.links}`);
        if (c.site) {
          assert.match(shown.text, /tests\.dorvel-schule\.eu/, `${where} names the site`);
          assert.ok(shown.links.includes(c.site), `${where} links to the site`);
        } else {
          assert.doesNotMatch(shown.text, /Vantric/, `${c.exported.startName} ${where}: no maker's line`);
        }
      }
      assertNoErrors(s);
      assertNoErrors(startSession);
      await s.close();
      await page.close();
    }
  });

  test('the German results page writes its dates and times in German', async () => {
    const { s, startSession, page } = await start(ctx, servers[1], german);
    const now = new Date();
    const results = await finish(s);
    // The set was saved on Thursday, 10 December 2026 at 9:00.
    assert.match(results.text, /Erstellt:\s*Donnerstag, 10\. Dezember 2026(,| um) 09:00/);
    const months = ['Januar', 'Februar', 'März', 'April', 'Mai', 'Juni', 'Juli', 'August', 'September', 'Oktober',
      'November', 'Dezember'];
    const today = `${now.getDate()}\\. ${months[now.getMonth()]} ${now.getFullYear()}`;
    for (const label of ['Begonnen:', 'Beendet:']) {
      assert.match(results.text, new RegExp(`${label}\\s*\\S+, ${today}(,| um) \\d\\d:\\d\\d`), label);
    }
    assert.doesNotMatch(results.text, /\d (am|pm),|day |December/, 'no English date');
    assertNoErrors(s);
    assertNoErrors(startSession);
    await s.close();
    await page.close();
  });
});
