// The flowing web test (the default layout) as a student meets it: exports
// made once per process, a tap or click that works alike with touch and
// mouse, and what the page shows read from its boxes on screen.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { cli, sampleSet, scratch } from './exporter.js';

const SAMPLE = path.join(path.dirname(fileURLToPath(import.meta.url)), '..', '..', '..', 'data', 'samples',
  'General Knowledge.txt');

const MEDIA = path.join(path.dirname(fileURLToPath(import.meta.url)), '..', 'fixtures', 'media');

// The sample set (every kind of question of today) with Mark, Cheat,
// feedback, review, the name box and its own order; question 3 has a
// picture and question 2 a sound.
export function flowSampleSet(name = 'flow-sample', details = {}) {
  const set = sampleSet(name, { PresentInRandomOrder: '0', allowMarking: '1', allowCheating: '1', ShowFeedback: '1',
    allowFinishedQuestionViewing: '1', shouldUserEnterDetails: '1', TestName: 'General Knowledge', ...details });
  const picture = path.join(scratch, `${name}-sea.svg`);
  fs.writeFileSync(picture, '<svg xmlns="http://www.w3.org/2000/svg" width="600" height="400">'
    + '<rect width="600" height="400" fill="#2a8cc4"/><circle cx="300" cy="200" r="120" fill="#888"/></svg>');
  cli(['media', set, '3', '--picture', picture]);
  cli(['media', set, '2', '--sound', path.join(MEDIA, 'beep.wav')]);
  return set;
}

// A set whose first question has a 600-character text and 150-character
// choices, to show that long texts push the page longer and cover nothing.
export function longTextSet() {
  let text = fs.readFileSync(SAMPLE, 'latin1');
  const words = (n, seed) => {
    let out = '';
    for (let k = 0; out.length < n; k++) out += `${seed}${k} word `;
    return out.slice(0, n).trim();
  };
  text = text.replace(/(<question1>[\s\S]*?)<Title>[^<]*<\/Title>/, `$1<Title>${words(600, 'long')}</Title>`);
  for (let c = 1; c <= 4; c++) {
    text = text.replace(new RegExp(`(<question1>[\\s\\S]*?)<Text${c}>[^<]*</Text${c}>`), `$1<Text${c}>${words(150, `c${c}x`)}</Text${c}>`);
  }
  const plain = path.join(scratch, 'flow-long.txt');
  fs.writeFileSync(plain, text.replace('<allowMarking>0</allowMarking>', '<allowMarking>1</allowMarking>'), 'latin1');
  const set = path.join(scratch, 'flow-long.vtd');
  cli(['pack', set, plain]);
  return set;
}

// The flowing pages of a set: a start page with its folder, or one file.
export function exportFlow(setFile, startName = 'Flow', { singleFile = false } = {}) {
  const out = fs.mkdtempSync(path.join(scratch, `${startName}-flow-`));
  const startPage = path.join(out, `${startName}.htm`);
  cli(['export', setFile, startPage, ...(singleFile ? ['--single-file'] : [])]);
  return { folder: out, startPage };
}

// The screens a student has: a phone held upright (touch), a tablet upright,
// a desktop, and 320 CSS pixels wide (a 1280-pixel screen at 400 % zoom).
export const SCREENS = [
  { name: 'phone', width: 390, height: 844, touch: true },
  { name: 'tablet', width: 768, height: 1024 },
  { name: 'desktop', width: 1280, height: 800 },
  { name: 'zoom400', width: 320, height: 640 },
];

// Sets the screen; Chromium emulates a touch phone, Firefox under BiDi takes
// the size only (taps become clicks there).
export async function useScreen(page, browserName, screen) {
  const touch = !!screen.touch && browserName === 'chromium';
  await page.setViewport({ width: screen.width, height: screen.height, isMobile: touch, hasTouch: touch,
    deviceScaleFactor: touch ? 2 : 1 });
  return touch;
}

// Presses what the selector finds, as a finger (touch) or the mouse does,
// after bringing it into view. `page` may be a frame of `onPage`.
export async function press(page, selector, touch, onPage = page) {
  const handle = await page.waitForSelector(selector, { visible: true, timeout: 5000 });
  await handle.evaluate((e) => e.scrollIntoView({ block: 'center' }));
  const box = await handle.boundingBox();
  if (!box) throw new Error(`nothing to press for ${selector}`);
  const x = box.x + box.width / 2;
  const y = box.y + box.height / 2;
  if (touch) await onPage.touchscreen.tap(x, y);
  else await onPage.mouse.click(x, y);
  await handle.dispose();
}

// What is wrong with the layout the student sees: sideways scrolling, a
// control smaller than `least` CSS pixels or outside the width, and boxes
// of the question that overlap (texts, answers, the bar).
export function layoutProblems(page, least = 24) {
  return page.evaluate((min) => {
    const problems = [];
    const doc = document.documentElement;
    if (doc.scrollWidth > doc.clientWidth) problems.push(`sideways scroll: ${doc.scrollWidth} > ${doc.clientWidth}`);
    const seen = (e) => { const r = e.getBoundingClientRect(); return r.width > 0 && r.height > 0 && getComputedStyle(e).visibility !== 'hidden'; };
    const name = (e) => `${e.tagName.toLowerCase()}${e.id ? '#' + e.id : ''}${e.className ? '.' + String(e.className).split(' ').join('.') : ''} "${(e.textContent || e.value || '').trim().slice(0, 20)}"`;
    for (const e of document.querySelectorAll('button, input, select, textarea, a[href], audio')) {
      if (!seen(e)) continue;
      // A radio button or check box is pressed through its label.
      const target = e.matches('input[type=radio], input[type=checkbox]') ? e.closest('label') || e : e;
      const r = target.getBoundingClientRect();
      if (r.width < min || r.height < min) problems.push(`small (${Math.round(r.width)}x${Math.round(r.height)}): ${name(target)}`);
      if (r.left < -0.5 || r.right > doc.clientWidth + 0.5) problems.push(`outside the width (${Math.round(r.left)}..${Math.round(r.right)}): ${name(target)}`);
    }
    const boxes = [...document.querySelectorAll('h1, h2, .qtext, .picture, .choices > li, .statements > li, .fields > li, .feedback, .right-answers, nav button, nav input, nav output, .start-page p, .results > *')]
      .filter(seen);
    for (let i = 0; i < boxes.length; i++) {
      for (let j = i + 1; j < boxes.length; j++) {
        if (boxes[i].contains(boxes[j]) || boxes[j].contains(boxes[i])) continue;
        const a = boxes[i].getBoundingClientRect();
        const b = boxes[j].getBoundingClientRect();
        const w = Math.min(a.right, b.right) - Math.max(a.left, b.left);
        const h = Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top);
        if (w > 1 && h > 1) problems.push(`overlap: ${name(boxes[i])} and ${name(boxes[j])}`);
      }
    }
    return problems;
  }, least);
}

// The answers of the sample set, question by question, as a student gives
// them: a choice by its text, statements true (1) or false (0), typed texts.
export const SAMPLE_ANSWERS = {
  1: { choice: 'Venus' }, // wrong on purpose: Mars is right
  2: { choice: 'Yes' },
  3: { choice: 'Dolphin' },
  4: { statements: [1] },
  5: { statements: [0, 1] },
  6: { statements: [1, 0, 1] },
  7: { statements: [1, 0, 1, 0] },
  8: { typed: ['Paris'] },
  9: { typed: ['8', ' 7 '] },
  10: { typed: ['red', 'GREEN', 'Blue'] },
  11: { typed: ['Winter', 'Spring', 'Summer', 'Autumn'] },
};

// Answers the question shown (its number in the set from the heading's data).
export async function answerShown(page, touch, answers = SAMPLE_ANSWERS, onPage = page) {
  const id = await page.evaluate(() => window.DorvelEngine.state.order[window.DorvelEngine.state.position]);
  const a = answers[id];
  if (a.choice) {
    const index = await page.evaluate((text) => [...document.querySelectorAll('.choices li')]
      .find((li) => li.querySelector('.text').textContent === text).dataset.choice, a.choice);
    await press(page, `.choices li[data-choice="${index}"] label`, touch, onPage);
  }
  for (const [i, value] of (a.statements || []).entries()) {
    await press(page, `.statements li[data-statement="${i}"] input[value="${value}"] + span`, touch, onPage);
  }
  for (const [i, text] of (a.typed || []).entries()) {
    await press(page, `.fields li[data-field="${i}"] input`, touch, onPage);
    await onPage.keyboard.type(text);
  }
  return id;
}

