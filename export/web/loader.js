// The frameset's page loader. Every page of the test (question and pre-test
// pages, feedback and sound pages, the control page, the results) is written
// by this frameset into a frame of its own origin: opened from the file
// system, current browsers keep documents loaded from files apart, but a
// frame the frameset writes shares its origin and takes its base address, so
// the pages script each other and find their pictures and sounds by their
// relative addresses, from a folder and from a web server alike.
//
// pageTexts (from pages.js, or inline in a single-file test) holds the page
// texts by name; pageMedia, in a single-file test only, holds the data
// addresses of the pictures and sounds by the names the pages use.

// Pages name the page script "p.js"; it is part of pageTexts and goes inline,
// so that showing a page fetches nothing.
var pageScriptTag = '<script src="p.js" name="pCode"></' + 'script>';

function withMedia(text) {
  if (!window.pageMedia) return text;
  return text.replace(/(src|background|value)="([^"]*)"/g, function (whole, attribute, name) {
    return pageMedia.hasOwnProperty(name) ? attribute + '="' + pageMedia[name] + '"' : whole;
  });
}

function pageMarkup(text) {
  if (text.indexOf(pageScriptTag) >= 0) {
    text = text.split(pageScriptTag).join('<script>' + pageTexts['p.js'] + '</' + 'script>');
  }
  return withMedia(text);
}

// Writes `text` as the page `name` into the window `win` (a frame of this
// frameset, or a frame inside one). The window keeps the name in shownPage:
// its address is the frameset's for every page.
function writePage(win, name, text) {
  win.shownPage = name;
  var doc = win.document;
  // Writing keeps the Document object, and with it whatever the last page
  // left on it: a new page's answers are not yet put back.
  doc.answersRestored = false;
  doc.open();
  doc.write(pageMarkup(text));
  doc.close();
}

function showPage(win, name) {
  writePage(win, name, pageTexts[name]);
}

// A page in a window of its own (the help page): written when the test
// carries its text, opened from its file otherwise.
function openPage(name, windowName, features) {
  if (!pageTexts.hasOwnProperty(name)) {
    window.open(name, windowName, features);
    return;
  }
  var win = window.open('', windowName, features);
  if (win) writePage(win, name, pageTexts[name]);
}

function refuseToStart() {
  try {
    writePage(window.frames.control, 'refused',
      '<html><body><p style="font: 12px sans-serif; margin: 6px">{{refusedHtml}}</p></body></html>');
  } catch (e) {
  }
  alert('{{refused}}');
}

function startFrames() {
  if (!window.pageTexts) {
    refuseToStart();
    return;
  }
  try {
    showPage(window.frames.question, 'blank.htm');
    showPage(window.frames.control, 'control.htm');
  } catch (e) {
    refuseToStart();
  }
}
