function $dragfinish$(ob1) {
  // The glide state is shared: an item still gliding is put in its place before the next starts.
  if (obj && cd <= 30) {
    cd = 30;
    $moveDrag$();
  }
  var doc = parent.question.document;
  var X = ob1.id.substring(0, ob1.id.length - 4);
  doc.getElementById(X + 'tick').style.visibility = 'hidden';
  doc.getElementById(X + 'cross').style.visibility = 'hidden';
  obj2 = doc.getElementById(X + '1div');
  obj3 = doc.getElementById(X + '2div');
  var $qElements$ = $qElementsListG$[$questionNum$];
  var c = 0;
  while (c < $qElements$.length && $qElements$[c] != X) c++;
  if (c == $qElements$.length) return;
  var $obCAnswers$ = $correctAnswersG$[$questionNum$][c];
  if (!$obCAnswers$ || $obCAnswers$.length == 0) return;
  var xtar = $obCAnswers$[0], ytar = $obCAnswers$[1], targetNum = -1;
  var ol = parseInt(ob1.style.left), ot = parseInt(ob1.style.top);
  var or = ol + parseInt(ob1.style.width), ob = ot + parseInt(ob1.style.height);
  var l, r, t, b;
  for (var k = 2; k < $obCAnswers$.length; k++) {
    var target = $obCAnswers$[k].split(',');
    l = parseInt(target[1]);
    t = parseInt(target[2]);
    r = l + parseInt(target[3]);
    b = t + parseInt(target[4]);
    if (l <= or && r >= ol && t <= ob && b >= ot) {
      xtar = ((r - l) / 2 + l) - (or - ol) / 2;
      ytar = ((b - t) / 2 + t) - (ob - ot) / 2;
      targetNum = k - 2;
      break;
    }
  }
  var eType = $qTypesListG$[$questionNum$][c];
  if (targetNum >= 0 && (eType == 8 || eType == 10)) {
    for (var d = 0; d < $qElements$.length; d++) {
      var other = doc.getElementById($qElements$[d] + '0div');
      if (d == c || !other) continue;
      var dl = parseInt(other.style.left), dt = parseInt(other.style.top);
      var dr = dl + parseInt(other.style.width), db = dt + parseInt(other.style.height);
      if (l <= dr && r >= dl && t <= db && b >= dt) {
        xtar = $obCAnswers$[0];
        ytar = $obCAnswers$[1];
        targetNum = -1;
        break;
      }
    }
  }
  $executeDrag$(ob1, xtar, ytar);
  $userAnswersG$[$questionNum$][c] = targetNum;
  if (targetNum >= 0) $checkSelections$(X);
}
