function $formatDate$(dateOb) {
  var names = ['{{textsB0}}', '{{textsB1}}', '{{textsB2}}', '{{textsB3}}', '{{textsB4}}', '{{textsB5}}', '{{textsB6}}',
    '{{textsB7}}', '{{textsB8}}', '{{textsB9}}', '{{textsB10}}', '{{textsB11}}', '{{textsB12}}',
    '{{textsB13}}', '{{textsB14}}', '{{textsB15}}', '{{textsB16}}', '{{textsB17}}', '{{textsB18}}'];
  // The pack's language orders the date and writes the time as its readers
  // do (a 24-hour clock in German, "11. Dezember"); the day and month names
  // stay the pack's own.
  try {
    var parts = new Intl.DateTimeFormat(a11yTexts.lang, {weekday: 'long', day: 'numeric', month: 'long',
      year: 'numeric', hour: '2-digit', minute: '2-digit'}).formatToParts(dateOb);
    var text = '';
    for (var p = 0; p < parts.length; p++) {
      if (parts[p].type == 'weekday') text += names[dateOb.getDay()];
      else if (parts[p].type == 'month') text += names[7 + dateOb.getMonth()];
      else text += parts[p].value;
    }
    return text;
  } catch (e) {
    // A browser without Intl, or a tag it does not know, writes it as before.
  }
  var ampm = ' am, ';
  var hours = dateOb.getHours();
  if (hours > 11) ampm = ' pm, ';
  if (hours > 12) hours -= 12;
  var dateString = hours + ':' + ((dateOb.getMinutes() < 10) ? '0' : '') + dateOb.getMinutes() + ampm;
  dateString += names[dateOb.getDay()] + ' ' + dateOb.getDate() + ' ' + names[7 + dateOb.getMonth()] + ', ';
  // getYear() counts from 1900 in current browsers (126 for 2026).
  return dateString + dateOb.getFullYear();
}
