function $sliderClick$(e) {
  if (e.clientX > parseInt(document.getElementById('Sliderdiv').style.left)) {
    $qMove$($questionPos$ + 1);
  } else {
    $qMove$($questionPos$ - 1);
  }
}
