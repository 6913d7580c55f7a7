// The keyboard and the voice of the test. The bar's pictures take Enter and
// Space as their press and release (Cheat shows the right answers while the
// key is held), the slider takes the arrow keys, Home and End, Alt+N and
// Alt+P move from either frame, and the status region at the end of this page
// speaks for every frame: it stays while the question pages come and go.
var a11yHeld = null;
var a11yTexts = {
  lang: '{{a11y_lang}}', of: '{{a11y_of}}', yes: '{{a11y_true}}', no: '{{a11y_false}}', notAnswered: '{{a11y_notAnswered}}',
  pickedUp: '{{a11y_pickedUp}}', target: '{{a11y_target}}', dropped: '{{a11y_dropped}}', putBack: '{{a11y_putBack}}',
  rightAnswers: '{{a11y_rightAnswers}}', answersBack: '{{a11y_answersBack}}', notPlaced: '{{a11y_notPlaced}}',
  score: '{{a11y_score}}'
};
// A text of the pack with "%1", "%2", "%3" filled in.
function a11ySay(pattern, a, b, c) {
  var values = { '%1': a, '%2': b, '%3': c };
  return String(pattern).replace(/%[123]/g, function (m) { return String(values[m]); });
}
function a11yAnnounce(text) {
  var region = document.getElementById('a11yStatus');
  if (!region) return;
  // Emptied first, so that the same words said twice are heard twice.
  region.textContent = '';
  window.setTimeout(function () { region.textContent = text; }, 60);
}
function a11yLength() {
  var n = $qElementsListG$.length;
  if ($examStatus$ == 2) n++;
  if ($examStatus$ == 0) n = $pLength$;
  return n;
}
function a11ySliderText() {
  var n = a11yLength(), pos = $questionPos$;
  if ($examStatus$ == 0) return '{{textsA15}} ' + a11ySay(a11yTexts.of, pos + 1, n);
  if ($examStatus$ == 2) return pos < 1 ? '{{textsA9}}' : '{{textsA16}} ' + a11ySay(a11yTexts.of, pos, n - 1);
  return '{{textsA16}} ' + a11ySay(a11yTexts.of, pos + 1, n);
}
// The slider's values and the buttons' disabled state follow what the bar shows.
function a11ySync() {
  var slider = document.getElementById('Slider');
  if (slider) {
    var n = Math.max(a11yLength(), 1);
    slider.setAttribute('aria-valuemax', n);
    slider.setAttribute('aria-valuenow', Math.min($questionPos$ + 1, n));
    slider.setAttribute('aria-valuetext', a11ySliderText());
  }
  var buttons = document.querySelectorAll('[data-bar]');
  for (var i = 0; i < buttons.length; i++) {
    var disabled = document.getElementById(buttons[i].getAttribute('data-bar') + 'div3');
    if (disabled && disabled.style.visibility == 'visible') buttons[i].setAttribute('aria-disabled', 'true');
    else buttons[i].removeAttribute('aria-disabled');
  }
}
function a11yShortcut(e) {
  if (!e.altKey || e.ctrlKey || e.metaKey) return false;
  var step = e.code == 'KeyN' ? 1 : (e.code == 'KeyP' ? -1 : 0);
  if (!step) return false;
  e.preventDefault();
  $qMove$($questionPos$ + step);
  a11ySync();
  return true;
}
function a11yShown(doc, id) {
  var block = doc.getElementById(id);
  return !!block && block.style.visibility == 'visible';
}
// The name the question page gives element X (its tick carries it).
function a11yName(doc, X) {
  var tick = doc.getElementById(X + 'tick');
  var img = tick ? tick.getElementsByTagName('img')[0] : null;
  return img ? img.getAttribute('data-name') : X;
}
// After Mark: each marked answer with its verdict, as its tick or cross says it.
function a11yMarked(doc, elements) {
  var said = [];
  for (var c = 0; c < elements.length; c++) {
    var mark = a11yShown(doc, elements[c] + 'tick') ? 'tick' : (a11yShown(doc, elements[c] + 'cross') ? 'cross' : '');
    if (mark) said.push(doc.getElementById(elements[c] + mark).getElementsByTagName('img')[0].alt);
  }
  a11yAnnounce(said.length ? said.join('. ') + '.' : a11yTexts.notAnswered);
}
// While Cheat is held: the right answers as the page now shows them.
function a11yRightAnswers(doc, elements, types) {
  var said = [];
  for (var c = 0; c < elements.length; c++) {
    var X = elements[c], t = types[c], name = a11yName(doc, X);
    if (t == 1) {
      if (a11yShown(doc, X + '2div')) said.push(name);
    } else if (t == 2) {
      if (a11yShown(doc, X + '3div')) said.push(name + ': ' + a11yTexts.yes);
      else if (a11yShown(doc, X + '4div')) said.push(name + ': ' + a11yTexts.no);
    } else if (t <= 7) {
      said.push(name + ': ' + doc.getElementsByName(X)[0].value);
    } else {
      var place = parent.question.a11yPlaceOf ? parent.question.a11yPlaceOf(X) : '';
      said.push(name + ': ' + (place || a11yTexts.notPlaced));
    }
  }
  a11yAnnounce('{{a11y_rightAnswers}} ' + said.join('; ') + '.');
}
document.addEventListener('keydown', function (e) {
  if (a11yShortcut(e)) return;
  var t = e.target;
  var bar = t && t.getAttribute ? t.getAttribute('data-bar') : null;
  if (bar && (e.key == 'Enter' || e.key == ' ')) {
    e.preventDefault();
    if (e.repeat || t.getAttribute('aria-disabled') == 'true') return;
    t.onmousedown();
    if (bar == 'Cheat') {
      a11yHeld = t;
      return;
    }
    t.onmouseup();
    a11ySync();
    return;
  }
  if (t && t.id == 'Slider') {
    var pos = null;
    if (e.key == 'ArrowLeft' || e.key == 'ArrowDown' || e.key == 'PageDown') pos = $questionPos$ - 1;
    else if (e.key == 'ArrowRight' || e.key == 'ArrowUp' || e.key == 'PageUp') pos = $questionPos$ + 1;
    else if (e.key == 'Home') pos = 0;
    else if (e.key == 'End') pos = a11yLength() - 1;
    if (pos === null) return;
    e.preventDefault();
    $qMove$(pos);
    a11ySync();
  }
});
document.addEventListener('keyup', function (e) {
  if (!a11yHeld || (e.key != 'Enter' && e.key != ' ')) return;
  var held = a11yHeld;
  a11yHeld = null;
  held.onmouseup();
  a11yAnnounce(a11yTexts.answersBack);
});
(function () {
  // A ring that shows on any colour, black inside and white outside, kept
  // close to the buttons: the bar's frame has two pixels above and below them.
  var style = document.createElement('style');
  style.textContent = '[tabindex]:focus-visible { outline: 2px solid #000; outline-offset: 0px; box-shadow: 0 0 0 4px #fff; }';
  document.head.appendChild(style);
  // Zoomed in so far that the bar does not fit, the question frame will not fit
  // either: let it scroll before its first page loads (see p.js).
  try {
    if (Math.max(document.documentElement.scrollWidth, document.body.scrollWidth) > window.innerWidth + 1 && window.frameElement) {
      var question = parent.document.getElementsByName('question')[0];
      if (question && question.getAttribute('scrolling') == 'no') question.setAttribute('scrolling', 'auto');
    }
  } catch (e) {
    // opened from the file system: the frames are kept apart
  }
  new MutationObserver(a11ySync).observe(document.body, { attributes: true, subtree: true, attributeFilter: ['style'] });
})();
