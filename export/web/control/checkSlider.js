function $checkSlider$(e) {
  if (e.target.className == 'slide') {
    $sliderMouseDown$ = true;
    document.onmousemove = $sliderMMove$;
  }
}
