function $writeResults$() {
  parent.document.title = $qDetailsG$[0] + ': (' + '{{textsA9}}' + ')';
  parent.writePage(parent.question, 'results', $resultsText$);
}
