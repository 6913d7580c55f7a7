function $executeDrag$(ob, xp, yp) {
  xt = xp;
  yt = yp;
  obj = ob;
  xs = parseInt(ob.style.left);
  ys = parseInt(ob.style.top);
  xInc = (xt - xs) / 30;
  yInc = (yt - ys) / 30;
  cd = 1;
  $moveDrag$();
}
