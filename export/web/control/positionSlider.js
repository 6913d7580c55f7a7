function $positionSlider$() {
  var eLength = $qElementsListG$.length;
  if ($examStatus$ == 2) eLength++;
  if ($examStatus$ == 0) eLength = $pLength$;
  var left = 82;
  if (eLength >= 2) left = parseInt((($qSliderMax$ - 82) / (eLength - 1)) * $questionPos$ + 82);
  document.getElementById('Sliderdiv').style.left = left + 'px';
}
