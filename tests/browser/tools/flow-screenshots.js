// Takes the screenshots of the flowing web test in docs/images/flow/: each
// theme at phone, tablet and desktop size, on a marked choice question, in
// Chromium. usage (from tests/browser): DORVEL_BIN=BUILD/bin node tools/flow-screenshots.js
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { launch } from '../lib/browsers.js';
import { exportFlow, flowSampleSet, press } from '../lib/flow.js';

const out = path.join(path.dirname(fileURLToPath(import.meta.url)), '..', '..', '..', 'docs', 'images', 'flow');
fs.mkdirSync(out, { recursive: true });
const sizes = [['phone', 390, 844], ['tablet', 768, 1024], ['desktop', 1280, 800]];
const browser = await launch('chromium');
for (const style of ['Chalkboard', 'Notebook', 'Seaside']) {
  const exported = exportFlow(flowSampleSet(`shot-${style}`, { GraphicStyle: style, shouldUserEnterDetails: '0' }), style);
  for (const [name, width, height] of sizes) {
    const page = await browser.browser.newPage();
    await page.setViewport({ width, height });
    await page.goto(pathToFileURL(exported.startPage).href, { waitUntil: 'load' });
    await press(page, '#startButton', false);
    await page.waitForSelector('h2#qh');
    await press(page, '.choices li[data-choice="1"] label', false);
    await press(page, '.nav-mark', false);
    await page.evaluate(() => { document.activeElement.blur(); window.scrollTo(0, 0); });
    await page.screenshot({ path: path.join(out, `${style.toLowerCase()}-${name}.png`) });
    await page.close();
  }
}
await browser.close();
