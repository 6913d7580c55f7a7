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
  // The pointer-over and pressed layers of a bar button appear under a pointer
  // that has not moved; browsers then report it leaving the layer below, which
  // would release Cheat the moment it is pressed. All three layers carry the
  // same handlers, so the bottom one alone takes the pointer.
  var bar = ['Help', 'Arrow1', 'Arrow2'].concat($aButtonsG$);
  for (var i = 0; i < bar.length; i++) {
    for (var k = 1; k <= 2; k++) {
      var layer = document.getElementById(bar[i] + 'div' + k);
      if (layer) layer.style.pointerEvents = 'none';
    }
  }
  // A learning platform hands back an attempt begun or finished before.
  var saved = window.scormLink ? scormLink.start(function () {
    if ($examStatus$ == 1) $getUserAnswers$();
    return {status: $examStatus$, pos: $questionPos$, order: $questionNumberListG$, answers: $userAnswersG$,
      started: $startDate$.getTime()};
  }, $qElementsListG$, $questionNumberListG$) : null;
  if (saved) {
    $questionNumberListG$ = saved.order;
    $userAnswersG$ = saved.answers;
    $startDate$ = new Date(saved.started);
    $examStatus$ = 1;
    $showHideButtons$();
    if (saved.status == 2) {
      $finishTest$(new Date(saved.ended));
      return;
    }
    $questionPos$ = saved.pos;
    $questionNum$ = $questionNumberListG$[saved.pos];
    parent.showPage(parent.question, 'q' + $questionNum$ + '.htm');
    $positionSlider$();
    return;
  }
  if ($pLength$ < 1) $examStatus$ = 1;
  $showHideButtons$();
  $questionPos$ = 0;
  $questionNum$ = $questionNumberListG$[0];
  if ($examStatus$ == 0) {
    if ($qOptionsG$[2] == 1) $randqList$();
    parent.showPage(parent.question, 'p0.htm');
    parent.document.title = $qDetailsG$[0] + ': (' + '{{textsA15}}' + ')';
  } else if ($questionNumberListG$.length > 0) {
    parent.showPage(parent.question, 'q' + $questionNum$ + '.htm');
  }
  $positionSlider$();
}
