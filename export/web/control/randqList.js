function $randqList$() {
  var temp = $questionNumberListG$;
  var a = temp.length;
  $questionNumberListG$ = new Array();
  for (var draw = 0; draw < 1000 && a >= 1; draw++) {
    var p = parseInt(Math.random() * temp.length);
    if (temp[p] < 0) continue;
    $questionNumberListG$[$questionNumberListG$.length] = temp[p];
    temp[p] = -1;
    a--;
  }
  // Unlucky draws must not lose questions: the ones never drawn follow in their order.
  for (var i = 0; i < temp.length; i++) {
    if (temp[i] >= 0) $questionNumberListG$[$questionNumberListG$.length] = temp[i];
  }
}
