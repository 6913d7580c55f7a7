function $moveDrag$() {
  var x = xs + parseInt(xInc * cd), y = ys + parseInt(yInc * cd);
  cd++;
  // The last step lands exactly, as the steps above are rounded.
  if (cd > 30) {
    x = xt;
    y = yt;
  }
  var blocks = [obj, obj2, obj3];
  for (var b = 0; b < blocks.length; b++) {
    if (!blocks[b]) continue;
    blocks[b].style.left = x + 'px';
    blocks[b].style.top = y + 'px';
  }
  if (cd <= 30) window.setTimeout('$moveDrag$();', 1);
}
