// What the page's checks and its benchmark share: the page served from its
// folder on a free local port, Debian's Chromium started headless, and
// frames as binary PPM files.
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');

const screenWidth = 1024;
const screenHeight = 768;

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

// Serves the folder's files on 127.0.0.1; resolves to { url, close }.
function serveFolder(folder) {
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
      response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
      response.end(data);
    });
  });
  return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => server.close(),
  })));
}

// WebGL through SwiftShader, Chromium's software renderer: there is no GPU.
function launchChromium(chromium) {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--enable-unsafe-swiftshader', '--use-angle=swiftshader-webgl'],
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

module.exports = { serveFolder, launchChromium, readPpm, writePpm, worstBlockDifference, screenWidth, screenHeight };
