// Exports web tests with the real generator (dorvel-cli of the build under
// test) into a temporary folder, and serves that folder on loopback.
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import vm from 'node:vm';
import { fileURLToPath, pathToFileURL } from 'node:url';

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
  cli(['export', setFile, path.join(out, `${startName}.htm`), '--layout', 'classic']);
  return { folder: out, testFolder: `${startName}res`, startPage: path.join(out, `${startName}.htm`) };
}

// Serves an export with `dorvel-cli serve` on a free loopback port. `url` is
// the address of the start page's folder, `fileUrl` its file address.
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
        fileUrl: pathToFileURL(path.dirname(exported.startPage)).href + '/',
        close: () => new Promise((done) => { child.once('exit', done); child.kill(); }),
      });
    });
    child.on('exit', (code) => reject(new Error(`dorvel-cli serve ended (${code})`)));
  });
}

// The styles the build ships.
export function shippedStyles() {
  return fs.readdirSync(path.join(binFolder(), 'DorvelTemplates')).sort();
}

// The sample set, which holds every question type, in one style with Mark,
// Cheat and feedback allowed and in its own order, exported as the author does.
export function exportEveryType(style) {
  return exportSet(sampleSet(style, { GraphicStyle: style, PresentInRandomOrder: '0', allowMarking: '1',
    allowCheating: '1', ShowFeedback: '1', TestName: `All types ${style}` }), 'AllTypes');
}

export { scratch };

const SAMPLE = path.join(path.dirname(fileURLToPath(import.meta.url)), '..', '..', '..', 'data', 'samples',
  'General Knowledge.txt');

function setTag(text, name, value) {
  return text.replace(new RegExp(`<${name}>[^<]*</${name}>`), `<${name}>${value}</${name}>`);
}

// A set file made from the shipped sample (every question type) with the
// test details in `details` changed. With `questions`, the sample's eleven
// questions are repeated until the set holds that many.
export function sampleSet(name, details, questions) {
  let text = fs.readFileSync(SAMPLE, 'latin1');
  for (const [tag, value] of Object.entries(details)) text = setTag(text, tag, value);
  if (questions) {
    const own = [...text.matchAll(/<question(\d+)>([\s\S]*?)<\/question\1>/g)].filter((m) => m[1] !== '0').map((m) => m[2]);
    let list = '';
    for (let n = 1; n <= questions; n++) list += `<question${n}>${own[(n - 1) % own.length]}</question${n}>\n`;
    text = text.replace(/(<question0>[\s\S]*?<\/question0>\n)[\s\S]*(<\/questionFiles>)/, `$1${list}$2`);
  }
  const plain = path.join(scratch, `${name}.txt`);
  fs.writeFileSync(plain, text, 'latin1');
  const set = path.join(scratch, `${name}.vtd`);
  cli(['pack', set, plain]);
  return set;
}

// The single-file web test of a set; `size` is what dorvel-cli reported.
export function exportSingleFile(setFile, startName = 'Test') {
  const out = fs.mkdtempSync(path.join(scratch, `${startName}-single-`));
  const startPage = path.join(out, `${startName}.htm`);
  const said = cli(['export', setFile, startPage, '--single-file', '--layout', 'classic']).trim();
  return { folder: out, startPage, said };
}

// The page texts of an exported test folder, as a browser reads pages.js.
export function readPageTexts(testFolder) {
  const context = vm.createContext({});
  vm.runInContext(fs.readFileSync(path.join(testFolder, 'pages.js'), 'latin1'), context);
  return context.pageTexts;
}
