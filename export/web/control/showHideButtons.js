function $showHideButtons$() {
  var showHide = ($examStatus$ == 1) ? 'hidden' : 'visible';
  for (var i = 0; i < $aButtonsG$.length; i++) {
    document.getElementById($aButtonsG$[i] + 'div3').style.visibility = showHide;
  }
}
