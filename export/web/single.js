// A test in one file. Its start page opens this same file again with "#test";
// that window turns itself into the frameset once the file has loaded. The
// page texts and media above stay: writing a document keeps its window.
if (location.hash == '#test') {
  document.write('<style>body { display: none; }</style>');
  window.onload = function () {
    // Once this load has ended: a document written during its own load event
    // never gets a load event of its own.
    setTimeout(function () {
      document.open();
      document.write(pageTexts['frame.htm']);
      document.close();
    }, 0);
  };
}
