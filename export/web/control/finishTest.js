function $finishTest$(endedAt) {
  if ($examStatus$ != 1) return;
  // An attempt finished before (given its finish time) opens on its results without asking.
  if (!endedAt) {
    var message = '{{textsA0}}\r';
    message += '{{textsA1}}\r';
    message += '{{textsA2}}';
    if (confirm(message) == false) return;
    $getUserAnswers$();
  }
  $examStatus$ = 2;
  $questionPos$ = 0;
  $questionNum$ = $questionNumberListG$[0];
  $positionSlider$();
  var $endDate$ = endedAt || new Date();
  var $totalMin$ = 0, $totalMax$ = 0, $totalUser$ = 0;
  var questionTotals = [];
  for (var n = 0; n < $qElementsListG$.length; n++) {
    var totals = $markAnswer$(n);
    questionTotals[n] = totals;
    $totalMin$ += totals[0];
    $totalMax$ += totals[1];
    $totalUser$ += totals[2];
  }
  var percent = 0;
  if ($totalMax$ - $totalMin$ != 0) {
    percent = Math.round((($totalUser$ - $totalMin$) / ($totalMax$ - $totalMin$)) * 10000) / 100;
  }
  if (window.scormLink && !endedAt) {
    scormLink.finish(percent, $endDate$, {totals: questionTotals, elements: $qElementsListG$, types: $qTypesListG$,
      marks: $qMarksListG$, answers: $userAnswersG$, accepted: $correctAnswersG$, order: $questionNumberListG$,
      started: $startDate$.getTime()});
  }
  if ($qOptionsG$[0] == 0) $qElementsListG$ = new Array();
  // The test's name, examiner and interface texts are plain text; the
  // results page is markup, so they are escaped on the way in.
  var html = function (text) {
    return String(text).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
  };
  // A learning platform names the student; otherwise the name typed on the
  // start page, which came in the frameset's address.
  var learner = window.scormLink ? scormLink.learnerName() : '';
  var typed = /[?&]learner=([^&#]*)/.exec(parent.location.search);
  if (!learner && typed) {
    try {
      learner = decodeURIComponent(typed[1].replace(/\+/g, ' ')).substring(0, 100);
    } catch (e) {
      learner = '';
    }
  }
  // The set's time of making comes as local time ("2026-12-11T08:00:00") and
  // is written like the start and finish times; an older text stays as it is.
  var created = $qDetailsG$[2];
  if (/^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d$/.test(created)) created = $formatDate$(new Date(created));
  var small = '<p><font size="-1"><i>';
  var smallEnd = '</i></font></p>';
  $resultsText$ = '<html lang="' + html(a11yTexts.lang) + '"> <head> <meta http-equiv="content-type" content="text/html;charset=ISO-8859-1">'
    + '<title>' + html($qDetailsG$[0] + ': ' + '{{textsA9}}') + '</title>'
    + '<scr' + 'ipt src="p.js" name="pCode"></scr' + 'ipt> '
    + '<style media="screen" type="text/css"><!-- ';
  var rules = [['h2', 12], ['h3', 10], ['h4', 8], ['p', 3]];
  for (var i = 0; i < rules.length; i++) {
    $resultsText$ += rules[i][0] + ' { font-family: Verdana, Arial, Helvetica, sans-serif; margin-top: ' + rules[i][1]
      + 'px; margin-bottom: ' + rules[i][1] + 'px; padding-top: 0px; padding-bottom: 0px } ';
  }
  $resultsText$ += 'hr { margin-top: 7px; margin-bottom: 10px; padding-top: 0px; padding-bottom: 0px } '
    + '// --></style> </head>'
    + '<body bgcolor="#ffffff"> <div align="center">'
    + '<h2>' + html($qDetailsG$[0]) + '</h2>'
    + (learner ? '<h4>' + html('{{learnerLabel}}') + ' ' + html(learner) + '</h4>' : '')
    + '<h4>' + html('{{textsA10}}') + ' ' + html($qDetailsG$[1]) + '</h4>'
    + small + html('{{textsA11}}') + ' ' + html(created) + smallEnd
    + '<hr width="80%">'
    + '<h3>' + html('{{textsA12}}') + '</h3>'
    + '<p><b>' + html('{{textsA13}}') + ' ' + $totalUser$ + ' ' + html('{{textsA14}}') + ' ' + $totalMax$ + '</b></p>'
    + '<p>' + html('{{textsA3}}') + ' ' + $totalMin$ + ' ' + html('{{textsA4}}') + ' <b>' + percent + ' %</b></p>'
    + small + html('{{textsA5}}') + ' ' + $formatDate$($startDate$) + smallEnd
    + small + html('{{textsA6}}') + ' ' + $formatDate$($endDate$) + smallEnd;
  if ($qOptionsG$[0] == 1) $resultsText$ += '<p>' + html('{{textsA7}}') + '</p> ';
  if ($qOptionsG$[1] == 1 && window.print) {
    // A click, not a release: Enter on the link prints as well.
    $resultsText$ += '<p><a href="#" onclick="window.print(); return false;">' + html('{{textsA8}}') + '</a></p> ';
  }
  $resultsText$ += '<hr width="80%">'
    + '<table border="0" cellpadding="0" cellspacing="0" width="300"><tr><td>'
    + '<img src="buttons/owl.gif" width="80" height="72" border="0" alt="">'
    + '</td> <td><div align="center">'
    + '{{maker}}'
    + '</div></td> </tr> </table>'
    + '</div> </body> </html>';
  $showHideButtons$();
  $writeResults$();
  a11yAnnounce(a11ySay(a11yTexts.score, $totalUser$, $totalMax$, percent));
}
