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
mergeInto(LibraryManager.library, {
  $WebSong__postset: "Module['webSong'] = WebSong;",
  $WebSong: {
    // A move is scheduled this far ahead of the context's time, so that the
    // song starts exactly where the clock says rather than a render late.
    scheduleAheadS: 0.05,
    heardDelayMs: 0,
    rate: 0,           // the song's samples a second
    buffer: null,      // the loop, once decoded
    opening: 0,        // which opening the decoding belongs to
    failure: null,     // why the song cannot play
    context: null,     // made at the viewer's start gesture
    output: null,      // what every source plays into: the mute
    muted: false,
    source: null,      // the source playing now
    anchor: null,      // the clock read showMs when context time heardAt was heard
    pendingMs: null,   // a start or move waiting for the decoding or the context
    shownMs: 0,        // the clock's last reading: it goes back only by a move
    heldMs: null,      // the page's checks hold the clock here

    fail: function(why) {
      WebSong.failure = why;
      err(why);
      if (Module['onSongFailed']) Module['onSongFailed'](why);
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
        WebSong.settle();
      }, function(error) {
        WebSong.fail('cannot decode the song: ' + error);
      });
    },

    // Whether the song is decoded, ready to start.
    ready: function() {
      return WebSong.buffer !== null;
    },

    // At the viewer's gesture (browsers let sound start only from one): the
    // audio context, made or resumed inside the gesture's own handler.
    unlock: function() {
      if (!WebSong.context) {
        // At the song's own rate, so that the song plays sample for sample
        // on the context's clock; the browser converts for the device.
        WebSong.context = new AudioContext({sampleRate: WebSong.rate});
        WebSong.output = WebSong.context.createGain();
        WebSong.output.gain.value = WebSong.muted ? 0 : 1;
        WebSong.output.connect(WebSong.context.destination);
      }
      WebSong.context.resume();
    },

    // The context time whose sound is being heard now.
    heardNow: function() {
      var context = WebSong.context;
      if (context.state == 'running' && context.getOutputTimestamp) {
        var stamp = context.getOutputTimestamp();
        if (stamp.contextTime > 0) return stamp.contextTime + (performance.now() - stamp.performanceTime) / 1000;
      }
      return context.currentTime - (context.outputLatency || 0) - (context.baseLatency || 0);
    },

    // The song to be heard so that the clock reads showMs now, from the
    // moment the song is decoded and the context runs; until then the
    // clock holds there.
    playFrom: function(showMs) {
      WebSong.pendingMs = showMs;
      WebSong.anchor = null;
      WebSong.shownMs = showMs;
      WebSong.settle();
    },

    settle: function() {
      var context = WebSong.context;
      if (WebSong.pendingMs === null || !WebSong.buffer || !context || context.state != 'running') return;
      var showMs = WebSong.pendingMs, heardAt = WebSong.heardNow();
      // Before heardDelayMs the show is silent: the song starts later.
      var startAt = Math.max(context.currentTime + WebSong.scheduleAheadS,
                             heardAt + (WebSong.heardDelayMs - showMs) / 1000);
      var place = (showMs - WebSong.heardDelayMs) / 1000 + (startAt - heardAt);
      var source = context.createBufferSource();
      source.buffer = WebSong.buffer;
      source.loop = true;
      source.connect(WebSong.output);
      source.start(startAt, place % WebSong.buffer.duration);
      // What played before goes on until the song picks up at its new place.
      if (WebSong.source) WebSong.source.stop(startAt);
      WebSong.source = source;
      WebSong.anchor = {showMs: showMs, heardAt: heardAt};
      WebSong.pendingMs = null;
    },

    clockMs: function() {
      if (WebSong.heldMs !== null) return WebSong.heldMs;
      WebSong.settle();
      if (WebSong.anchor) {
        var ms = WebSong.anchor.showMs + 1000 * (WebSong.heardNow() - WebSong.anchor.heardAt);
        // The output timestamp jitters by a few ms.
        WebSong.shownMs = Math.max(WebSong.shownMs, ms);
      }
      return WebSong.shownMs;
    },

    mute: function() {
      WebSong.muted = true;
      if (WebSong.output) WebSong.output.gain.value = 0;
    },

    close: function() {
      if (WebSong.source) WebSong.source.stop();
      WebSong.source = null;
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
  web_song_mute__deps: ['$WebSong'],
  web_song_mute: function() {
    WebSong.mute();
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
