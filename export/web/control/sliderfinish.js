function $sliderfinish$() {
  if (!$sliderMouseDown$) return;
  $sliderMouseDown$ = false;
  var eLength = $qElementsListG$.length;
  if ($examStatus$ == 2) eLength++;
  if ($examStatus$ == 0) eLength = $pLength$;
  if (eLength > 1) {
    var newPos = parseInt(document.getElementById('Sliderdiv').style.left) - 82;
    var pixelsPerQ = ($qSliderMax$ - 82) / (eLength - 1);
    var newQuestion = parseInt((newPos / pixelsPerQ) + 0.5);
    $qMove$(newQuestion);
  } else {
    $positionSlider$();
  }
}
