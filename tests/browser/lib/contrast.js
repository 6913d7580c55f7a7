// The contrast of every text of a question page against what lies under it:
// the page colour and the style's background picture, read pixel by pixel
// (a text over a picture is as readable as over its worst pixel). axe-core
// leaves texts over pictures undecided, so this reads them itself.

// Runs in the page. Returns the texts below 4.5:1 (3:1 for large text) as
// "text: ratio".
export function lowContrastTexts() {
  const channel = (c) => { c /= 255; return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4; };
  const lum = ([r, g, b]) => 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b);
  const ratio = (a, b) => { const x = lum(a), y = lum(b); return (Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05); };
  const rgb = (css) => css.match(/\d+(\.\d+)?/g).slice(0, 3).map(Number);
  const page = rgb(getComputedStyle(document.body).backgroundColor);
  const picture = document.querySelector('#back img');
  let pixels = null, at = null;
  if (picture && picture.naturalWidth) {
    const canvas = document.createElement('canvas');
    canvas.width = picture.naturalWidth;
    canvas.height = picture.naturalHeight;
    const g = canvas.getContext('2d');
    g.drawImage(picture, 0, 0);
    pixels = g.getImageData(0, 0, canvas.width, canvas.height);
    at = picture.getBoundingClientRect();
  }
  const under = (x, y) => {
    if (!pixels) return page;
    const px = Math.floor(x - at.left), py = Math.floor(y - at.top);
    if (px < 0 || py < 0 || px >= pixels.width || py >= pixels.height) return page;
    const i = (py * pixels.width + px) * 4;
    return [pixels.data[i], pixels.data[i + 1], pixels.data[i + 2]];
  };
  const low = [];
  for (const font of document.querySelectorAll('font[color]')) {
    const text = font.textContent.trim();
    if (!text) continue;
    const style = getComputedStyle(font);
    const size = parseFloat(style.fontSize);
    const bold = parseInt(style.fontWeight, 10) >= 700 || !!font.querySelector('b');
    const needed = size >= 24 || (bold && size >= 18.66) ? 3 : 4.5;
    const colour = rgb(style.color);
    const box = font.getBoundingClientRect();
    let worst = Infinity;
    for (let y = box.top; y < box.bottom; y += 2) {
      for (let x = box.left; x < box.right; x += 2) worst = Math.min(worst, ratio(colour, under(x, y)));
    }
    if (worst < needed) low.push(`${text.slice(0, 40)}: ${worst.toFixed(2)}`);
  }
  return low;
}
