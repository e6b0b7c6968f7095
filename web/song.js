// The show's song in a web page, for web/audio.cpp, standing in for the
// desktop's player and mixer: the browser decodes the song once, Web Audio
// plays it, and the show's clock follows what is heard.
//
// The desktop mixes a lead-in before the song's first sample (the
// information frame decoded as silence, the encoder's and the decoder's
// delays), then the song, looping every loopSamples. The browser's decoder
// leaves the lead-in out, so the decoded song goes back into a buffer of
// exactly one loop, at its place: sample s of the buffer is what the
// desktop mixes at show sample s, and every loop falls where it falls there.
//
// A viewer hears the desktop's mix heardDelayMs late, and the song is
// composed for that: the frame for show time t goes with the buffer's
// sample at t - heardDelayMs as it is heard. So the clock here is the
// buffer's place heard now (the audio context's output timestamp, or its
// output latency where the browser gives no timestamp) plus heardDelayMs.
//
// Where the sound cannot play (the song cannot be decoded, or the browser
// never lets the audio context run), the show goes on silently on the
// page's own clock, as the desktop does without a sound device.
mergeInto(LibraryManager.library, {
  $WebSong__postset: "Module['webSong'] = WebSong;",
  $WebSong: {
    // A move is scheduled this far ahead of the context's time, so that the
    // song starts exactly where the clock says rather than a render late.
    scheduleAheadS: 0.05,
    // How long a context may take to run after the viewer's start before
    // the show goes on without sound. A context that runs starts within a
    // few tens of ms; one that cannot (no sound device) never does.
    startGraceMs: 1500,
    heardDelayMs: 0,
    rate: 0,           // the song's samples a second
    buffer: null,      // the loop, once decoded
    opening: 0,        // which opening the decoding belongs to
    silentWhy: null,   // why the show plays without sound, while it does
    context: null,     // made at the viewer's start gesture
    output: null,      // what every source plays into: the mute
    muted: false,
    paused: false,
    source: null,      // the source playing now
    anchor: null,      // the clock read showMs when now() read at
    pendingMs: null,   // a start or move waiting for the decoding or the context
    shownMs: 0,        // the clock's last reading: it goes back only by a move
    heldMs: null,      // the page's checks hold the clock here

    // The show plays on without sound from now on (or until the context
    // runs after all), from where the clock is; the page says why.
    goSilent: function(why) {
      if (WebSong.silentWhy !== null) return;
      var showMs = WebSong.anchor ? WebSong.clockMs() : WebSong.shownMs;
      WebSong.silentWhy = why;
      WebSong.stopSource();
      if (WebSong.anchor || WebSong.pendingMs !== null) WebSong.playFrom(showMs);
      if (Module['onSoundChanged']) Module['onSoundChanged'](why);
    },

    // The sound takes the clock over again, from where the silent clock is.
    goAudible: function() {
      if (WebSong.silentWhy === null || !WebSong.buffer) return;
      var showMs = WebSong.anchor ? WebSong.clockMs() : WebSong.shownMs;
      var moving = WebSong.anchor || WebSong.pendingMs !== null;
      WebSong.silentWhy = null;
      if (moving) WebSong.playFrom(showMs);
      if (Module['onSoundChanged']) Module['onSoundChanged'](null);
    },

    decode: function(bytes, loopSamples, leadInSamples, rate) {
      var opening = ++WebSong.opening;
      var channels = 2;
      new OfflineAudioContext(channels, 1, rate).decodeAudioData(bytes).then(function(song) {
        if (opening != WebSong.opening) return;
        var loop = new AudioBuffer({numberOfChannels: channels, length: loopSamples, sampleRate: rate});
        for (var c = 0; c < channels; c++) {
          var samples = song.getChannelData(Math.min(c, song.numberOfChannels - 1));
          loop.copyToChannel(samples.subarray(0, loopSamples - leadInSamples), c, leadInSamples);
        }
        WebSong.buffer = loop;
        // A context that came to run while the song decoded takes over.
        if (WebSong.context && WebSong.context.state == 'running') WebSong.goAudible();
        WebSong.settle();
      }, function(error) {
        if (opening != WebSong.opening) return;
        err('cannot decode the song: ' + error);
        WebSong.goSilent('this browser cannot decode the song');
      });
    },

    // Whether the show can start: the song decoded, or the show to go on
    // without it.
    ready: function() {
      return WebSong.buffer !== null || WebSong.silentWhy !== null;
    },

    // At the viewer's gesture (browsers let sound start only from one): the
    // audio context, made or resumed inside the gesture's own handler.
    unlock: function() {
      if (!WebSong.context) {
        try {
          // At the song's own rate, so that the song plays sample for
          // sample on the context's clock; the browser converts for the
          // device. A browser that knows no such option gets its own rate.
          try {
            WebSong.context = new AudioContext({sampleRate: WebSong.rate});
          } catch (rateRefused) {
            WebSong.context = new AudioContext();
          }
        } catch (error) {
          err('cannot make an audio context: ' + error);
          WebSong.goSilent('this browser cannot play sound here');
          return;
        }
        WebSong.output = WebSong.context.createGain();
        WebSong.output.gain.value = WebSong.muted ? 0 : 1;
        WebSong.output.connect(WebSong.context.destination);
        WebSong.context.onstatechange = function() {
          if (WebSong.context.state == 'running') WebSong.goAudible();
        };
        setTimeout(function() {
          if (WebSong.context.state != 'running') WebSong.goSilent('the browser did not start the sound');
        }, WebSong.startGraceMs);
      }
      WebSong.context.resume().catch(function(error) { err('the audio context does not run: ' + error); });
    },

    // Whether the clock follows the sound (else the page's own time).
    audible: function() {
      return WebSong.silentWhy === null;
    },

    // The time, in seconds, that the clock runs on: the context time whose
    // sound is being heard now, or the page's time when silent.
    now: function() {
      if (!WebSong.audible()) return performance.now() / 1000;
      var context = WebSong.context;
      if (context.state == 'running' && context.getOutputTimestamp) {
        var stamp = context.getOutputTimestamp();
        if (stamp.contextTime > 0) return stamp.contextTime + (performance.now() - stamp.performanceTime) / 1000;
      }
      return context.currentTime - (context.outputLatency || 0) - (context.baseLatency || 0);
    },

    // The song to be heard so that the clock reads showMs now, from the
    // moment the song is decoded and the context runs; until then, and
    // while paused, the clock holds there.
    playFrom: function(showMs) {
      WebSong.pendingMs = WebSong.paused ? null : showMs;
      WebSong.anchor = null;
      WebSong.shownMs = showMs;
      WebSong.settle();
    },

    // Where the song starts, in seconds into the loop, when context time
    // startAt is heard at heardAt and the clock is to read showMs then. At
    // least 0: the sum can come out a rounding below it (-1.1e-16 for a
    // start at 0), which start() refuses.
    placeAt: function(showMs, startAt, heardAt, loopS) {
      var place = (showMs - WebSong.heardDelayMs) / 1000 + (startAt - heardAt);
      return Math.max(0, place % loopS);
    },

    settle: function() {
      if (WebSong.pendingMs === null) return;
      var showMs = WebSong.pendingMs;
      if (!WebSong.audible()) {
        WebSong.anchor = {showMs: showMs, at: WebSong.now()};
        WebSong.pendingMs = null;
        return;
      }
      var context = WebSong.context;
      if (!WebSong.buffer || !context || context.state != 'running') return;
      var heardAt = WebSong.now();
      // Before heardDelayMs the show is silent: the song starts later.
      var startAt = Math.max(context.currentTime + WebSong.scheduleAheadS,
                             heardAt + (WebSong.heardDelayMs - showMs) / 1000);
      var source = context.createBufferSource();
      source.buffer = WebSong.buffer;
      source.loop = true;
      source.connect(WebSong.output);
      source.start(startAt, WebSong.placeAt(showMs, startAt, heardAt, WebSong.buffer.duration));
      // What played before goes on until the song picks up at its new place.
      if (WebSong.source) WebSong.source.stop(startAt);
      WebSong.source = source;
      WebSong.anchor = {showMs: showMs, at: heardAt};
      WebSong.pendingMs = null;
    },

    clockMs: function() {
      if (WebSong.heldMs !== null) return WebSong.heldMs;
      WebSong.settle();
      if (WebSong.anchor) {
        var ms = WebSong.anchor.showMs + 1000 * (WebSong.now() - WebSong.anchor.at);
        // The output timestamp jitters by a few ms.
        WebSong.shownMs = Math.max(WebSong.shownMs, ms);
      }
      return WebSong.shownMs;
    },

    // Paused, the clock holds at its reading and the sound stops; resumed,
    // the song starts again exactly where the clock held, as after a move.
    pause: function(paused) {
      if (paused == WebSong.paused) return;
      if (paused) {
        var showMs = WebSong.clockMs();
        WebSong.paused = true;
        WebSong.stopSource();
        WebSong.playFrom(showMs);
      } else {
        WebSong.paused = false;
        WebSong.playFrom(WebSong.shownMs);
      }
    },

    // The one mute of the page: the show's calls and the page's button both
    // come here, and the page shows the result.
    setMuted: function(muted) {
      WebSong.muted = muted;
      if (WebSong.output) WebSong.output.gain.value = muted ? 0 : 1;
      if (Module['onMuteChanged']) Module['onMuteChanged'](muted);
    },

    stopSource: function() {
      if (WebSong.source) WebSong.source.stop();
      WebSong.source = null;
    },

    close: function() {
      WebSong.stopSource();
      WebSong.anchor = null;
      WebSong.pendingMs = null;
      WebSong.buffer = null;
      ++WebSong.opening;
    },
  },

  web_song_open__deps: ['$WebSong'],
  web_song_open: function(data, size, loopSamples, leadInSamples, rate, heardDelayMs) {
    WebSong.close();
    WebSong.heardDelayMs = heardDelayMs;
    WebSong.rate = rate;
    // A copy: decodeAudioData takes its bytes over.
    WebSong.decode(HEAPU8.slice(data, data + size).buffer, loopSamples, leadInSamples, rate);
  },
  web_song_play_from__deps: ['$WebSong'],
  web_song_play_from: function(showMs) {
    WebSong.playFrom(showMs);
  },
  web_song_clock_ms__deps: ['$WebSong'],
  web_song_clock_ms: function() {
    return WebSong.clockMs();
  },
  web_song_pause__deps: ['$WebSong'],
  web_song_pause: function(paused) {
    WebSong.pause(!!paused);
  },
  web_song_muted__deps: ['$WebSong'],
  web_song_muted: function() {
    return WebSong.muted;
  },
  web_song_set_muted__deps: ['$WebSong'],
  web_song_set_muted: function(muted) {
    WebSong.setMuted(!!muted);
  },
  web_song_close__deps: ['$WebSong'],
  web_song_close: function() {
    WebSong.close();
  },
  web_song_hold__deps: ['$WebSong'],
  web_song_hold: function(showMs) {
    WebSong.heldMs = showMs < 0 ? null : showMs;
  },
});
