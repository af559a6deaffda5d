// The web page's figures in headless Chromium: load to menu (median of fresh
// loads), bytes transferred (and gzipped), key event to canvas changed (inside
// the page from tavrelStats, and from outside through Playwright), and the CPU
// of all the browser's processes while the game waits.
//   node bench/web/run.js [KEYS] [LOADS] [WAIT_SECONDS]
// KEYS: canvas-changing keys to time, default 200; LOADS: fresh loads, default
// 10; WAIT_SECONDS: each idle reading, default 5. The page comes from
// build/web/page (TAVREL_WEB_PAGE overrides); tests/web needs `npm ci` first.
'use strict';
const fs = require('node:fs');
const zlib = require('node:zlib');
const { execFileSync } = require('node:child_process');
const h = require('../../tests/web/harness');

const keysWanted = Number(process.argv[2] || 200);
const loads = Number(process.argv[3] || 10);
const waitSeconds = Number(process.argv[4] || 5);
const ticksPerSecond = Number(execFileSync('getconf', ['CLK_TCK']).toString().trim());

function percentile(values, p) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.ceil((p / 100) * sorted.length) - 1)];
}

// In-page time from navigation start until the menu's last item is on the
// terminal; with `bodies`, every response's body is kept in it.
async function loadToMenu(web, bodies) {
  const page = await web.newPage();
  if (bodies) page.on('response', (r) => bodies.push(r.body().then((b) => ({ url: r.url(), b })).catch(() => null)));
  await page.goto(web.server.url);
  const ms = await page.waitForFunction(() => {
    const t = window.tavrelTerm;
    if (!t) return false;
    const b = t.buffer.active;
    return b.getLine(b.viewportY + 3)?.translateToString(true).trimEnd() === '4. exit' && performance.now();
  }, null, { polling: 1, timeout: 10000 });
  return { page, ms: await ms.jsonValue() };
}

// user+system CPU ticks of the browser: the processes this script started
// whose name says Chromium, and all their descendants.
function browserTicks() {
  const stats = new Map();
  for (const name of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const text = fs.readFileSync(`/proc/${name}/stat`, 'utf8');
      const comm = text.slice(text.indexOf('(') + 1, text.lastIndexOf(')'));
      const f = text.slice(text.lastIndexOf(')') + 2).split(' ');
      stats.set(Number(name), { comm, ppid: Number(f[1]), ticks: Number(f[11]) + Number(f[12]) });
    } catch { /* gone meanwhile */ }
  }
  const inTree = new Set();
  for (const [pid, s] of stats) if (s.ppid === process.pid && /chrom/.test(s.comm)) inTree.add(pid);
  if (inTree.size === 0) throw new Error('no Chromium process under this script');
  for (let grew = true; grew;) {
    grew = false;
    for (const [pid, s] of stats) {
      if (!inTree.has(pid) && inTree.has(s.ppid)) { inTree.add(pid); grew = true; }
    }
  }
  let ticks = 0;
  for (const pid of inTree) ticks += stats.get(pid)?.ticks ?? 0;
  return ticks;
}

async function cpuWhileWaiting() {
  await h.sleep(2000);  // past the last change and the compiler's background tiers
  const t0 = browserTicks();
  const start = Date.now();
  await h.sleep(waitSeconds * 1000);
  const seconds = (Date.now() - start) / 1000;
  return (100 * (browserTicks() - t0)) / ticksPerSecond / seconds;
}

// Presses `key` and waits (polling in the page every millisecond) for the
// king's rightmost pixel on `to` to turn white; the time from just before the
// press, in ms.
async function timedKey(page, key, to) {
  const start = performance.now();
  await page.keyboard.press(key);
  await page.waitForFunction(([x, y]) => {
    const d = document.getElementById('screen').getContext('2d').getImageData(x, y, 1, 1).data;
    return d[0] === 255 && d[1] === 255 && d[2] === 255;
  }, [40 * to.col + 10, 360 - 40 * to.row], { polling: 1, timeout: 5000 });
  return performance.now() - start;
}

// The floor of the outside measure: a key the game passes over ("x" at its
// prompt) and a wait that is true at once, through the same calls.
async function outsideFloor(page, samples) {
  const times = [];
  for (let i = 0; i < samples; ++i) {
    const start = performance.now();
    await page.keyboard.press('x');
    await page.waitForFunction(() => document.getElementById('screen').width === 640, null, { polling: 1 });
    times.push(performance.now() - start);
  }
  return times;
}

// Plays games to their end, timing each key that moves the king: the user's
// moves and the Enter that brings the computer's reply.
async function keyLatencies(web) {
  const outside = [];
  const inside = [];
  while (outside.length < keysWanted) {
    const { page } = await loadToMenu(web, null);
    await page.keyboard.press('1');
    await h.waitState(page, 'window');
    let king = await h.until(async () => h.kingOnCanvas(await h.canvas(page)), 'the king');
    const before = await page.evaluate(() => window.tavrelStats.keyToCanvas.length);
    let measured = 0;
    const messages = [h.USER_TURN];
    // Each key only once the last one's picture is complete, as a player would.
    while (!h.isHome(king)) {
      const key = ['2', '1', '3'].find((k) => h.moveByKey(king, k));
      king = h.moveByKey(king, key);
      outside.push(await timedKey(page, key, king));
      ++measured;
      if (h.isHome(king)) break;
      messages.push(h.COMP_TURN);
      await h.waitPicture(page, king, messages);
      king = h.computerReply(king);
      outside.push(await timedKey(page, 'Enter', king));
      ++measured;
      messages.push(h.isHome(king) ? h.COMP_WINS : h.USER_TURN);
      await h.waitPicture(page, king, messages);
    }
    // An entry's time to the next frame comes with that frame: wait for them.
    const entries = await h.until(() => page.evaluate(([n, m]) => {
      const mine = window.tavrelStats.keyToCanvas.slice(n, n + m);
      return mine.length === m && mine.every((e) => e.toFrame !== null) && mine;
    }, [before, measured]), `${measured} tavrelStats entries`);
    inside.push(...entries);
    await page.keyboard.press('Enter');
    await h.waitState(page, 'ended');
  }
  return { outside, inside };
}

function row(name, value, target) {
  console.log(`| ${name} | ${value} | ${target} |`);
}

async function main() {
  const web = new h.Web();
  await web.start();
  try {
    const bodies = [];
    const times = [];
    for (let i = 0; i < loads; ++i) {
      const { ms } = await loadToMenu(web, i === 0 ? bodies : null);
      times.push(ms);
    }
    const files = (await Promise.all(bodies)).filter(Boolean);
    const raw = files.reduce((n, f) => n + f.b.length, 0);
    const gz = files.reduce((n, f) => n + zlib.gzipSync(f.b, { level: 9 }).length, 0);

    const blank = await web.newPage();
    await blank.goto('about:blank');
    const cpuBlank = await cpuWhileWaiting();
    const { page } = await loadToMenu(web, null);
    const cpuMenu = await cpuWhileWaiting();
    await page.keyboard.press('1');
    await h.waitState(page, 'window');
    await h.until(async () => h.kingOnCanvas(await h.canvas(page)), 'the king');
    const cpuBoard = await cpuWhileWaiting();
    const floor = await outsideFloor(page, 50);

    const { outside, inside } = await keyLatencies(web);
    const toCanvas = inside.map((e) => e.toCanvas);
    const toFrame = inside.map((e) => e.toFrame);
    const ms = (v) => `${v.toFixed(2)} ms`;
    console.log(`Files: ${files.map((f) => `${new URL(f.url).pathname} ${f.b.length}`).join(', ')}`);
    console.log('| What | Measured | Target |');
    console.log('|---|---:|---:|');
    row(`Load to menu, median of ${loads} fresh loads (min, max)`,
      `${ms(percentile(times, 50))} (${ms(Math.min(...times))}, ${ms(Math.max(...times))})`, '≤ 1000 ms');
    row(`Bytes transferred, ${files.length} files`, `${(raw / 1024).toFixed(1)} KB`, '');
    row('Bytes gzipped (zlib level 9, per file)', `${(gz / 1024).toFixed(1)} KB`, '≤ 250 KB');
    row(`Key event to canvas changed, p50 (${toCanvas.length} keys)`, ms(percentile(toCanvas, 50)), '≤ 5 ms');
    row('Key event to canvas changed, p99', ms(percentile(toCanvas, 99)), '≤ 16 ms');
    row('Key event to next animation frame, p50', ms(percentile(toFrame, 50)), '');
    row('Key event to next animation frame, p99', ms(percentile(toFrame, 99)), '');
    row(`Playwright press to pixel changed, p50 (${outside.length} keys)`, ms(percentile(outside, 50)), '');
    row('Playwright press to pixel changed, p99', ms(percentile(outside, 99)), '');
    row('Playwright press and a wait already true, p50 (50 keys)', ms(percentile(floor, 50)), '');
    row(`CPU of all browser processes on a blank page, ${waitSeconds} s`, `${cpuBlank.toFixed(1)}% of a core`, '');
    row(`CPU of all browser processes at the menu, ${waitSeconds} s`, `${cpuMenu.toFixed(1)}% of a core`, '≤ 3%');
    row(`CPU of all browser processes at "Hodite !", ${waitSeconds} s`, `${cpuBoard.toFixed(1)}% of a core`, '≤ 3%');
    if (web.problems.length) {
      console.log(`The page misbehaved:\n${web.problems.join('\n')}`);
      process.exitCode = 1;
    }
  } finally {
    await web.stop();
  }
}

main().catch((e) => {
  console.error(`bench/web/run.js: ${e.message}`);
  process.exit(1);
});
