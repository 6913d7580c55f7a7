// The flowing web test: renders the test of window.DorvelTest (test.js) into
// the page the student opened. One question at a time in <main>; the bar in
// <nav> moves between them; results, review and print follow Finish.
// Marking is window.DorvelMarking.markQuestion (marking.js); listeners such
// as a learning platform's link register in window.DorvelAdapters before
// this script runs, and every hook they have is called.
(function () {
  'use strict';
  var test = window.DorvelTest;
  if (!test) return;
  var strings = test.strings || {};
  var options = test.options || {};
  var adapters = window.DorvelAdapters || [];
  var main = document.getElementById('main');
  var nav = document.getElementById('nav');
  var status = document.getElementById('status');

  var byId = {};
  test.questions.forEach(function (q) { byId[q.id] = q; });
  var key = decodeKey(test.key);

  var state = {
    order: [],        // question ids in the order the student takes them
    position: 0,
    responses: {},    // id -> response
    marks: {},        // id -> mark shown (Mark pressed, or after Finish)
    shuffles: {},     // id -> display order of choices
    name: '',
    started: null,
    finished: null,
    result: null,
    cheating: false,
  };

  // ---- small helpers ---------------------------------------------------

  function say(name) {
    var text = strings[name];
    return text == null ? name : text;
  }
  function fill(pattern) {
    var args = arguments;
    return String(pattern).replace(/%([1-3])/g, function (m, n) { return args[+n] != null ? String(args[+n]) : ''; });
  }
  function el(tag, attrs, children) {
    var e = document.createElement(tag);
    if (attrs) {
      for (var a in attrs) {
        if (!Object.prototype.hasOwnProperty.call(attrs, a) || attrs[a] == null || attrs[a] === false) continue;
        if (a === 'html') e.innerHTML = attrs[a];
        else if (a === 'text') e.textContent = attrs[a];
        else if (a === 'className') e.className = attrs[a];
        else if (a.slice(0, 2) === 'on') e.addEventListener(a.slice(2), attrs[a]);
        else e.setAttribute(a, attrs[a] === true ? '' : attrs[a]);
      }
    }
    (children || []).forEach(function (c) { if (c) e.appendChild(typeof c === 'string' ? document.createTextNode(c) : c); });
    return e;
  }
  // The student's name when an adapter already knows it (a class's joining
  // page asked for it): the start page then does not ask a second time.
  function namedByAdapter() {
    for (var i = 0; i < adapters.length; i++) {
      var name = adapters[i].studentName;
      if (typeof name === 'string' && name.trim()) return name.replace(/\s+/g, ' ').trim();
    }
    return '';
  }
  function notify(hook) {
    var args = Array.prototype.slice.call(arguments, 1);
    adapters.forEach(function (a) {
      if (typeof a[hook] !== 'function') return;
      try {
        a[hook].apply(a, args);
      } catch (e) {
        if (window.console) console.warn('adapter ' + hook + ': ' + e);
      }
    });
  }
  function announce(text) {
    // A change of the region's text is what screen readers announce; the
    // same text twice in a row is made new by clearing first.
    status.textContent = '';
    window.setTimeout(function () { status.textContent = text; }, 30);
  }
  function letter(i) {
    return String.fromCharCode(65 + i);
  }
  function shuffled(list) {
    var a = list.slice();
    for (var i = a.length - 1; i > 0; i--) {
      var j = Math.floor(Math.random() * (i + 1));
      var t = a[i];
      a[i] = a[j];
      a[j] = t;
    }
    return a;
  }

  // The answers travel encoded (not readable at a glance in the page's
  // source): base64 of the UTF-8 JSON, each byte XOR-ed with a running value.
  function decodeKey(encoded) {
    if (!encoded) return {};
    try {
      var bin = atob(encoded);
      var bytes = new Uint8Array(bin.length);
      for (var i = 0; i < bin.length; i++) bytes[i] = bin.charCodeAt(i) ^ ((i * 7 + 13) & 255);
      return JSON.parse(new TextDecoder('utf-8').decode(bytes));
    } catch (e) {
      return {};
    }
  }

  // The question with its answers, as marking.js takes it.
  function withAnswers(q) {
    var k = key[q.id] || {};
    var full = {};
    for (var p in q) full[p] = q[p];
    full.choices = (q.choices || []).map(function (c, i) {
      var ck = (k.choices || [])[i] || {};
      return {text: c.text, weight: ck.weight || 0, feedback: ck.feedback || ''};
    });
    full.statements = (q.statements || []).map(function (s, i) {
      var sk = (k.statements || [])[i] || {};
      return {text: s.text, isTrue: sk.isTrue !== false, feedbackTrue: sk.feedbackTrue || '', feedbackFalse: sk.feedbackFalse || ''};
    });
    full.fields = (q.fields || []).map(function (f, i) {
      var fk = (k.fields || [])[i] || {};
      return {label: f.label, kind: f.kind, accepted: fk.accepted || [], otherFeedback: fk.otherFeedback || ''};
    });
    full.generalFeedback = k.generalFeedback || '';
    return full;
  }

  function emptyResponse(q) {
    return {
      chosen: [],
      statements: (q.statements || []).map(function () { return -1; }),
      typed: (q.fields || []).map(function () { return ''; }),
    };
  }
  function responseOf(q) {
    if (!state.responses[q.id]) state.responses[q.id] = emptyResponse(q);
    return state.responses[q.id];
  }
  function markOf(q) {
    return window.DorvelMarking.markQuestion(withAnswers(q), responseOf(q));
  }

  // ---- the start page --------------------------------------------------

  function showStart() {
    document.body.className = 'at-start';
    nav.hidden = true;
    var children = [el('h1', {id: 'heading', tabindex: '-1', text: test.title})];
    if (test.examiner) children.push(el('p', {className: 'examiner', text: say('examiner') + ' ' + test.examiner}));
    if (test.created) children.push(el('p', {className: 'created', text: say('created') + ' ' + test.created}));
    var nameBox = null;
    var message = el('p', {id: 'nameMessage', className: 'message', role: 'alert'});
    var known = namedByAdapter();
    if (known) state.name = known;
    if (options.askName && !known) {
      nameBox = el('input', {id: 'studentName', type: 'text', maxlength: '100', autocomplete: 'name',
        onkeydown: function (e) { if (e.key === 'Enter') start(); }});
      children.push(el('p', {className: 'name'}, [el('label', {for: 'studentName', text: say('yourName')}), nameBox]));
      children.push(message);
    }
    function start() {
      if (nameBox) {
        var name = nameBox.value.replace(/\s+/g, ' ').trim();
        if (!name) {
          message.textContent = say('typeName');
          nameBox.focus();
          return;
        }
        state.name = name;
      }
      begin();
    }
    children.push(el('p', {className: 'start'}, [el('button', {id: 'startButton', type: 'button', className: 'primary',
      text: say('startTest'), onclick: start})]));
    main.replaceChildren(el('section', {className: 'start-page', 'aria-labelledby': 'heading'}, children));
  }

  function begin() {
    var resumes = adapters.filter(function (a) { return typeof a.resume === 'function'; }).map(function (a) {
      try {
        return a.resume(test);
      } catch (e) {
        return null;
      }
    });
    Promise.all(resumes).then(function (found) {
      var resumed = found.filter(Boolean)[0] || null;
      var ids = test.questions.map(function (q) { return q.id; });
      var order = options.randomOrder ? shuffled(ids) : ids;
      if (resumed && Array.isArray(resumed.order)) {
        var known = resumed.order.filter(function (id) { return byId[id]; });
        if (known.length === ids.length) order = known;
      }
      state.order = order;
      if (resumed && resumed.responses) {
        for (var id in resumed.responses) if (byId[id]) state.responses[id] = resumed.responses[id];
      }
      state.started = new Date();
      notify('started', {order: state.order.slice(), name: state.name});
      buildNav();
      if (!state.order.length) {
        finish();
        return;
      }
      var at = resumed && resumed.position >= 0 && resumed.position < state.order.length ? resumed.position : 0;
      show(at, 'heading');
    });
  }

  // ---- the bar ---------------------------------------------------------

  var bar = {};
  function buildNav() {
    var n = state.order.length;
    bar.prev = el('button', {type: 'button', className: 'nav-prev', 'aria-label': say('previous'),
      onclick: function () { move(-1); }}, [el('span', {'aria-hidden': 'true', text: '\u2039'})]);
    bar.next = el('button', {type: 'button', className: 'nav-next', 'aria-label': say('next'),
      onclick: function () { move(1); }}, [el('span', {'aria-hidden': 'true', text: '\u203a'})]);
    bar.slider = el('input', {type: 'range', id: 'slider', min: '1', max: String(Math.max(n, 1)), step: '1', value: '1',
      'aria-label': say('slider'), oninput: function () { show(+bar.slider.value - 1, 'slider'); }});
    bar.count = el('output', {id: 'count', for: 'slider', 'aria-hidden': 'true'});
    bar.mark = options.allowMarking
      ? el('button', {type: 'button', className: 'nav-mark', text: say('mark'), onclick: markShown}) : null;
    bar.cheat = options.allowCheating
      ? el('button', {type: 'button', className: 'nav-cheat', text: say('cheat'), 'aria-pressed': 'false', onclick: toggleCheat}) : null;
    bar.finish = el('button', {type: 'button', className: 'nav-finish', text: say('finish'), onclick: confirmFinish});
    bar.results = el('button', {type: 'button', className: 'nav-results', text: say('results'), hidden: true,
      onclick: function () { showResults(); }});
    var moves = el('div', {className: 'moves'}, [bar.prev, el('label', {className: 'progress', for: 'slider'}, [bar.slider]), bar.count, bar.next]);
    var acts = el('div', {className: 'acts'}, [bar.mark, bar.cheat, bar.finish, bar.results]);
    nav.replaceChildren(moves, acts);
    nav.setAttribute('aria-label', say('controls'));
    nav.hidden = false;
    if (n <= 1) bar.slider.disabled = true;
  }

  function updateNav() {
    var n = state.order.length;
    bar.prev.disabled = state.position <= 0;
    bar.next.disabled = state.position >= n - 1;
    bar.slider.value = String(state.position + 1);
    bar.slider.setAttribute('aria-valuetext', questionOf(state.position));
    bar.count.textContent = fill(say('of'), state.position + 1, n);
    var done = !!state.finished;
    if (bar.mark) bar.mark.hidden = done;
    if (bar.cheat) bar.cheat.hidden = done;
    bar.finish.hidden = done;
    bar.results.hidden = !done;
  }

  function questionOf(position) {
    return say('question') + ' ' + fill(say('of'), position + 1, state.order.length);
  }

  function move(by) {
    var to = state.position + by;
    if (to < 0 || to >= state.order.length) return;
    show(to, 'heading');
  }

  // ---- a question ------------------------------------------------------

  var current = null; // {q, root, marked}

  function show(position, focus) {
    if (position < 0 || position >= state.order.length) return;
    state.position = position;
    state.cheating = false;
    if (bar.cheat) bar.cheat.setAttribute('aria-pressed', 'false');
    var q = byId[state.order[position]];
    document.body.className = state.finished ? 'reviewing' : 'taking';
    var root = renderQuestion(q, position);
    main.replaceChildren(root);
    current = {q: q, root: root};
    if (state.marks[q.id] || state.finished) showMarks(q, root, false);
    updateNav();
    window.scrollTo(0, 0);
    if (focus === 'heading') root.querySelector('h2').focus();
    announce(questionOf(position));
    notify('moved', position, q.id);
  }

  function renderQuestion(q, position) {
    var readOnly = !!state.finished;
    var heading = el('h2', {id: 'qh', tabindex: '-1'}, [
      el('span', {className: 'qnum', text: say('question') + ' ' + (position + 1)}),
      el('span', {className: 'qtitle', html: q.title}),
    ]);
    var parts = [heading];
    if (q.text) parts.push(el('div', {className: 'qtext', html: q.text}));
    var body = [];
    var answers = el('div', {className: 'answers'});
    if (q.kind === 'choice') answers.appendChild(renderChoices(q, readOnly));
    else if (q.kind === 'truefalse') answers.appendChild(renderStatements(q, readOnly));
    else answers.appendChild(renderFields(q, readOnly));
    answers.appendChild(el('div', {className: 'feedback', id: 'feedback', hidden: true}));
    if (q.picture) {
      body.push(el('figure', {className: 'picture'}, [el('img', {src: q.picture.src, alt: q.picture.alt || '',
        width: q.picture.width || null, height: q.picture.height || null})]));
    }
    body.push(answers);
    if (q.sound) {
      parts.push(el('p', {className: 'sound'}, [el('audio', {controls: true, src: q.sound.src, 'aria-label': q.sound.title || say('sound')})]));
    }
    parts.push(el('div', {className: 'qbody' + (q.picture ? ' with-picture' : '')}, body));
    return el('article', {className: 'question kind-' + q.kind, 'aria-labelledby': 'qh'}, parts);
  }

  function choiceOrder(q) {
    if (!state.shuffles[q.id]) {
      var idx = q.choices.map(function (c, i) { return i; });
      state.shuffles[q.id] = q.shuffle ? shuffled(idx) : idx;
    }
    return state.shuffles[q.id];
  }

  function changed(q) {
    delete state.marks[q.id];
    if (current && current.q === q) clearMarks(current.root);
    notify('answered', q.id, JSON.parse(JSON.stringify(responseOf(q))));
  }

  function legend(q, text) {
    return el('legend', {className: 'visually-hidden', text: text || say('question') + ' ' + (state.position + 1)});
  }

  function renderChoices(q, readOnly) {
    var response = responseOf(q);
    var type = q.manyRight ? 'checkbox' : 'radio';
    var list = el('ul', {className: 'choices', role: 'list'});
    choiceOrder(q).forEach(function (i, shown) {
      var input = el('input', {type: type, name: 'q' + q.id, value: String(i), id: 'c' + i,
        disabled: readOnly, checked: response.chosen.indexOf(i) >= 0});
      input.addEventListener('change', function () {
        var r = responseOf(q);
        if (q.manyRight) {
          r.chosen = Array.prototype.filter.call(list.querySelectorAll('input'), function (x) { return x.checked; })
            .map(function (x) { return +x.value; }).sort(function (a, b) { return a - b; });
        } else {
          r.chosen = [i];
        }
        changed(q);
      });
      list.appendChild(el('li', {'data-choice': String(i)}, [el('label', {className: 'choice', for: 'c' + i}, [
        input,
        el('span', {className: 'letter', 'aria-hidden': 'true', text: letter(shown)}),
        el('span', {className: 'text', html: q.choices[i].text}),
        el('span', {className: 'mark'}),
      ])]));
    });
    return el('fieldset', {className: 'choice-set'}, [legend(q), list]);
  }

  function renderStatements(q, readOnly) {
    var response = responseOf(q);
    var list = el('ul', {className: 'statements', role: 'list'});
    q.statements.forEach(function (s, i) {
      var groupName = 'q' + q.id + 's' + i;
      var half = function (value, word) {
        var id = groupName + (value ? 't' : 'f');
        var input = el('input', {type: 'radio', name: groupName, id: id, value: String(value), disabled: readOnly,
          checked: response.statements[i] === value});
        input.addEventListener('change', function () {
          responseOf(q).statements[i] = value;
          changed(q);
        });
        return el('label', {className: 'half', for: id}, [input, el('span', {text: word})]);
      };
      var textId = groupName + 'text';
      list.appendChild(el('li', {'data-statement': String(i)}, [el('fieldset', {className: 'statement'}, [
        el('legend', {id: textId, html: s.text}),
        el('div', {className: 'halves'}, [half(1, say('true')), half(0, say('false')), el('span', {className: 'mark'})]),
      ])]));
    });
    return el('div', {className: 'statement-set', role: 'group', 'aria-labelledby': 'qh'}, [list]);
  }

  function renderFields(q, readOnly) {
    var response = responseOf(q);
    var list = el('ul', {className: 'fields', role: 'list'});
    q.fields.forEach(function (f, i) {
      var id = 'q' + q.id + 'f' + i;
      var input = el('input', {type: 'text', id: id, disabled: readOnly, autocomplete: 'off', spellcheck: 'false',
        inputmode: f.kind === 'text' ? null : 'decimal'});
      input.value = response.typed[i] || '';
      input.addEventListener('input', function () {
        responseOf(q).typed[i] = input.value;
        changed(q);
      });
      input.addEventListener('keydown', function (e) {
        if (e.key === 'Enter' && bar.mark && !state.finished) markShown();
      });
      var label = f.label ? el('label', {for: id, html: f.label}) : el('label', {for: id, text: fill(say('answer'), i + 1)});
      list.appendChild(el('li', {'data-field': String(i)}, [label, el('span', {className: 'entry'}, [input, el('span', {className: 'mark'})])]));
    });
    return el('fieldset', {className: 'field-set'}, [legend(q), list]);
  }

  // ---- marking, feedback and the right answers -------------------------

  function clearMarks(root) {
    Array.prototype.forEach.call(root.querySelectorAll('.mark'), function (m) {
      m.className = 'mark';
      m.removeAttribute('role');
      m.removeAttribute('aria-label');
      m.textContent = '';
    });
    var fb = root.querySelector('.feedback');
    if (fb) {
      fb.hidden = true;
      fb.replaceChildren();
    }
  }

  function setMark(span, right, whose) {
    span.className = 'mark ' + (right ? 'is-right' : 'is-wrong');
    span.setAttribute('role', 'img');
    span.setAttribute('aria-label', (whose ? whose + ': ' : '') + say(right ? 'right' : 'wrong'));
  }

  // Ticks and crosses on the answers of the question shown, and its
  // feedback; returns what is announced.
  function showMarks(q, root, fresh) {
    clearMarks(root);
    var full = withAnswers(q);
    var r = responseOf(q);
    var mark = markOf(q);
    state.marks[q.id] = mark;
    var said = [];
    var feedback = [];
    if (q.kind === 'choice') {
      r.chosen.forEach(function (i) {
        var li = root.querySelector('[data-choice="' + i + '"]');
        if (!li) return;
        var right = full.choices[i].weight > 0;
        var whose = letter(choiceOrder(q).indexOf(i));
        setMark(li.querySelector('.mark'), right, whose);
        said.push(whose + ': ' + say(right ? 'right' : 'wrong'));
        if (full.choices[i].feedback) feedback.push(full.choices[i].feedback);
      });
      if (!r.chosen.length) said.push(say('notAnswered'));
    } else if (q.kind === 'truefalse') {
      full.statements.forEach(function (s, i) {
        var answered = r.statements[i];
        var li = root.querySelector('[data-statement="' + i + '"]');
        var right = answered === (s.isTrue ? 1 : 0);
        setMark(li.querySelector('.mark'), right, String(i + 1));
        said.push((i + 1) + ': ' + say(right ? 'right' : 'wrong'));
        var fb = answered === 1 ? s.feedbackTrue : answered === 0 ? s.feedbackFalse : '';
        if (fb) feedback.push(fb);
      });
    } else {
      full.fields.forEach(function (f, i) {
        var li = root.querySelector('[data-field="' + i + '"]');
        var right = (mark.parts || [])[i] > 0;
        setMark(li.querySelector('.mark'), right, String(i + 1));
        said.push((i + 1) + ': ' + say(right ? 'right' : 'wrong'));
        var typed = String(r.typed[i] || '').replace(/\s+/g, ' ').trim().toLowerCase();
        var hit = f.accepted.filter(function (a) { return String(a.text).replace(/\s+/g, ' ').trim().toLowerCase() === typed; })[0];
        if (hit && hit.feedback) feedback.push(hit.feedback);
        else if (!right && f.otherFeedback) feedback.push(f.otherFeedback);
      });
    }
    if (full.generalFeedback) feedback.push(full.generalFeedback);
    if (options.showFeedback && feedback.length) {
      var box = root.querySelector('.feedback');
      box.replaceChildren(el('h3', {text: say('feedback')}));
      feedback.forEach(function (f) { box.appendChild(el('p', {html: f})); });
      box.hidden = false;
    }
    if (fresh) announce(said.join('. '));
    return mark;
  }

  function markShown() {
    if (!current || state.finished) return;
    showMarks(current.q, current.root, true);
  }

  function rightAnswerTexts(q) {
    var full = withAnswers(q);
    if (q.kind === 'choice') {
      return choiceOrder(q).filter(function (i) { return full.choices[i].weight > 0; }).map(function (i) {
        return letter(choiceOrder(q).indexOf(i)) + ': ' + plain(full.choices[i].text);
      });
    }
    if (q.kind === 'truefalse') {
      return full.statements.map(function (s) { return plain(s.text) + ': ' + say(s.isTrue ? 'true' : 'false'); });
    }
    return full.fields.map(function (f, i) {
      var a = f.accepted.map(function (x) { return x.text; });
      var shown = f.kind === 'range' && a.length >= 2 ? a[0] + ' \u2013 ' + a[1] : a[0] || '';
      return (f.label ? plain(f.label) : fill(say('answer'), i + 1)) + ' ' + shown;
    });
  }
  function plain(html) {
    var d = document.createElement('div');
    d.innerHTML = html;
    return d.textContent;
  }

  function toggleCheat() {
    if (!current || state.finished) return;
    state.cheating = !state.cheating;
    bar.cheat.setAttribute('aria-pressed', state.cheating ? 'true' : 'false');
    var old = current.root.querySelector('.right-answers');
    if (old) old.remove();
    if (state.cheating) {
      var texts = rightAnswerTexts(current.q);
      var box = el('div', {className: 'right-answers'}, [el('h3', {text: say('rightAnswers')}),
        el('ul', null, texts.map(function (t) { return el('li', {text: t}); }))]);
      current.root.querySelector('.answers').appendChild(box);
      announce(say('rightAnswers') + ' ' + texts.join('; '));
    } else {
      announce(say('answersBack'));
    }
  }

  // ---- finishing, results, review, print -------------------------------

  var dialog = null;
  function confirmFinish() {
    if (!dialog) {
      var ok = el('button', {type: 'button', className: 'primary', text: say('ok'), onclick: function () { dialog.close('ok'); }});
      var cancel = el('button', {type: 'button', text: say('cancel'), onclick: function () { dialog.close('cancel'); }});
      dialog = el('dialog', {id: 'finishDialog', 'aria-labelledby': 'finishTitle'}, [
        el('h2', {id: 'finishTitle', text: say('finishTitle')}),
        el('p', {text: say('finishNote')}),
        el('p', {className: 'buttons'}, [ok, cancel]),
      ]);
      dialog.addEventListener('close', function () {
        if (dialog.returnValue === 'ok') finish();
        else if (bar.finish) bar.finish.focus();
      });
      document.body.appendChild(dialog);
    }
    dialog.returnValue = '';
    if (typeof dialog.showModal === 'function') {
      dialog.showModal();
      dialog.querySelector('button.primary').focus();
    } else if (window.confirm(say('finishTitle') + '\n' + say('finishNote'))) {
      finish();
    }
  }

  function finish() {
    var score = 0;
    var max = 0;
    var questions = state.order.map(function (id) {
      var q = byId[id];
      var m = markOf(q);
      if (!m.forTeacher) {
        score += m.score;
        max += m.max;
      }
      return {id: id, score: m.score, max: m.max, forTeacher: !!m.forTeacher, response: JSON.parse(JSON.stringify(responseOf(q)))};
    });
    state.finished = new Date();
    state.result = {score: score, max: max, questions: questions};
    notify('finished', state.result);
    showResults();
  }

  function when(d) {
    try {
      return new Intl.DateTimeFormat(test.lang || undefined, {dateStyle: 'full', timeStyle: 'short'}).format(d);
    } catch (e) {
      return d.toLocaleString();
    }
  }

  function number(n) {
    return Math.round(n * 100) / 100;
  }

  function showResults() {
    document.body.className = 'at-results';
    var r = state.result;
    var percent = r.max ? Math.round(100 * r.score / r.max) : 0;
    var parts = [el('h1', {id: 'heading', tabindex: '-1', text: say('results')})];
    parts.push(el('p', {className: 'test-title', text: test.title}));
    if (state.name) parts.push(el('p', {className: 'student', text: say('student') + ' ' + state.name}));
    if (test.examiner) parts.push(el('p', {className: 'examiner', text: say('examiner') + ' ' + test.examiner}));
    parts.push(el('p', {className: 'score', id: 'score', text: fill(say('score'), number(r.score), number(r.max), percent)}));
    var dl = el('dl', {className: 'times'}, [el('dt', {text: say('started')}), el('dd', {text: when(state.started)}),
      el('dt', {text: say('finished')}), el('dd', {text: when(state.finished)})]);
    parts.push(dl);
    if (options.showResults !== false) {
      var table = el('table', {className: 'per-question'}, [
        el('caption', {className: 'visually-hidden', text: say('results')}),
        el('thead', null, [el('tr', null, [el('th', {scope: 'col', text: say('question')}),
          el('th', {scope: 'col', text: say('yourScore')})])])]);
      var tbody = el('tbody');
      r.questions.forEach(function (item, position) {
        var q = byId[item.id];
        var cell = options.allowReview
          ? el('button', {type: 'button', className: 'review', onclick: function () { show(position, 'heading'); }},
            [(position + 1) + '. ', el('span', {html: q.title})])
          : el('span', null, [(position + 1) + '. ', el('span', {html: q.title})]);
        tbody.appendChild(el('tr', null, [el('th', {scope: 'row'}, [cell]), el('td', {text: number(item.score) + ' / ' + number(item.max)})]));
      });
      table.appendChild(tbody);
      parts.push(el('div', {className: 'table-wrap'}, [table]));
      if (options.allowReview) parts.push(el('p', {className: 'hint', text: say('reviewHint')}));
    }
    if (options.allowPrinting) {
      parts.push(el('p', {className: 'print'}, [el('button', {type: 'button', id: 'printButton', text: say('print'),
        onclick: function () { window.print(); }})]));
    }
    main.replaceChildren(el('section', {className: 'results', 'aria-labelledby': 'heading'}, parts));
    nav.hidden = !options.allowReview;
    if (!nav.hidden) updateNav();
    if (bar.results) bar.results.hidden = true;
    window.scrollTo(0, 0);
    document.getElementById('heading').focus();
    announce(fill(say('score'), number(r.score), number(r.max), percent));
  }

  // Alt+N and Alt+P move from anywhere, as in the classic pages.
  document.addEventListener('keydown', function (e) {
    if (!e.altKey || nav.hidden || !state.order.length) return;
    // The letter by key, or by place where Alt changes the key's character.
    var k = e.code === 'KeyN' ? 'n' : e.code === 'KeyP' ? 'p' : String(e.key).toLowerCase();
    if (k === 'n' || k === 'p') {
      e.preventDefault();
      move(k === 'n' ? 1 : -1);
    }
  });

  // What tests and the class server may read: the state, never to be written.
  window.DorvelEngine = {
    state: state,
    show: function (position) { show(position, 'heading'); },
  };

  document.documentElement.classList.add('js');
  showStart();
})();
