function $getUserAnswers$() {
  var frame = parent.question;
  // A page still loading, or one the test is already leaving, shows another question:
  // reading it would file that page's state under the wrong question.
  if (frame.document.readyState != 'complete' || frame.shownPage != 'q' + $questionNum$ + '.htm') return false;
  var doc = frame.document;
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
