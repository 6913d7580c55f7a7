// LMS packages (SCORM 1.2 and 2004) in a page that plays the learning
// platform: scorm-again gives it the real runtime API, the package is
// unzipped as a platform does and its launch page runs in a frame. The test
// is answered with the mouse and finished; what the platform holds is read
// back: score, status with and without a pass mark, one interaction per
// question, session time. A second launch restores an unfinished attempt, a
// launch after Finish opens on the results, and the package opened without a
// platform runs to its results. The package keeps the accessible test's
// names, roles and keys.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import { auditWindow } from '../lib/axe.js';
import { binFolder, scratch, serve } from '../lib/exporter.js';
import { addressOf, assertNoErrors, eachBrowser } from '../lib/harness.js';
import { Session } from '../lib/session.js';

const HERE = path.dirname(fileURLToPath(import.meta.url));
const SAMPLE = path.join(HERE, '..', '..', '..', 'data', 'samples', 'General Knowledge.txt');
const SCORM_AGAIN = path.join(HERE, '..', 'node_modules', 'scorm-again', 'dist');

function cli(args) {
  return execFileSync(path.join(binFolder(), 'dorvel-cli'), args, { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] });
}

// The sample set (every question type), in its order unless `random`, with a
// name of its own; with `first`, only its first questions.
function makeSet(name = 'scorm-set', { random = false, first } = {}) {
  let text = fs.readFileSync(SAMPLE, 'latin1');
  for (const [tag, value] of [['PresentInRandomOrder', random ? '1' : '0'], ['TestName', 'Platform quiz']]) {
    text = text.replace(new RegExp(`<${tag}>[^<]*</${tag}>`), `<${tag}>${value}</${tag}>`);
  }
  if (first) text = text.replace(/<question(\d+)>[\s\S]*?<\/question\1>\n?/g, (q, n) => (Number(n) > first ? '' : q));
  const plain = path.join(scratch, `${name}.txt`);
  fs.writeFileSync(plain, text, 'latin1');
  const set = path.join(scratch, `${name}.vtd`);
  cli(['pack', set, plain]);
  return set;
}

// A platform served as a start page with its folder: platform.htm, and in
// platformres/ scorm-again beside the unzipped package in pkg/.
function makePackage(set, version, passMark) {
  const folder = fs.mkdtempSync(path.join(scratch, `scorm-${version}-`));
  const res = path.join(folder, 'platformres');
  fs.mkdirSync(res);
  const zip = path.join(folder, 'package.zip');
  const args = ['export', set, zip, '--scorm', version, '--layout', 'classic'];
  if (passMark !== undefined) args.push('--pass-mark', String(passMark));
  cli(args);
  execFileSync('unzip', ['-q', zip, '-d', path.join(res, 'pkg')]);
  fs.copyFileSync(path.join(HERE, '..', 'lib', 'platform.htm'), path.join(folder, 'platform.htm'));
  for (const script of ['scorm12.js', 'scorm2004.js']) fs.copyFileSync(path.join(SCORM_AGAIN, script), path.join(res, script));
  return { version, passMark, folder, startPage: path.join(folder, 'platform.htm') };
}

// The test's frameset inside the platform's frame "sco": the session's frames are found one level down.
class PlatformSession extends Session {
  static async launch(browser, url, version, kept, failingCommit = false) {
    const page = await browser.newPage();
    const session = new PlatformSession(page);
    session.warnings = [];
    page.on('console', (m) => { if (m.type() === 'warn' || m.type() === 'warning') session.warnings.push(m.text()); });
    await page.goto(url, { waitUntil: 'load' });
    await page.evaluate((v, k, f) => window.launch(v, k, f), version, kept ?? null, failingCommit);
    await page.waitForFunction(() => window.frames.sco?.frames?.control?.document?.readyState === 'complete',
      { polling: 20, timeout: 10000 });
    await session.settle();
    return session;
  }

  evaluate(fn, ...args) {
    return this.page.evaluate((src, rest) => {
      const f = eval(`(${src})`);
      const test = window.frames.sco;
      return f(test.frames.question, test.frames.control, ...rest);
    }, fn.toString(), args);
  }

  async settle() {
    await this.page.waitForFunction(() => {
      const t = window.frames.sco, q = t?.frames?.question, c = t?.frames?.control;
      return q && c && q.document.readyState === 'complete' && c.document.readyState === 'complete';
    }, { polling: 20, timeout: 10000 });
    await new Promise((r) => setTimeout(r, 150));
  }

  async waitForShown(name) {
    await this.page.waitForFunction((n) => {
      const q = window.frames.sco.frames.question;
      return q.shownPage === n && q.document.readyState === 'complete';
    }, { polling: 10, timeout: 10000 }, name);
    await this.settle();
  }

  async frame(frameName) {
    const sco = this.page.mainFrame().childFrames()[0];
    for (const f of sco.childFrames()) {
      const element = await f.frameElement();
      const name = await element?.evaluate((e) => e.name);
      await element?.dispose();
      if (name === frameName) return f;
    }
    throw new Error(`no frame ${frameName}`);
  }

  platform() {
    return this.page.evaluate(() => window.platform);
  }

  // The student closes the test: the platform takes its frame away.
  async leave() {
    await this.page.evaluate(() => { document.getElementById('sco').src = 'about:blank'; });
    await new Promise((r) => setTimeout(r, 300));
  }
}

// From the pre-test page to question 1, then: question 1 right (Mars),
// question 4 true (the Sun is a star), question 8 "Paris"; the rest unanswered.
async function answerThree(s) {
  if (await s.shown() === 'p0.htm') {
    await s.clickElement('question', 'StartTestdiv0');
    await s.waitForShown('q0.htm');
  }
  await s.clickElement('question', 'button20div');
  for (let k = 0; k < 3; k++) await s.press('Arrow2');
  await s.waitForShown('q3.htm');
  await s.clickElement('question', 'button10div', 0.25);
  for (let k = 0; k < 4; k++) await s.press('Arrow2');
  await s.waitForShown('q7.htm');
  await s.typeInto('field1', 'Paris');
}

async function finish(s) {
  await s.press('Finish');
  await s.settle();
  const results = await s.resultsText();
  const percent = Number(/([\d.]+) %/.exec(results)[1]);
  return { results, percent };
}

// The values under one interaction, by the name after "cmi.interactions.N.".
function interactions(values) {
  const out = [];
  for (const [element, value] of Object.entries(values)) {
    const m = /^cmi\.interactions\.(\d+)\.(.+)$/.exec(element);
    if (m) (out[Number(m[1])] ??= {})[m[2]] = value;
  }
  return out;
}

// What the student sees of the answers on the question page: every block
// shown (the chosen layers among them) and the text of every field. The
// pointer-over layers (X1div) show where the pointer is, not an answer.
function answersShown(s) {
  return s.evaluate((q) => {
    const d = q.document;
    return [...d.querySelectorAll('div[id]')].filter((e) => e.style.visibility === 'visible' && !/\d1div$/.test(e.id))
      .map((e) => e.id)
      .concat([...d.querySelectorAll('input')].map((e) => `${e.name}=${e.value}`));
  });
}

// Answers the question shown, whatever its kind, as a student does: the
// first choice, the first half of a true/false button, or a number typed
// (which text fields take too).
// Returns false for a question it does not answer (drags).
async function answerShown(s) {
  const target = await s.evaluate((q) => {
    const d = q.document;
    for (const attribute of ['data-choice', 'data-tf']) {
      const e = d.querySelector(`[${attribute}]`);
      if (e) return { selector: `[${attribute}="${e.getAttribute(attribute)}"]` };
    }
    const field = d.querySelector('input[id]');
    return field ? { field: field.id } : null;
  });
  if (!target) return false;
  if (target.field) await s.typeInto(target.field, '8');
  else await s.clickElement('question', { selector: target.selector });
  // The pointer leaves the page, so that no layer shows only because it is over it.
  await s.moveTo(1, 1);
  await new Promise((r) => setTimeout(r, 100));
  return true;
}

async function waitForOtherQuestion(s, page) {
  await s.page.waitForFunction((p) => {
    const q = window.frames.sco.frames.question;
    return /^q\d+\.htm$/.test(q.shownPage) && q.shownPage !== p && q.document.readyState === 'complete';
  }, { polling: 10, timeout: 10000 }, page);
  await s.settle();
}

const set = makeSet();
const randomSet = makeSet('scorm-random', { random: true });
// Four questions of one mark each: each answer right is 25 %.
const quarters = makeSet('scorm-quarters', { first: 4 });
// The same set with a picture and a sound on question 1 (names with blanks
// and non-ASCII letters, as teachers name them), the picture described.
const PICTURE = path.join(scratch, 'Karte der Flüsse.png');
execFileSync('/usr/bin/convert', ['-size', '640x320', 'gradient:steelblue-white', PICTURE]);
const SOUND = path.join(scratch, 'Frage eins.wav');
execFileSync('/usr/bin/sox', ['-n', '-r', '22050', '-c', '1', SOUND, 'synth', '2', 'sine', '440']);
const mediaSet = path.join(scratch, 'scorm-media.vtd');
fs.copyFileSync(set, mediaSet);
const DESCRIPTION = 'Map of Europe: the Danube "in blue" <from west to east>';
cli(['media', mediaSet, '1', '--picture', PICTURE, '--sound', SOUND, '--description', DESCRIPTION]);
const packages = {
  '1.2': { passed: makePackage(set, '1.2', 10), plain: makePackage(set, '1.2'), failed: makePackage(set, '1.2', 90),
    random: makePackage(randomSet, '1.2'), half: makePackage(quarters, '1.2', 50) },
  2004: { passed: makePackage(set, '2004', 10), plain: makePackage(set, '2004'), failed: makePackage(set, '2004', 90),
    random: makePackage(randomSet, '2004'), half: makePackage(quarters, '2004', 50), media: makePackage(mediaSet, '2004') },
};
const servers = [];
before(async () => {
  for (const version of Object.keys(packages)) {
    for (const p of Object.values(packages[version])) {
      const s = await serve(p);
      servers.push(s);
      p.url = s.address;
      p.served = s;
    }
  }
});
after(async () => { for (const s of servers) await s.close(); });

const LEARNER = 'Ames, Jo';
const V = {
  '1.2': {
    learner: { core: { student_name: LEARNER } },
    raw: 'cmi.core.score.raw', min: 'cmi.core.score.min', max: 'cmi.core.score.max', status: 'cmi.core.lesson_status',
    exit: 'cmi.core.exit', time: 'cmi.core.session_time', response: 'student_response', wrong: 'wrong',
    sessionTime: /^\d{4}:\d\d:\d\d\.\d\d$/, calls: ['LMSInitialize', 'LMSCommit', 'LMSFinish'],
    choice: 'b', trueFalse: 't', matchingPattern: '1.f,2.t',
    // What a platform hands back at the next launch.
    kept: (v) => ({ core: { student_name: LEARNER, entry: v['cmi.core.exit'] === 'suspend' ? 'resume' : '',
      lesson_status: v['cmi.core.lesson_status'] }, suspend_data: v['cmi.suspend_data'] }),
  },
  2004: {
    learner: { learner_name: LEARNER },
    raw: 'cmi.score.raw', min: 'cmi.score.min', max: 'cmi.score.max', status: 'cmi.success_status',
    exit: 'cmi.exit', time: 'cmi.session_time', response: 'learner_response', wrong: 'incorrect',
    sessionTime: /^PT\d+H\d+M[\d.]+S$/, calls: ['Initialize', 'Commit', 'Terminate'],
    choice: 'b', trueFalse: 'true', matchingPattern: '1[.]f[,]2[.]t',
    kept: (v) => ({ learner_name: LEARNER, entry: v['cmi.exit'] === 'suspend' ? 'resume' : '',
      completion_status: v['cmi.completion_status'], success_status: v['cmi.success_status'],
      suspend_data: v['cmi.suspend_data'] }),
  },
};

eachBrowser('LMS packages', (ctx) => {
  // A platform serves its packages; opened from files, the package is a
  // plain web test (the last test below).
  const platform = { skip: ctx.way === 'file' && 'a platform serves its packages over HTTP' };
  for (const version of ['1.2', '2004']) {
    const v = V[version];
    const p = packages[version];

    test(`SCORM ${version}: score, passed, one interaction per question, session time, the student's name`, platform, async () => {
      const s = await PlatformSession.launch(ctx.browser, p.passed.url, version, v.learner);
      await answerThree(s);
      const { results, percent } = await finish(s);
      assert.ok(results.includes(`Student: ${LEARNER}`), results);
      assert.equal(percent, 13.04, 'three of the 23 marks');

      const { values, calls } = await s.platform();
      assert.equal(Number(values[v.raw]), percent);
      assert.equal(values[v.min], '0');
      assert.equal(values[v.max], '100');
      assert.equal(values[v.status], 'passed');
      if (version === '2004') {
        assert.equal(Number(values['cmi.score.scaled']), percent / 100);
        assert.equal(values['cmi.completion_status'], 'completed');
        assert.equal(values['cmi.exit'], 'normal');
      } else {
        assert.equal(values['cmi.core.exit'], '');
      }
      assert.match(values[v.time], v.sessionTime);
      assert.deepEqual(calls.filter((c, i) => calls.indexOf(c) === i), v.calls, 'initialised, committed, finished');

      const list = interactions(values);
      assert.equal(list.length, 11, 'one interaction per question');
      assert.deepEqual(list.map((i) => i.id), Array.from({ length: 11 }, (_, n) => `Q${n + 1}`));
      const expect = [
        [0, 'choice', v.choice, v.choice, 'correct'],
        [3, 'true-false', v.trueFalse, v.trueFalse, 'correct'],
        [7, 'fill-in', 'Paris', 'Paris', 'correct'],
        [1, 'choice', undefined, 'a', v.wrong],
        [4, 'matching', undefined, v.matchingPattern, v.wrong],
      ];
      for (const [n, type, response, pattern, result] of expect) {
        const i = list[n];
        assert.equal(i.type, type, `Q${n + 1} type`);
        assert.equal(i[v.response], response, `Q${n + 1} response`);
        assert.equal(i['correct_responses.0.pattern'], pattern, `Q${n + 1} right response`);
        assert.equal(i.result, result, `Q${n + 1} result`);
        assert.ok(Number(i.weighting) > 0, `Q${n + 1} weighting`);
      }
      assert.equal(list[8].type, 'fill-in');
      // Every accepted answer is a right response of its own: question 8
      // accepts "Paris" and "paris".
      const patterns = (i) => Object.keys(i).filter((k) => /^correct_responses\.\d+\.pattern$/.test(k)).sort()
        .map((k) => i[k]);
      assert.deepEqual(patterns(list[7]), ['Paris', 'paris']);
      assert.deepEqual(patterns(list[0]), [v.choice], 'a choice question has its one right response');
      assertNoErrors(s);
      await s.close();
    });

    test(`SCORM ${version}: without a pass mark the test is completed; above the score it is failed`, platform, async () => {
      const plain = await PlatformSession.launch(ctx.browser, p.plain.url, version, v.learner);
      await answerThree(plain);
      await finish(plain);
      const { values } = await plain.platform();
      if (version === '1.2') assert.equal(values['cmi.core.lesson_status'], 'completed');
      else assert.deepEqual([values['cmi.completion_status'], values['cmi.success_status']], ['completed', 'unknown']);
      await plain.close();

      const failed = await PlatformSession.launch(ctx.browser, p.failed.url, version, v.learner);
      await answerThree(failed);
      await finish(failed);
      assert.equal((await failed.platform()).values[v.status], 'failed');
      assertNoErrors(failed);
      await failed.close();
    });

    test(`SCORM ${version}: a score equal to the pass mark passes, one mark below fails`, platform, async () => {
      // Question 1 right (Mars), and question 4 right (the Sun is a star) or left open.
      for (const [fourth, percent, status] of [[true, 50, 'passed'], [false, 25, 'failed']]) {
        const s = await PlatformSession.launch(ctx.browser, p.half.url, version, v.learner);
        if (await s.shown() === 'p0.htm') {
          await s.clickElement('question', 'StartTestdiv0');
          await s.waitForShown('q0.htm');
        }
        await s.clickElement('question', 'button20div');
        if (fourth) {
          for (let k = 0; k < 3; k++) await s.press('Arrow2');
          await s.waitForShown('q3.htm');
          await s.clickElement('question', 'button10div', 0.25);
        }
        assert.equal((await finish(s)).percent, percent);
        const { values } = await s.platform();
        assert.equal(Number(values[v.raw]), percent);
        assert.equal(values[v.status], status, `${percent} % against a pass mark of 50 %`);
        assertNoErrors(s);
        await s.close();
      }
    });

    test(`SCORM ${version}: leaving keeps the answers, the next launch restores them, a finished attempt opens on its results`, platform, async () => {
      const first = await PlatformSession.launch(ctx.browser, p.passed.url, version, v.learner);
      if (await first.shown() === 'p0.htm') {
        await first.clickElement('question', 'StartTestdiv0');
        await first.waitForShown('q0.htm');
      }
      await first.clickElement('question', 'button20div');
      await first.press('Arrow2');
      await first.waitForShown('q1.htm');
      await first.clickElement('question', 'button10div');
      await first.leave();
      const left = (await first.platform()).values;
      assert.equal(left[v.exit], 'suspend');
      assert.ok(left['cmi.suspend_data'], 'the answers are kept');
      assert.equal(left[v.raw], undefined, 'no score before Finish');
      await first.close();

      const second = await PlatformSession.launch(ctx.browser, p.passed.url, version, v.kept(left));
      assert.equal(await second.shown(), 'q1.htm', 'back where the student left');
      assert.equal(await second.visible('button12div'), 'visible', 'the answer on the page left is restored');
      await second.press('Arrow1');
      await second.waitForShown('q0.htm');
      assert.equal(await second.visible('button22div'), 'visible', 'the earlier answer is restored');
      const { results, percent } = await finish(second);
      const done = (await second.platform()).values;
      assert.equal(Number(done[v.raw]), percent);
      const list = interactions(done);
      assert.equal(list[0].result, 'correct');
      assert.equal(list[1][v.response], 'a');
      await second.close();

      const third = await PlatformSession.launch(ctx.browser, p.passed.url, version, v.kept(done));
      assert.equal(await third.shown(), 'results', 'the results page, written by the control page');
      const again = await third.resultsText();
      assert.ok(again.includes(`${percent} %`), again);
      assert.equal(again.split('Started:')[1], results.split('Started:')[1], 'the same times');
      await third.leave();
      const { values, sets } = await third.platform();
      assert.equal(values[v.raw], undefined, 'nothing is reported again');
      assert.ok(!sets.some(([e]) => e === 'cmi.suspend_data'), 'the kept attempt stays as it was');
      assertNoErrors(third);
      await third.close();
    });

    test(`SCORM ${version}: a test in random order resumes at its question, in its order, with its answers`, platform, async () => {
      const first = await PlatformSession.launch(ctx.browser, p.random.url, version, v.learner);
      if (await first.shown() === 'p0.htm') {
        await first.clickElement('question', 'StartTestdiv0');
        await waitForOtherQuestion(first, 'p0.htm');
      }
      // Three questions in the order drawn, answered where they can be.
      const seen = [];
      for (let k = 0; k < 3; k++) {
        const page = await first.shown();
        const before = await answersShown(first);
        if (await answerShown(first)) assert.notDeepEqual(await answersShown(first), before, `${page} answered`);
        seen.push({ page, answers: await answersShown(first) });
        if (k < 2) {
          await first.press('Arrow2');
          await waitForOtherQuestion(first, page);
        }
      }
      await first.leave();
      const left = (await first.platform()).values;
      assert.equal(left[v.exit], 'suspend');
      await first.close();

      // Back where the student left, and back through the same questions.
      const second = await PlatformSession.launch(ctx.browser, p.random.url, version, v.kept(left));
      for (let k = 2; k >= 0; k--) {
        if (k < 2) {
          await second.press('Arrow1');
          await waitForOtherQuestion(second, seen[k + 1].page);
        }
        assert.equal(await second.shown(), seen[k].page, `question ${k + 1} as drawn`);
        assert.deepEqual(await answersShown(second), seen[k].answers, `the answers of ${seen[k].page}`);
      }
      assertNoErrors(second);
      await second.close();
    });
  }

  test('the package keeps the names, roles and keys of the accessible test', platform, async () => {
    const s = await PlatformSession.launch(ctx.browser, packages[2004].plain.url, '2004', V[2004].learner);
    try {
      await s.waitForShown('p0.htm');
      // Started by a key press in the page itself, as a student does.
      await s.evaluate((q) => q.document.querySelector('[data-press]').focus());
      await s.page.keyboard.press('Enter');
      await s.waitForShown('q0.htm');
      const found = {};
      for (const name of ['question', 'control']) {
        const violations = await auditWindow(s, name);
        if (violations.length) found[name] = violations;
      }
      assert.deepEqual(found, {});
      // Space on a named choice chooses it, and its state says so.
      await s.evaluate((q) => q.document.querySelector('[data-choice="button2"]').focus());
      await s.page.keyboard.press(' ');
      await new Promise((r) => setTimeout(r, 100));
      assert.deepEqual(await s.evaluate((q) => {
        const choice = q.document.querySelector('[data-choice="button2"]');
        return [choice.getAttribute('aria-label'), choice.getAttribute('aria-checked')];
      }), ['B: Mars', 'true']);
      assertNoErrors(s);
    } finally {
      await s.close();
    }
  });

  test('the package carries the question\'s picture, its description and sound, and its manifest lists them', platform, async () => {
    const p = packages[2004].media;
    const manifest = execFileSync('unzip', ['-p', path.join(p.folder, 'package.zip'), 'imsmanifest.xml'], { encoding: 'utf8' });
    const listed = [...manifest.matchAll(/<file href="([^"]+)"/g)].map((m) => decodeURIComponent(m[1]));
    for (const name of ['Karte der Flüsse.png', 'Frage eins.wav']) {
      assert.ok(listed.includes(name), `${name} in the manifest: ${listed.join(', ')}`);
    }
    const s = await PlatformSession.launch(ctx.browser, p.url, '2004', V[2004].learner);
    try {
      await s.waitForShown('p0.htm');
      await s.evaluate((q) => q.document.querySelector('[data-press]').focus());
      await s.page.keyboard.press('Enter');
      await s.waitForShown('q0.htm');
      await s.page.waitForFunction(() => {
        const q = window.frames.sco.frames.question.document;
        const img = q.querySelector('img[name="qpicture"]');
        const audio = q.querySelector('audio');
        return img && img.complete && audio && audio.readyState >= 2;
      }, { polling: 20, timeout: 10000 });
      assert.deepEqual(await s.evaluate((q) => {
        const img = q.document.querySelector('img[name="qpicture"]');
        return [img.naturalWidth, img.naturalHeight, img.alt];
      }), [640, 320, DESCRIPTION], 'the picture loaded, named by its description');
      assertNoErrors(s);
    } finally {
      await s.close();
    }
  });

  test('the platform\'s errors go to the console, never to the student', platform, async () => {
    const s = await PlatformSession.launch(ctx.browser, packages['1.2'].plain.url, '1.2', V['1.2'].learner, true);
    await answerThree(s);
    const { results } = await finish(s);
    assert.ok(results.includes('You scored 3 out of 23'), results);
    assert.equal(s.dialogs.length, 1, 'only the confirmation of Finish');
    assert.ok(s.warnings.some((w) => /LMSCommit.*error 391/.test(w)), s.warnings.join('\n'));
    assert.ok((await s.platform()).calls.includes('LMSFinish'), 'finished all the same');
    assertNoErrors(s);
    await s.close();
  });

  test('a package opened without a platform runs to its results, with no alert', async () => {
    const s = await Session.open(ctx.browser, addressOf(ctx, packages['2004'].passed.served, 'platformres/pkg/frame.htm'));
    const warnings = [];
    s.page.on('console', (m) => { if (m.type() === 'warn' || m.type() === 'warning') warnings.push(m.text()); });
    await answerThree(s);
    const { results } = await finish(s);
    assert.ok(/You scored/.test(results), results);
    assert.ok(!results.includes('Student:'), 'no name without a platform');
    assert.equal(s.dialogs.length, 1, 'only the confirmation of Finish');
    assert.deepEqual(warnings, []);
    assertNoErrors(s);
    await s.close();
  });
});
