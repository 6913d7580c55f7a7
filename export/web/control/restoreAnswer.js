function $restoreAnswer$() {
  var frame = parent.question;
  // Only the page of the current question may be filled; an earlier page can still
  // finish loading after a quick second move.
  if (frame.shownPage != 'q' + $questionNum$ + '.htm') return;
  var doc = frame.document;
  var $qElements$ = $qElementsListG$[$questionNum$];
  var $qTypes$ = $qTypesListG$[$questionNum$];
  var $qUserAnswers$ = $userAnswersG$[$questionNum$];
  var $qcAnswers$ = $correctAnswersG$[$questionNum$];
  $selectionsG$ = new Array();
  for (var c = 0; c < $qElements$.length; c++) {
    var X = $qElements$[c];
    var t = $qTypes$[c];
    var a = $qUserAnswers$[c];
    if (t == 1) {
      doc.getElementById(X + '2div').style.visibility = (a == 1) ? 'visible' : 'hidden';
      if (a == 1) $selectionsG$[$selectionsG$.length] = X;
      doc.getElementById(X + '1div').style.visibility = 'hidden';
    } else if (t == 2) {
      doc.getElementById(X + '3div').style.visibility = (a == 1) ? 'visible' : 'hidden';
      doc.getElementById(X + '4div').style.visibility = (a == 2) ? 'visible' : 'hidden';
      if (a == 1 || a == 2) $selectionsG$[$selectionsG$.length] = X;
      doc.getElementById(X + '1div').style.visibility = 'hidden';
      doc.getElementById(X + '2div').style.visibility = 'hidden';
      doc.getElementById(X + '5div').style.visibility = 'hidden';
      doc.getElementById(X + '6div').style.visibility = 'hidden';
    } else if (t <= 7) {
      doc.getElementsByName(X)[0].value = a;
    } else {
      var ob1 = doc.getElementById(X + '0div');
      var left = $qcAnswers$[c][0];
      var top = $qcAnswers$[c][1];
      if (a >= 0) {
        // Centre the item on its target.
        var target = $qcAnswers$[c][a + 2].split(',');
        var tl = parseInt(target[1]), tt = parseInt(target[2]);
        left = (parseInt(target[3]) / 2 + tl) - parseInt(ob1.style.width) / 2;
        top = (parseInt(target[4]) / 2 + tt) - parseInt(ob1.style.height) / 2;
      }
      var blocks = [ob1, doc.getElementById(X + '1div'), doc.getElementById(X + '2div')];
      for (var b = 0; b < blocks.length; b++) {
        if (!blocks[b]) continue;
        blocks[b].style.left = left + 'px';
        blocks[b].style.top = top + 'px';
      }
    }
  }
  doc.answersRestored = true;
  if ($examStatus$ == 1) {
    parent.document.title = $qDetailsG$[0] + ': ' + '{{textsA16}}' + ' ' + ($questionPos$ + Number('{{firstNumber}}'));
  } else if ($examStatus$ == 2) {
    if ($questionPos$ < 1) {
      parent.document.title = $qDetailsG$[0] + ': (Test Complete)';
    } else {
      doc.getElementById('cover').style.visibility = 'visible';
      parent.document.title = $qDetailsG$[0] + ': Question ' + ($questionPos$ + Number('{{numberBeforeFirst}}')) + ' (Test Complete)';
      $markAnswer$();
    }
    for (var f = 0; f < $qElements$.length; f++) {
      if ($qTypes$[f] >= 3 && $qTypes$[f] <= 7) doc.getElementsByName($qElements$[f])[0].disabled = true;
    }
  }
}
