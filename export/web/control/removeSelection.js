function $removeSelection$() {
  var limit = $qMaxSelectionsG$[$questionNum$];
  if (!(limit >= 1)) return;
  $getUserAnswers$();
  $restoreAnswer$();
}
