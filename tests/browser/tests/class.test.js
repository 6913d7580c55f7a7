// Running a test in class, in both browsers at phone size: two students
// join on the class's own page (a wrong class code refused with its
// message), reach the test, and the teacher's view lists both. Served by
// `dorvel-cli class` itself, the server of a real class.
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, describe, it } from 'node:test';
import { BROWSERS, launch } from '../lib/browsers.js';
import { binFolder } from '../lib/exporter.js';

const PHONE = { width: 390, height: 844 };

// `dorvel-cli class` on a copy of the sample set, with its store in a
// scratch folder; resolves once it has printed the address and the code.
function runClass() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'dorvel-class-'));
  const set = path.join(folder, 'Quiz.vtd');
  fs.copyFileSync(path.join(binFolder(), 'Samples', 'General Knowledge.vtd'), set);
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
    it(`${browserName}: two students join at phone size and the teacher's view lists both`, async () => {
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

        const pages = [];
        for (const [context, name] of [[first, `Ann ${browserName}`], [second, `Ben ${browserName}`]]) {
          const page = await join(context, served, name, served.code.toLowerCase());
          await page.waitForFunction(() => location.pathname.startsWith('/test/'), { timeout: 10000 });
          const joined = await page.evaluate(() => JSON.parse(localStorage.getItem('dorvel-class-joined')));
          assert.equal(joined.name, name);
          pages.push(page);
        }

        const teacher = await browser.newPage();
        await teacher.goto(served.teacher, { waitUntil: 'load' });
        await teacher.waitForFunction((names) => names.every((n) => document.querySelector('#students').innerText.includes(n)),
          { timeout: 10000 }, [`Ann ${browserName}`, `Ben ${browserName}`]);
        assert.equal(await teacher.$eval('#code', (e) => e.textContent), served.code);
      } finally {
        await close();
      }
    });
  }
});
