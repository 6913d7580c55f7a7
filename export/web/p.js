var dragInProgress = false;
var xoff, yoff, ob1, ob2, ob3;
function checkdrag() {
  // A press on a text item's label lands on the label inside the button: the item is
  // the nearest enclosing element of a drag class.
  var item = event.srcElement;
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
  dragInProgress = true;
  document.onpointermove = dragnow;
}
function dragnow() {
  if (!dragInProgress) return;
  var blocks = [ob1, ob2, ob3];
  for (var b = 0; b < blocks.length; b++) {
    if (!blocks[b]) continue;
    blocks[b].style.left = (event.clientX - xoff) + 'px';
    blocks[b].style.top = (event.clientY - yoff) + 'px';
  }
  return false;
}
function $dragfinish$() {
  if (!dragInProgress) return false;
  dragInProgress = false;
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
// move the item, not pan the page.
(function () {
  var style = document.createElement('style');
  style.textContent = '.drag1, .drag2 { touch-action: none; }';
  document.head.appendChild(style);
})();
document.oncontextmenu = new Function('return false');
document.onselectstart = new Function('return false');
document.ondragstart = new Function('return false');
document.onpointerdown = checkdrag;
document.onpointerup = $dragfinish$;
document.onpointercancel = $dragfinish$;
