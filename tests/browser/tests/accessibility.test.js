// axe-core finds no violation of WCAG 2.1 A and AA on any page a student
// meets: the frameset, the pre-test page, every question page of every type
// in every shipped style, a feedback page, the control bar, the results page
// and the help page. At 200 % zoom the test stays usable. Chromium's accessibility tree of a question page names
// the question and each choice, and reports the chosen one.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { audit } from '../lib/axe.js';
import { lowContrastTexts } from '../lib/contrast.js';
import { exportEveryType, exportFixture, serve, shippedStyles } from '../lib/exporter.js';
import { addressOf, assertNoErrors, eachBrowser, openTest } from '../lib/harness.js';
import { focused, key, tabTo } from '../lib/keyboard.js';
import { Session } from '../lib/session.js';

const exports = shippedStyles().map((style) => ({ style, ...exportEveryType(style) }));
const keyboard = exportFixture('keyboard');
const feedback = exportFixture('feedback');
const choices = exportFixture('choices');
const servers = [];
before(async () => {
  for (const e of [...exports, keyboard, feedback, choices]) {
    e.served = await serve(e);
    servers.push(e.served);
  }
});
after(async () => { for (const s of servers) await s.close(); });

eachBrowser('accessibility', (ctx) => {
  for (const e of exports) {
    test(`${e.style}: no WCAG 2.1 AA violation on any page of the test`, async () => {
      const s = await openTest(ctx, e.served, e.testFolder);
      const found = {};
      const check = async (what, frame) => {
        const violations = await audit(frame);
        if (violations.length) found[what] = violations;
      };
      try {
        await check('frameset', s.page);
        await check('control bar', await s.frame('control'));
        await check('pre-test page', await s.frame('question'));
        // Reading a picture's pixels needs it from the page's own origin, which
        // a picture opened from files is not; the pictures and colours are the
        // same both ways, so the contrast is read over HTTP.
        const contrast = async (what) => {
          if (ctx.way === 'file') return;
          const low = await (await s.frame('question')).evaluate(lowContrastTexts);
          if (low.length) found[`${what} contrast`] = low;
        };
        await contrast('pre-test page');
        await s.evaluate((q) => {
          const start = q.document.stbutton || q.document.getElementById('StartTestdiv0').getElementsByTagName('img')[0];
          start.onmouseup ? start.onmouseup() : start.onmousedown();
        });
        // Every question in turn, until the slider says it is the last.
        let pages = 0;
        for (let last = false; !last; pages++) {
          await s.waitForShown(`q${pages}.htm`);
          await check(`q${pages}.htm`, await s.frame('question'));
          await contrast(`q${pages}.htm`);
          last = await s.evaluate((q, c) => {
            const slider = c.document.getElementById('Slider');
            return slider.getAttribute('aria-valuenow') === slider.getAttribute('aria-valuemax');
          });
          if (!last) await s.evaluate((q, c) => c.document.querySelector('[data-bar="Arrow2"]').onmousedown());
        }
        assert.equal(pages, 11, 'the sample\'s eleven questions, one of each type');
        await s.evaluate((q, c) => c.document.querySelector('[data-bar="Finish"]').onmousedown());
        await s.settle();
        await check('results page', await s.frame('question'));

        assert.deepEqual(found, {});
        assertNoErrors(s);
      } finally {
        await s.close();
      }
    });
  }

  test('a feedback page and the help page', async () => {
    const found = {};
    const s = await openTest(ctx, feedback.served, feedback.testFolder);
    try {
      await s.waitForShown('q0.htm');
      await s.evaluate((q, c) => c.document.querySelector('[data-bar="Mark"]').onmousedown());
      await s.settle();
      const question = await s.frame('question');
      let shown = null;
      for (const f of question.childFrames()) {
        if (await f.evaluate(() => window.name) === 'fb1frame') shown = f;
      }
      assert.ok(shown, 'Mark showed the feedback');
      const violations = await audit(shown);
      if (violations.length) found.feedback = violations;
      assertNoErrors(s);
    } finally {
      await s.close();
    }
    const tab = await ctx.browser.newPage();
    const help = new Session(tab);
    try {
      await tab.goto(addressOf(ctx, feedback.served, `${feedback.testFolder}/buttons/help.htm`), { waitUntil: 'load' });
      const violations = await audit(tab);
      if (violations.length) found['help page'] = violations;
      assertNoErrors(help);
    } finally {
      await help.close();
    }
    assert.deepEqual(found, {});
  });

  test('at 200 % zoom every control is reached and the question scrolls', async () => {
    // Half the window in CSS pixels is what a zoom of 200 % leaves a page.
    const page = await ctx.browser.newPage();
    await page.setViewport({ width: 550, height: 450 });
    const s = new Session(page);
    try {
      await page.goto(addressOf(ctx, keyboard.served, `${keyboard.testFolder}/frame.htm`), { waitUntil: 'load' });
      await s.settle();
      await s.evaluate((q) => q.document.querySelector('[data-press]').onmouseup());
      await s.waitForShown('q0.htm');
      await page.bringToFront();
      for (let i = 0; i < 12 && (await focused(s)).name !== 'Finish'; i++) await page.keyboard.press('Tab');
      const finish = await s.evaluate((q, c) => {
        const r = c.document.activeElement.getBoundingClientRect();
        return { name: c.document.activeElement.getAttribute('aria-label'), inView: r.left >= 0 && r.right <= c.innerWidth };
      });
      assert.deepEqual(finish, { name: 'Finish', inView: true }, 'the focus brings the bar\'s last button into view');
      await page.mouse.move(200, 200);
      await page.mouse.wheel({ deltaX: 100, deltaY: 100 });
      await new Promise((r) => setTimeout(r, 300));
      const scrolled = await s.evaluate((q) => q.scrollX > 0 && q.scrollY > 0);
      assert.ok(scrolled, 'the question page scrolls under the pointer');
      assertNoErrors(s);
    } finally {
      await s.close();
    }
  });

  // Choosing one answer of a one-answer question clears the others: screen
  // readers must meet radio buttons of one group, not checkboxes.
  test('one answer at a time: radio buttons in the question\'s group; several: checkboxes', async () => {
    const s = await openTest(ctx, choices.served, choices.testFolder);
    const roles = () => s.evaluate((q) => {
      const group = q.document.querySelector('[role="radiogroup"]');
      return {
        group: group ? { named: !!group.getAttribute('aria-label'), owns: group.getAttribute('aria-owns') } : null,
        choices: [...q.document.querySelectorAll('[data-choice]')].map((e) => ({ id: e.id, role: e.getAttribute('role'),
          checked: e.getAttribute('aria-checked') })),
      };
    });
    try {
      await s.waitForShown('q0.htm');
      await s.clickElement('question', 'b20div');
      let seen = await roles();
      assert.deepEqual(seen.choices.map((c) => [c.role, c.checked]), [['radio', 'false'], ['radio', 'true'], ['radio', 'false']]);
      assert.deepEqual(seen.group, { named: true, owns: seen.choices.map((c) => c.id).join(' ') }, 'one named group owns them');
      assert.deepEqual(await audit(await s.frame('question')), []);

      // The keyboard as before (Tab reaches each, Space chooses), and the
      // arrows of a radio group.
      await s.page.bringToFront();
      await tabTo(s, (f) => f.id === 'b3radio');
      await key(s, ' ');
      seen = await roles();
      assert.deepEqual(seen.choices.map((c) => c.checked), ['false', 'false', 'true']);
      await key(s, 'ArrowUp');
      assert.equal((await focused(s)).id, 'b2radio');
      assert.deepEqual((await roles()).choices.map((c) => c.checked), ['false', 'true', 'false']);
      await key(s, 'ArrowDown');
      await key(s, 'ArrowDown');
      assert.equal((await focused(s)).id, 'b1radio', 'the arrows go round');
      assert.deepEqual((await roles()).choices.map((c) => c.checked), ['true', 'false', 'false']);

      if (ctx.name === 'chromium') {
        // Every node: a group is no "interesting" node of its own.
        const tree = await s.page.accessibility.snapshot({ includeIframes: true, interestingOnly: false });
        const found = [];
        const walk = (n, inGroup) => {
          if (n.role === 'radio' || n.role === 'checkbox') found.push([n.role, inGroup, n.checked]);
          for (const c of n.children ?? []) walk(c, inGroup || n.role === 'radiogroup');
        };
        walk(tree, false);
        assert.deepEqual(found, [['radio', true, true], ['radio', true, false], ['radio', true, false]]);
      }

      await s.press('Arrow2');
      await s.waitForShown('q1.htm');
      seen = await roles();
      assert.equal(seen.group, null, 'a limit of two has no radio group');
      assert.ok(seen.choices.length > 0 && seen.choices.every((c) => c.role === 'checkbox'));
      assertNoErrors(s);
    } finally {
      await s.close();
    }
  });

  if (ctx.name === 'chromium') {
    test('the accessibility tree names the question and each choice, and reports the chosen one', async () => {
      const s = await openTest(ctx, keyboard.served, keyboard.testFolder);
      try {
        await s.evaluate((q) => q.document.querySelector('[data-press]').onmouseup());
        await s.waitForShown('q0.htm');
        await s.clickElement('question', 'c20div');
        const tree = await s.page.accessibility.snapshot({ includeIframes: true });
        const nodes = [];
        const walk = (n) => { nodes.push(n); for (const c of n.children ?? []) walk(c); };
        walk(tree);
        const find = (role, name) => nodes.find((n) => n.role === role && n.name === name);
        assert.ok(find('heading', 'Which planet is known as the Red Planet?'), 'the question is the page heading');
        assert.equal(find('radio', 'A: Venus')?.checked, false);
        assert.equal(find('radio', 'B: Mars')?.checked, true, 'the chosen answer is reported');
        assert.ok(find('button', 'Next question') && find('button', 'Finish'), 'the bar buttons have names');
        assert.ok(find('slider', 'Question slider'));
        assertNoErrors(s);
      } finally {
        await s.close();
      }
    });
  }
});
