function $markAnswer$($qNum$) {
  // Without an argument this marks the page shown (the Mark button, a reviewed question).
  // Finishing passes each question number instead: the same rules give the totals without
  // touching any page, except that a wrong field then counts its mark for a wrong answer.
  var finishing = ($qNum$ != null);
  if (!finishing) {
    if (!$getUserAnswers$()) return;
    $qNum$ = $questionNum$;
  }
  var doc = finishing ? null : parent.question.document;
  var $qElements$ = $qElementsListG$[$qNum$];
  var $qTypes$ = $qTypesListG$[$qNum$];
  var $qMarks$ = $qMarksListG$[$qNum$];
  var $qUserAnswers$ = $userAnswersG$[$qNum$];
  var $qAnswers$ = $correctAnswersG$[$qNum$];
  var $qMin$ = 0, $qMax$ = 0, $qUser$ = 0;
  for (var c = 0; c < $qElements$.length; c++) {
    var X = $qElements$[c];
    var t = $qTypes$[c];
    var a = $qUserAnswers$[c];
    var $elementMarks$ = $qMarks$[c];
    var $elementAnswers$ = $qAnswers$[c];
    var m0 = $elementMarks$[0], m1 = $elementMarks$[1], m2 = $elementMarks$[2];
    var $elementMin$ = 20000, $elementMax$ = -20000, $correct$ = 0, answered = true;
    if (t == 1) {
      $correct$ = ((m0 > m1 && a == 1) || (m0 <= m1 && a == 0)) ? 1 : 0;
      $elementMin$ = Math.min(m0, m1);
      $elementMax$ = Math.max(m0, m1);
      $qUser$ += (a == 1) ? m0 : m1;
      answered = (a != 0);
    } else if (t == 2) {
      var $correctAnswer$ = 0;
      if (m0 > m2 && m0 >= m1) $correctAnswer$ = 1;
      else if (m1 > m0 && m1 > m2) $correctAnswer$ = 2;
      $correct$ = (a == $correctAnswer$) ? 1 : 0;
      $elementMin$ = Math.min(m0, m1, m2);
      $elementMax$ = Math.max(m0, m1, m2);
      $qUser$ += (a == 1) ? m0 : ((a == 2) ? m1 : m2);
      answered = (a != 0);
    } else if (t <= 7) {
      var $textAnswerCorrect$ = false;
      if (a !== '') {
        if (t == 5 || t == 7) {
          var read = (t == 5) ? parseFloat : parseInt;
          var v = read(a), b0 = read($elementAnswers$[0]), b1 = read($elementAnswers$[1]);
          $textAnswerCorrect$ = (v >= Math.min(b0, b1) && v <= Math.max(b0, b1));
        } else {
          for (var k = 0; k < $elementAnswers$.length && !$textAnswerCorrect$; k++) {
            var accepted = $elementAnswers$[k];
            // Letter case is ignored both ways round: a typed "SS" meets a
            // German sharp s only in upper case.
            if (t == 3) $textAnswerCorrect$ = (accepted !== '' && (accepted.toLowerCase() == a.toLowerCase()
                || accepted.toUpperCase() == a.toUpperCase()));
            else if (t == 4) $textAnswerCorrect$ = (parseFloat(a) == parseFloat(accepted));
            else $textAnswerCorrect$ = (parseInt(a) == parseInt(accepted));
          }
        }
      }
      $correct$ = $textAnswerCorrect$ ? 1 : 0;
      $elementMin$ = Math.min(m0, m1, m2);
      $elementMax$ = Math.max(m0, m1, m2);
      if (finishing) $qUser$ += (a === '') ? m2 : ($textAnswerCorrect$ ? m0 : m1);
      else if ($textAnswerCorrect$) $qUser$ += m0;
      answered = (a !== '');
    } else {
      var uMark = m0;
      $elementMin$ = m0;
      $elementMax$ = m0;
      for (var k2 = 2; k2 < $elementAnswers$.length; k2++) {
        var mark = parseFloat($elementAnswers$[k2].split(',')[0]);
        $elementMin$ = Math.min($elementMin$, mark);
        $elementMax$ = Math.max($elementMax$, mark);
        if (k2 - 2 == a) uMark = mark;
      }
      $qUser$ += uMark;
      $correct$ = (uMark == $elementMax$) ? 1 : 0;
      answered = (a >= 0);
      if (!finishing) {
        // A drag item carries its tick and cross to wherever it lies.
        var ob = doc.getElementById(X + '0div');
        var cornerLeft = (parseInt(ob.style.left) + parseInt(ob.style.width) - 20) + 'px';
        var cornerTop = (parseInt(ob.style.top) + parseInt(ob.style.height) - 20) + 'px';
        doc.getElementById(X + 'tick').style.left = cornerLeft;
        doc.getElementById(X + 'tick').style.top = cornerTop;
        doc.getElementById(X + 'cross').style.left = cornerLeft;
        doc.getElementById(X + 'cross').style.top = cornerTop;
      }
    }
    $qMin$ += $elementMin$;
    $qMax$ += $elementMax$;
    if (!finishing) {
      doc.getElementById(X + 'tick').style.visibility = (answered && $correct$ == 1) ? 'visible' : 'hidden';
      doc.getElementById(X + 'cross').style.visibility = (answered && $correct$ != 1) ? 'visible' : 'hidden';
    }
  }
  if (!finishing) {
    var $qFeedbacks$ = $qfbackCriteriaG$[$qNum$];
    var $feedbackShown$ = false;
    for (var f = 0; f < $qFeedbacks$.length; f++) {
      doc.getElementById($qFeedbacks$[f][0] + 'div').style.visibility = 'hidden';
    }
    // A criterion 4 entry is the fallback, shown only when nothing else was.
    for (var pass = 0; pass < 2 && !$feedbackShown$; pass++) {
      for (var f2 = 0; f2 < $qFeedbacks$.length; f2++) {
        var $feedbackArray$ = $qFeedbacks$[f2];
        var fname = $feedbackArray$[0], fcrit = $feedbackArray$[1];
        var fmin = $feedbackArray$[2], fmax = $feedbackArray$[3], fmatch = $feedbackArray$[4];
        var showf = false;
        if (pass == 1) showf = (fcrit == 4);
        else if (fcrit == 0) showf = ($qUser$ == $qMax$);
        else if (fcrit == 1) showf = ($qUser$ == $qMin$);
        else if (fcrit == 2) showf = ($qUser$ == fmatch);
        else if (fcrit == 3) showf = ($qUser$ >= Math.min(fmin, fmax) && $qUser$ <= Math.max(fmin, fmax));
        else if (fcrit == 5) showf = true;
        if (!showf) continue;
        parent.showPage(parent.question.pageFrame(fname + 'div').contentWindow, 'q' + $qNum$ + fname + '.htm');
        doc.getElementById(fname + 'div').style.visibility = 'visible';
        $feedbackShown$ = true;
        if (pass == 0 && !$qshowAllfbs$[$qNum$]) break;
      }
    }
    a11yMarked(doc, $qElements$);
  }
  return [$qMin$, $qMax$, $qUser$];
}
