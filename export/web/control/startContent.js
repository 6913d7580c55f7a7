function $startContent$() {
  // Opened straight from the file system, current browsers keep the frames apart and
  // every call between them fails; say so rather than leave a dead page.
  try {
    parent.document.title;
  } catch (e) {
    document.body.innerHTML = '<p style="font: 12px sans-serif; margin: 6px">{{textsA17}}</p>';
    alert('{{textsA17}}');
    return;
  }
  // Pressing the slider thumb would otherwise start the browser's own image drag.
  document.ondragstart = function () { return false; };
  if ($pLength$ < 1) $examStatus$ = 1;
  $showHideButtons$();
  $questionPos$ = 0;
  $questionNum$ = $questionNumberListG$[0];
  if ($examStatus$ == 0) {
    if ($qOptionsG$[2] == 1) $randqList$();
    parent.question.location = 'p0.htm';
    parent.document.title = $qDetailsG$[0] + ': (' + '{{textsA15}}' + ')';
  } else if ($questionNumberListG$.length > 0) {
    parent.question.location = 'q' + $questionNum$ + '.htm';
  }
  $positionSlider$();
}
