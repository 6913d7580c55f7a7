// The engine's templates stay plain JavaScript: each control block is one
// function of its own name, and everything compiles, placeholders and all.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';
import vm from 'node:vm';

const WEB = path.join(path.dirname(fileURLToPath(import.meta.url)), '..', '..', '..', 'export', 'web');
const BLOCKS = fs.readdirSync(path.join(WEB, 'control')).filter((f) => f.endsWith('.js'));

test('every control block is one function named after its file', () => {
  assert.equal(BLOCKS.length, 23);
  for (const file of BLOCKS) {
    const text = fs.readFileSync(path.join(WEB, 'control', file), 'utf8');
    const name = file.slice(0, -3);
    assert.ok(text.startsWith(`function $${name}$(`), `${file} starts its block`);
    assert.ok(text.trimEnd().endsWith('}'), `${file} ends its block`);
    const script = new vm.Script(text, { filename: file });
    const context = vm.createContext({});
    script.runInContext(context);
    assert.deepEqual(Object.keys(context), [`$${name}$`], `${file} defines exactly its own function`);
  }
});

test('the page script compiles', () => {
  assert.doesNotThrow(() => new vm.Script(fs.readFileSync(path.join(WEB, 'p.js'), 'utf8'), { filename: 'p.js' }));
});
