// Launches Debian's Chromium and Firefox ESR through puppeteer-core (never a
// downloaded browser), each with a fresh profile that is removed on close.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

export const BROWSERS = (process.env.DORVEL_BROWSERS || 'chromium,firefox').split(',').filter(Boolean);

const CHROMIUM_ARGS = [
  '--no-sandbox', // we run as root
  '--disable-gpu',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--no-first-run',
  '--window-size=1100,900',
];

export async function launch(name) {
  const userDataDir = fs.mkdtempSync(path.join(os.tmpdir(), `dorvel-${name}-`));
  const options = name === 'firefox'
    ? {
        browser: 'firefox',
        executablePath: '/usr/bin/firefox-esr',
        // Puppeteer's profile relaxes the file origin rule; the tests want
        // the browser as students have it.
        extraPrefsFirefox: { 'security.fileuri.strict_origin_policy': true },
      }
    : { executablePath: '/usr/bin/chromium', args: CHROMIUM_ARGS };
  const browser = await puppeteer.launch({
    headless: true,
    userDataDir,
    defaultViewport: { width: 1100, height: 900 },
    ...options,
  });
  const close = async () => {
    await browser.close().catch(() => {});
    fs.rmSync(userDataDir, { recursive: true, force: true });
  };
  return { browser, close, name };
}
