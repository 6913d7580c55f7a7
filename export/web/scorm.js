// The test's link to a learning platform, written into LMS packages only. The
// control page calls scormLink.start() when it loads and scormLink.finish() at
// Finish; everything else happens here. Without a platform every call does
// nothing and the test runs as an ordinary web test. The platform's errors go
// to the browser console, never to the student.
var scormLink = (function () {
  var is2004 = '{{scormVersion}}' == '2004';
  var passMark = parseFloat('{{passMark}}');
  var api = null;
  var launched = new Date();
  var capture = null;
  var learner = '';
  var reviewing = false;
  var started = false;

  var calls = is2004
    ? {init: 'Initialize', get: 'GetValue', set: 'SetValue', commit: 'Commit', end: 'Terminate',
      error: 'GetLastError', text: 'GetErrorString'}
    : {init: 'LMSInitialize', get: 'LMSGetValue', set: 'LMSSetValue', commit: 'LMSCommit', end: 'LMSFinish',
      error: 'LMSGetLastError', text: 'LMSGetErrorString'};
  var cmi = is2004
    ? {learner: 'cmi.learner_name', entry: 'cmi.entry', exit: 'cmi.exit', time: 'cmi.session_time',
      interaction: 'cmi.interactions.', response: '.learner_response', wrong: 'incorrect', list: '[,]', pair: '[.]'}
    : {learner: 'cmi.core.student_name', entry: 'cmi.core.entry', exit: 'cmi.core.exit',
      time: 'cmi.core.session_time', interaction: 'cmi.interactions.', response: '.student_response',
      wrong: 'wrong', list: ',', pair: '.'};

  // The standard discovery: up the frames the test sits in, then from the window
  // that opened it. A window of another origin is passed over.
  function findApi() {
    var name = is2004 ? 'API_1484_11' : 'API';
    var search = function (win) {
      for (var level = 0; win && level < 12; level++) {
        try {
          if (win[name]) return win[name];
        } catch (e) {
          // another origin
        }
        if (win.parent == null || win.parent == win) break;
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

  function call(what, args) {
    var result;
    try {
      result = api[calls[what]].apply(api, args);
    } catch (e) {
      console.warn('SCORM ' + calls[what] + '(' + args.join(', ') + '): ' + e);
      return '';
    }
    var code = String(api[calls.error]());
    if (code != '0' && code != '') {
      console.warn('SCORM ' + calls[what] + '(' + args.join(', ') + '): error ' + code + ', ' + api[calls.text](code));
    }
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
    var seconds = s.toFixed(2);
    return hours + ':' + two(m) + ':' + (s < 10 ? '0' : '') + seconds;
  }

  // What is kept for the next launch: the order, the answers, where the student was.
  function keep(state) {
    set('cmi.suspend_data', JSON.stringify({v: 1, s: state.status, p: state.pos, o: state.order, a: state.answers,
      t: [state.started, state.ended || 0]}));
  }
  // A kept state that fits this test, or nothing.
  function restored(text, elements, numbers) {
    var kept;
    try {
      kept = JSON.parse(text);
    } catch (e) {
      return null;
    }
    if (!kept || kept.v != 1 || (kept.s != 1 && kept.s != 2) || !kept.o || !kept.a || !kept.t) return null;
    if (kept.o.length != numbers.length || kept.a.length != elements.length) return null;
    var seen = {};
    for (var i = 0; i < kept.o.length; i++) {
      if (numbers.indexOf(kept.o[i]) < 0 || seen[kept.o[i]]) return null;
      seen[kept.o[i]] = true;
    }
    for (var n = 0; n < elements.length; n++) {
      if (!kept.a[n] || kept.a[n].length != elements[n].length) return null;
    }
    var pos = parseInt(kept.p);
    if (!(pos >= 0 && pos < kept.o.length)) pos = 0;
    return {status: kept.s, pos: pos, order: kept.o, answers: kept.a, started: kept.t[0], ended: kept.t[1]};
  }

  // Leaving the test unloads the question page before the control page: its
  // answers are kept as the page goes, while it can still be read.
  function keepAnswers() {
    if (!api || reviewing || !capture) return false;
    try {
      var state = capture();
      if (state.status != 1) return false;
      keep(state);
      return true;
    } catch (e) {
      return false;  // the pages are already going away
    }
  }
  function watchQuestionPage() {
    try {
      parent.question.addEventListener('pagehide', keepAnswers);
    } catch (e) {
      // not a page of the test
    }
  }
  // A browser tab put away may never come back (phones end it): what is
  // kept so far goes to the platform.
  function saveProgress() {
    if (document.visibilityState == 'hidden' && keepAnswers()) call('commit', ['']);
  }

  function leave() {
    if (!api) return;
    if (!reviewing && capture) {
      keepAnswers();
      set(cmi.exit, 'suspend');
    }
    set(cmi.time, sessionTime());
    call('commit', ['']);
    call('end', ['']);
    api = null;
  }

  // One question as an interaction: its kind from its elements (select
  // buttons: choice; true/false buttons: true-false, or matching for several
  // statements; fields: fill-in; drag items: matching), the response, the
  // right response and the result.
  function interaction(n, d) {
    var types = d.types[n], answers = d.answers[n], marks = d.marks[n], accepted = d.accepted[n];
    var kinds = {};
    for (var c = 0; c < types.length; c++) {
      var t = types[c];
      kinds[t == 1 ? 'choice' : t == 2 ? 'tf' : t <= 7 ? 'field' : 'drag'] = true;
    }
    var kind = Object.keys(kinds).length == 1 ? Object.keys(kinds)[0] : 'other';
    var response = [], pattern = [], type;
    // Each field's accepted answers (a range as "low:high"): every one of them
    // is a right response, so each goes into a pattern of its own.
    var fieldAnswers = [];
    for (var e = 0; e < types.length; e++) {
      var a = answers[e], m = marks[e], key = String.fromCharCode(97 + e), number = String(e + 1);
      if (kind == 'choice') {
        if (a == 1) response.push(key);
        if (m[0] > m[1]) pattern.push(key);
      } else if (kind == 'tf') {
        var right = (m[0] > m[2] && m[0] >= m[1]) ? 1 : ((m[1] > m[0] && m[1] > m[2]) ? 2 : 0);
        var word = function (half) {
          return is2004 ? (half == 1 ? 'true' : 'false') : (half == 1 ? 't' : 'f');
        };
        if (types.length == 1) {
          if (a) response.push(word(a));
          if (right) pattern.push(word(right));
        } else {
          if (a) response.push(number + cmi.pair + (a == 1 ? 't' : 'f'));
          if (right) pattern.push(number + cmi.pair + (right == 1 ? 't' : 'f'));
        }
      } else if (kind == 'field') {
        response.push(String(a));
        var range = types[e] == 5 || types[e] == 7;
        var own = [];
        if (range) own.push(accepted[e][0] + ':' + accepted[e][1]);
        for (var j = 0; !range && j < accepted[e].length; j++) {
          if (String(accepted[e][j]) !== '') own.push(String(accepted[e][j]));
        }
        fieldAnswers.push(own.length ? own : ['']);
      } else if (kind == 'drag') {
        if (a >= 0) response.push(number + cmi.pair + (a + 1));
        var best = -1, bestMark = m[0];
        for (var k = 2; k < accepted[e].length; k++) {
          var mark = parseFloat(String(accepted[e][k]).split(',')[0]);
          if (mark > bestMark) {
            bestMark = mark;
            best = k - 2;
          }
        }
        if (best >= 0) pattern.push(number + cmi.pair + (best + 1));
      } else {
        response.push(String(a));
      }
    }
    if (kind == 'choice') type = 'choice';
    else if (kind == 'tf') type = types.length == 1 ? 'true-false' : 'matching';
    else if (kind == 'field') type = 'fill-in';
    else if (kind == 'drag') type = 'matching';
    else type = is2004 ? 'other' : 'performance';
    // Typed answers stay within the 250 characters of a response string.
    var cut = function (list) {
      for (var i = 0; i < list.length; i++) {
        list[i] = String(list[i]).substring(0, 250);
        // 2004 reads a leading "{" as the start of a language tag.
        if (is2004 && kind == 'field' && list[i].charAt(0) == '{') list[i] = '{lang=und}' + list[i];
      }
      return list;
    };
    var totals = d.totals[n];
    var responseText = cut(response).join(kind == 'field' && !is2004 ? ',' : cmi.list);
    if (!is2004) responseText = responseText.substring(0, 255);
    // Pattern i takes each field's i-th accepted answer (its last where it has
    // fewer), so that every accepted answer of every field is reported.
    var patterns = [cut(pattern).join(cmi.list)];
    if (kind == 'field') {
      var count = 0;
      for (var f = 0; f < fieldAnswers.length; f++) count = Math.max(count, fieldAnswers[f].length);
      patterns = [];
      for (var i = 0; i < count; i++) {
        var one = [];
        for (var g = 0; g < fieldAnswers.length; g++) one.push(fieldAnswers[g][Math.min(i, fieldAnswers[g].length - 1)]);
        patterns.push(cut(one).join(cmi.list));
      }
    }
    return {type: type, response: responseText, patterns: patterns,
      answered: response.length > 0 && responseText != '', correct: totals[2] == totals[1],
      weighting: totals[1] - totals[0]};
  }

  function report(percent, d) {
    var passed = !isNaN(passMark) ? percent >= passMark : null;
    if (is2004) {
      set('cmi.score.scaled', Math.max(-1, Math.min(1, percent / 100)));
      set('cmi.score.raw', percent);
      set('cmi.score.min', 0);
      set('cmi.score.max', 100);
      set('cmi.completion_status', 'completed');
      set('cmi.success_status', passed == null ? 'unknown' : (passed ? 'passed' : 'failed'));
    } else {
      set('cmi.core.score.raw', percent);
      set('cmi.core.score.min', 0);
      set('cmi.core.score.max', 100);
      set('cmi.core.lesson_status', passed == null ? 'completed' : (passed ? 'passed' : 'failed'));
    }
    for (var pos = 0; pos < d.order.length; pos++) {
      var n = d.order[pos];
      var item = interaction(n, d);
      var at = cmi.interaction + pos;
      set(at + '.id', 'Q' + (n + 1));
      set(at + '.type', item.type);
      for (var r = 0; r < item.patterns.length; r++) {
        if (item.patterns[r] !== '' && item.type != 'other' && item.type != 'performance') {
          set(at + '.correct_responses.' + r + '.pattern', item.patterns[r]);
        }
      }
      if (item.answered) set(at + cmi.response, item.response);
      set(at + '.result', item.correct ? 'correct' : cmi.wrong);
      set(at + '.weighting', item.weighting);
    }
  }

  return {
    // Finds the platform and starts the session; `captureState` tells what to
    // keep when the student leaves. Returns an attempt kept from an earlier
    // launch that fits this test ({status 1 or 2, pos, order, answers, started,
    // ended}), or null.
    start: function (captureState, elements, numbers) {
      // The start button of the pre-test pages runs the control page's start
      // again: the session is begun once.
      if (started) return null;
      started = true;
      api = findApi();
      if (!api) return null;
      if (String(call('init', [''])) != 'true') {
        api = null;
        return null;
      }
      capture = captureState;
      learner = get(cmi.learner);
      if (is2004) {
        var completion = get('cmi.completion_status');
        if (completion == 'unknown' || completion == 'not attempted') set('cmi.completion_status', 'incomplete');
      } else if (get('cmi.core.lesson_status') == 'not attempted') {
        set('cmi.core.lesson_status', 'incomplete');
      }
      window.addEventListener('pagehide', leave);
      var questionFrame = parent.document.getElementsByName('question')[0];
      if (questionFrame) questionFrame.addEventListener('load', watchQuestionPage);
      watchQuestionPage();
      document.addEventListener('visibilitychange', saveProgress);
      var kept = get(cmi.entry) == 'ab-initio' ? null : restored(get('cmi.suspend_data'), elements, numbers);
      if (kept && kept.status == 2) reviewing = true;
      return kept;
    },
    // Reports the finished test and ends the session: the results stay on
    // screen, and a later launch opens on them.
    finish: function (percent, ended, d) {
      if (!api) return;
      report(percent, d);
      keep({status: 2, pos: 0, order: d.order, answers: d.answers, started: d.started, ended: ended.getTime()});
      set(cmi.exit, is2004 ? 'normal' : '');
      reviewing = true;
      set(cmi.time, sessionTime());
      call('commit', ['']);
      call('end', ['']);
      api = null;
    },
    // The student's name as the platform gives it, '' without a platform.
    learnerName: function () {
      return learner;
    }
  };
})();
