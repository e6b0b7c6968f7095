// The web page in headless Chromium, held to the desktop show: it starts
// on the viewer's gesture with its song, the song plays where the show's
// clock says and follows its jumps and seeks both ways, the keys and the
// player's bar do what they do on the desktop, and at chosen moments the
// page draws the desktop's frames.
// Prints a line per check and ends non-zero if any fails.
//     node page_checks.js PAGE_DIR REFERENCE_DIR SEED T1 T2 ...
// REFERENCE_DIR holds what tests/web/desktop_reference wrote for the same
// seed and moments; the page's frames are written beside them.
'use strict';
const fs = require('fs');
const path = require('path');
const { chromium } = require('playwright-core');
const { serveFolder, launchChromium, checker, collectErrors, nextFrame, untilOffered, messageShown, songAgainstClock,
        frameChecker } = require('./page_tools');

const [pageDir, referenceDir, seed, ...moments] = process.argv.slice(2);

// The song as played against the song where the clock says it is.
const songLagLimitMs = 10;
const songLikenessLimit = 0.9;
// Two decoders of the same song, one rounding to 16 bits (3e-5).
const songSampleLimit = 1e-4;
const waitMs = 60000;
const skipMs = 10000;
// The page's drawing buffer is then the desktop's screen.
const viewport = { width: 1024, height: 768 };
// Starts in a row, each from show time 0 where the song starts later.
const starts = 50;
const startRunsMs = 200;

const { check, failures } = checker();

// The player's bar in a 1024 x 768 buffer: its track's middle row, from
// barLeft to barRight for the script's 318.5 s (app/player_bar.h).
const shortSeekMs = 5000;
const barRow = 732, barLeft = 48, barRight = 976, showEndMs = 318500;
const barXAt = ms => barLeft + (barRight - barLeft) * ms / showEndMs;
const barMsPerPixel = showEndMs / (barRight - barLeft);
const barPlayedX = barLeft + 10, barAheadX = barRight - 16, barClickMs = 150000;
const barPixel = (frame, x) => [...frame.rgb.subarray((barRow * frame.width + x) * 3, (barRow * frame.width + x) * 3 + 3)];
const isPlayedRed = ([r, g, b]) => r > 180 && g < 80 && b < 90;
const isGrey = ([r, g, b]) => Math.abs(r - g) < 12 && Math.abs(g - b) < 12 && r > 60 && r < 200;

const checkFrame = frameChecker(referenceDir, check);

// Where the song is anchored now (null while it waits or is paused).
const anchoredAt = page => page.evaluate(() => Module.webSong.anchor && Module.webSong.anchor.showMs);

// Presses key and waits until the song is anchored somewhere new; returns
// the clock before the press and where the song moved to.
async function moveByKey(page, press) {
  const from = await page.evaluate(() => [Module.webSong.clockMs(), Module.webSong.anchor.showMs, performance.now()]);
  await press();
  await page.waitForFunction(anchored => Module.webSong.anchor && Module.webSong.anchor.showMs !== anchored,
                             from[1], { timeout: waitMs });
  const to = await page.evaluate(() => [Module.webSong.anchor.showMs, performance.now()]);
  return { fromMs: from[0], toMs: to[0], turnMs: to[1] - from[2] };
}

// The song heard where the clock says, as a check line.
async function checkHeard(page, name, landed, detail) {
  const heard = await songAgainstClock(page);
  check(name, landed && Math.abs(heard.lagMs) <= songLagLimitMs && heard.likeness > songLikenessLimit,
        `${detail}; at ${Math.round(heard.clockMs)} ms lag ${heard.lagMs} ms (readings ${heard.lags}), ` +
        `likeness ${heard.likeness.toFixed(3)}`);
}

async function main() {
  const server = await serveFolder(pageDir);
  const browser = await launchChromium(chromium);
  let errors = [];
  try {
    const page = await browser.newPage({ viewport });
    errors = collectErrors(page);
    await page.goto(server.url);

    // Before the gesture: the splash with the play button over it.
    await untilOffered(page, waitMs);
    checkFrame('splash', await nextFrame(page));
    await page.waitForFunction(() => Module.webSong.buffer, null, { timeout: waitMs });
    const before = await page.evaluate(() => ({
      button: document.getElementById('play').textContent,
      hint: document.getElementById('hint').textContent,
      context: Module.webSong.context,
      clock: Module.webSong.clockMs(),
    }));
    check('the play button says the show has sound, and waits for the viewer with the clock at 0',
          /sound/.test(before.button) && /Click, or press Enter or Space/.test(before.hint) &&
          before.context === null && before.clock === 0, JSON.stringify(before));

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

    // Enter starts the song, and the show on it; the button goes.
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => Module.webSong.clockMs() > 2000, null, { timeout: waitMs });
    const overlay = await page.evaluate(() => getComputedStyle(document.getElementById('start')).display);
    await checkHeard(page, 'Enter starts the show, the song where the clock says', overlay === 'none',
                     `play button ${overlay}`);

    // The jumps move the clock and the song together, both ways.
    const jumps = [['r', 'r jumps ahead to the retro banner', 153000], ['c', 'c jumps back to the greetings', 111000],
                   ['s', 's skips 10 s from where the clock was', null]];
    for (const [key, name, target] of jumps) {
      const move = await moveByKey(page, () => page.keyboard.press(key));
      // A skip counts from the clock when its turn came, between the press and now.
      const landed = target === null ? move.toMs >= move.fromMs + skipMs && move.toMs <= move.fromMs + skipMs + move.turnMs
                                     : move.toMs === target;
      await checkHeard(page, `${name}, with the song`, landed,
                       `from ${Math.round(move.fromMs)} to ${Math.round(move.toMs)} ms`);
    }

    // A held key: its auto-repeated keydowns skip nothing more.
    const repeats = 30;
    const held = await moveByKey(page, async () => {
      for (let i = 0; i <= repeats; i++) await page.keyboard.down('s');
      await page.keyboard.up('s');
    });
    await page.waitForTimeout(300);
    const afterHeld = await anchoredAt(page);
    check('a held s skips once', afterHeld === held.toMs && held.toMs <= held.fromMs + skipMs + held.turnMs,
          `${repeats} repeats: from ${Math.round(held.fromMs)} to ${Math.round(afterHeld)} ms`);

    // The player's keys and bar, as on the desktop: Space pauses (the clock
    // holds, the bar shows the time played in red up to the playhead), Right
    // seeks the held clock, Space plays on from there with the song, Home
    // goes back to the start, and a click on the bar goes where it lies.
    await page.keyboard.press('Space');
    // The turn after the press takes it: the song stops there.
    await page.waitForFunction(() => Module.webSong.anchor === null, null, { timeout: waitMs });
    const heldFor = await page.evaluate(async () => {
      const first = Module.webSong.clockMs();
      await new Promise(resolve => setTimeout(resolve, 300));
      return [first, Module.webSong.clockMs()];
    });
    const withBar = await nextFrame(page);
    const played = barPixel(withBar, barPlayedX), ahead = barPixel(withBar, barAheadX);
    fs.writeFileSync(path.join(referenceDir, 'page-bar.png'), await page.screenshot());
    check('Space pauses: the clock holds, and the bar shows the time played',
          heldFor[0] === heldFor[1] && isPlayedRed(played) && isGrey(ahead),
          `clock ${heldFor.join(' then ')} ms; the track ${played} where played, ${ahead} ahead`);
    // The show moves from its frame's whole milliseconds.
    const seekedTo = Math.floor(heldFor[1]) + shortSeekMs;
    await page.keyboard.press('ArrowRight');
    await page.waitForFunction(ms => Module.webSong.clockMs() === ms, seekedTo, { timeout: waitMs });
    await page.keyboard.press('Space');
    await page.waitForFunction(() => Module.webSong.anchor !== null, null, { timeout: waitMs });
    const playedOn = await anchoredAt(page);
    await checkHeard(page, 'Right while paused, then Space: the show plays on 5 s later, with the song',
                     playedOn === seekedTo, `held at ${heldFor[1]}, played on from ${playedOn} ms`);
    const home = await moveByKey(page, () => page.keyboard.press('Home'));
    await page.waitForFunction(() => Module.webSong.clockMs() > 2000, null, { timeout: waitMs });
    await checkHeard(page, 'Home goes back to the start, with the song', home.toMs === 0, `to ${home.toMs} ms`);
    await page.mouse.move(300, 300);
    await page.mouse.move(320, 310);
    const clicked = await moveByKey(page, () => page.mouse.click(barXAt(barClickMs), barRow));
    await checkHeard(page, 'a click on the bar goes where it lies, with the song',
                     Math.abs(clicked.toMs - barClickMs) <= barMsPerPixel, `to ${clicked.toMs} ms`);

    // The player's pause: the clock holds and the sound stops; a move while
    // paused moves the held clock; resumed, the song plays from there.
    const pausedAt = 50000;
    const paused = await page.evaluate(async ms => {
      const song = Module.webSong;
      song.pause(true);
      song.playFrom(ms);
      const first = song.clockMs();
      await new Promise(resolve => setTimeout(resolve, 300));
      return { first, later: song.clockMs(), source: song.source, anchor: song.anchor };
    }, pausedAt);
    check('paused, the clock holds where a move put it, without sound',
          paused.first === pausedAt && paused.later === pausedAt && paused.source === null && paused.anchor === null,
          JSON.stringify(paused));
    await page.evaluate(() => Module.webSong.pause(false));
    await page.waitForFunction(ms => Module.webSong.clockMs() > ms + 500, pausedAt, { timeout: waitMs });
    await checkHeard(page, 'resumed, the clock runs on from where it held, with the song', await anchoredAt(page) === pausedAt,
                     `anchored at ${await anchoredAt(page)} ms`);

    // One mute for the button and the show: each shows what the other did.
    const muteState = () => page.evaluate(() => ({
      muted: Module.webSong.muted, gain: Module.webSong.output.gain.value,
      pressed: document.getElementById('mute').getAttribute('aria-pressed'),
    }));
    await page.click('#mute');
    const mutedByButton = await muteState();
    const clockBefore = await page.evaluate(() => Module.webSong.clockMs());
    await page.evaluate(() => Module.webSong.setMuted(false));
    const unmutedByShow = await muteState();
    const clockAfter = await page.evaluate(() => Module.webSong.clockMs());
    check('the mute button silences the song, the show\'s unmute shows on the button, the clock runs on',
          mutedByButton.muted && mutedByButton.gain === 0 && mutedByButton.pressed === 'true' && !unmutedByShow.muted &&
          unmutedByShow.gain === 1 && unmutedByShow.pressed === 'false' && clockAfter > clockBefore,
          `${JSON.stringify(mutedByButton)} then ${JSON.stringify(unmutedByShow)}`);

    // f and the full-screen button: the browser's full screen, both ways.
    const fullScreen = () => page.evaluate(() => !!document.fullscreenElement);
    for (const [toggle, name] of [[() => page.keyboard.press('f'), 'f'], [() => page.click('#fullscreen'), 'the button']]) {
      await toggle();
      await page.waitForFunction(() => !!document.fullscreenElement, null, { timeout: waitMs });
      await toggle();
      await page.waitForFunction(() => !document.fullscreenElement, null, { timeout: waitMs });
      check(`${name} toggles the browser's full screen`, !(await fullScreen()));
    }

    // Starts from show time 0, where the song starts heardDelayMs later:
    // none may stop the show (a start placed a rounding before the song's
    // first sample is refused by the browser).
    let frozen = 0, tried = 0;
    // After a few frozen starts the rest would only wait.
    const enoughFrozen = 3;
    for (let i = 0; i < starts && frozen < enoughFrozen; i++, tried++) {
      const ran = await page.evaluate(async runs => {
        const song = Module.webSong, frames = Module.framesDrawn;
        try {
          song.playFrom(0);
        } catch (e) {
          return e.message;
        }
        const began = performance.now();
        while (song.clockMs() < runs || Module.framesDrawn <= frames) {
          if (performance.now() - began > 5000) return `clock at ${song.clockMs()} ms`;
          await new Promise(resolve => requestAnimationFrame(resolve));
        }
        return null;
      }, startRunsMs);
      if (ran !== null) {
        frozen++;
        console.log(`start ${i + 1}: ${ran}`);
      }
    }
    check(`${starts} starts in a row from 0, none frozen`, frozen === 0 && tried === starts,
          `${frozen} of ${tried} frozen`);

    // The page's own turns at the chosen moments, the clock held there.
    for (const moment of moments) {
      checkFrame(moment, await nextFrame(page, { seed: +seed, t: +moment }));
    }
    await page.evaluate(() => Module._web_test_hold_at(0, -1));

    await page.keyboard.press('Escape');
    await page.waitForFunction(() => getComputedStyle(document.getElementById('message')).display !== 'none',
                               null, { timeout: waitMs });
    const stopped = { message: await messageShown(page), playing: await page.evaluate(() => Module.webSong.source !== null) };
    check('Esc stops the show and its song', /^Run for \d+ seconds/.test(stopped.message) && !stopped.playing,
          stopped.message);
  } catch (e) {
    check('the page answers', false, e.message.split('\n')[0]);
  } finally {
    check('no errors on the page', errors.length === 0, errors.slice(0, 3).join(' | '));
    await browser.close();
    server.close();
  }
  process.exit(failures() ? 1 : 0);
}

main().catch(e => {
  console.error(`page checks: ${e.message}`);
  process.exit(1);
});
