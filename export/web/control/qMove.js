function $qMove$(pos) {
  if (pos < 0) return;
  if ($examStatus$ == 0) {
    if (pos < $pLength$ && pos != $questionPos$) {
      $questionPos$ = pos;
      parent.showPage(parent.question, 'p' + pos + '.htm');
    }
    $positionSlider$();
    return;
  }
  var eLength = $qElementsListG$.length;
  if ($examStatus$ == 2) eLength++;
  if (pos >= eLength) return;
  if (pos != $questionPos$) {
    if ($examStatus$ == 1) {
      $getUserAnswers$();
      $questionPos$ = pos;
      $questionNum$ = $questionNumberListG$[pos];
      parent.showPage(parent.question, 'q' + $questionNum$ + '.htm');
    } else {
      $questionPos$ = pos;
      if (pos < 1) {
        $writeResults$();
      } else {
        $questionNum$ = $questionNumberListG$[pos - 1];
        parent.showPage(parent.question, 'q' + $questionNum$ + '.htm');
      }
    }
  }
  $positionSlider$();
}
