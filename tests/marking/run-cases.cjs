// The table of marking cases through marking/marking.js under Node; the
// same table goes through the C++ (MarkingTest.cpp), and each must give
// exactly the score, maximum and parts the table holds.
//   node tests/marking/run-cases.cjs [cases.json]
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const marking = require('../../marking/marking.js');

const file = process.argv[2] || path.join(__dirname, 'cases.json');
const cases = JSON.parse(fs.readFileSync(file, 'utf8'));
let failed = 0;
for (const c of cases) {
  const mark = marking.markQuestion(c.question, c.response);
  const expected = { score: c.score, max: c.max, forTeacher: false, parts: c.parts };
  if (JSON.stringify(mark) !== JSON.stringify(expected)) {
    failed++;
    console.error(`${c.name}: got ${JSON.stringify(mark)}, expected ${JSON.stringify(expected)}`);
  }
}
// The page loads the same file as a classic script: it must define the
// global there too.
const page = { window: {} };
new Function('window', 'module', fs.readFileSync(path.join(__dirname, '../../marking/marking.js'), 'utf8'))(page.window, undefined);
if (typeof page.window.DorvelMarking?.markQuestion !== 'function') {
  failed++;
  console.error('marking.js does not define window.DorvelMarking.markQuestion');
}
console.log(`${cases.length - failed} of ${cases.length} cases as the table says`);
process.exit(failed ? 1 : 0);
