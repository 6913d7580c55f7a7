var dragInProgress = false;
var xoff, yoff, ob1, ob2, ob3;
function checkdrag(e) {
  // While an item is carried (picked up by a key or a tap), a press places it.
  if (a11yCarried) {
    a11yTapPlace(e.clientX, e.clientY);
    return;
  }
  // A press on a text item's label lands on the label inside the button: the item is
  // the nearest enclosing element of a drag class.
  var item = e.target;
  while (item && item.className != 'drag1' && item.className != 'drag2') item = item.parentNode;
  if (!item) return;
  var N = item.name;
  ob1 = document.getElementById(N + '0div');
  ob2 = null;
  ob3 = null;
  if (item.className == 'drag2') {
    ob2 = document.getElementById(N + '1div');
    ob3 = document.getElementById(N + '2div');
  }
  xoff = parseInt(ob1.style.width) / 2;
  yoff = parseInt(ob1.style.height) / 2;
  a11yPress = { X: N, x: e.clientX, y: e.clientY, moved: false, at: a11yPlaces(a11yBlocks(N)) };
  dragInProgress = true;
  document.onpointermove = dragnow;
}
function dragnow(e) {
  if (!dragInProgress) return;
  if (a11yPress && Math.abs(e.clientX - a11yPress.x) + Math.abs(e.clientY - a11yPress.y) > 4) a11yPress.moved = true;
  var blocks = [ob1, ob2, ob3];
  for (var b = 0; b < blocks.length; b++) {
    if (!blocks[b]) continue;
    blocks[b].style.left = (e.clientX - xoff) + 'px';
    blocks[b].style.top = (e.clientY - yoff) + 'px';
  }
  return false;
}
function $dragfinish$(e) {
  if (!dragInProgress) return false;
  dragInProgress = false;
  var press = a11yPress;
  a11yPress = null;
  // A tap (a press and release without moving) picks the item up instead.
  if (press && !press.moved && e.type == 'pointerup') {
    a11yPick(press.X, press.at);
    return false;
  }
  parent.control.$dragfinish$(ob1);
  return false;
}
// The sound frame (in block "b") and the feedback frames (in their blocks) are
// written inside templates and made the first time they are needed: a frame on
// the page is a second page load each time the student moves to another question.
function pageFrame(blockId) {
  var block = document.getElementById(blockId);
  var frame = block.getElementsByTagName('iframe')[0];
  if (!frame) {
    var template = block.getElementsByTagName('template')[0];
    var made = template.content.cloneNode(true);
    // The frameset writes the frame's pages; without an address the frame never
    // loads a page of its own that could replace one written into it.
    made.querySelector('iframe').removeAttribute('src');
    block.appendChild(made);
    frame = block.getElementsByTagName('iframe')[0];
  }
  return frame;
}
function playSound(page) {
  parent.showPage(pageFrame('b').contentWindow, page);
}
// Pointer events serve the mouse, a pen and touch alike; a finger on a drag item must
// move the item, not pan the page. The focus ring shows on any colour (black
// outside, white inside), and a carried item wears it too; the question, which
// takes the focus only to be read, wears none.
(function () {
  var style = document.createElement('style');
  style.textContent = '.drag1, .drag2 { touch-action: none; }'
    + ' [tabindex="0"]:focus-visible, button:focus-visible, input:focus-visible, .a11yCarried'
    + ' { outline: 3px solid #000; outline-offset: 3px; box-shadow: 0 0 0 3px #fff; }'
    + ' #question:focus { outline: none; }';
  document.head.appendChild(style);
})();
// The page's start (putting back the student's answers) runs as soon as its elements are
// parsed, not after its pictures have loaded: a student may answer while a slow picture
// still loads, and a start running later would wipe those answers.
document.addEventListener('DOMContentLoaded', function () {
  var start = window.onload;
  window.onload = null;
  if (start) start();
});

// ---- Keyboard and assistive technology ----
// Choices, statement halves, start buttons and drag items take Enter and Space
// as the press a pointer gives them; the pictures' layers say their state to
// assistive technology through the element that takes the keyboard.
var a11yCarried = null;
var a11yPress = null;
function a11yControl() {
  try {
    return parent.control.a11yTexts ? parent.control : null;
  } catch (e) {
    return null;
  }
}
function a11yAnnounce(text) {
  var control = a11yControl();
  if (control) control.a11yAnnounce(text);
}
function a11yShown(id) {
  var block = document.getElementById(id);
  return !!block && block.style.visibility == 'visible';
}
function a11yLayerImage(id) {
  var block = document.getElementById(id);
  return block ? block.getElementsByTagName('img')[0] : null;
}
// Answers of a marked question under review cannot change.
function a11yReviewing() {
  return a11yShown('cover');
}
function a11ySync() {
  var reviewing = a11yReviewing();
  var choices = document.querySelectorAll('[data-choice]');
  for (var c = 0; c < choices.length; c++) {
    choices[c].setAttribute('aria-checked', a11yShown(choices[c].getAttribute('data-choice') + '2div') ? 'true' : 'false');
  }
  var halves = document.querySelectorAll('[data-tf]');
  for (var h = 0; h < halves.length; h++) {
    var layer = halves[h].getAttribute('data-half') == '1' ? '4div' : '3div';
    halves[h].setAttribute('aria-pressed', a11yShown(halves[h].getAttribute('data-tf') + layer) ? 'true' : 'false');
  }
  var answers = document.querySelectorAll('[data-choice], [data-tf], [data-drag]');
  for (var a = 0; a < answers.length; a++) {
    if (reviewing) answers[a].setAttribute('aria-disabled', 'true');
    else answers[a].removeAttribute('aria-disabled');
  }
}
function a11yBlocks(X) {
  var blocks = [];
  for (var k = 0; k < 3; k++) {
    var block = document.getElementById(X + k + 'div');
    if (block) blocks.push(block);
  }
  return blocks;
}
function a11yPlaces(blocks) {
  var at = [];
  for (var b = 0; b < blocks.length; b++) at.push([blocks[b].style.left, blocks[b].style.top]);
  return at;
}
function a11yTargets(item) {
  var boxes = [];
  var list = (item.getAttribute('data-targets') || '').split(';');
  for (var i = 0; i < list.length; i++) {
    var v = list[i].split(',');
    if (v.length == 4) boxes.push({ l: parseInt(v[0]), t: parseInt(v[1]), w: parseInt(v[2]), h: parseInt(v[3]) });
  }
  return boxes;
}
// A place by its number and by the text that lies on it, if any.
function a11yPlaceName(boxes, i) {
  var control = a11yControl();
  var name = control ? control.a11ySay(control.a11yTexts.target, i + 1, boxes.length) : String(i + 1);
  var b = boxes[i];
  var under = document.elementsFromPoint ? document.elementsFromPoint(b.l + b.w / 2, b.t + b.h / 2) : [];
  for (var u = 0; u < under.length; u++) {
    var e = under[u];
    if (e == document.body || e == document.documentElement || (e.closest && e.closest('[id$="0div"],[id$="1div"],[id$="2div"]'))) continue;
    var text = (e.textContent || '').replace(/\s+/g, ' ').trim();
    if (text) return name + ': ' + text.substring(0, 80);
  }
  return name;
}
// Where item X lies now, for the announcement of the right answers.
function a11yPlaceOf(X) {
  var item = document.querySelector('[data-drag="' + X + '"]');
  var ob = document.getElementById(X + '0div');
  if (!item || !ob) return '';
  var boxes = a11yTargets(item);
  var l = parseInt(ob.style.left), t = parseInt(ob.style.top);
  var r = l + parseInt(ob.style.width), b = t + parseInt(ob.style.height);
  for (var i = 0; i < boxes.length; i++) {
    var x = boxes[i];
    if (x.l <= r && x.l + x.w >= l && x.t <= b && x.t + x.h >= t) return a11yPlaceName(boxes, i);
  }
  return '';
}
// Item X picked up; `at` is where it lay when a tap began.
function a11yPick(X, at) {
  var item = document.querySelector('[data-drag="' + X + '"]');
  if (!item || a11yReviewing()) return;
  var blocks = a11yBlocks(X);
  var place = at || a11yPlaces(blocks);
  for (var b = 0; b < blocks.length; b++) {
    blocks[b].style.left = place[b][0];
    blocks[b].style.top = place[b][1];
  }
  a11yCarried = { item: item, X: X, blocks: blocks, at: place, boxes: a11yTargets(item), index: -1 };
  item.setAttribute('aria-pressed', 'true');
  item.classList.add('a11yCarried');
  if (document.activeElement != item) item.focus();
  var tick = document.getElementById(X + 'tick'), cross = document.getElementById(X + 'cross');
  if (tick) tick.style.visibility = 'hidden';
  if (cross) cross.style.visibility = 'hidden';
  var control = a11yControl();
  if (control) a11yAnnounce(control.a11ySay(control.a11yTexts.pickedUp, item.getAttribute('aria-label')));
}
function a11yCarryTo(i) {
  var c = a11yCarried, box = c.boxes[i], ob = c.blocks[0];
  c.index = i;
  var left = Math.round(box.l + box.w / 2 - parseInt(ob.style.width) / 2);
  var top = Math.round(box.t + box.h / 2 - parseInt(ob.style.height) / 2);
  for (var b = 0; b < c.blocks.length; b++) {
    c.blocks[b].style.left = left + 'px';
    c.blocks[b].style.top = top + 'px';
  }
  a11yAnnounce(a11yPlaceName(c.boxes, i));
}
function a11yLetGo() {
  var c = a11yCarried;
  a11yCarried = null;
  c.item.setAttribute('aria-pressed', 'false');
  c.item.classList.remove('a11yCarried');
  return c;
}
// Dropped where it is carried: the control page marks it as it marks a dragged drop.
function a11yDrop() {
  var c = a11yCarried;
  if (c.index < 0) {
    a11yPutBack();
    return;
  }
  var place = a11yPlaceName(c.boxes, c.index);
  a11yLetGo();
  parent.control.$dragfinish$(c.blocks[0]);
  var control = a11yControl();
  if (control) a11yAnnounce(control.a11ySay(control.a11yTexts.dropped, place));
}
function a11yPutBack() {
  var c = a11yLetGo();
  for (var b = 0; b < c.blocks.length; b++) {
    c.blocks[b].style.left = c.at[b][0];
    c.blocks[b].style.top = c.at[b][1];
  }
  var control = a11yControl();
  if (control) a11yAnnounce(control.a11yTexts.putBack);
}
// A tap while an item is carried: on a place drops it there, anywhere else puts it back.
function a11yTapPlace(x, y) {
  var boxes = a11yCarried.boxes;
  for (var i = 0; i < boxes.length; i++) {
    var b = boxes[i];
    if (x >= b.l && x <= b.l + b.w && y >= b.t && y <= b.t + b.h) {
      a11yCarryTo(i);
      a11yDrop();
      return;
    }
  }
  a11yPutBack();
}
function a11yCarryKey(e) {
  var c = a11yCarried, n = c.boxes.length;
  var forward = e.key == 'ArrowRight' || e.key == 'ArrowDown' || (e.key == 'Tab' && !e.shiftKey);
  var back = e.key == 'ArrowLeft' || e.key == 'ArrowUp' || (e.key == 'Tab' && e.shiftKey);
  if ((forward || back) && n > 0) a11yCarryTo(forward ? (c.index + 1) % n : (c.index <= 0 ? n - 1 : c.index - 1));
  else if (e.key == 'Enter' || e.key == ' ') a11yDrop();
  else if (e.key == 'Escape') a11yPutBack();
  else return;
  e.preventDefault();
}
document.addEventListener('keydown', function (e) {
  var control = a11yControl();
  if (control && control.a11yShortcut(e)) return;
  if (a11yCarried) {
    a11yCarryKey(e);
    return;
  }
  if ((e.key != 'Enter' && e.key != ' ') || !e.target.getAttribute) return;
  var t = e.target;
  var choice = t.getAttribute('data-choice'), tf = t.getAttribute('data-tf');
  var drag = t.getAttribute('data-drag'), press = t.getAttribute('data-press');
  if (!choice && !tf && !drag && !press) return;
  e.preventDefault();
  if (e.repeat || a11yReviewing()) return;
  if (choice) {
    // The chosen layer takes a press back; the pointer-over layer makes the choice.
    var layer = a11yLayerImage(choice + (a11yShown(choice + '2div') ? '2div' : '1div'));
    if (layer) layer.onmousedown();
  } else if (tf) {
    var picture = a11yLayerImage(tf + '1div');
    if (picture) picture.onmousedown({ offsetX: t.getAttribute('data-half') == '1' ? picture.width : 0 });
  } else if (drag) {
    a11yPick(drag);
  } else if (press == 'up') {
    t.onmouseup();
  } else {
    t.onmousedown();
  }
  a11ySync();
});
// A carried item left for another place (a press elsewhere) goes back.
document.addEventListener('focusout', function (e) {
  if (a11yCarried && e.target == a11yCarried.item && !dragInProgress) a11yPutBack();
});
new MutationObserver(function () { a11ySync(); }).observe(document.documentElement,
  { attributes: true, subtree: true, attributeFilter: ['style'] });
document.addEventListener('DOMContentLoaded', a11ySync);
// Zoomed in (200 %), the page is wider than its frame: the frame then scrolls
// (Firefox at once, Chromium from the next page on), as a frame written with
// scrolling="no" would not.
window.addEventListener('load', function () {
  try {
    if (Math.max(document.documentElement.scrollWidth, document.body.scrollWidth) > window.innerWidth + 1 && window.frameElement
      && window.frameElement.getAttribute('scrolling') == 'no') window.frameElement.setAttribute('scrolling', 'auto');
  } catch (e) {
    // a frame of another origin keeps its own settings
  }
});
// A page that replaces the one holding the focus (after Start, Alt+N, a tap on a
// start picture) takes the focus on its question: the keyboard goes on from the
// top of the page, and a screen reader reads the question. A focus on the bar stays.
window.addEventListener('load', function () {
  var holder = null;
  try {
    holder = parent.document.activeElement;
  } catch (e) {
    return;
  }
  if (holder && holder != window.frameElement && holder != parent.document.body) return;
  var first = document.getElementById('question') || document.querySelector('[tabindex="0"], input, button, a[href]');
  if (first) first.focus();
});
document.oncontextmenu = new Function('return false');
document.onselectstart = new Function('return false');
document.ondragstart = new Function('return false');
document.onpointerdown = checkdrag;
document.onpointerup = $dragfinish$;
document.onpointercancel = $dragfinish$;
