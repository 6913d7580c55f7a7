function $startTest$() {
  $pLength$ = 0;
  $startContent$();
}
