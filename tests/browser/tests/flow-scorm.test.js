// The flowing pages in a learning platform's frame (SCORM 1.2 and 2004,
// scorm-again giving the platform page the real runtime API), in both
// browsers: a student in random order answers some questions and leaves;
// the next launch resumes in the same order with the answers kept; Finish
// reports the score, the status against the pass mark and one interaction
// per question, read back from what the platform holds.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, it } from 'node:test';
import { fileURLToPath } from 'node:url';
import { BROWSERS, launch } from '../lib/browsers.js';
import { cli, scratch, serve } from '../lib/exporter.js';
import { answerShown, flowSampleSet, press } from '../lib/flow.js';

const HERE = path.dirname(fileURLToPath(import.meta.url));
const SCORM_AGAIN = path.join(HERE, '..', 'node_modules', 'scorm-again', 'dist');

const set = flowSampleSet('flow-scorm', { PresentInRandomOrder: '1', shouldUserEnterDetails: '0' });

function makePackage(version) {
  const folder = fs.mkdtempSync(path.join(scratch, `flow-scorm-${version}-`));
  const res = path.join(folder, 'platformres');
  fs.mkdirSync(res);
  const zip = path.join(folder, 'package.zip');
  cli(['export', set, zip, '--scorm', version, '--pass-mark', '50']);
  execFileSync('unzip', ['-q', zip, '-d', path.join(res, 'pkg')]);
  fs.copyFileSync(path.join(HERE, '..', 'lib', 'platform.htm'), path.join(folder, 'platform.htm'));
  for (const script of ['scorm12.js', 'scorm2004.js']) fs.copyFileSync(path.join(SCORM_AGAIN, script), path.join(res, script));
  return { startPage: path.join(folder, 'platform.htm') };
}

const V = {
  '1.2': {
    exit: 'cmi.core.exit', raw: 'cmi.core.score.raw', status: 'cmi.core.lesson_status', passed: 'passed',
    response: 'student_response', wrong: 'wrong',
    kept: (v) => ({ core: { entry: v['cmi.core.exit'] === 'suspend' ? 'resume' : '' }, suspend_data: v['cmi.suspend_data'] }),
  },
  2004: {
    exit: 'cmi.exit', raw: 'cmi.score.raw', status: 'cmi.success_status', passed: 'passed',
    response: 'learner_response', wrong: 'incorrect',
    kept: (v) => ({ entry: v['cmi.exit'] === 'suspend' ? 'resume' : '', suspend_data: v['cmi.suspend_data'] }),
  },
};

async function launchIn(browser, url, version, kept) {
  const page = await browser.newPage();
  page.errors = [];
  page.on('pageerror', (e) => page.errors.push(String(e.message ?? e)));
  await page.setViewport({ width: 1100, height: 900 });
  await page.goto(url, { waitUntil: 'load' });
  await page.evaluate((v, k) => window.launch(v, k, false, 'index.htm'), version, kept ?? null);
  await page.waitForFunction(() => window.frames.sco?.document?.getElementById('startButton'), { polling: 20, timeout: 10000 });
  const frame = page.mainFrame().childFrames()[0];
  return { page, frame };
}

for (const name of BROWSERS) {
  describe(`the flowing pages in a learning platform [${name}]`, () => {
    let launched;
    const served = {};
    before(async () => {
      launched = await launch(name);
      for (const version of Object.keys(V)) served[version] = await serve(makePackage(version));
    });
    after(async () => {
      for (const s of Object.values(served)) await s.close();
      await launched?.close();
    });

    for (const version of Object.keys(V)) {
      it(`resumes in the same random order and reports every question (SCORM ${version})`, async () => {
        const v = V[version];
        const first = await launchIn(launched.browser, served[version].address, version);
        await press(first.frame, '#startButton', false, first.page);
        await first.frame.waitForSelector('h2#qh');
        const order = await first.frame.evaluate(() => window.DorvelEngine.state.order.slice());
        assert.equal(order.length, 11);
        await answerShown(first.frame, false, undefined, first.page);
        await press(first.frame, '.nav-next', false, first.page);
        await first.frame.waitForFunction(() => document.querySelector('.qnum').textContent === 'Question 2');
        await answerShown(first.frame, false, undefined, first.page);
        const given = await first.frame.evaluate(() => JSON.stringify(window.DorvelEngine.state.responses));
        await first.page.evaluate(() => { document.getElementById('sco').src = 'about:blank'; });
        await new Promise((r) => setTimeout(r, 300));
        const left = await first.page.evaluate(() => window.platform.values);
        assert.equal(left[v.exit], 'suspend');
        assert.ok(left['cmi.suspend_data'], 'the answers are kept');
        assert.deepEqual(first.page.errors, []);
        await first.page.close();

        const second = await launchIn(launched.browser, served[version].address, version, v.kept(left));
        await press(second.frame, '#startButton', false, second.page);
        await second.frame.waitForSelector('h2#qh');
        const resumed = await second.frame.evaluate(() => ({ order: window.DorvelEngine.state.order.slice(),
          position: window.DorvelEngine.state.position, responses: JSON.stringify(window.DorvelEngine.state.responses) }));
        assert.deepEqual(resumed.order, order, 'the same random order');
        assert.equal(resumed.position, 1, 'back where the student left');
        assert.equal(resumed.responses, given, 'the answers kept');
        // The rest of the test, then Finish.
        for (let n = 2; n < 11; n++) {
          await press(second.frame, '.nav-next', false, second.page);
          await second.frame.waitForFunction((k) => document.querySelector('.qnum').textContent === `Question ${k}`, {}, n + 1);
          await answerShown(second.frame, false, undefined, second.page);
        }
        await press(second.frame, '.nav-finish', false, second.page);
        await press(second.frame, '#finishDialog button.primary', false, second.page);
        await second.frame.waitForSelector('#score');
        assert.equal(await second.frame.$eval('#score', (e) => e.textContent), 'You scored 22 out of 23 (96 %).');
        const done = await second.page.evaluate(() => window.platform.values);
        assert.equal(Number(done[v.raw]), 95.65);
        assert.equal(done[v.status], v.passed);
        const ids = Object.keys(done).filter((k) => /^cmi\.interactions\.\d+\.id$/.test(k)).map((k) => done[k]);
        assert.deepEqual(ids.sort(), order.map((id) => `q${id}`).sort(), 'one interaction per question');
        const byId = (id, field) => done[`cmi.interactions.${ids.length && Object.keys(done)
          .find((k) => /^cmi\.interactions\.\d+\.id$/.test(k) && done[k] === id).split('.')[2]}.${field}`];
        assert.equal(byId('q1', 'type'), 'choice');
        assert.equal(byId('q1', v.response), 'a');
        assert.equal(byId('q1', 'result'), v.wrong);
        assert.equal(byId('q5', 'type'), 'matching');
        assert.equal(byId('q5', 'result'), 'correct');
        assert.equal(byId('q8', 'type'), 'fill-in');
        assert.equal(byId('q8', v.response), 'Paris');
        assert.deepEqual(second.page.errors, []);
        await second.page.close();
      });
    }
  });
}
