// Exports web tests with the real generator (dorvel-cli of the build under
// test) into a temporary folder, and serves that folder on loopback.
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

export const FIXTURES = path.join(path.dirname(fileURLToPath(import.meta.url)), '..', 'fixtures');

export function binFolder() {
  const bin = process.env.DORVEL_BIN;
  if (!bin || !fs.existsSync(path.join(bin, 'dorvel-cli'))) {
    throw new Error('DORVEL_BIN must name a build\'s bin folder holding dorvel-cli');
  }
  return bin;
}

function cli(args) {
  return execFileSync(path.join(binFolder(), 'dorvel-cli'), args, { encoding: 'latin1', stdio: ['ignore', 'pipe', 'pipe'] });
}

// A scratch folder that lives until the process ends.
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'dorvel-webtests-'));
process.on('exit', () => fs.rmSync(scratch, { recursive: true, force: true }));

// Writes the web test of fixtures/<name>.txt; returns the start page's folder
// and the name of the test folder beside it ("<name>res").
export function exportFixture(name, seed) {
  const out = fs.mkdtempSync(path.join(scratch, `${name}-`));
  const args = ['webtest-fixture', path.join(FIXTURES, `${name}.txt`), path.join(out, `${name}.htm`)];
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

export { scratch };
