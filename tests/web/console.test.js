// The text phase of the web page as a player meets it: the menu's cells and
// colours, keys that are no item, the options question's line input, the about
// text in Cyrillic, and the end that offers to play again.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const h = require('./harness');

const QUESTION = 'Kto xpdit perBbI ? (1-COMP, 2- USER)';
const ABOUT = [
  'Игра Tavrel',
  'Вы можете ходить влево, вниз или по диагонали вниз',
  'побеждает тот, кто поставит короля в нижнее левое поле',
  '',
  'Автор: Dornak',
  'компилятор ZUZ - Version 0.14 for win32',
  'нажимте любую клавишу...',
];

const web = new h.Web();
before(() => web.start());
after(() => web.stop());

// `count` menus from the top row, nothing under them, the cursor below the last.
async function expectMenus(page, count) {
  const want = Array(count).fill(h.MENU).flat();
  await h.until(async () => {
    const t = await h.terminal(page);
    return want.every((item, i) => t.rows[i] === item) && t.rows.slice(want.length).every((r) => r === '') &&
      t.cursor[0] === 0 && t.cursor[1] === want.length;
  }, `${count} menu(s) from the top`, 5000, async () => JSON.stringify(await h.terminal(page)));
}

test('the menu is dark grey on black, keys that are no item repeat it, "4" ends and the page offers to play again', async () => {
  const page = await web.load();
  await expectMenus(page, 1);
  for (let row = 0; row < 4; ++row) {
    for (let col = 0; col < h.MENU[row].length; ++col) {
      assert.deepEqual(await h.cellColours(page, row, col), { ch: h.MENU[row][col], fg: 8, bg: 0 }, `row ${row} column ${col}`);
    }
  }
  for (const key of ['x', 'ArrowUp', 'F1', 'Escape']) await page.keyboard.press(key);
  await expectMenus(page, 5);
  assert.equal(await h.state(page), 'console');

  await page.keyboard.press('4');
  await h.expectEnded(page);
  await page.click('#again');
  await h.waitState(page, 'console');
  await expectMenus(page, 1);
  assert.equal(await page.locator('#ended').isVisible(), false, '#ended still shown after "Play again"');
});

test('the options question echoes the answer, takes Backspace and repeats until 1 or 2; the about text is Cyrillic', async () => {
  const page = await web.load();
  await page.keyboard.press('2');
  await h.until(async () => {
    const t = await h.terminal(page);
    return t.rows[4] === QUESTION && t.cursor[0] === 0 && t.cursor[1] === 5;
  }, 'the question under the menu');
  await page.keyboard.press('9');
  await h.waitRows(page, (r) => r[5] === '9', 'the typed "9" echoed');
  await page.keyboard.press('Enter');
  await h.waitRows(page, (r) => r[6] === QUESTION, 'the question again after "9"');
  await page.keyboard.press('5');
  await h.waitRows(page, (r) => r[7] === '5', 'the typed "5" echoed');
  await page.keyboard.press('Backspace');
  await h.waitRows(page, (r) => r[7] === '', 'the "5" erased by Backspace');
  await page.keyboard.press('1');
  await page.keyboard.press('Enter');
  await expectMenus(page, 1);

  await page.keyboard.press('3');
  await h.waitRows(page, (r) => ABOUT.every((line, i) => r[4 + i] === line), 'the about text');
  const first = await h.cellColours(page, 4, 0);
  assert.deepEqual(first, { ch: 'И', fg: 8, bg: 0 });
  // Any key leaves, and an arrow's second code is not left behind as a menu
  // key: the next about text starts under one menu, not two.
  await page.keyboard.press('ArrowDown');
  await expectMenus(page, 1);
  await page.keyboard.press('3');
  await h.waitRows(page, (r) => r[4] === ABOUT[0] && r[8] === ABOUT[4], 'the about text under one menu');
});

test('the page logged no error and asked no other host', () => {
  assert.ok(web.requests > 0, 'no request was recorded at all');
  assert.equal(h.problemReport(web), null);
});
