function $checkSlider$() {
  if (event.srcElement.className == 'slide') {
    $sliderMouseDown$ = true;
    document.onmousemove = $sliderMMove$;
  }
}
