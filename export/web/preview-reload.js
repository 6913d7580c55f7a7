// Written by the question player beside a preview's frameset. When the editor
// previews another question, the player serves a new test and counts up the
// number in preview-serial.txt; the tab then loads the new question.
(function () {
  var serial = '{{serial}}';
  setInterval(function () {
    fetch('../preview-serial.txt', { cache: 'no-store' })
      .then(function (r) { return r.ok ? r.text() : serial; })
      .then(function (text) { if (text.trim() != serial) location.reload(); }, function () {});
  }, 400);
})();
