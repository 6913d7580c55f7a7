// Links the test's pages to a class the teacher runs on their own machine:
// served by that machine, it registers with the engine as an adapter. It
// sends each answer as it is given, the order and the place, and Finish;
// after a reload (or a phone that slept) it hands the engine back what the
// teacher's machine keeps. Answers that could not be sent wait in this
// browser's storage and go as soon as the server answers again. The score
// is worked out again on the teacher's side; nothing here reports one.
(function () {
  'use strict';
  var joinedKey = 'dorvel-class-joined';
  var waitingKey = 'dorvel-class-waiting';

  function read(key) {
    try {
      return JSON.parse(window.localStorage.getItem(key));
    } catch (e) {
      return null;
    }
  }
  function write(key, value) {
    try {
      if (value === null) window.localStorage.removeItem(key);
      else window.localStorage.setItem(key, JSON.stringify(value));
    } catch (e) {
      // storage full or refused: the answers still go while the page stays
    }
  }

  var joined = read(joinedKey);
  if (!joined || !joined.student || !joined.secret) {
    window.location.replace('/');
    return;
  }
  // Answers not yet confirmed, by question id; moves and Finish after them.
  var waiting = read(waitingKey) || {answers: {}, progress: null, finish: false};
  var sending = false;
  var retry = null;

  function post(path, body) {
    body.student = joined.student;
    body.secret = joined.secret;
    return fetch(path, {method: 'POST', headers: {'Content-Type': 'application/json'}, body: JSON.stringify(body)})
      .then(function (reply) {
        return reply.json().catch(function () {
          return {};
        }).then(function (data) {
          return {status: reply.status, data: data};
        });
      });
  }

  // The server no longer knows this page (the class was ended or deleted,
  // or this browser joined another class): back to the joining page.
  function forget() {
    write(joinedKey, null);
    write(waitingKey, null);
    window.location.replace('/');
  }

  // Sends what waits, one request at a time so that a later answer never
  // arrives before an earlier one. A refusal that will not change (the
  // class closed, a finished test) drops the item; a lost connection keeps
  // it for the next try.
  function flush() {
    if (sending) return;
    var ids = Object.keys(waiting.answers);
    var path, body, done;
    if (ids.length) {
      var id = ids[0], response = waiting.answers[id];
      path = '/api/answer';
      body = {question: Number(id), response: response};
      done = function () {
        if (waiting.answers[id] === response) delete waiting.answers[id];
      };
    } else if (waiting.progress) {
      var progress = waiting.progress;
      path = '/api/progress';
      body = progress;
      done = function () {
        if (waiting.progress === progress) waiting.progress = null;
      };
    } else if (waiting.finish) {
      path = '/api/finish';
      body = {};
      done = function () {
        waiting.finish = false;
      };
    } else {
      return;
    }
    sending = true;
    post(path, body).then(function (reply) {
      sending = false;
      if (reply.status === 403 && /joined/.test(reply.data.error || '')) {
        forget();
        return;
      }
      if (reply.status === 429 || reply.status >= 500) {
        later();
        return;
      }
      done();
      write(waitingKey, waiting);
      flush();
    }, function () {
      sending = false;
      later();
    });
  }
  function later() {
    if (retry) return;
    retry = setTimeout(function () {
      retry = null;
      flush();
    }, 2000);
  }
  function keep() {
    write(waitingKey, waiting);
    flush();
  }

  window.DorvelAdapters = window.DorvelAdapters || [];
  window.DorvelAdapters.push({
    // Asked on the joining page already; the test's own name box stays away.
    studentName: joined.name || '',
    resume: function () {
      return post('/api/state', {}).then(function (reply) {
        if (reply.status === 403 || reply.status === 410) {
          forget();
          return null;
        }
        var kept = reply.data || {};
        var responses = kept.responses || {};
        // What this browser gave but the server has not confirmed is newer.
        Object.keys(waiting.answers).forEach(function (id) {
          responses[id] = waiting.answers[id];
        });
        flush();
        if (!kept.order || !kept.order.length) return Object.keys(responses).length ? {responses: responses} : null;
        return {responses: responses, position: kept.position || 0, order: kept.order};
      }, function () {
        return null;
      });
    },
    started: function (info) {
      waiting.progress = {order: info.order, position: 0};
      keep();
    },
    answered: function (id, response) {
      waiting.answers[id] = response;
      keep();
    },
    moved: function (index) {
      var order = waiting.progress && waiting.progress.order;
      waiting.progress = order ? {order: order, position: index} : {position: index};
      keep();
    },
    finished: function () {
      waiting.finish = true;
      keep();
    },
  });
})();
