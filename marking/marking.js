// How a student's answer to a question is marked: the web test's copy of
// MarkQuestion in marking/Marking.cpp, rule for rule. Both are held to one
// table of cases (tests/marking/cases.json) by the test `marking_js`, so a
// change here without the same change there (or back) fails.
//
// q: a question of test.js with its answers merged in:
//   { kind: "choice"|"truefalse"|"typed", manyRight,
//     choices: [{text, weight}], statements: [{text, isTrue}],
//     fields: [{label, kind: "text"|"number"|"range", accepted: [{text}]}] }
// response: { chosen: [indices], statements: [1 true, 0 false, -1 none], typed: [texts] }
// returns { score, max, forTeacher, parts }
(function (root) {
  'use strict';

  // JavaScript's \s, written out: the blanks Marking.cpp collapses.
  var BLANKS = /[\t\n\v\f\r \u00a0\u1680\u2000-\u200a\u2028\u2029\u202f\u205f\u3000\ufeff]+/g;

  // Runs of blanks as one space, none at either end.
  function tidy(text) {
    return String(text === null || text === undefined ? '' : text).replace(BLANKS, ' ').replace(/^ | $/g, '');
  }

  // The number at the start of a text (ReadTypedNumber): a sign, digits
  // with one decimal point or comma, an exponent; the rest passed over.
  // null when the text does not start with a number.
  var NUMBER = /^([+-])?(?:(\d+)(?:[.,](\d*))?|[.,](\d+))(?:[eE]([+-]?\d+))?/;
  function readNumber(text) {
    var m = NUMBER.exec(text);
    if (!m) return null;
    var whole = m[2] !== undefined ? m[2] : '0';
    var fraction = m[2] !== undefined ? (m[3] || '') : m[4];
    var value = Number((m[1] === '-' ? '-' : '') + whole + '.' + fraction + (m[5] !== undefined ? 'e' + m[5] : ''));
    return isFinite(value) ? value : null;
  }

  // AnswerAccepted in Marking.cpp.
  function answerAccepted(kind, accepted, typed) {
    var answer = tidy(typed);
    if (answer === '') return false;
    accepted = accepted || [];
    var v;
    if (kind === 'range') {
      if (accepted.length < 2) return false;
      v = readNumber(answer);
      var low = readNumber(tidy(accepted[0].text));
      var high = readNumber(tidy(accepted[1].text));
      if (v === null || low === null || high === null) return false;
      return v >= Math.min(low, high) && v <= Math.max(low, high);
    }
    if (kind === 'number') {
      v = readNumber(answer);
      if (v === null) return false;
      for (var i = 0; i < accepted.length; i++) {
        var n = readNumber(tidy(accepted[i].text));
        if (n !== null && n === v) return true;
      }
      return false;
    }
    var answerLower = answer.toLowerCase(), answerUpper = answer.toUpperCase();
    for (var k = 0; k < accepted.length; k++) {
      var text = tidy(accepted[k].text);
      // Letter case both ways round: "STRASSE" meets "Straße" in upper case.
      if (text !== '' && (text.toLowerCase() === answerLower || text.toUpperCase() === answerUpper)) return true;
    }
    return false;
  }

  function markChoice(q, response) {
    var choices = q.choices || [];
    var seen = {}, chosen = [];
    (response.chosen || []).forEach(function (k) {
      if (Number.isInteger(k) && k >= 0 && k < choices.length && !seen[k]) {
        seen[k] = true;
        chosen.push(k);
      }
    });
    // In index order, as the C++ adds them, so both sum to the same double.
    chosen.sort(function (a, b) { return a - b; });
    if (!q.manyRight) return (chosen.length === 1 && (choices[chosen[0]].weight || 0) > 0) ? 1 : 0;
    var sum = 0;
    chosen.forEach(function (k) { sum += choices[k].weight || 0; });
    return Math.min(Math.max(sum, 0), 1);
  }

  function markQuestion(q, response) {
    response = response || {};
    var mark = { score: 0, max: 0, forTeacher: false, parts: [] };
    var i;
    if (q.kind === 'choice') {
      mark.max = 1;
      mark.parts.push(markChoice(q, response));
    } else if (q.kind === 'truefalse') {
      var statements = q.statements || [], given = response.statements || [];
      for (i = 0; i < statements.length; i++) {
        var g = i < given.length ? given[i] : -1;
        var isTrue = statements[i].isTrue !== false;
        mark.parts.push((g === 1 && isTrue) || (g === 0 && !isTrue) ? 1 : 0);
      }
      mark.max = statements.length;
    } else if (q.kind === 'typed') {
      var fields = q.fields || [], typed = response.typed || [];
      for (i = 0; i < fields.length; i++)
        mark.parts.push(answerAccepted(fields[i].kind, fields[i].accepted, i < typed.length ? typed[i] : '') ? 1 : 0);
      mark.max = fields.length;
    }
    for (i = 0; i < mark.parts.length; i++) mark.score += mark.parts[i];
    return mark;
  }

  var api = { markQuestion: markQuestion, answerAccepted: answerAccepted, readNumber: readNumber };
  root.DorvelMarking = api;
  if (typeof module !== 'undefined' && module.exports) module.exports = api;
})(typeof window !== 'undefined' ? window : globalThis);
