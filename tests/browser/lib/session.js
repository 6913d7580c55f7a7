// One web test open in a browser tab: real mouse and keyboard on its frames,
// what the student sees (titles, visibility, positions), and every page
// error or failed request of any frame.
export class Session {
  constructor(page) {
    this.page = page;
    this.errors = [];
    this.dialogs = [];
    this.alerts = []; // the messages of dialogs other than confirmations
    this.loaded = []; // addresses answered with success
    this.confirmAnswer = true;
    // The browser's own icon request is none of the test's; a load that a
    // newer navigation replaced was cancelled, not failed.
    const ours = (url) => !url.endsWith('/favicon.ico');
    page.on('pageerror', (e) => this.errors.push(`page error: ${e.message ?? e}`));
    page.on('console', (m) => {
      if (m.type() === 'error' && !/favicon|Failed to load resource/.test(m.text())) this.errors.push(`console: ${m.text()}`);
    });
    page.on('requestfailed', (r) => {
      const reason = r.failure()?.errorText ?? '';
      if (ours(r.url()) && !/ABORTED/.test(reason)) this.errors.push(`request failed: ${r.url()} ${reason}`);
    });
    page.on('response', (r) => {
      if (r.status() >= 400 && ours(r.url())) this.errors.push(`HTTP ${r.status()}: ${r.url()}`);
      else this.loaded.push(r.url());
    });
    page.on('dialog', async (d) => {
      this.dialogs.push(d.message());
      if (d.type() !== 'confirm') this.alerts.push(d.message());
      if (d.type() === 'confirm') await (this.confirmAnswer ? d.accept() : d.dismiss());
      else await d.accept();
    });
  }

  static async open(browser, url) {
    const page = await browser.newPage();
    const session = new Session(page);
    await page.goto(url, { waitUntil: 'load' });
    await session.settle();
    return session;
  }

  // Runs fn(questionWindow, controlWindow, ...args) in the frameset page.
  evaluate(fn, ...args) {
    return this.page.evaluate((src, rest) => {
      const f = eval(`(${src})`);
      return f(window.frames.question, window.frames.control, ...rest);
    }, fn.toString(), args);
  }

  // Waits until the frameset has written both frames (before that they hold
  // empty documents that count as loaded), both have finished loading, and a
  // moment has passed for onload handlers and the drag glide.
  async settle() {
    await this.page.waitForFunction(() => {
      const q = window.frames.question, c = window.frames.control;
      return q && c && !!q.shownPage && !!c.shownPage
        && q.document.readyState === 'complete' && c.document.readyState === 'complete';
    }, { polling: 20, timeout: 10000 });
    await new Promise((r) => setTimeout(r, 150));
  }

  // The page the frameset wrote into the question frame: "p0.htm", "q3.htm",
  // or "results". Every frame's address is the frameset's own.
  async shown() {
    return this.evaluate((q) => q.shownPage);
  }

  async waitForShown(name) {
    await this.page.waitForFunction((n) => window.frames.question.shownPage === n
      && window.frames.question.document.readyState === 'complete', { polling: 10, timeout: 10000 }, name);
    await this.settle();
  }

  // The page shown in a frame of the question page (a feedback frame, the sound frame "bs").
  pageIn(frameName) {
    return this.evaluate((q, c, f) => q.frames[f].shownPage, frameName);
  }

  title() {
    return this.evaluate(() => document.title);
  }

  // A frame of the frameset by its name (Firefox's driver reports no frame names).
  async frame(frameName) {
    for (const f of this.page.mainFrame().childFrames()) {
      const element = await f.frameElement();
      const name = await element?.evaluate((e) => e.name);
      await element?.dispose();
      if (name === frameName) return f;
    }
    throw new Error(`no frame ${frameName}`);
  }

  // Page coordinates of an element of a frame, by id (or by a selector
  // given as { selector }).
  async box(frameName, id) {
    const frame = await this.frame(frameName);
    const selector = typeof id === 'string' ? `[id="${id}"]` : id.selector;
    const handle = await frame.$(selector);
    if (!handle) throw new Error(`no element ${selector} in ${frameName}`);
    const box = await handle.boundingBox();
    await handle.dispose();
    return box;
  }

  // Pages swap layers on mouse-over and the pressed layer carries the
  // handler; a person never presses in the same frame as arriving, and
  // Firefox hit-tests a press sent at once against the old layers.
  async moveTo(x, y) {
    await this.page.mouse.move(x, y, { steps: 2 });
    await new Promise((r) => setTimeout(r, 40));
  }

  async clickAt(x, y) {
    await this.moveTo(x, y);
    await this.page.mouse.down();
    await this.page.mouse.up();
  }

  async clickElement(frameName, id, dx = 0.5, dy = 0.5) {
    const b = await this.box(frameName, id);
    await this.clickAt(b.x + b.width * dx, b.y + b.height * dy);
  }

  // A button of the control bar by its name ('Arrow2', 'Finish', ...); held
  // until release() when hold is true.
  async press(name, { hold = false } = {}) {
    const b = await this.box('control', `${name}div0`);
    await this.moveTo(b.x + b.width / 2, b.y + b.height / 2);
    await this.page.mouse.down();
    if (!hold) await this.page.mouse.up();
  }

  release() {
    return this.page.mouse.up();
  }

  // Presses at (fromX, fromY), moves in steps to (toX, toY), releases.
  async dragBy(from, to, steps = 8) {
    await this.moveTo(from.x, from.y);
    await this.page.mouse.down();
    await this.page.mouse.move(to.x, to.y, { steps });
    await this.page.mouse.up();
  }

  // Drags the element of the question frame with this id (its centre) so
  // that its centre lands on page point `to`.
  async dragElement(id, to) {
    const b = await this.box('question', id);
    await this.dragBy({ x: b.x + b.width / 2, y: b.y + b.height / 2 }, to);
  }

  // Starts the test from the last pre-test page: its own start picture
  // (`stbutton`) where the style has one, otherwise the Start Test button.
  async pressStart() {
    const picture = await this.evaluate((q) => q.document.stbutton?.parentNode.id);
    await this.clickElement('question', picture ?? 'StartTestdiv0');
    await this.waitForShown('q0.htm');
  }

  // The question frame's element styles: visibility, left, top, width, height.
  visible(id) {
    return this.evaluate((q, c, i) => {
      const e = q.document.getElementById(i);
      return e ? e.style.visibility : null;
    }, id);
  }

  async visibleIds(ids) {
    const out = [];
    for (const id of ids) if ((await this.visible(id)) === 'visible') out.push(id);
    return out;
  }

  position(frameName, id) {
    return this.evaluate((q, c, f, i) => {
      const e = (f === 'question' ? q : c).document.getElementById(i);
      return { left: parseFloat(e.style.left), top: parseFloat(e.style.top) };
    }, frameName, id);
  }

  fieldValue(id) {
    return this.evaluate((q, c, i) => q.document.getElementById(i).value, id);
  }

  async typeInto(id, text) {
    await this.clickElement('question', id);
    await this.page.keyboard.type(text, { delay: 5 });
  }

  // The results page as text.
  resultsText() {
    return this.evaluate((q) => q.document.body.innerText);
  }

  async close() {
    await this.page.close().catch(() => {});
  }
}
