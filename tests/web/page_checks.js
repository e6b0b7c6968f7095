// The web page in headless Chromium, held to the desktop show: it starts
// on the viewer's gesture with its song, the song plays where the show's
// clock says and follows its jumps both ways, the keys do what they do on
// the desktop, and at chosen moments the page draws the desktop's frames.
// Prints a line per check and ends non-zero if any fails.
//     node page_checks.js PAGE_DIR REFERENCE_DIR SEED T1 T2 ...
// REFERENCE_DIR holds what tests/web/desktop_reference wrote for the same
// seed and moments; the page's frames are written beside them.
'use strict';
const fs = require('fs');
const path = require('path');
const { chromium } = require('playwright-core');
const { serveFolder, launchChromium, readPpm, writePpm, worstBlockDifference, screenWidth, screenHeight } =
  require('./page_tools');

const [pageDir, referenceDir, seed, ...moments] = process.argv.slice(2);

// Frames of the same moment differ where SwiftShader and Mesa rasterise
// thin edges differently (block differences up to about 25); a wrong
// picture, or the right one a few pixels off, differs by far more.
const sameFrameBlockLimit = 40;
// The song as played against the song where the clock says it is.
const songLagLimitMs = 10;
const songLikenessLimit = 0.9;
// Two decoders of the same song, one rounding to 16 bits (3e-5).
const songSampleLimit = 1e-4;
const waitMs = 60000;
const skipMs = 10000;
const viewport = { width: 1280, height: 720 };

let failures = 0;
function check(name, ok, detail) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${detail ? ': ' + detail : ''}`);
  if (!ok) failures++;
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
      const placeAt = x => Math.round(((song.anchor.showMs - song.heardDelayMs) / 1000 + (x - song.anchor.heardAt)) * rate);
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

// The canvas right after the page's next turn, top row first, RGB: read
// in the same task as the drawing, before the browser clears it. The clock
// is held at hold first, if given (see web_test_hold_at in web/main.cpp).
function nextFrame(page, hold) {
  return page.evaluate(hold => new Promise(resolve => {
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
      resolve(btoa(text));
    };
  }), hold).then(text => Buffer.from(text, 'base64'));
}

function checkFrame(name, frame) {
  writePpm(path.join(referenceDir, `page-${name}.ppm`), frame);
  const worst = worstBlockDifference(frame, readPpm(path.join(referenceDir, `${name}.ppm`)));
  check(`the page draws the desktop's frame at ${name}`, worst <= sameFrameBlockLimit,
        `worst 8 x 8 block ${worst.toFixed(1)}`);
}

async function main() {
  const server = await serveFolder(pageDir);
  const browser = await launchChromium(chromium);
  const errors = [];
  try {
    const page = await browser.newPage({ viewport });
    page.on('pageerror', e => errors.push(e.message));
    // Emscripten's warnings that the OpenGL emulation is in use come as errors.
    page.on('console', m => { if (m.type() === 'error' && !/^WARNING: using emscripten GL/.test(m.text())) errors.push(m.text()); });
    await page.goto(server.url);

    // Before the gesture: the splash, then the prompt once the song is in.
    await page.waitForFunction(() => window.Module && Module.firstPictureAt, null, { timeout: waitMs });
    checkFrame('splash', await nextFrame(page));
    const box = await page.evaluate(() => {
      const r = Module.canvas.getBoundingClientRect();
      return { left: r.left, top: r.top, width: r.width, height: r.height };
    });
    const fitted = { width: viewport.height * 4 / 3, left: (viewport.width - viewport.height * 4 / 3) / 2 };
    check('the 4:3 canvas fills the window\'s height, centred', Math.abs(box.width - fitted.width) < 1 &&
          box.height === viewport.height && Math.abs(box.left - fitted.left) < 1 && box.top === 0,
          `${box.width} x ${box.height} at ${box.left}, ${box.top}`);
    await page.waitForFunction(() => getComputedStyle(document.getElementById('prompt')).display === 'block', null,
                               { timeout: waitMs });
    const before = await page.evaluate(() => ({
      ready: Module.webSong.ready(),
      context: Module.webSong.context,
      clock: Module.webSong.clockMs(),
    }));
    check('the prompt waits for the viewer, the song decoded, no sound and the clock at 0',
          before.ready && before.context === null && before.clock === 0, JSON.stringify(before));

    // The decoded song is what the desktop mixes, from the same sample on,
    // and loops where the desktop's loops.
    const desktopSong = fs.readFileSync(path.join(referenceDir, 'song.raw'));
    const desktopLoop = Number(fs.readFileSync(path.join(referenceDir, 'song.txt'), 'latin1'));
    const pageSong = await page.evaluate(samples => {
      const buffer = Module.webSong.buffer, both = new Float32Array(2 * samples);
      for (let c = 0; c < 2; c++) {
        const channel = buffer.getChannelData(c);
        for (let i = 0; i < samples; i++) both[2 * i + c] = channel[i];
      }
      const bytes = new Uint8Array(both.buffer);
      let text = '';
      for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
      return { loop: buffer.length, samples: btoa(text) };
    }, desktopSong.length / 4);
    const pageSamples = new Float32Array(new Uint8Array(Buffer.from(pageSong.samples, 'base64')).buffer);
    let largest = 0;
    for (let i = 0; i < pageSamples.length; i++) {
      largest = Math.max(largest, Math.abs(pageSamples[i] - desktopSong.readInt16LE(2 * i) / 32768));
    }
    check('the page\'s song is the desktop\'s, sample for sample, with its loop',
          pageSong.loop === desktopLoop && largest <= songSampleLimit,
          `loop ${pageSong.loop} samples (desktop ${desktopLoop}), largest difference ${largest.toExponential(1)} ` +
          `over the first ${pageSamples.length / 2} samples`);

    // The gesture starts the song, and the show on it.
    await page.mouse.click(viewport.width / 2, viewport.height / 2);
    await page.waitForFunction(() => Module.webSong.clockMs() > 2000, null, { timeout: waitMs });
    let heard = await songAgainstClock(page);
    check('after the click the song plays where the clock says',
          Math.abs(heard.lagMs) <= songLagLimitMs && heard.likeness > songLikenessLimit,
          `clock ${Math.round(heard.clockMs)} ms, lag ${heard.lagMs} ms (readings ${heard.lags}), ` +
          `likeness ${heard.likeness.toFixed(3)}`);

    // The jumps move the clock and the song together, both ways.
    const jumps = [['r', 'r jumps ahead to the retro banner', 153000], ['c', 'c jumps back to the greetings', 111000],
                   ['s', 's skips 10 s from where the clock was', null]];
    for (const [key, name, target] of jumps) {
      const from = await page.evaluate(() => [Module.webSong.clockMs(), Module.webSong.anchor.showMs, performance.now()]);
      await page.keyboard.press(key);
      // The move has reached the song once it is anchored somewhere new.
      await page.waitForFunction(anchored => Module.webSong.anchor && Module.webSong.anchor.showMs !== anchored,
                                 from[1], { timeout: waitMs });
      const movedTo = await page.evaluate(() => [Module.webSong.anchor.showMs, performance.now()]);
      heard = await songAgainstClock(page);
      // A skip counts from the clock when its turn came, between the press and now.
      const landed = target === null ? movedTo[0] >= from[0] + skipMs && movedTo[0] <= from[0] + skipMs + movedTo[1] - from[2]
                                     : movedTo[0] === target;
      check(`${name}, with the song`, landed && Math.abs(heard.lagMs) <= songLagLimitMs &&
            heard.likeness > songLikenessLimit,
            `from ${Math.round(from[0])} to ${Math.round(movedTo[0])} ms; at ${Math.round(heard.clockMs)} ms lag ` +
            `${heard.lagMs} ms (readings ${heard.lags}), likeness ${heard.likeness.toFixed(3)}`);
    }

    // f is the browser's full screen, both ways.
    await page.keyboard.press('f');
    await page.waitForFunction(() => !!document.fullscreenElement, null, { timeout: waitMs });
    await page.keyboard.press('f');
    await page.waitForFunction(() => !document.fullscreenElement, null, { timeout: waitMs });
    check('f toggles the browser\'s full screen', true);

    // The page's own turns at the chosen moments, the clock held there.
    for (const moment of moments) {
      checkFrame(moment, await nextFrame(page, { seed: +seed, t: +moment }));
    }
    await page.evaluate(() => Module._web_test_hold_at(0, -1));

    await page.keyboard.press('Escape');
    await page.waitForFunction(() => getComputedStyle(document.getElementById('message')).display === 'block',
                               null, { timeout: waitMs });
    const stopped = await page.evaluate(() => ({
      message: document.getElementById('message').textContent,
      playing: Module.webSong.source !== null,
    }));
    check('Esc stops the show and its song', /^Run for \d+ seconds$/.test(stopped.message) && !stopped.playing,
          stopped.message);
  } catch (e) {
    check('the page answers', false, e.message.split('\n')[0]);
  } finally {
    check('no errors on the page', errors.length === 0, errors.slice(0, 3).join(' | '));
    await browser.close();
    server.close();
  }
  process.exit(failures ? 1 : 0);
}

main().catch(e => {
  console.error(`page checks: ${e.message}`);
  process.exit(1);
});
