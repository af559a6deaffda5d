// The board phase of the web page: after "1" the canvas must equal, pixel for
// pixel, what the game's own drawing code draws for the grid, the king and the
// messages, through moves, ignored keys, the computer's replies and whole games
// won by either side; Escape and a finished game end the program.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const h = require('./harness');

const web = new h.Web();
before(() => web.start());
after(() => web.stop());

const where = (s) => `(${s.col}, ${s.row})`;
const bothOdd = (s) => s.col % 2 === 1 && s.row % 2 === 1;

test('after "1" the canvas is the board, the king and the prompt exactly; Escape ends the program', async () => {
  const game = await h.startGame(web, (k) => !h.isHome(k), 10);
  await game.page.keyboard.press('Escape');
  await h.expectEnded(game.page);
});

// From a square on the left or bottom edge some digits would leave the board:
// they, other keys and Escape at the computer's prompt must change nothing.
test('digits move the king, moves off the board and other keys are ignored, the computer replies by its rule', async () => {
  const game = await h.startGame(web, (k) => (k.col === 1 || k.row === 1) && k.col + k.row >= 4, 40);
  let ignored = 0;
  for (let round = 0; round < 3 && game.king.col + game.king.row > 3; ++round) {
    const from = game.king;
    for (const key of ['1', '2', '3']) {
      if (h.moveByKey(from, key)) continue;
      await game.page.keyboard.press(key);
      ++ignored;
    }
    await game.page.keyboard.press('x');
    await game.page.keyboard.press('ArrowLeft');
    const key = [0, 1, 2].map((i) => String(1 + (round + i) % 3))
      .find((k) => h.moveByKey(from, k) && !h.isHome(h.moveByKey(from, k)));
    assert.ok(key, `no move from ${where(from)}`);
    await game.move(key);
    // Escape here is no move: the Enter after it must still bring the reply.
    if (round === 0) await game.page.keyboard.press('Escape');
    await game.computerTurn();
    if (h.isHome(game.king)) break;
  }
  assert.ok(ignored >= 2, `only ${ignored} moves off the board were tried`);
  await game.page.keyboard.press(h.isHome(game.king) ? 'Enter' : 'Escape');
  await h.expectEnded(game.page);
});

// The user never steps onto a both-odd square, so the computer, which always
// does when it can, reaches (1, 1). Edge starts next to such a square force the
// user onto one and are left out.
test('the computer wins a whole game against moves that avoid both-odd squares', async () => {
  const game = await h.startGame(web, (k) => !h.isHome(k) &&
    !(k.row === 1 && k.col % 2 === 0) && !(k.col === 1 && k.row % 2 === 0), 10);
  while (!h.isHome(game.king)) {
    const key = ['2', '1', '3'].find((k) => h.moveByKey(game.king, k) && !bothOdd(h.moveByKey(game.king, k)));
    assert.ok(key, `no losing move from ${where(game.king)}`);
    await game.move(key);
    await game.computerTurn();
  }
  assert.equal(game.messages.at(-1), h.COMP_WINS);
  await game.page.keyboard.press('Enter');
  await h.expectEnded(game.page);
});

test('the player wins a whole game by always stepping onto a both-odd square', async () => {
  const game = await h.startGame(web, (k) => !bothOdd(k), 12);
  for (;;) {
    const k = game.king;
    await game.move(k.col % 2 === 0 && k.row % 2 === 0 ? '3' : k.col % 2 === 0 ? '1' : '2');
    if (h.isHome(game.king)) break;
    await game.computerTurn();
  }
  assert.equal(game.messages.at(-1), h.USER_WINS);
  await game.page.keyboard.press('Enter');
  await h.expectEnded(game.page);
});

test('the page logged no error and asked no other host', () => {
  assert.ok(web.requests > 0, 'no request was recorded at all');
  assert.equal(h.problemReport(web), null);
});
