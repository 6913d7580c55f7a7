// A question's own picture and sound, as the student meets them: the sample
// set in every shipped style with a picture on three questions (one file on
// two of them, names with blanks and non-ASCII letters) and a sound on one,
// (a choice, true/false and typed answers), set with `dorvel-cli media`, exported and served; the same set built into
// a bank and played by VTX. The picture loads, keeps its proportions and
// covers no text, button or field; the sound's <audio> loads its file and
// the play button plays it. The first picture's description (text that would
// be markup if it were not escaped) is what a screen reader is given for it.
// A picture that came in with a question from a Moodle XML file shows too.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { binFolder, cli, exportSet, exportSingleFile, scratch, serve, shippedStyles } from '../lib/exporter.js';
import { audit } from '../lib/axe.js';
import { addressOf, assertNoErrors, eachBrowser } from '../lib/harness.js';
import { pathToFileURL } from 'node:url';
import { Session } from '../lib/session.js';

const SAMPLE = path.join(path.dirname(new URL(import.meta.url).pathname), '..', '..', '..', 'data', 'samples',
  'General Knowledge.txt');

const media = fs.mkdtempSync(path.join(scratch, 'Bilder und Töne-'));
const map = path.join(media, 'Karte der Flüsse.png');
const tall = path.join(media, 'Fluss hoch.jpg');
const sound = path.join(media, 'Frage eins.wav');
execFileSync('/usr/bin/convert', ['-size', '640x320', 'gradient:steelblue-white', map]);
execFileSync('/usr/bin/convert', ['-size', '200x300', 'gradient:sienna-white', tall]);
execFileSync('/usr/bin/sox', ['-n', '-r', '22050', '-c', '1', sound, 'synth', '2', 'sine', '440']);

const DESCRIPTION = 'Karte: "Donau" & Rhein"><img src=x onerror=alert(1)></script> – Fluß';

function setIn(style) {
  const text = fs.readFileSync(SAMPLE, 'latin1').replace(/<GraphicStyle>[^<]*<\/GraphicStyle>/,
    `<GraphicStyle>${style}</GraphicStyle>`).replace(/<PresentInRandomOrder>[^<]*</, '<PresentInRandomOrder>0<');
  const plain = path.join(scratch, `media-${style}.txt`);
  fs.writeFileSync(plain, text, 'latin1');
  const set = path.join(scratch, `media-${style}.vtd`);
  cli(['pack', set, plain]);
  cli(['media', set, '1', '--picture', map, '--description', DESCRIPTION]);
  cli(['media', set, '2', '--picture', map, '--sound', sound]);
  cli(['media', set, '4', '--picture', tall]);
  cli(['media', set, '10', '--picture', map]);
  return set;
}

// The same picture as a Moodle XML file carries it, with its description:
// imported, it is the question's own picture.
const IMPORTED_DESCRIPTION = 'Karte der Donau & des Rheins';
function importedSet() {
  const xml = path.join(scratch, 'moodle-map.xml');
  fs.writeFileSync(xml, '<?xml version="1.0" encoding="UTF-8"?>\n<quiz><question type="truefalse"><name><text>Rivers</text></name>'
    + '<questiontext format="html"><text><![CDATA[<p>Is the Danube longer than the Rhine?</p>'
    + '<img src="@@PLUGINFILE@@/Karte%20der%20Fl%C3%BCsse.png" alt="Karte der Donau &amp; des Rheins">]]></text>'
    + `<file name="Karte der Flüsse.png" path="/" encoding="base64">${fs.readFileSync(map).toString('base64')}</file>`
    + '</questiontext><answer fraction="100"><text>true</text></answer><answer fraction="0"><text>false</text></answer>'
    + '</question></quiz>\n');
  const set = path.join(scratch, 'moodle-map.vtd');
  cli(['import', xml, set]);
  return set;
}

const exports = shippedStyles().map((style) => ({ style, ...exportSet(setIn(style), 'Rivers') }));
const imported = exportSet(importedSet(), 'Imported');
const servers = [];
let player;
before(async () => {
  for (const e of exports) {
    e.served = await serve(e);
    servers.push(e.served);
  }
  imported.served = await serve(imported);
  servers.push(imported.served);
  const bank = path.join(scratch, 'media.vtb');
  cli(['build', setIn(exports[0].style), bank]);
  const child = spawn(path.join(binFolder(), 'VTX'), ['--no-window', '--no-open', bank], { stdio: ['ignore', 'pipe', 'inherit'] });
  player = await new Promise((resolve, reject) => {
    let out = '';
    child.stdout.on('data', (d) => {
      out += d;
      if (out.includes('\n')) resolve({ address: out.split('\n')[0].trim(), stop: () => child.kill('SIGTERM') });
    });
    child.on('exit', (code) => reject(new Error(`VTX ended (${code})`)));
  });
});
after(async () => {
  for (const s of servers) await s.close();
  player?.stop();
});

// What the student sees of the question picture: loaded, its shown and its
// natural size, and every visible text, button or field it overlaps.
async function picture(s) {
  await s.page.waitForFunction(() => {
    const img = window.frames.question.document.querySelector('img[name="qpicture"]');
    return img && img.complete;
  }, { polling: 20, timeout: 10000 });
  return s.evaluate((q) => {
    const img = q.document.querySelector('img[name="qpicture"]');
    const r = img.getBoundingClientRect();
    const covered = [];
    for (const el of q.document.querySelectorAll('div[style*="absolute"] font, input, img, button')) {
      if (el === img || el.closest('#back') || q.getComputedStyle(el).visibility !== 'visible') continue;
      const o = el.getBoundingClientRect();
      if (o.width === 0 || o.height === 0) continue;
      if (o.left < r.right && r.left < o.right && o.top < r.bottom && r.top < o.bottom) {
        covered.push(`${el.tagName} ${el.textContent || el.getAttribute('src') || el.id}`.trim());
      }
    }
    return {
      naturalWidth: img.naturalWidth, naturalHeight: img.naturalHeight, width: r.width, height: r.height, covered,
      alt: img.alt, hidden: img.getAttribute('aria-hidden'),
    };
  });
}

async function start(s) {
  const hasStartPicture = await s.evaluate((q) => !!q.document.stbutton);
  if (hasStartPicture) {
    await s.clickElement('question', await s.evaluate((q) => q.document.stbutton.parentNode.id));
  } else {
    await s.clickElement('question', 'StartTestdiv0');
  }
  await s.waitForShown('q0.htm');
}

function assertShownWell(p, natural, label) {
  assert.deepEqual([p.naturalWidth, p.naturalHeight], natural, `${label}: the picture loaded`);
  assert.ok(Math.abs(p.width / p.height - natural[0] / natural[1]) < 0.03 * (natural[0] / natural[1]),
    `${label}: proportions kept (${p.width}x${p.height})`);
  assert.deepEqual(p.covered, [], `${label}: nothing under the picture`);
}

eachBrowser('question media', (ctx) => {
  for (const e of exports) {
    test(`${e.style}: pictures show beside the question, the sound loads and plays again`, async () => {
      const s = await Session.open(ctx.browser, addressOf(ctx, e.served, `${e.testFolder}/frame.htm`));
      try {
        await start(s);
        assertShownWell(await picture(s), [640, 320], 'question 1');

        await s.press('Arrow2');
        await s.waitForShown('q1.htm');
        assertShownWell(await picture(s), [640, 320], 'question 2 (the same file)');
        // The question's sound: an <audio> that has loaded its file.
        await s.page.waitForFunction(() => {
          const a = window.frames.question.document.querySelector('audio');
          return a && a.readyState >= 2;
        }, { polling: 20, timeout: 10000 });
        assert.match(await s.evaluate((q) => q.document.querySelector('audio').src), /Frage%20eins\.wav$/);
        // The small button plays it again, and covers nothing either.
        const button = await s.evaluate((q) => {
          const b = q.document.getElementById('qsound').getBoundingClientRect();
          const hit = q.document.elementFromPoint(b.left + b.width / 2, b.top + b.height / 2);
          return { id: hit && hit.id, label: q.document.getElementById('qsound').getAttribute('aria-label') };
        });
        assert.deepEqual(button, { id: 'qsound', label: 'Play the sound again' });
        await s.clickElement('question', 'qsound');
        await s.page.waitForFunction(() => {
          const a = window.frames.question.document.getElementById('qsoundagain');
          return a && a.currentTime > 0.05;
        }, { polling: 20, timeout: 10000 });

        await s.press('Arrow2');
        await s.waitForShown('q2.htm');
        assert.equal(await s.evaluate((q) => q.document.querySelector('img[name="qpicture"]')), null,
          'a question without a picture has none');
        await s.press('Arrow2');
        await s.waitForShown('q3.htm');
        assertShownWell(await picture(s), [200, 300], 'question 4 (a tall picture)');
        for (let n = 4; n <= 9; n++) {
          await s.press('Arrow2');
          await s.waitForShown(`q${n}.htm`);
        }
        assertShownWell(await picture(s), [640, 320], 'question 10 (typed answers)');
        assertNoErrors(s);
      } finally {
        await s.close();
      }
    });
  }

  // What assistive technology gets for the picture: the author's words as its
  // name, inert text whatever they hold; a picture without them is decoration.
  test('a described picture is named by its description', async () => {
    const e = exports[0];
    const s = await Session.open(ctx.browser, addressOf(ctx, e.served, `${e.testFolder}/frame.htm`));
    try {
      await start(s);
      const p = await picture(s);
      assertShownWell(p, [640, 320], 'question 1');
      assert.equal(p.alt, DESCRIPTION);
      assert.equal(p.hidden, null, 'not hidden from screen readers');
      assert.deepEqual(await s.evaluate((q) => [...q.document.querySelectorAll('img')]
        .filter((i) => i.getAttribute('src') === 'x' || i.hasAttribute('onerror')).length), 0, 'no element made of the text');
      assert.deepEqual(await audit(await s.frame('question')), [], 'no WCAG 2.1 AA violation');
      for (let n = 1; n <= 3; n++) {
        await s.press('Arrow2');
        await s.waitForShown(`q${n}.htm`);
      }
      assert.equal((await picture(s)).alt, '', 'question 4: no description, a decoration');
      assertNoErrors(s);
    } finally {
      await s.close();
    }
  });

  test('a picture imported from Moodle XML shows with its description', async () => {
    const s = await Session.open(ctx.browser, addressOf(ctx, imported.served, `${imported.testFolder}/frame.htm`));
    try {
      await start(s);
      const p = await picture(s);
      assertShownWell(p, [640, 320], 'imported question');
      assert.equal(p.alt, IMPORTED_DESCRIPTION);
      assert.match(await s.evaluate((q) => q.document.body.innerText), /Is the Danube longer than the Rhine\?/);
      assertNoErrors(s);
    } finally {
      await s.close();
    }
  });

  // The file to e-mail carries the pictures and the sound as data addresses:
  // opened from the file system, the picture shows and the play button plays.
  // (Once per browser: the file is opened from the file system either way.)
  if (ctx.way === 'file') test('the single file shows the pictures and plays the sound', async () => {
    const single = exportSingleFile(setIn(exports[0].style), 'Rivers');
    const s = await Session.open(ctx.browser, `${pathToFileURL(single.startPage).href}#test`);
    try {
      await s.page.waitForFunction(() => window.frames.question && window.frames.question.shownPage,
        { polling: 20, timeout: 20000 });
      await s.settle();
      await start(s);
      const first = await picture(s);
      assertShownWell(first, [640, 320], 'question 1');
      assert.equal(first.alt, DESCRIPTION);
      await s.press('Arrow2');
      await s.waitForShown('q1.htm');
      assert.match(await s.evaluate((q) => q.document.getElementById('qsoundagain').src), /^data:audio\//);
      await s.clickElement('question', 'qsound');
      await s.page.waitForFunction(() => window.frames.question.document.getElementById('qsoundagain').currentTime > 0.05,
        { polling: 20, timeout: 10000 });
      assertNoErrors(s);
    } finally {
      await s.close();
    }
  });

  test('the question player shows the picture from the bank', async () => {
    const s = await Session.open(ctx.browser, player.address.replace(/([^/]+)\.htm$/, '$1res/frame.htm'));
    try {
      await start(s);
      const first = await picture(s);
      assertShownWell(first, [640, 320], 'VTX question 1');
      assert.equal(first.alt, DESCRIPTION, 'the player reads the description from the bank');
      assertNoErrors(s);
    } finally {
      await s.close();
    }
  });
});
