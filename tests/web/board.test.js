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

// Each round tries the digits that would leave the board (on an edge), other
// keys and, once, Escape at the computer's prompt: none may change the picture.
// The moves head for an edge without stepping where the computer wins at
// once, so that every start but the four next to the corner reaches one.
function moveTowardsAnEdge(from) {
  const legal = ['1', '2', '3'].filter((k) => h.moveByKey(from, k));
  const safe = legal.filter((k) => {
    const to = h.moveByKey(from, k);
    return !h.isHome(to) && !h.isHome(h.computerReply(to));
  });
  const onEdge = (k) => h.moveByKey(from, k).col === 1 || h.moveByKey(from, k).row === 1;
  return safe.find(onEdge) || safe[0] || legal[0];
}

test('digits move the king, moves off the board and other keys are ignored, the computer replies by its rule', async () => {
  const game = await h.startGame(web, (k) => k.col > 2 || k.row > 2, 10);
  let ignored = 0;
  let replies = 0;
  for (;;) {
    for (const key of ['1', '2', '3']) {
      if (h.moveByKey(game.king, key)) continue;
      await game.page.keyboard.press(key);
      ++ignored;
    }
    await game.page.keyboard.press('x');
    await game.page.keyboard.press('ArrowLeft');
    await game.move(moveTowardsAnEdge(game.king));
    if (h.isHome(game.king)) break;
    // Escape here is no move: the Enter after it must still bring the reply.
    if (replies === 0) await game.page.keyboard.press('Escape');
    await game.computerTurn();
    ++replies;
    if (h.isHome(game.king) || ignored >= 2) break;
  }
  assert.ok(ignored >= 2 && replies >= 1, `${ignored} moves off the board, ${replies} replies`);
  await game.page.keyboard.press(h.isHome(game.king) ? 'Enter' : 'Escape');
  await h.expectEnded(game.page);
});

// The start square comes from the clock in whole seconds; boards opened one to
// eight seconds apart get seeds that the generator maps to different squares,
// unless the clock restarts with every page.
test('fresh loads a second or more apart start the king on different squares', async () => {
  const starts = [];
  const gaps = [];
  let last = 0;
  for (let i = 0; i < 4; ++i) {
    const page = await web.load();
    await h.sleep(Math.max(0, last + 1100 - Date.now()));
    if (last) gaps.push(((Date.now() - last) / 1000).toFixed(1));
    last = Date.now();
    await page.keyboard.press('1');
    await h.waitState(page, 'window');
    const king = await h.until(async () => h.kingOnCanvas(await h.canvas(page)), 'a single king on the canvas');
    starts.push(where(king));
  }
  assert.ok(new Set(starts).size >= 3, `starts ${starts.join(' ')}, seconds apart ${gaps.join(' ')}`);
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
