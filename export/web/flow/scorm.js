// The flowing pages' link to a learning platform (SCORM 1.2 or 2004), an
// engine adapter written into packages only. It keeps the order, the answers
// and the place in the platform's suspend data as the student goes, gives
// them back on the next launch (resume), and at Finish reports one
// interaction per question, the score and the status. Without a platform it
// does nothing; the platform's errors go to the console, never to the
// student.
(function () {
  'use strict';
  var is2004 = '{{scormVersion}}' === '2004';
  var passMark = parseFloat('{{passMark}}');
  var launched = new Date();
  var kept = {order: [], responses: {}, position: 0};
  var finished = false;

  var calls = is2004
    ? {init: 'Initialize', get: 'GetValue', set: 'SetValue', commit: 'Commit', end: 'Terminate', error: 'GetLastError', text: 'GetErrorString'}
    : {init: 'LMSInitialize', get: 'LMSGetValue', set: 'LMSSetValue', commit: 'LMSCommit', end: 'LMSFinish', error: 'LMSGetLastError', text: 'LMSGetErrorString'};
  var cmi = is2004
    ? {entry: 'cmi.entry', exit: 'cmi.exit', time: 'cmi.session_time', location: 'cmi.location', score: 'cmi.score.',
      response: '.learner_response', wrong: 'incorrect', list: '[,]', pair: '[.]'}
    : {entry: 'cmi.core.entry', exit: 'cmi.core.exit', time: 'cmi.core.session_time', location: 'cmi.core.lesson_location',
      score: 'cmi.core.score.', response: '.student_response', wrong: 'wrong', list: ',', pair: '.'};

  // The standard discovery: up the frames the page sits in, then from the
  // window that opened it. A window of another origin is passed over.
  function findApi() {
    var name = is2004 ? 'API_1484_11' : 'API';
    var search = function (win) {
      for (var level = 0; win && level < 12; level++) {
        try {
          if (win[name]) return win[name];
        } catch (e) {
          // another origin
        }
        if (win.parent == null || win.parent === win) break;
        win = win.parent;
      }
      return null;
    };
    var found = search(window);
    if (!found) {
      try {
        found = search(window.top.opener);
      } catch (e) {
        found = null;
      }
    }
    return found;
  }
  var api = findApi();
  if (!api) return;

  function call(what, args) {
    var result;
    try {
      result = api[calls[what]].apply(api, args);
    } catch (e) {
      console.warn('SCORM ' + calls[what] + '(' + args.join(', ') + '): ' + e);
      return '';
    }
    var code = String(api[calls.error]());
    if (code !== '0' && code !== '') console.warn('SCORM ' + calls[what] + '(' + args.join(', ') + '): error ' + code + ', ' + api[calls.text](code));
    return result;
  }
  function get(element) {
    var value = call('get', [element]);
    return value == null ? '' : String(value);
  }
  function set(element, value) {
    call('set', [element, String(value)]);
  }
  function two(n) {
    return (n < 10 ? '0' : '') + n;
  }
  // 1.2 wants HHHH:MM:SS.SS, 2004 an ISO 8601 duration.
  function sessionTime() {
    var centis = Math.max(0, Math.round((new Date() - launched) / 10));
    var h = Math.floor(centis / 360000), m = Math.floor(centis / 6000) % 60, s = (centis % 6000) / 100;
    if (is2004) return 'PT' + h + 'H' + m + 'M' + s + 'S';
    var hours = String(h);
    while (hours.length < 4) hours = '0' + hours;
    return hours + ':' + two(m) + ':' + (s < 10 ? '0' : '') + s.toFixed(2);
  }

  function keep() {
    set('cmi.suspend_data', JSON.stringify({v: 2, o: kept.order, r: kept.responses, p: kept.position}));
  }

  // One question as an interaction: its type, what the student gave, the result.
  function interaction(n, q, item) {
    var r = item.response || {};
    var type, response;
    var letter = function (i) { return String.fromCharCode(97 + i); };
    if (q.kind === 'choice') {
      type = 'choice';
      response = (r.chosen || []).map(letter).join(cmi.list);
    } else if (q.kind === 'truefalse') {
      var words = (r.statements || []).map(function (a) { return a === 1 ? 't' : a === 0 ? 'f' : ''; });
      if (words.length === 1) {
        type = 'true-false';
        response = is2004 ? (words[0] === 't' ? 'true' : words[0] === 'f' ? 'false' : '') : words[0];
      } else {
        type = 'matching';
        response = words.map(function (w, i) { return w ? (i + 1) + cmi.pair + w : ''; }).filter(Boolean).join(cmi.list);
      }
    } else {
      type = 'fill-in';
      response = (r.typed || []).map(function (t) { return String(t).replace(/\s+/g, ' ').trim(); }).join(cmi.list);
    }
    var base = 'cmi.interactions.' + n;
    set(base + '.id', 'q' + q.id);
    set(base + '.type', type);
    if (response !== '') set(base + cmi.response, response);
    set(base + '.result', item.forTeacher ? 'neutral' : item.score >= item.max ? 'correct' : cmi.wrong);
  }

  window.DorvelAdapters = window.DorvelAdapters || [];
  window.DorvelAdapters.push({
    resume: function (test) {
      call('init', ['']);
      if (get(cmi.entry) !== 'resume') return null;
      var data;
      try {
        data = JSON.parse(get('cmi.suspend_data'));
      } catch (e) {
        return null;
      }
      if (!data || data.v !== 2 || !Array.isArray(data.o)) return null;
      var ids = test.questions.map(function (q) { return q.id; });
      // A kept state of another version of the test is not given back.
      if (data.o.length !== ids.length || data.o.some(function (id) { return ids.indexOf(id) < 0; })) return null;
      kept = {order: data.o, responses: data.r || {}, position: data.p || 0};
      return {order: kept.order, responses: kept.responses, position: kept.position};
    },
    started: function (info) {
      kept.order = info.order;
      if (!is2004) set('cmi.core.lesson_status', 'incomplete');
      else set('cmi.completion_status', 'incomplete');
      keep();
      call('commit', ['']);
    },
    answered: function (id, response) {
      kept.responses[id] = response;
      keep();
    },
    moved: function (index) {
      kept.position = index;
      set(cmi.location, String(index + 1));
      keep();
    },
    finished: function (result) {
      finished = true;
      var byId = {};
      window.DorvelTest.questions.forEach(function (q) { byId[q.id] = q; });
      result.questions.forEach(function (item, n) { interaction(n, byId[item.id], item); });
      var percent = result.max ? Math.round(10000 * result.score / result.max) / 100 : 0;
      set(cmi.score + 'raw', percent);
      set(cmi.score + 'min', 0);
      set(cmi.score + 'max', 100);
      var passed = passMark > 0 ? percent >= passMark : null;
      if (is2004) {
        set('cmi.score.scaled', percent / 100);
        set('cmi.completion_status', 'completed');
        set('cmi.success_status', passed === null ? 'unknown' : passed ? 'passed' : 'failed');
      } else {
        set('cmi.core.lesson_status', passed === null ? 'completed' : passed ? 'passed' : 'failed');
      }
      set(cmi.exit, is2004 ? 'normal' : '');
      set(cmi.time, sessionTime());
      call('commit', ['']);
    },
  });

  var ended = false;
  function leave() {
    if (ended) return;
    ended = true;
    if (!finished) {
      keep();
      set(cmi.exit, 'suspend');
      set(cmi.time, sessionTime());
    }
    call('commit', ['']);
    call('end', ['']);
  }
  window.addEventListener('pagehide', leave);
  // A tab put away may never come back (phones end it): what is kept goes to the platform.
  document.addEventListener('visibilitychange', function () {
    if (document.visibilityState === 'hidden' && !ended) call('commit', ['']);
  });
})();
