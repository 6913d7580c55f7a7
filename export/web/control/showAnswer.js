function $showAnswer$() {
  // Keep the user's answers first: releasing the button puts them back from there.
  if (!$getUserAnswers$()) return;
  var doc = parent.question.document;
  var $qElements$ = $qElementsListG$[$questionNum$];
  var $qTypes$ = $qTypesListG$[$questionNum$];
  var $qMarks$ = $qMarksListG$[$questionNum$];
  var $obCAnswers$ = $correctAnswersG$[$questionNum$];
  var $allocatedDrags$ = new Array();
  for (var c = 0; c < $qElements$.length; c++) {
    var X = $qElements$[c];
    var t = $qTypes$[c];
    var m0 = $qMarks$[c][0], m1 = $qMarks$[c][1], m2 = $qMarks$[c][2];
    var cAnswers = $obCAnswers$[c];
    if (t == 1) {
      doc.getElementById(X + '2div').style.visibility = (m0 > m1) ? 'visible' : 'hidden';
    } else if (t == 2) {
      var $correctAnswer$ = 0;
      if (m0 > m2 && m0 >= m1) $correctAnswer$ = 1;
      else if (m1 > m0 && m1 > m2) $correctAnswer$ = 2;
      if ($correctAnswer$ == 0) {
        doc.getElementById(X + '1div').style.visibility = 'hidden';
        doc.getElementById(X + '2div').style.visibility = 'hidden';
      }
      doc.getElementById(X + '3div').style.visibility = ($correctAnswer$ == 1) ? 'visible' : 'hidden';
      doc.getElementById(X + '4div').style.visibility = ($correctAnswer$ == 2) ? 'visible' : 'hidden';
      doc.getElementById(X + '5div').style.visibility = 'hidden';
      doc.getElementById(X + '6div').style.visibility = 'hidden';
    } else if (t == 3 || t == 4 || t == 6) {
      doc.getElementsByName(X)[0].value = cAnswers[0];
    } else if (t == 5 || t == 7) {
      doc.getElementsByName(X)[0].value = cAnswers[0] + ' to ' + cAnswers[1];
    } else {
      var ob1 = doc.getElementById(X + '0div');
      var $highestAnswer$ = m0;
      var $listOfHighestAnswers$ = new Array();
      for (var k = 2; k < cAnswers.length; k++) {
        var mark = parseFloat(cAnswers[k].split(',')[0]);
        if (mark > $highestAnswer$) {
          $highestAnswer$ = mark;
          $listOfHighestAnswers$ = [k];
        } else if (mark == $highestAnswer$) {
          $listOfHighestAnswers$[$listOfHighestAnswers$.length] = k;
        }
      }
      var left = cAnswers[0], top = cAnswers[1];
      if ($highestAnswer$ > m0) {
        for (var h = 0; h < $listOfHighestAnswers$.length; h++) {
          var target = cAnswers[$listOfHighestAnswers$[h]].split(',');
          var tl = parseInt(target[1]), tt = parseInt(target[2]);
          var tr = tl + parseInt(target[3]), tb = tt + parseInt(target[4]);
          var clash = false;
          for (var d = 0; d < $allocatedDrags$.length && !clash; d++) {
            var other = doc.getElementById($allocatedDrags$[d] + '0div');
            var ol = parseInt(other.style.left), ot = parseInt(other.style.top);
            var or = ol + parseInt(other.style.width), ob = ot + parseInt(other.style.height);
            clash = (ol <= tr && or >= tl && ot <= tb && ob >= tt);
          }
          if (clash) continue;
          left = ((tr - tl) / 2 + tl) - parseInt(ob1.style.width) / 2;
          top = ((tb - tt) / 2 + tt) - parseInt(ob1.style.height) / 2;
          $allocatedDrags$[$allocatedDrags$.length] = X;
          break;
        }
      }
      ob1.style.left = left + 'px';
      ob1.style.top = top + 'px';
    }
  }
  a11yRightAnswers(doc, $qElements$, $qTypes$);
}
