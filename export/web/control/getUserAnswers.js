function $getUserAnswers$() {
  var frame = parent.question;
  var doc = frame.document;
  // Only the current question's own page, and only once its answers have been put back
  // (as soon as its elements are there, while pictures may still load): an earlier page
  // still showing, or one not yet filled in, would file wrong answers under this question.
  if (frame.shownPage != 'q' + $questionNum$ + '.htm' || !doc.answersRestored) return false;
  var $qElements$ = $qElementsListG$[$questionNum$];
  var $qTypes$ = $qTypesListG$[$questionNum$];
  var $qUserAnswers$ = new Array();
  for (var c = 0; c < $qElements$.length; c++) {
    var X = $qElements$[c];
    var t = $qTypes$[c];
    if (t == 1) {
      $qUserAnswers$[c] = (doc.getElementById(X + '2div').style.visibility == 'visible') ? 1 : 0;
    } else if (t == 2) {
      $qUserAnswers$[c] = 0;
      if (doc.getElementById(X + '3div').style.visibility == 'visible') $qUserAnswers$[c] = 1;
      else if (doc.getElementById(X + '4div').style.visibility == 'visible') $qUserAnswers$[c] = 2;
    } else if (t <= 7) {
      // After collapsing, trim() takes off exactly the one blank left at each end.
      $qUserAnswers$[c] = doc.getElementsByName(X)[0].value.replace(/\s+/g, ' ').trim();
    } else {
      $qUserAnswers$[c] = $userAnswersG$[$questionNum$][c];
    }
  }
  $userAnswersG$[$questionNum$] = $qUserAnswers$;
  return true;
}
