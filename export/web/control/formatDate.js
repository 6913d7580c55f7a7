function $formatDate$(dateOb) {
  var names = ['{{textsB0}}', '{{textsB1}}', '{{textsB2}}', '{{textsB3}}', '{{textsB4}}', '{{textsB5}}', '{{textsB6}}',
    '{{textsB7}}', '{{textsB8}}', '{{textsB9}}', '{{textsB10}}', '{{textsB11}}', '{{textsB12}}',
    '{{textsB13}}', '{{textsB14}}', '{{textsB15}}', '{{textsB16}}', '{{textsB17}}', '{{textsB18}}'];
  var ampm = ' am, ';
  var hours = dateOb.getHours();
  if (hours > 11) ampm = ' pm, ';
  if (hours > 12) hours -= 12;
  var dateString = hours + ':' + ((dateOb.getMinutes() < 10) ? '0' : '') + dateOb.getMinutes() + ampm;
  dateString += names[dateOb.getDay()] + ' ' + dateOb.getDate() + ' ' + names[7 + dateOb.getMonth()] + ', ';
  // getYear() counts from 1900 in current browsers (126 for 2026).
  return dateString + dateOb.getFullYear();
}
