// Marks one question as MarkQuestion (marking/) does, for the flowing pages
// until the shared marking.js is built beside the C++: same interface,
// window.DorvelMarking.markQuestion(question with answers, response)
// returning {score, max, forTeacher, parts}.
(function () {
  'use strict';
  function clean(text) {
    return String(text == null ? '' : text).replace(/\s+/g, ' ').trim();
  }
  function asNumber(text) {
    var t = clean(text).replace(',', '.');
    if (!/^[+-]?(\d+\.?\d*|\.\d+)$/.test(t)) return NaN;
    return parseFloat(t);
  }
  function fieldRight(field, typed) {
    var given = clean(typed);
    if (!given) return false;
    var accepted = (field.accepted || []).map(function (a) { return clean(a.text); }).filter(Boolean);
    if (field.kind === 'range' && accepted.length >= 2) {
      var n = asNumber(given);
      var a = asNumber(accepted[0]);
      var b = asNumber(accepted[1]);
      return !isNaN(n) && n >= Math.min(a, b) && n <= Math.max(a, b);
    }
    if (field.kind === 'number') {
      var v = asNumber(given);
      return !isNaN(v) && accepted.some(function (x) { return asNumber(x) === v; });
    }
    return accepted.some(function (x) {
      return x.toLowerCase() === given.toLowerCase() || x.toUpperCase() === given.toUpperCase();
    });
  }
  function markQuestion(q, response) {
    var r = response || {};
    var parts = [];
    if (q.kind === 'choice') {
      var chosen = r.chosen || [];
      var rightCount = q.choices.filter(function (c) { return c.weight > 0; }).length;
      var sum = 0;
      chosen.forEach(function (i) { if (q.choices[i]) sum += q.choices[i].weight; });
      if (!q.manyRight && rightCount <= 1) sum = chosen.length === 1 && sum > 0 ? 1 : 0;
      var score = Math.min(1, Math.max(0, sum));
      return {score: score, max: 1, forTeacher: false, parts: [score]};
    }
    if (q.kind === 'truefalse') {
      var got = 0;
      q.statements.forEach(function (s, i) {
        var given = (r.statements || [])[i];
        var p = given === (s.isTrue ? 1 : 0) ? 1 : 0;
        parts.push(p);
        got += p;
      });
      return {score: got, max: q.statements.length, forTeacher: false, parts: parts};
    }
    var total = 0;
    q.fields.forEach(function (f, i) {
      var p = fieldRight(f, (r.typed || [])[i]) ? 1 : 0;
      parts.push(p);
      total += p;
    });
    return {score: total, max: q.fields.length, forTeacher: false, parts: parts};
  }
  window.DorvelMarking = {markQuestion: markQuestion};
})();
