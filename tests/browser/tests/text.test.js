// Text in any language: what a teacher typed is what the student reads, in
// the web test and in the player, whatever the page's declared character
// set, and screen readers say it; `dorvel-cli show` prints it; accented typed
// answers are marked right.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { binFolder, exportSet, scratch, serve } from '../lib/exporter.js';
import { assertNoErrors, eachBrowser, openTest } from '../lib/harness.js';
import { Session } from '../lib/session.js';

const bin = binFolder();

// The strings of the issue, in the order they fill the questions (title,
// then the four choices).
const TYPED = [
  'Planet.\nReally', 'Prüfung: Größe, Straße, Äpfel', 'Café, naïve, élève, garçon, œuvre', 'Zażółć gęślą jaźń',
  'Ελληνικά: αβγ ΔΕΖ',
  '</Title><version>2</version>', 'Русский: съешь же ещё', '中文：你好，世界', 'العربية: مرحبا', 'Emoji 😀 👍🏽',
  'Emoji title 🎉 ok', '„Quote“ ‘single’ “double” – en — em …', 'Is this "true"? 5^2 `x`', 'Q&A: a & b, 1 < 2 > 0',
  'H<sub>2</sub>O, x<sup>2</sup>, <b>bold</b> <i>italic</i> <u>under</u>',
];
// What the student reads of a typed text: the inline marks render.
const shown = (t) => t.replace(/<\/?(b|i|u|sub|sup)>/g, '');
const TEST_NAME = 'Prüfung „Größe“ 中文 £';

// The stored form of a typed text, written here from the rule itself rather
// than taken from the program: ASCII and the pound sign, references for the
// rest, & < > as entities.
function stored(text) {
  let out = '';
  for (const ch of text) {
    const c = ch.codePointAt(0);
    if (ch === '&') out += '&amp;';
    else if (ch === '<') out += '&lt;';
    else if (ch === '>') out += '&gt;';
    else if (c >= 32 && c <= 126 && !'"^`'.includes(ch)) out += ch;
    else if (c === 163) out += '\xA3';
    else out += `&#${c};`;
  }
  return out;
}

function question(type, fields) {
  return `<qType>${type}</qType> <qDisabled>0</qDisabled> `
    + Object.entries(fields).map(([k, v]) => `<${k}>${v}</${k}>`).join('');
}

function makeSet() {
  const questions = [question(2, {})];
  for (let q = 0; q < 3; ++q) {
    const t = TYPED.slice(q * 5, q * 5 + 5).map(stored);
    questions.push(question(2, { Title: t[0], Text1: t[1], Text2: t[2], Text3: t[3], Text4: t[4], SelectAnswer: '0' }));
  }
  questions.push(question(7, { Title: stored('Größe?'), a10: stored('Größe'), tType1: '0' }));
  const details = `<creator>dv1</creator><version>1</version><GraphicStyle>Seaside</GraphicStyle>`
    + `<PresentInRandomOrder>0</PresentInRandomOrder><allowMarking>1</allowMarking><allowCheating>0</allowCheating>`
    + `<TestName>${stored(TEST_NAME)}</TestName><ExaminerName>${stored('Zoë Ørsted')}</ExaminerName>`
    + `<questionFiles>${questions.map((q, n) => `<question${n}>${q}</question${n}>`).join('')}</questionFiles>`;
  const plain = path.join(scratch, 'text-set.txt');
  fs.writeFileSync(plain, `<vtDorvel>${details}</vtDorvel>`, 'latin1');
  const set = path.join(scratch, 'Prüfung.vtd');
  execFileSync(path.join(bin, 'dorvel-cli'), ['pack', set, plain]);
  return set;
}

const set = makeSet();

test('dorvel-cli show prints the typed text as UTF-8', () => {
  const out = execFileSync(path.join(bin, 'dorvel-cli'), ['show', set], { encoding: 'utf8' });
  assert.match(out, new RegExp(`^Test name: ${TEST_NAME}$`, 'm'));
  assert.match(out, /^Examiner: Zoë Ørsted$/m);
  const titles = out.split('\n').filter((l) => /^\d+\t/.test(l)).map((l) => l.split('\t')[3]);
  // A line break is shown as \x0a, so that every question keeps one line.
  assert.deepEqual(titles, [TYPED[0].replace('\n', '\\x0a'), TYPED[5], TYPED[10], 'Größe?']);
});

// VTX on a bank of the set; resolves once it has printed its address.
function startPlayer(bank) {
  const tmp = fs.mkdtempSync(path.join(scratch, 'text-player-'));
  const child = spawn(path.join(bin, 'VTX'), ['--no-window', '--no-open', bank],
    { env: { ...process.env, TMPDIR: tmp }, stdio: ['ignore', 'pipe', 'pipe'] });
  const ended = new Promise((resolve) => child.on('exit', (code) => resolve(code)));
  return new Promise((resolve, reject) => {
    let out = '';
    child.stdout.on('data', (d) => {
      out += d;
      if (out.includes('\n')) resolve({ address: out.split('\n')[0].trim(), stop: () => { child.kill('SIGTERM'); return ended; } });
    });
    ended.then((code) => reject(new Error(`VTX ended (${code})`)));
  });
}

const exported = exportSet(set, 'Text');
// The same test in the German pack's words.
const german = (() => {
  const out = fs.mkdtempSync(path.join(scratch, 'Deutsch-'));
  execFileSync(path.join(bin, 'dorvel-cli'), ['--lang', 'Deutsch', 'export', set, path.join(out, 'Test.htm'), '--layout', 'classic']);
  return { folder: out, testFolder: 'Testres', startPage: path.join(out, 'Test.htm') };
})();
let served;
let servedGerman;
let player;
before(async () => {
  served = await serve(exported);
  servedGerman = await serve(german);
  const bank = path.join(scratch, 'Prüfung.vtb');
  execFileSync(path.join(bin, 'dorvel-cli'), ['build', set, bank]);
  player = await startPlayer(bank);
});
after(async () => {
  await served?.close();
  await servedGerman?.close();
  assert.equal(await player?.stop(), 0);
});

const bodyText = (s) => s.evaluate((q) => q.document.body.innerText);
// What a screen reader says for the page and its choices.
const spokenNames = (s) => s.evaluate((q) => ({ title: q.document.title,
  choices: [...q.document.querySelectorAll('[data-choice]')].map((e) => e.getAttribute('aria-label')) }));
const oneLine = (t) => shown(t).replace(/\s+/g, ' ');
const markedTexts = (s) => s.evaluate((q) => [...q.document.querySelectorAll('sub, sup, b, i, u')]
  .map((e) => `${e.localName}:${e.textContent.trim()}`));

// From the pre-test page through every question: the student reads each
// typed text exactly, then answers the typed question with accents.
async function readEveryQuestion(s) {
  assert.equal(await s.shown(), 'p0.htm');
  const pre = await bodyText(s);
  assert.ok(pre.includes(TEST_NAME), pre);
  assert.ok(pre.includes('Zoë Ørsted'), pre);
  await s.clickElement('question', 'StartTestdiv0');
  for (let q = 0; q < 3; ++q) {
    await s.waitForShown(`q${q}.htm`);
    const text = await bodyText(s);
    for (const typed of TYPED.slice(q * 5, q * 5 + 5)) assert.ok(text.includes(shown(typed)), `${typed} in\n${text}`);
    // Screen readers get the same words, once: no references or tags read out.
    assert.deepEqual(await spokenNames(s), { title: oneLine(TYPED[q * 5]),
      choices: TYPED.slice(q * 5 + 1, q * 5 + 5).map((t, k) => `${'ABCD'[k]}: ${oneLine(t)}`) });
    if (q === 2) {
      const marks = await markedTexts(s);
      for (const m of ['sub:2', 'sup:2', 'b:bold', 'i:italic', 'u:under']) assert.ok(marks.includes(m), `${m} in ${marks}`);
    }
    await s.press('Arrow2');
  }
  await s.waitForShown('q3.htm');
  assert.ok((await bodyText(s)).includes('Größe?'));
  for (const [typed, mark] of [['Größe', 'tick'], ['GRÖSSE', 'tick'], ['größe', 'tick'], ['Grosse', 'cross']]) {
    await s.clickElement('question', 'field1');
    await s.evaluate((q) => { q.document.getElementById('field1').value = ''; });
    await s.typeInto('field1', typed);
    assert.equal(await s.fieldValue('field1'), typed);
    await s.press('Mark');
    const tick = await s.visible('field1tick') === 'visible';
    const cross = await s.visible('field1cross') === 'visible';
    assert.equal(tick ? 'tick' : cross ? 'cross' : '', mark, typed);
  }
  assertNoErrors(s);
}

eachBrowser('text', (ctx) => {
  test('the web test shows every typed text exactly and marks accented answers', async () => {
    const start = await ctx.browser.newPage();
    await start.goto(`${served.url}Text.htm`, { waitUntil: 'load' });
    assert.equal(await start.title(), `Test: ${TEST_NAME}`);
    await start.close();
    const s = await openTest(ctx, served, exported.testFolder);
    await readEveryQuestion(s);
    await s.close();
  });

  test('a language pack\'s texts show right in the test', async () => {
    const s = await openTest(ctx, servedGerman, german.testFolder);
    await s.clickElement('question', 'StartTestdiv0');
    await s.waitForShown('q0.htm');
    await s.press('Finish');
    await s.page.waitForFunction(() => /\(/.test(document.title) && !/Einf/.test(document.title), { polling: 20, timeout: 10000 });
    assert.match(s.dialogs[0] ?? '', /Danach können Sie Ihre Antworten nicht mehr ändern\./);
    const results = await s.resultsText();
    assert.match(results, /Prüfer: Zoë Ørsted/);
    assert.ok(results.includes(TEST_NAME), results);
    await s.close();
  });

  test('the player shows the same', async () => {
    const s = await Session.open(ctx.browser, player.address.replace(/([^/]+)\.htm$/, '$1res/frame.htm'));
    await readEveryQuestion(s);
    await s.close();
  });
});
