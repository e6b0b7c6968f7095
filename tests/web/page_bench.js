// The web page's benchmark in headless Chromium (WebGL by SwiftShader, its
// software renderer): the page's size, the time from loading to its first
// picture, and the frame rate of the running show in each part of it and
// over its busiest minute, each beside the rate of a black screen measured
// in the same run. Run through scripts/web --benchmark.
//     node page_bench.js PAGE_DIR
'use strict';
const fs = require('fs');
const path = require('path');
const { chromium } = require('playwright-core');
const { serveFolder, launchChromium } = require('./page_tools');

const pageDir = process.argv[2];
const loads = 5;
const sceneSeconds = 4;
const minuteSeconds = 60;
// The ride with the snow, the emblem, the dancing Santa and the singer
// under the snow: the parts that cost most to draw, one after the other.
const busiestMinuteMs = 48750;
const blackScreenMs = 320000;
const scenes = [
  ['track laid, opening titles', 20000], ['ball rides the track, snow', 55000], ['emblem orbits', 69000],
  ['title screen, dancing Santa', 76000], ['the singer', 90000], ['greetings over the XOR pattern', 112000],
  ['heart chase', 120000], ['retro banner', 153000], ['8-bit computer', 165000], ['credits', 185000],
  ['closing card', 200000],
];

const median = values => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];

// Frames the page drew a second, over seconds of its own clock from showMs.
function frameRate(page, showMs, seconds) {
  return page.evaluate(([showMs, seconds]) => new Promise(resolve => {
    Module.webSong.playFrom(showMs);
    const frames = Module.framesDrawn, began = performance.now();
    setTimeout(() => resolve((Module.framesDrawn - frames) * 1000 / (performance.now() - began)), seconds * 1000);
  }), [showMs, seconds]);
}

async function main() {
  const server = await serveFolder(pageDir);
  const browser = await launchChromium(chromium);
  try {
    const files = fs.readdirSync(pageDir);
    const bytes = files.reduce((sum, name) => sum + fs.statSync(path.join(pageDir, name)).size, 0);
    console.log(`page: ${(bytes / 1e6).toFixed(2)} MB (${files.join(', ')})`);

    const firstPictures = [];
    for (let i = 0; i < loads; i++) {
      const page = await browser.newPage();
      await page.goto(server.url);
      await page.waitForFunction(() => window.Module && Module.firstPictureAt, null, { timeout: 60000 });
      firstPictures.push(await page.evaluate(() => Module.firstPictureAt));
      await page.close();
    }
    console.log(`first picture after loading: median ${Math.round(median(firstPictures))} ms ` +
                `(${firstPictures.map(Math.round).join(', ')})`);

    const page = await browser.newPage({ viewport: { width: 1024, height: 768 } });
    await page.goto(server.url);
    await page.waitForFunction(() => window.Module && Module.webSong && Module.webSong.ready(), null, { timeout: 60000 });
    await page.mouse.click(512, 384);
    // The show's first seconds settle what the start leaves to do.
    await frameRate(page, 0, sceneSeconds);
    const rates = [];
    for (const [name, showMs] of scenes) rates.push([name, await frameRate(page, showMs, sceneSeconds)]);
    const minute = await frameRate(page, busiestMinuteMs, minuteSeconds);
    const floor = await frameRate(page, blackScreenMs, sceneSeconds);
    console.log(`black screen: ${floor.toFixed(1)} frames a second`);
    console.log('scene                              fps   of black');
    for (const [name, fps] of rates) {
      console.log(`${name.padEnd(32)} ${fps.toFixed(1).padStart(5)}   ${(fps / floor).toFixed(2)}`);
    }
    console.log(`busiest minute (${busiestMinuteMs / 1000} to ${busiestMinuteMs / 1000 + minuteSeconds} s): ` +
                `${minute.toFixed(1)} frames a second, ${(minute / floor).toFixed(2)} of black`);
  } finally {
    await browser.close();
    server.close();
  }
}

main().catch(e => {
  console.error(`page benchmark: ${e.message}`);
  process.exit(1);
});
