// Exports web tests with the real generator (dorvel-cli of the build under
// test) into a temporary folder, and serves that folder on loopback.
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

export const FIXTURES = path.join(path.dirname(fileURLToPath(import.meta.url)), '..', 'fixtures');

export function binFolder() {
  const bin = process.env.DORVEL_BIN;
  if (!bin || !fs.existsSync(path.join(bin, 'dorvel-cli'))) {
    throw new Error('DORVEL_BIN must name a build\'s bin folder holding dorvel-cli');
  }
  return bin;
}

export function cli(args) {
  return execFileSync(path.join(binFolder(), 'dorvel-cli'), args, { encoding: 'latin1', stdio: ['ignore', 'pipe', 'pipe'] });
}

// A scratch folder that lives until the process ends.
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'dorvel-webtests-'));
process.on('exit', () => fs.rmSync(scratch, { recursive: true, force: true }));

// Writes the web test of fixtures/<name>.txt; returns the start page's folder
// and the name of the test folder beside it ("<name>res"). `lang` names
// another installed language pack for the interface texts.
export function exportFixture(name, seed, lang) {
  const out = fs.mkdtempSync(path.join(scratch, `${name}-`));
  const args = [...(lang ? ['--lang', lang] : []), 'webtest-fixture', path.join(FIXTURES, `${name}.txt`), path.join(out, `${name}.htm`)];
  if (seed !== undefined) args.push(String(seed));
  cli(args);
  return { folder: out, testFolder: `${name}res`, startPage: path.join(out, `${name}.htm`) };
}

// The web export of a set file, as the author makes it.
export function exportSet(setFile, startName = 'Test') {
  const out = fs.mkdtempSync(path.join(scratch, `${startName}-`));
  cli(['export', setFile, path.join(out, `${startName}.htm`)]);
  return { folder: out, testFolder: `${startName}res`, startPage: path.join(out, `${startName}.htm`) };
}

// Serves an export with `dorvel-cli serve` on a free loopback port, as the
// program does for the author. `url` is the address of the start page's folder.
export function serve(exported) {
  const child = spawn(path.join(binFolder(), 'dorvel-cli'), ['serve', exported.startPage], { stdio: ['ignore', 'pipe', 'inherit'] });
  return new Promise((resolve, reject) => {
    let out = '';
    child.stdout.on('data', (d) => {
      out += d;
      if (!out.includes('\n')) return;
      const address = out.split('\n')[0].trim();
      resolve({
        address,
        url: address.slice(0, address.lastIndexOf('/') + 1),
        close: () => new Promise((done) => { child.once('exit', done); child.kill(); }),
      });
    });
    child.on('exit', (code) => reject(new Error(`dorvel-cli serve ended (${code})`)));
  });
}

const SAMPLE = path.join(FIXTURES, '..', '..', '..', 'data', 'samples', 'General Knowledge.txt');

function setTag(text, name, value) {
  return text.replace(new RegExp(`<${name}>[^<]*</${name}>`), `<${name}>${value}</${name}>`);
}

// The styles the build ships.
export function shippedStyles() {
  return fs.readdirSync(path.join(binFolder(), 'DorvelTemplates')).sort();
}

// The sample set, which holds every question type, in one style with Mark,
// Cheat and feedback allowed and in its own order, exported as the author does.
export function exportEveryType(style) {
  let text = fs.readFileSync(SAMPLE, 'latin1');
  for (const [name, value] of [['GraphicStyle', style], ['PresentInRandomOrder', '0'], ['allowMarking', '1'],
    ['allowCheating', '1'], ['ShowFeedback', '1'], ['TestName', `All types ${style}`]]) {
    text = setTag(text, name, value);
  }
  const plain = path.join(scratch, `${style}.txt`);
  fs.writeFileSync(plain, text, 'latin1');
  const set = path.join(scratch, `${style}.vtd`);
  cli(['pack', set, plain]);
  return exportSet(set, 'AllTypes');
}

export { scratch };
