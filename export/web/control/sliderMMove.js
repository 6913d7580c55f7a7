function $sliderMMove$(e) {
  if (!$sliderMouseDown$) return;
  var newPos = e.clientX - 13;
  if (newPos >= 82 && newPos <= $qSliderMax$) {
    document.getElementById('Sliderdiv').style.left = newPos + 'px';
  }
  return false;
}
