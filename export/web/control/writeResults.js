function $writeResults$() {
  parent.document.title = $qDetailsG$[0] + ': (' + '{{textsA9}}' + ')';
  parent.question.document.open();
  parent.question.document.write($resultsText$);
  parent.question.document.close();
}
