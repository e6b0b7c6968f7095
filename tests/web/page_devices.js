// The web page as viewers meet it on other screens and when something
// goes wrong, in headless Chromium: a phone's tap starts it, a sharp
// screen gets a drawing buffer of its own pixels, the download shows its
// progress, and each failure says what is wrong in the page (a download
// cut off, the page opened as a file, no WebGL, sound that never starts,
// a fault in the show). Prints a line per check; ends non-zero if any fails.
//     node page_devices.js PAGE_DIR REFERENCE_DIR SEED T1 T2 ...
// REFERENCE_DIR holds what tests/web/desktop_reference wrote (the splash
// and the ride at rideMoment are used).
'use strict';
const path = require('path');
const { chromium } = require('playwright-core');
const { serveFolder, launchChromium, checker, collectErrors, nextFrame, untilOffered, messageShown, readPpm,
        worstBlockDifference, sameFrameBlockLimit, screenWidth, screenHeight } = require('./page_tools');

const [pageDir, referenceDir, seed] = process.argv.slice(2);
const { check, failures } = checker();
const waitMs = 60000;
const rideMoment = 60000;

// The player's bar on the show's screen (app/player_bar.h): its track's
// middle row, from barLeft to barRight for the script's 318.5 s.
const bar = {
  row: 732, left: 48, right: 976, endMs: 318500, aheadX: 960, tapMs: 150000,
  xAt(ms) { return this.left + (this.right - this.left) * ms / this.endMs; },
  get msPerPixel() { return this.endMs / (this.right - this.left); },
};

const clockRuns = page => page.waitForFunction(() => Module.webSong.clockMs() > 1000, null, { timeout: waitMs });

// A phone: the prompt speaks of tapping, and a tap starts the show (the
// show's SDL takes the touches, so no mouse event follows one).
async function phone(browser, url) {
  const context = await browser.newContext({ viewport: { width: 390, height: 844 }, deviceScaleFactor: 3,
                                             isMobile: true, hasTouch: true });
  const page = await context.newPage();
  const errors = collectErrors(page);
  await page.goto(url);
  await untilOffered(page, waitMs);
  const hint = await page.evaluate(() => document.getElementById('hint').textContent);
  await page.tap('#play');
  await clockRuns(page);
  const buffer = await page.evaluate(() => [Module.ctx.drawingBufferWidth, Module.ctx.drawingBufferHeight]);
  const sound = await page.evaluate(() => Module.webSong.context.state);
  check('on a phone the prompt says tap, and a tap starts the show with sound, at the phone\'s pixels',
        hint === 'Tap to play' && sound === 'running' && buffer[0] === 390 * 3 &&
        Math.abs(buffer[1] - 390 * 3 * 3 / 4) <= 1 && errors.length === 0,
        `"${hint}", sound ${sound}, buffer ${buffer.join(' x ')} ${errors.join(' | ')}`);

  // The player's bar: a tap shows it, and a tap on it goes where it lies.
  const box = await page.evaluate(() => {
    const r = Module.canvas.getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height };
  });
  const onPage = (x, y) => [box.left + x * box.width / screenWidth, box.top + y * box.height / screenHeight];
  await page.touchscreen.tap(...onPage(screenWidth / 2, screenHeight / 2));
  // A turn takes the tap after its frame: the bar is in the one after.
  await nextFrame(page);
  const shown = await nextFrame(page);
  const scale = shown.width / screenWidth;
  const track = [...shown.rgb.subarray(
    (Math.round(bar.row * scale + (shown.height - screenHeight * scale) / 2) * shown.width + Math.round(bar.aheadX * scale)) * 3)]
    .slice(0, 3);
  const tapped = await page.evaluate(() => Module.webSong.clockMs());
  await page.touchscreen.tap(...onPage(bar.xAt(bar.tapMs), bar.row));
  await page.waitForFunction(ms => Math.abs(Module.webSong.clockMs() - ms) < 2000, bar.tapMs, { timeout: waitMs });
  const landed = await page.evaluate(() => Module.webSong.anchor && Module.webSong.anchor.showMs);
  check('on a phone a tap shows the player\'s bar, and a tap on the bar goes there',
        Math.abs(track[0] - track[1]) < 12 && track[0] > 60 && track[0] < 200 && tapped < bar.tapMs / 2 &&
        Math.abs(landed - bar.tapMs) <= bar.msPerPixel * screenWidth / box.width * 2,
        `the track ${track} where the bar is; from ${Math.round(tapped)} to ${landed} ms`);
  await context.close();
}

// The mean of each factor x factor block: a frame drawn at factor times
// the desktop's size, brought to the desktop's.
function reduced(frame, factor) {
  const rgb = Buffer.alloc(screenWidth * screenHeight * 3);
  for (let y = 0; y < screenHeight; y++) {
    for (let x = 0; x < screenWidth; x++) {
      for (let c = 0; c < 3; c++) {
        let sum = 0;
        for (let dy = 0; dy < factor; dy++) {
          for (let dx = 0; dx < factor; dx++) sum += frame.rgb[((y * factor + dy) * frame.width + x * factor + dx) * 3 + c];
        }
        rgb[(y * screenWidth + x) * 3 + c] = Math.round(sum / (factor * factor));
      }
    }
  }
  return rgb;
}

// The 2 x 2 blocks that are not one colour: none in a picture drawn at
// half the size and enlarged, many along the edges of one drawn at full size.
function mixedBlocks(frame) {
  let mixed = 0;
  for (let y = 0; y < frame.height; y += 2) {
    for (let x = 0; x < frame.width; x += 2) {
      const at = (dx, dy) => frame.rgb.readUIntBE(((y + dy) * frame.width + x + dx) * 3, 3);
      if (at(1, 0) !== at(0, 0) || at(0, 1) !== at(0, 0) || at(1, 1) !== at(0, 0)) mixed++;
    }
  }
  return mixed;
}

// A sharp screen (device pixel ratio 2): the drawing buffer has the
// canvas's device pixels, the pixel art stays in its own colours (no
// smoothing), and the ride is drawn at full size.
async function sharpScreen(browser, url) {
  const context = await browser.newContext({ viewport: { width: 1440, height: 900 }, deviceScaleFactor: 2 });
  const page = await context.newPage();
  await page.goto(url);
  await untilOffered(page, waitMs);
  const splash = await nextFrame(page);
  const box = await page.evaluate(() => {
    const r = Module.canvas.getBoundingClientRect();
    return [r.left, r.top, r.width, r.height];
  });
  const colours = new Set();
  const desktopSplash = readPpm(path.join(referenceDir, 'splash.ppm'));
  for (let i = 0; i < desktopSplash.length; i += 3) colours.add(desktopSplash.readUIntBE(i, 3));
  let foreign = 0;
  for (let i = 0; i < splash.rgb.length; i += 3) if (!colours.has(splash.rgb.readUIntBE(i, 3))) foreign++;
  // A screen larger than the browser draws: the largest buffer it can, 4:3.
  const capped = await page.evaluate(() => Module.bufferSize(10000, 7500, 4096, 4096).join(' x '));
  check('at 1440 x 900 and pixel ratio 2, the 4:3 canvas centred, its buffer 2400 x 1800, the splash crisp',
        splash.width === 2400 && splash.height === 1800 && box.join() === '120,0,1200,900' && foreign === 0 &&
        capped === '4096 x 3072',
        `buffer ${splash.width} x ${splash.height}, canvas ${box.join(', ')}, ${foreign} pixels of colours ` +
        `the splash does not have; 10000 x 7500 device pixels drawn at ${capped}`);

  await page.mouse.click(720, 450);
  await clockRuns(page);
  await page.setViewportSize({ width: screenWidth, height: screenHeight });
  const ride = await nextFrame(page, { seed: +seed, t: rideMoment });
  const worst = ride.width === 2 * screenWidth
    ? worstBlockDifference(reduced(ride, 2), readPpm(path.join(referenceDir, `${rideMoment}.ppm`))) : Infinity;
  const mixed = ride.width === 2 * screenWidth ? mixedBlocks(ride) : 0;
  // Thousands of 2 x 2 blocks lie on the rails' and the ball's edges.
  const edgeBlocks = 1000;
  check('resized to 1024 x 768 at ratio 2, the ride is drawn at 2048 x 1536, the desktop\'s picture',
        worst <= sameFrameBlockLimit && mixed >= edgeBlocks,
        `buffer ${ride.width} x ${ride.height}; halved, worst 8 x 8 block ${worst.toFixed(1)}; ${mixed} mixed 2 x 2 blocks`);
  await context.close();
}

// The download on a slow line: the bar is there from the first paint and
// counts the bytes as they come.
async function slowDownload(browser, url) {
  const page = await browser.newPage();
  const cdp = await page.context().newCDPSession(page);
  const bytesPerSecond = 8e6;
  await cdp.send('Network.emulateNetworkConditions', { offline: false, latency: 40, downloadThroughput: bytesPerSecond,
                                                       uploadThroughput: bytesPerSecond });
  await page.addInitScript(() => {
    window.loadingSeen = [];
    document.addEventListener('DOMContentLoaded', () => {
      const loaded = document.getElementById('loaded');
      window.loadingSeen.push(getComputedStyle(document.getElementById('loading')).display + ' ' + loaded.textContent);
      new MutationObserver(() => window.loadingSeen.push(loaded.textContent))
        .observe(loaded, { childList: true, characterData: true, subtree: true });
    });
  });
  await page.goto(url);
  await untilOffered(page, waitMs);
  const seen = await page.evaluate(() => window.loadingSeen);
  const counts = seen.map(text => /: ([\d.]+) of ([\d.]+) MB/.exec(text)).filter(Boolean).map(m => [+m[1], +m[2]]);
  const rising = counts.every((count, i) => i === 0 || count[0] >= counts[i - 1][0]);
  const whole = counts.length > 0 && counts[counts.length - 1][0] === counts[counts.length - 1][1];
  check('on a slow line the bar shows from the first paint and counts the download up to its size',
        seen[0] === 'flex Loading the show' && counts.length >= 5 && rising && whole,
        `${seen[0]}; ${counts.length} counts, ${seen.slice(1, 3).concat(seen.slice(-2)).join(' / ')}`);
  await page.close();
}

// A download cut off half way says so, and trying again brings the show.
async function brokenDownload(browser, pageDir) {
  let cut = true;
  const server = await serveFolder(pageDir, (name, data, response) => {
    if (!cut || name !== '/index.wasm') return false;
    response.writeHead(200, { 'Content-Type': 'application/wasm', 'Content-Length': data.length });
    response.write(data.subarray(0, data.length / 2), () => response.destroy());
    return true;
  });
  const page = await browser.newPage();
  await page.goto(server.url);
  await page.waitForFunction(() => getComputedStyle(document.getElementById('message')).display !== 'none',
                             null, { timeout: waitMs });
  const said = await messageShown(page);
  cut = false;
  await page.click('#message button');
  await untilOffered(page, waitMs);
  check('a download cut off says so, and "Try again" brings the show',
        /^The show could not be downloaded \(.+\): check the connection and try again\.$/.test(said), said);
  await page.close();
  server.close();
}

// The page opened from its folder as a file: Chromium will not let it
// fetch its WebAssembly there, and the page says how to serve it.
async function openedAsFile(browser) {
  const page = await browser.newPage();
  await page.goto('file://' + path.resolve(pageDir, 'index.html'));
  await page.waitForFunction(() => getComputedStyle(document.getElementById('message')).display !== 'none',
                             null, { timeout: waitMs });
  const said = await messageShown(page);
  check('opened as a file, the page says to serve its folder, and how',
        /opened as a file/.test(said) && /python3 -m http\.server/.test(said), said);
  await page.close();
}

// A browser without WebGL says which setting to turn on, before
// downloading what it could not show.
async function withoutWebGL(url) {
  const browser = await launchChromium(chromium, ['--disable-webgl']);
  const page = await browser.newPage();
  const requested = [];
  page.on('request', request => requested.push(path.basename(new URL(request.url()).pathname)));
  await page.goto(url);
  await page.waitForFunction(() => getComputedStyle(document.getElementById('message')).display !== 'none',
                             null, { timeout: waitMs });
  const said = await messageShown(page);
  check('without WebGL the page says to turn it on or try another browser, and downloads nothing more',
        /WebGL is turned off or not available/.test(said) && !requested.includes('index.wasm'),
        `${said} (asked for ${requested.join(', ')})`);
  await browser.close();
}

// Sound that never starts (as where there is no sound device): the show
// plays on its own clock, silently, and the page says so.
async function noSound(browser, url) {
  const page = await browser.newPage();
  await page.addInitScript(() => {
    const Context = window.AudioContext;
    window.AudioContext = class extends Context {
      constructor(options) {
        super(options);
        this.suspend();
      }
      resume() {
        return new Promise(() => {});
      }
    };
  });
  await page.goto(url);
  await untilOffered(page, waitMs);
  await page.click('#play');
  await clockRuns(page);
  const note = await page.evaluate(() => ({
    text: document.getElementById('note').textContent,
    shown: getComputedStyle(document.getElementById('note')).display,
    playing: Module.webSong.source !== null,
  }));
  check('where sound never starts, the show plays silently on its clock with a note',
        note.shown === 'block' && /^No sound: .+, so the show plays silently\.$/.test(note.text) && !note.playing,
        note.text);
  await page.close();
}

// A fault inside one of the show's turns: the page stops the show and its
// song, and says what stopped and how to start again.
async function faultInATurn(browser, url) {
  const page = await browser.newPage();
  await page.goto(url);
  await untilOffered(page, waitMs);
  await page.click('#play');
  await clockRuns(page);
  await page.evaluate(() => {
    Module.webSong.clockMs = () => { throw new Error('a fault made by the check'); };
  });
  await page.waitForFunction(() => getComputedStyle(document.getElementById('message')).display !== 'none',
                             null, { timeout: waitMs });
  const said = await messageShown(page);
  const playing = await page.evaluate(() => Module.webSong.source !== null);
  check('a fault in a turn stops the show and its song, and says what and how to reload',
        said === 'The show stopped (a fault made by the check): reload the page to start it again.' && !playing, said);
  await page.close();
}

async function main() {
  const server = await serveFolder(pageDir);
  const browser = await launchChromium(chromium);
  const steps = [() => phone(browser, server.url), () => sharpScreen(browser, server.url),
                 () => slowDownload(browser, server.url), () => brokenDownload(browser, pageDir),
                 () => openedAsFile(browser), () => withoutWebGL(server.url), () => noSound(browser, server.url),
                 () => faultInATurn(browser, server.url)];
  try {
    for (const step of steps) {
      try {
        await step();
      } catch (e) {
        check('the page answers', false, e.message.split('\n')[0]);
      }
    }
  } finally {
    await browser.close();
    server.close();
  }
  process.exit(failures() ? 1 : 0);
}

main().catch(e => {
  console.error(`page device checks: ${e.message}`);
  process.exit(1);
});
