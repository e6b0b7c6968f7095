// What the page's checks and its benchmark share: the page served from its
// folder on a free local port, Debian's Chromium started headless, the
// page's frames read back, frames as binary PPM files, and the lines the
// checks print.
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');

const screenWidth = 1024;
const screenHeight = 768;

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

// Serves the folder's files on 127.0.0.1; resolves to { url, close }.
// respond(name, data, response), if given, may answer a file itself (true).
function serveFolder(folder, respond) {
  const root = path.resolve(folder);
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(root, name === '/' ? 'index.html' : name);
    fs.readFile(file, (error, data) => {
      if (error || !file.startsWith(root + path.sep)) {
        response.writeHead(404);
        response.end();
        return;
      }
      if (respond && respond(name, data, response)) return;
      response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream',
                                'Content-Length': data.length });
      response.end(data);
    });
  });
  return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => server.close(),
  })));
}

// WebGL through SwiftShader, Chromium's software renderer: there is no GPU.
// Sound starts only from a viewer's gesture, as in a browser on a desktop.
function launchChromium(chromium, extraArgs = []) {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--enable-unsafe-swiftshader', '--use-angle=swiftshader-webgl', '--autoplay-policy=user-gesture-required',
           ...extraArgs],
  });
}

// Prints a line per check; failures() says how many failed.
function checker() {
  let failed = 0;
  const check = (name, ok, detail) => {
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${detail ? ': ' + detail : ''}`);
    if (!ok) failed++;
  };
  return { check, failures: () => failed };
}

// The errors a page reports: thrown ones and those logged at error level.
function collectErrors(page) {
  const errors = [];
  page.on('pageerror', e => errors.push(e.message));
  page.on('console', m => { if (m.type() === 'error') errors.push(m.text()); });
  return errors;
}

// The page's drawing buffer right after its next turn, top row first, RGB:
// read in the same task as the drawing, before the browser clears it. The
// clock is held at hold first, if given (see web_test_hold_at in
// web/main.cpp). Resolves to { width, height, rgb }.
async function nextFrame(page, hold) {
  const frame = await page.evaluate(hold => new Promise(resolve => {
    if (hold) Module._web_test_hold_at(hold.seed, hold.t);
    Module.postMainLoop = () => {
      Module.postMainLoop = null;
      const gl = Module.ctx, w = gl.drawingBufferWidth, h = gl.drawingBufferHeight;
      const rgba = new Uint8Array(w * h * 4), rgb = new Uint8Array(w * h * 3);
      gl.readPixels(0, 0, w, h, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
      for (let y = 0; y < h; y++) {
        for (let x = 0; x < w; x++) {
          for (let c = 0; c < 3; c++) rgb[(y * w + x) * 3 + c] = rgba[((h - 1 - y) * w + x) * 4 + c];
        }
      }
      let text = '';
      for (let i = 0; i < rgb.length; i += 0x8000) text += String.fromCharCode.apply(null, rgb.subarray(i, i + 0x8000));
      resolve({ width: w, height: h, text: btoa(text) });
    };
  }), hold);
  return { width: frame.width, height: frame.height, rgb: Buffer.from(frame.text, 'base64') };
}

// What the song's output carries against the decoded song at the clock's
// place: the lag (ms) at which the last 8192 samples the page played match
// the song best, and how well (1: exactly). The page plays at the song's
// own rate, so the two line up sample for sample. The audio thread renders
// a buffer of several quanta at a time, and a reading can catch the
// analyser and the context's time on either side of one (a lag of a whole
// buffer, 11.6 ms here), so the median of several readings counts: a
// real offset shows in all of them.
function songAgainstClock(page) {
  return page.evaluate(() => new Promise(resolve => {
    const song = Module.webSong, context = song.context;
    const analyser = context.createAnalyser();
    analyser.fftSize = 8192;
    song.output.connect(analyser);
    const readings = [], readingCount = 5, fillMs = 400, apartMs = 60;
    const read = () => {
      const played = new Float32Array(analyser.fftSize);
      analyser.getFloatTimeDomainData(played);
      const playedUntil = context.currentTime, clockMs = song.clockMs();
      // The analyser mixes the channels down to one.
      const left = song.buffer.getChannelData(0), right = song.buffer.getChannelData(1);
      const rate = context.sampleRate, loop = song.buffer.length;
      // The song's sample rendered at context time x.
      const placeAt = x => Math.round(((song.anchor.showMs - song.heardDelayMs) / 1000 + (x - song.anchor.at)) * rate);
      const first = placeAt(playedUntil) - played.length;
      const maxLag = Math.round(rate / 10), every = 2;
      let best = { lag: 0, likeness: -1 };
      for (let lag = -maxLag; lag <= maxLag; lag++) {
        let ab = 0, aa = 0, bb = 0;
        for (let i = 0; i < played.length; i += every) {
          const j = (((first + lag + i) % loop) + loop) % loop, b = (left[j] + right[j]) / 2;
          ab += played[i] * b; aa += played[i] * played[i]; bb += b * b;
        }
        const likeness = aa > 0 && bb > 0 ? ab / Math.sqrt(aa * bb) : 0;
        if (likeness > best.likeness) best = { lag, likeness };
      }
      readings.push({ clockMs, lagMs: 1000 * best.lag / rate, likeness: best.likeness });
      if (readings.length < readingCount) {
        setTimeout(read, apartMs);
        return;
      }
      song.output.disconnect(analyser);
      readings.sort((a, b) => a.lagMs - b.lagMs);
      const lags = readings.map(reading => Math.round(reading.lagMs * 10) / 10).join(', ');
      resolve({ ...readings[Math.floor(readingCount / 2)], lags });
    };
    // Long enough for the analyser to fill.
    setTimeout(read, fillMs);
  }));
}

// Waits until the page has drawn its first picture and offers to play.
async function untilOffered(page, timeout) {
  await page.waitForFunction(() => window.Module && Module.firstPictureAt &&
                             getComputedStyle(document.getElementById('start')).display !== 'none',
                             null, { timeout });
}

// The sentence the page shows in its message, or null.
function messageShown(page) {
  return page.evaluate(() => {
    const message = document.getElementById('message');
    return getComputedStyle(message).display === 'none' ? null : document.getElementById('message-text').textContent;
  });
}

function readPpm(file) {
  const bytes = fs.readFileSync(file);
  const header = `P6\n${screenWidth} ${screenHeight}\n255\n`;
  if (bytes.toString('latin1', 0, header.length) !== header) throw new Error(`${file} is not a ${screenWidth} x ${screenHeight} PPM`);
  return bytes.subarray(header.length);
}

function writePpm(file, rgb) {
  fs.writeFileSync(file, Buffer.concat([Buffer.from(`P6\n${screenWidth} ${screenHeight}\n255\n`), rgb]));
}

// The largest difference, in one channel, between the mean colours of two
// frames' corresponding 8 x 8 blocks: edges rasterised a pixel apart
// average out in a block, a wrong or displaced picture does not.
function worstBlockDifference(a, b) {
  const block = 8;
  let worst = 0;
  for (let by = 0; by < screenHeight; by += block) {
    for (let bx = 0; bx < screenWidth; bx += block) {
      for (let c = 0; c < 3; c++) {
        let sum = 0;
        for (let y = by; y < by + block; y++) {
          for (let x = bx; x < bx + block; x++) {
            const i = (y * screenWidth + x) * 3 + c;
            sum += a[i] - b[i];
          }
        }
        worst = Math.max(worst, Math.abs(sum) / (block * block));
      }
    }
  }
  return worst;
}

// Frames of the same moment differ where the browser's renderer and Mesa
// rasterise thin edges differently (block differences up to about 25); a
// wrong picture, or the right one a few pixels off, differs by far more.
const sameFrameBlockLimit = 40;

// A check that the page's frame at a moment is the desktop's, the page's
// written beside the desktop's for a look.
function frameChecker(referenceDir, check) {
  return (name, frame) => {
    writePpm(path.join(referenceDir, `page-${name}.ppm`), frame.rgb);
    const worst = frame.width === screenWidth && frame.height === screenHeight
      ? worstBlockDifference(frame.rgb, readPpm(path.join(referenceDir, `${name}.ppm`))) : Infinity;
    check(`the page draws the desktop's frame at ${name}`, worst <= sameFrameBlockLimit,
          `worst 8 x 8 block ${worst.toFixed(1)}`);
  };
}

module.exports = {
  serveFolder, launchChromium, checker, collectErrors, nextFrame, untilOffered, messageShown, songAgainstClock, readPpm,
  worstBlockDifference, sameFrameBlockLimit, frameChecker, screenWidth, screenHeight,
};
