// The test taken as a student without a mouse takes it: Tab, Enter, Space,
// arrows. Reads where the focus is across the frameset's frames, and what the
// status region of the control bar says.

// The focused element: its frame ('question', 'control', or 'top' when the
// focus is on no frame) and what assistive technology learns of it.
export function focused(s) {
  return s.page.evaluate(() => {
    const frame = document.activeElement;
    if (!frame || frame.tagName !== 'FRAME') return { frame: 'top' };
    const e = frame.contentDocument.activeElement;
    const attr = (n) => (e && e.getAttribute ? e.getAttribute(n) : null);
    return {
      frame: frame.name,
      tag: e ? e.tagName.toLowerCase() : '',
      id: e ? e.id : '',
      name: attr('aria-label') ?? (e && e !== e.ownerDocument.body ? e.textContent.trim() : ''),
      checked: attr('aria-checked'),
      pressed: attr('aria-pressed'),
      valueText: attr('aria-valuetext'),
      ring: e ? (() => { const st = frame.contentWindow.getComputedStyle(e); return `${st.outlineStyle} ${st.outlineWidth}`; })() : '',
    };
  });
}

// Presses Tab (Shift+Tab with back) until the focus is on the element the
// predicate accepts; fails after `limit` presses.
export async function tabTo(s, accept, { back = false, limit = 24 } = {}) {
  const seen = [];
  for (let i = 0; i < limit; i++) {
    if (back) await s.page.keyboard.down('Shift');
    await s.page.keyboard.press('Tab');
    if (back) await s.page.keyboard.up('Shift');
    const f = await focused(s);
    seen.push(`${f.frame}:${f.tag}:${f.name}`);
    if (accept(f)) return f;
  }
  throw new Error(`focus never reached the element; went through ${seen.join(' | ')}`);
}

export const named = (name) => (f) => f.name === name;

// The status region's words once they are there (it is emptied before each).
export async function announced(s, pattern) {
  const control = await s.frame('control');
  try {
    await control.waitForFunction((source) => new RegExp(source).test(document.getElementById('a11yStatus').textContent),
      { polling: 20, timeout: 5000 }, pattern.source);
  } catch {
    // fall through: the assertion below shows what was said
  }
  return control.evaluate(() => document.getElementById('a11yStatus').textContent);
}

export async function key(s, name) {
  await s.page.keyboard.press(name);
  await new Promise((r) => setTimeout(r, 60));
}
