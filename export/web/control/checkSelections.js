function $checkSelections$(newItem) {
  var limit = $qMaxSelectionsG$[$questionNum$];
  // A missing limit counts as no limit, like any limit below 1.
  if (!(limit >= 1)) return;
  // Choosing an element again (the other half of a true/false button, a drag item moved
  // to another target) must not push that same element out.
  for (var s = 0; s < $selectionsG$.length; s++) {
    if ($selectionsG$[s] == newItem) {
      $selectionsG$.splice(s, 1);
      break;
    }
  }
  if ($selectionsG$.length >= limit) {
    var doc = parent.question.document;
    var $qElements$ = $qElementsListG$[$questionNum$];
    for (var c = 0; c < $qElements$.length; c++) {
      if ($qElements$[c] != $selectionsG$[0]) continue;
      var X = $qElements$[c];
      var t = $qTypesListG$[$questionNum$][c];
      if (t == 1) {
        doc.getElementById(X + '2div').style.visibility = 'hidden';
      } else if (t == 2) {
        doc.getElementById(X + '3div').style.visibility = 'hidden';
        doc.getElementById(X + '4div').style.visibility = 'hidden';
      } else if (t >= 8) {
        $userAnswersG$[$questionNum$][c] = -1;
        var home = $correctAnswersG$[$questionNum$][c];
        var blocks = [doc.getElementById(X + '0div'), doc.getElementById(X + '1div'), doc.getElementById(X + '2div')];
        for (var b = 0; b < blocks.length; b++) {
          if (!blocks[b]) continue;
          blocks[b].style.left = home[0] + 'px';
          blocks[b].style.top = home[1] + 'px';
        }
      }
      break;
    }
    $selectionsG$.shift();
  }
  $selectionsG$[$selectionsG$.length] = newItem;
}
