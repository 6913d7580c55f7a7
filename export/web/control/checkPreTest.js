function $checkPreTest$() {
  var doc = parent.question.document;
  if ($questionPos$ + 1 == $pLength$ && !doc.stbutton) {
    doc.getElementById('StartTestdiv0').style.visibility = 'visible';
  }
}
