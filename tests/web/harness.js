// The web page's test harness: the built page served on 127.0.0.1 by a server
// of the test's own, Debian's Chromium driven headless through playwright-core,
// every request and console message of the page recorded, and helpers that
// read the terminal's cells and the canvas's pixels and wait for a state.
'use strict';
const { chromium } = require('playwright-core');
const { spawn, execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const root = path.resolve(__dirname, '..', '..');
const pageDir = process.env.TAVREL_WEB_PAGE || path.join(root, 'build', 'web', 'page');
const oracleTool = process.env.TAVREL_REFERENCE_BOARD ||
  path.join(root, 'build', 'linux-e2e', 'tests', 'e2e', 'window', 'reference_board_ppm');
const chromiumPath = process.env.TAVREL_CHROMIUM || '/usr/bin/chromium';

const W = 640;
const H = 480;

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Polls `check` (async; a truthy result ends the wait) every few milliseconds;
// on time-out throws, naming `what` and what `describe` says of the last look.
async function until(check, what, ms = 5000, describe = null) {
  const deadline = Date.now() + ms;
  let last;
  for (;;) {
    last = await check();
    if (last) return last;
    if (Date.now() > deadline) {
      const seen = describe ? await describe() : '';
      throw new Error(`timed out after ${ms} ms waiting for ${what}${seen ? `; ${seen}` : ''}`);
    }
    await sleep(10);
  }
}

// `python3 -m http.server` on a port the system picks (no race for a free
// one): resolves when it says where it listens.
function startServer(dir) {
  if (!fs.existsSync(path.join(dir, 'index.html'))) {
    return Promise.reject(new Error(`no page at ${dir} (build it: cmake --build --preset web)`));
  }
  return new Promise((resolve, reject) => {
    const proc = spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '0'],
      { cwd: dir, stdio: ['ignore', 'pipe', 'pipe'] });
    let out = '';
    const fail = (why) => { proc.kill(); reject(new Error(`http.server: ${why}: ${out}`)); };
    const timer = setTimeout(() => fail('did not start in 10 s'), 10000);
    proc.on('exit', (code) => { clearTimeout(timer); reject(new Error(`http.server exited (${code}): ${out}`)); });
    proc.stderr.on('data', () => {});  // one line per request; drained so it never blocks
    proc.stdout.on('data', (chunk) => {
      out += chunk;
      const m = /port (\d+)/.exec(out);
      if (!m) return;
      clearTimeout(timer);
      proc.removeAllListeners('exit');
      const origin = `http://127.0.0.1:${m[1]}`;
      resolve({
        origin,
        url: `${origin}/`,
        stop: () => new Promise((done) => {
          if (proc.exitCode !== null || proc.signalCode !== null) return done();
          proc.once('exit', () => done());
          proc.kill();
        }),
      });
    });
  });
}

function launchBrowser() {
  const args = process.getuid && process.getuid() === 0 ? ['--no-sandbox'] : [];
  return chromium.launch({ executablePath: chromiumPath, headless: true, args });
}

// One server and one browser for a test file; start() and stop() go in its
// before() and after(), which node:test runs on failure too. Everything the
// pages do that a player's page must not is kept in `problems`.
class Web {
  constructor() {
    this.server = null;
    this.browser = null;
    this.context = null;
    this.problems = [];
    this.requests = 0;
  }

  async start() {
    this.server = await startServer(pageDir);
    this.browser = await launchBrowser();
  }

  async stop() {
    if (this.context) await this.context.close().catch(() => {});
    if (this.browser) await this.browser.close().catch(() => {});
    if (this.server) await this.server.stop();
  }

  // A fresh page (its own context: nothing cached from the last one) with the
  // recording attached, before anything is loaded.
  async newPage() {
    if (this.context) await this.context.close();
    this.context = await this.browser.newContext({ viewport: { width: 1280, height: 1024 } });
    const page = await this.context.newPage();
    this.watch(page);
    return page;
  }

  watch(page) {
    const own = this.server.origin;
    page.on('request', (r) => {
      this.requests += 1;
      if (new URL(r.url()).origin !== own && !r.url().startsWith('data:') && !r.url().startsWith('blob:')) {
        this.problems.push(`request to another host: ${r.url()}`);
      }
    });
    page.on('websocket', (ws) => this.problems.push(`web socket: ${ws.url()}`));
    page.on('response', (r) => {
      if (r.status() >= 400) this.problems.push(`HTTP ${r.status()} for ${r.url()}`);
    });
    page.on('requestfailed', (r) => this.problems.push(`request failed: ${r.url()} (${r.failure()?.errorText})`));
    page.on('console', (m) => {
      if (m.type() === 'error') this.problems.push(`console error: ${m.text()}`);
    });
    page.on('pageerror', (e) => this.problems.push(`page error: ${e.message}`));
    page.on('crash', () => this.problems.push('the page crashed'));
  }

  // Loads the page and waits for the menu on the terminal.
  async load() {
    const page = await this.newPage();
    await page.goto(this.server.url);
    await waitState(page, 'console', 10000);
    await waitRows(page, (rows) => rows[0] === MENU[0] && rows[3] === MENU[3], 'the menu', 10000);
    return page;
  }
}

const MENU = ['1. game', '2. options', '3. about', '4. exit'];

function state(page) {
  return page.evaluate(() => window.tavrelState);
}

function waitState(page, want, ms = 5000) {
  return until(async () => (await state(page)) === want, `tavrelState "${want}"`, ms,
    async () => `it is ${JSON.stringify(await state(page))}`);
}

// The terminal's visible rows as text (trailing blanks cut) and its cursor.
function terminal(page) {
  return page.evaluate(() => {
    const t = window.tavrelTerm;
    const b = t.buffer.active;
    const rows = [];
    // Blanks the program wrote count as nothing, as on a console.
    for (let y = 0; y < t.rows; ++y) rows.push(b.getLine(b.viewportY + y).translateToString(true).replace(/ +$/, ''));
    return { rows, cursor: [b.cursorX, b.cursorY] };
  });
}

async function rows(page) {
  return (await terminal(page)).rows;
}

function waitRows(page, check, what, ms = 5000) {
  return until(async () => check(await rows(page)), what, ms,
    async () => `the terminal shows ${JSON.stringify((await rows(page)).filter((r) => r))}`);
}

// Colours of the cell at a visible row and column: palette indices, or
// 'default' where the terminal's own colour is used.
function cellColours(page, row, col) {
  return page.evaluate(([y, x]) => {
    const b = window.tavrelTerm.buffer.active;
    const c = b.getLine(b.viewportY + y).getCell(x);
    const colour = (isDefault, isPalette, value) => (isDefault ? 'default' : isPalette ? value : `rgb ${value}`);
    return {
      ch: c.getChars(),
      fg: colour(c.isFgDefault(), c.isFgPalette(), c.getFgColor()),
      bg: colour(c.isBgDefault(), c.isBgPalette(), c.getBgColor()),
    };
  }, [row, col]);
}

// The canvas's 640x480 pixels as RGBA bytes.
async function canvas(page) {
  const b64 = await page.evaluate(() => {
    const c = document.getElementById('screen');
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let s = '';
    for (let i = 0; i < d.length; i += 0x8000) s += String.fromCharCode.apply(null, d.subarray(i, i + 0x8000));
    return `${c.width}x${c.height}:${btoa(s)}`;
  });
  const [size, data] = b64.split(':');
  if (size !== `${W}x${H}`) throw new Error(`the canvas is ${size}, not ${W}x${H}`);
  return Buffer.from(data, 'base64');
}

function pixel(rgba, x, y) {
  const i = (y * W + x) * 4;
  return (rgba[i] << 16) | (rgba[i + 1] << 8) | rgba[i + 2];
}

// The expected 640x480 picture of the board, the king on `king` and the
// messages, as RGB bytes, from the game's own drawing code.
function referenceBoard(king, messages) {
  const file = path.join(os.tmpdir(), `tavrel-web-reference-${process.pid}.ppm`);
  execFileSync(oracleTool, [String(king.col), String(king.row), file, ...messages]);
  const ppm = fs.readFileSync(file);
  fs.unlinkSync(file);
  const header = `P6\n${W} ${H}\n255\n`;
  if (ppm.toString('latin1', 0, header.length) !== header) throw new Error('reference_board_ppm wrote no 640x480 PPM');
  return ppm.subarray(header.length);
}

// Where the canvas differs from the expected RGB picture: null when nowhere.
function difference(rgba, rgb) {
  let count = 0;
  let first = null;
  for (let p = 0; p < W * H; ++p) {
    const got = (rgba[p * 4] << 16) | (rgba[p * 4 + 1] << 8) | rgba[p * 4 + 2];
    const want = (rgb[p * 3] << 16) | (rgb[p * 3 + 1] << 8) | rgb[p * 3 + 2];
    if (got !== want || rgba[p * 4 + 3] !== 255) {
      if (!first) first = `(${p % W}, ${Math.floor(p / W)}) is ${got.toString(16)} not ${want.toString(16)}`;
      ++count;
    }
  }
  return count ? `${count} pixels differ, first ${first}` : null;
}

async function waitPicture(page, king, messages, ms = 5000) {
  const want = referenceBoard(king, messages);
  let why = '';
  await until(async () => !(why = difference(await canvas(page), want)),
    `the board with the king on (${king.col}, ${king.row}) and ${JSON.stringify(messages)}`, ms, () => why);
}

// The king's square as the canvas shows it: the one square whose circle's
// rightmost pixel is white; null while none or several are.
function kingOnCanvas(rgba) {
  const found = [];
  for (let col = 1; col <= 8; ++col) {
    for (let row = 1; row <= 8; ++row) {
      if (pixel(rgba, 40 * col + 10, 360 - 40 * row) === 0xFFFFFF) found.push({ col, row });
    }
  }
  return found.length === 1 ? found[0] : null;
}

// The problems recorded, for the check that there are none.
function problemReport(web) {
  return web.problems.length ? web.problems.join('\n') : null;
}

// Ends a page's program with `key` and checks what the page then says.
async function expectEnded(page) {
  await waitState(page, 'ended');
  await page.locator('#ended').waitFor({ state: 'visible', timeout: 5000 });
  const text = await page.locator('#ended').innerText();
  if (!text.includes('Program ended.')) throw new Error(`#ended says ${JSON.stringify(text)}`);
  const again = await page.locator('button#again').innerText();
  if (again.trim() !== 'Play again') throw new Error(`#again says ${JSON.stringify(again)}`);
}

// The board's messages, printed at the top left each over the last.
const USER_TURN = `Hodite !${' '.repeat(18)}`;
const COMP_TURN = 'COMP (press enter)';
const COMP_WINS = 'COMP VIN!!!!';
const USER_WINS = 'USER VIN!!!!';

const isHome = (s) => s.col === 1 && s.row === 1;

// Where a move key takes the king: "1" left, "2" down, "3" both; null off the board.
function moveByKey(from, key) {
  const to = { col: from.col - (key === '1' || key === '3' ? 1 : 0), row: from.row - (key === '2' || key === '3' ? 1 : 0) };
  return to.col >= 1 && to.row >= 1 && (to.col !== from.col || to.row !== from.row) ? to : null;
}

// The computer's reply: onto a square whose column and row are both odd when
// one step left, down or both reaches one; from such a square one step down,
// or left along the bottom row.
function computerReply(from) {
  const even = (v) => v % 2 === 0;
  if (even(from.col) && even(from.row)) return { col: from.col - 1, row: from.row - 1 };
  if (even(from.col)) return { col: from.col - 1, row: from.row };
  if (even(from.row)) return { col: from.col, row: from.row - 1 };
  if (from.row > 1) return { col: from.col, row: from.row - 1 };
  return { col: Math.max(1, from.col - 1), row: 1 };
}

// One game on a page, followed move by move: the king's square and the
// messages printed so far, from which the expected picture is drawn.
class Game {
  constructor(page, king) {
    this.page = page;
    this.king = king;
    this.messages = [isHome(king) ? COMP_WINS : USER_TURN];
  }

  picture(ms = 5000) {
    return waitPicture(this.page, this.king, this.messages, ms);
  }

  // A legal user move; the picture must then show the king on its new square
  // and the computer's prompt (or the user's win).
  async move(key) {
    const to = moveByKey(this.king, key);
    if (!to) throw new Error(`"${key}" from (${this.king.col}, ${this.king.row}) leaves the board`);
    await this.page.keyboard.press(key);
    this.king = to;
    this.messages.push(isHome(to) ? USER_WINS : COMP_TURN);
    await this.picture();
  }

  // Enter at "COMP (press enter)": the computer's reply and the next prompt.
  async computerTurn() {
    await this.page.keyboard.press('Enter');
    this.king = computerReply(this.king);
    this.messages.push(isHome(this.king) ? COMP_WINS : USER_TURN);
    await this.picture();
  }
}

// Loads the page, chooses "1" and waits for the board; starts again (a fresh
// load) until the king's random start square satisfies `wanted`.
async function startGame(web, wanted, tries) {
  const seen = [];
  for (let i = 0; i < tries; ++i) {
    const page = await web.load();
    await page.keyboard.press('1');
    await waitState(page, 'window');
    const king = await until(async () => kingOnCanvas(await canvas(page)), 'a single king on the canvas');
    const game = new Game(page, king);
    await game.picture();
    if (wanted(king)) return game;
    seen.push(`(${king.col}, ${king.row})`);
  }
  throw new Error(`no fitting start square in ${tries} games: ${seen.join(' ')}`);
}

module.exports = {
  USER_TURN, COMP_TURN, COMP_WINS, USER_WINS, isHome, moveByKey, computerReply, Game, startGame,
  Web, MENU, until, sleep, state, waitState, terminal, waitRows, cellColours,
  canvas, waitPicture, kingOnCanvas, problemReport, expectEnded,
};
