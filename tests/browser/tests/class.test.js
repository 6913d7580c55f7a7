// Running a test in class, in both browsers at phone size: two students
// join on the class's own page (a wrong class code refused with its
// message) and take the test; one reloads the page halfway and goes on
// where it stopped; the teacher's view lists both with the scores the
// teacher's side worked out, the same as each student's page shows. Served
// by `dorvel-cli class` itself, the server of a real class.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, describe, it } from 'node:test';
import { BROWSERS, launch } from '../lib/browsers.js';
import { binFolder } from '../lib/exporter.js';
import { answerShown, press } from '../lib/flow.js';

const PHONE = { width: 390, height: 844 };

// `dorvel-cli class` on a copy of the sample set, with its store in a
// scratch folder; resolves once it has printed the address and the code.
function runClass() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'dorvel-class-'));
  const set = path.join(folder, 'Quiz.vtd');
  // The set asks for the student's name: the joining page has it already,
  // so the test's own start page must not ask a second time.
  const cli = path.join(binFolder(), 'dorvel-cli');
  const text = execFileSync(cli, ['unpack', path.join(binFolder(), 'Samples', 'General Knowledge.vtd')], { encoding: 'latin1' });
  assert.match(text, /<shouldUserEnterDetails>0</);
  execFileSync(cli, ['pack', set], { input: Buffer.from(text.replace('<shouldUserEnterDetails>0<', '<shouldUserEnterDetails>1<'), 'latin1') });
  const child = spawn(path.join(binFolder(), 'dorvel-cli'), ['class', set, '--db', path.join(folder, 'class.sqlite'), '--no-qr'],
    { stdio: ['pipe', 'pipe', 'inherit'] });
  return new Promise((resolve, reject) => {
    let out = '';
    child.stdout.on('data', (d) => {
      out += d;
      const address = /Students open: (\S+)/.exec(out);
      const code = /Class code: (\S+)/.exec(out);
      const teacher = /Teacher's view: (\S+)/.exec(out);
      if (!address || !code || !teacher) return;
      resolve({
        address: address[1], code: code[1], teacher: teacher[1],
        close: () => new Promise((done) => {
          child.once('exit', () => {
            fs.rmSync(folder, { recursive: true, force: true });
            done();
          });
          child.kill();
        }),
      });
    });
    child.once('exit', (status) => reject(new Error(`dorvel-cli class ended (${status}): ${out}`)));
  });
}

// What the student sees of the joining page: its message line.
const shownError = (page) => page.$eval('#error', (e) => e.textContent);

async function join(context, served, name, code) {
  const page = await context.newPage();
  await page.setViewport(PHONE);
  await page.goto(served.address, { waitUntil: 'load' });
  await page.type('#name', name);
  await page.type('#code', code);
  await page.click('button[type=submit]');
  return page;
}

describe('a test run in class', () => {
  let served;
  before(async () => { served = await runClass(); });
  after(async () => { await served?.close(); });

  for (const browserName of BROWSERS) {
    it(`${browserName}: two students take the test at phone size and the teacher's view shows both with its scores`, async () => {
      const { browser, close } = await launch(browserName);
      try {
        // Each student has a browser of their own: separate storage.
        const first = await browser.createBrowserContext();
        const second = await browser.createBrowserContext();
        const wrong = await join(first, served, `Ann ${browserName}`, 'WRONG9');
        await wrong.waitForFunction(() => document.querySelector('#error').textContent !== '');
        assert.equal(await shownError(wrong), 'Wrong class code.');
        assert.ok(await wrong.evaluate(() => document.documentElement.scrollWidth <= document.documentElement.clientWidth),
          'no sideways scrolling on a phone');

        const scores = [];
        for (const [context, name, reload] of [[first, `Ann ${browserName}`, true], [second, `Ben ${browserName}`, false]]) {
          const page = await join(context, served, name, served.code.toLowerCase());
          await page.waitForFunction(() => location.pathname.startsWith('/test/'), { timeout: 10000 });
          const joined = await page.evaluate(() => JSON.parse(localStorage.getItem('dorvel-class-joined')));
          assert.equal(joined.name, name);
          assert.equal(await page.$('#studentName'), null, 'no second name box');
          await press(page, '#startButton', false);
          await page.waitForSelector('h2#qh');
          const count = await page.evaluate(() => window.DorvelEngine.state.order.length);
          for (let n = 0; n < count; n++) {
            await answerShown(page, false);
            if (reload && n === 4) {
              // Every answer so far has reached the server before the page goes.
              await page.waitForFunction(() => {
                const waiting = JSON.parse(localStorage.getItem('dorvel-class-waiting') || '{}');
                return waiting.answers && Object.keys(waiting.answers).length === 0 && !waiting.progress;
              }, { timeout: 10000 });
              const order = await page.evaluate(() => window.DorvelEngine.state.order.join());
              await page.reload({ waitUntil: 'load' });
              // The start page again; Start goes on where the student was.
              await press(page, '#startButton', false);
              await page.waitForSelector('h2#qh');
              assert.equal(await page.evaluate(() => window.DorvelEngine.state.order.join()), order, 'the same order');
              assert.equal(await page.$eval('.qnum', (e) => e.textContent), `Question ${n + 1}`, 'the same place');
              assert.equal(await page.evaluate(() => Object.keys(window.DorvelEngine.state.responses).length), n + 1,
                'every answer given back');
            }
            if (n < count - 1) {
              await press(page, '.nav-next', false);
              await page.waitForFunction((k) => document.querySelector('.qnum')?.textContent === `Question ${k}`, {}, n + 2);
            }
          }
          await press(page, '.nav-finish', false);
          await page.waitForSelector('#finishDialog[open]');
          await press(page, '#finishDialog button.primary', false);
          await page.waitForSelector('#score');
          assert.match(await page.$eval('.student', (e) => e.innerText), new RegExp(name), 'the joined name on the results');
          scores.push(await page.$eval('#score', (e) => e.textContent));
        }

        const teacher = await browser.newPage();
        await teacher.goto(served.teacher, { waitUntil: 'load' });
        // Both students, finished, with the score the teacher's side worked out.
        const rows = await teacher.waitForFunction((names) => {
          const found = [...document.querySelectorAll('#students tbody tr')].map((tr) => [...tr.cells].map((td) => td.textContent));
          const ours = found.filter((cells) => names.includes(cells[0]));
          return ours.length === 2 && ours.every((cells) => cells[2] === 'yes') ? ours : null;
        }, { timeout: 10000 }, [`Ann ${browserName}`, `Ben ${browserName}`]).then((h) => h.jsonValue());
        for (const [i, cells] of rows.entries()) {
          const [, score, max] = /(\d+) out of (\d+)/.exec(scores[i]);
          assert.equal(cells[3], `${score} / ${max}`, `${cells[0]}: the teacher's score is the page's (${scores[i]})`);
        }
        assert.equal(await teacher.$eval('#code', (e) => e.textContent), served.code);
      } finally {
        await close();
      }
    });
  }
});
