// The question player as the editor uses it. Preview: the editor's own
// PreviewQuestion (player-preview-fixture, with a scripted user interface)
// writes the one-question bank and VTX.txt; VTX, started without arguments as
// the editor starts it, serves the question, which the browser answers, marks
// and cheats on. Build: a whole set built by `dorvel-cli build`, started as
// the desktop starts a bank, runs from its start page to its results. Each
// runs both ways: served by the player, and opened from the player's folder
// (--files).
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { binFolder, sampleSet, scratch } from '../lib/exporter.js';
import { assertNoErrors, eachBrowser } from '../lib/harness.js';
import { Session } from '../lib/session.js';

const bin = binFolder();
const previewFixture = path.join(bin, '..', 'tests', 'player-preview-fixture');

// An installation folder of our own, so the start file the preview writes
// stays out of the build; its programs and data are the build's.
const install = fs.mkdtempSync(path.join(scratch, 'install-'));
for (const name of ['VTX', 'Buttons', 'DorvelTemplates', 'DVLang']) {
  fs.symlinkSync(path.join(bin, name), path.join(install, name));
}
const desktop = fs.mkdtempSync(path.join(scratch, 'xdg-'));
// The user's runtime folder (mkdtemp makes it private), where Preview keeps
// its scratch folder. The preview players of this file hand over to each
// other only.
const runtime = fs.mkdtempSync(path.join(scratch, 'run-'));
const previewSocket = path.join(fs.mkdtempSync(path.join(scratch, 'socket-')), 'preview');
const env = (tmp, socket = previewSocket) => ({
  ...process.env,
  DORVEL_HOME: install,
  DORVEL_PREVIEW_NAME: socket,
  TMPDIR: tmp,
  XDG_RUNTIME_DIR: runtime,
  // No desktop association: the editor falls back to the installation's VTX.
  XDG_CONFIG_HOME: desktop, XDG_CONFIG_DIRS: desktop, XDG_DATA_HOME: desktop, XDG_DATA_DIRS: desktop,
});
const tmpFolder = (name) => fs.mkdtempSync(path.join(scratch, `${name}-`));

// VTX with `args`; resolves once it has printed its address.
function startPlayer(args, tmp, socket) {
  const child = spawn(path.join(install, 'VTX'), ['--no-window', '--no-open', ...args],
    { env: env(tmp, socket), stdio: ['ignore', 'pipe', 'pipe'] });
  let errors = '';
  child.stderr.on('data', (d) => { errors += d; });
  const ended = new Promise((resolve) => child.on('exit', (code, signal) => resolve({ code, signal })));
  return new Promise((resolve, reject) => {
    let out = '';
    child.stdout.on('data', (d) => {
      out += d;
      if (out.includes('\n')) {
        resolve({
          address: out.split('\n')[0].trim(),
          errors: () => errors,
          ended,
          stop: () => { child.kill('SIGTERM'); return ended; },
        });
      }
    });
    ended.then(({ code }) => reject(new Error(`VTX ended (${code}): ${errors}`)));
  });
}

// The sample set in the Chalkboard style, questions in their order.
const set = sampleSet('player-sample', { GraphicStyle: 'Chalkboard', PresentInRandomOrder: '0', allowMarking: '0',
  allowCheating: '0' });
let preview;
let built;
let previewFromFiles;
let builtFromFiles;
const playerTmp = tmpFolder('player-tmp');
before(async () => {
  // Preview of question 1: "Which planet is known as the Red Planet?", Mars right.
  const editorTmp = tmpFolder('editor-tmp');
  const opened = execFileSync(previewFixture, [set, '1'], { env: env(editorTmp), encoding: 'latin1' });
  assert.equal(opened.trim(), path.join(install, 'VTX'), 'the editor starts the installation\'s player');
  assert.equal(fs.readFileSync(path.join(install, 'VTX.txt'), 'latin1'),
    `<f>${path.join(runtime, 'dorvel-preview', 'singleq.vtb')}</f>`);
  assert.equal(fs.statSync(path.join(runtime, 'dorvel-preview')).mode & 0o777, 0o700, 'the scratch folder is private');
  preview = await startPlayer([], playerTmp);
  previewFromFiles = await startPlayer(['--files'], playerTmp);

  const bank = path.join(scratch, 'General Knowledge.vtb');
  execFileSync(path.join(bin, 'dorvel-cli'), ['build', set, bank]);
  built = await startPlayer([bank], playerTmp);
  builtFromFiles = await startPlayer(['--files', bank], playerTmp);
});
after(async () => {
  for (const p of [preview, built, previewFromFiles, builtFromFiles]) {
    if (!p) continue;
    const { code, signal } = await p.stop();
    assert.equal(code, 0, `VTX ended cleanly (${signal}): ${p.errors()}`);
  }
  assert.deepEqual(fs.readdirSync(playerTmp), [], 'the players removed their folders');
});

const marks = async (s, ids) => {
  const out = {};
  for (const id of ids) {
    const tick = await s.visible(`${id}tick`) === 'visible';
    const cross = await s.visible(`${id}cross`) === 'visible';
    out[id] = tick && cross ? 'both' : tick ? 'tick' : cross ? 'cross' : '';
  }
  return out;
};
const chosen = (s) => s.visibleIds(['button1', 'button2', 'button3', 'button4'].map((id) => `${id}2div`));
const BUTTONS = ['button1', 'button2', 'button3', 'button4'];

eachBrowser('player', (ctx) => {
  test('a previewed question is answered, marked and cheated on', async () => {
    // A preview is served even when asked for files: its tab follows the
    // editor's next preview by fetching, which a page opened from files may not.
    const player = ctx.way === 'file' ? previewFromFiles : preview;
    assert.ok(player.address.startsWith('http://127.0.0.1:'), player.address);
    const frameset = player.address.replace(/Test\.htm$/, 'Testres/frame.htm');
    const s = await Session.open(ctx.browser, frameset);
    await s.waitForShown('q0.htm');
    // The control page names the question in the title once it has put the
    // answers back, which a loaded machine may do after the page settles.
    await s.page.waitForFunction(() => document.title === 'General Knowledge: Question 1', { polling: 20, timeout: 5000 })
      .catch(() => {});
    assert.equal(await s.title(), 'General Knowledge: Question 1');
    // No pre-test page: the question is there at once.
    assert.equal(await s.shown(), 'q0.htm');
    assert.match(await s.evaluate((q) => q.document.body.innerText), /Red Planet/);

    await s.clickElement('question', 'button10div'); // Venus
    await s.press('Mark');
    assert.deepEqual(await marks(s, BUTTONS), { button1: 'cross', button2: '', button3: '', button4: '' });

    await s.clickElement('question', 'button20div'); // Mars: the limit of one drops Venus
    assert.deepEqual(await chosen(s), ['button22div']);
    await s.press('Mark');
    assert.deepEqual(await marks(s, BUTTONS), { button1: '', button2: 'tick', button3: '', button4: '' });

    // Cheat shows the right answer while held, and gives the student's back.
    await s.clickElement('question', 'button30div');
    await s.press('Cheat', { hold: true });
    assert.deepEqual(await chosen(s), ['button22div']);
    await s.release();
    assert.deepEqual(await chosen(s), ['button32div']);
    assertNoErrors(s);
    await s.close();
  });

  test('a built set runs from its start page to its results', async () => {
    const start = await ctx.browser.newPage();
    const address = (ctx.way === 'file' ? builtFromFiles : built).address;
    await start.goto(address, { waitUntil: 'load' });
    assert.equal(await start.title(), 'Test: General Knowledge');
    // This player's frameset, not a preview's left open by a failed test.
    const folder = address.slice(0, address.lastIndexOf('/') + 1);
    const opened = ctx.browser.waitForTarget((t) => t.url().startsWith(folder) && t.url().endsWith('/Testres/frame.htm'));
    await start.click('input[name="ClickHere"]');
    const s = new Session(await (await opened).page());
    await s.settle();
    assert.equal(await s.shown(), 'p0.htm');
    // Built without Mark and Cheat: the control bar has neither.
    assert.deepEqual(await s.evaluate((q, c) => ['Mark', 'Cheat'].map((n) => !!c.document.getElementById(`${n}div0`))),
      [false, false]);

    await s.clickElement('question', 'StartTestdiv0');
    await s.waitForShown('q0.htm');
    await s.clickElement('question', 'button20div'); // Mars
    await s.press('Finish');
    await s.page.waitForFunction(() => /Results/.test(document.title), { polling: 20, timeout: 10000 });
    const results = await s.resultsText();
    assert.deepEqual(s.dialogs.length, 1, 'Finish asked first');
    assert.match(results, /General Knowledge/);
    assert.match(results, /You scored 1 out of \d+/);
    assert.match(results, /Your percentage:\s*[\d.]+ %/);
    assertNoErrors(s);
    await s.close();
    await start.close();
  });

  // Each Preview used to start one more player and tab, all titled
  // "Question 1"; now the running preview player takes the new question.
  test('a second preview is shown in the preview tab already open', async () => {
    const socket = path.join(tmpFolder('socket'), 'preview');
    const previewOf = (n) => execFileSync(previewFixture, [set, String(n)], { env: env(tmpFolder('editor-tmp'), socket) });
    const tmp = tmpFolder('handoff-tmp');
    previewOf(1);
    const running = await startPlayer([], tmp, socket);
    const frameset = (address) => address.replace(/Test\.htm$/, 'Testres/frame.htm');
    const s = await Session.open(ctx.browser, frameset(running.address));
    await s.waitForShown('q0.htm');
    assert.equal(await s.title(), 'General Knowledge: Question 1');
    const tabs = (await ctx.browser.pages()).length;

    previewOf(3);
    const second = await startPlayer([], tmp, socket);
    assert.equal((await second.ended).code, 0, 'handed to the running player');
    // The tab open on the first preview goes to the second by itself.
    await s.page.waitForFunction(() => document.title === 'General Knowledge: Question 3', { polling: 50, timeout: 10000 });
    assert.equal(s.page.url(), frameset(second.address));
    await s.settle();
    assert.match(await s.evaluate((q) => q.document.body.innerText), /Which of these is a mammal\?/);
    assert.equal((await ctx.browser.pages()).length, tabs, 'no other tab');
    assertNoErrors(s);
    await s.close();
    const { code } = await running.stop();
    assert.equal(code, 0, running.errors());
  });
});
