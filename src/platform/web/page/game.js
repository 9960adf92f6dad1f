// The page around the game: loads it, hands it the player's keys, pointer, fingers and pads,
// shows its frames, plays its sound once the player has pressed something, and tells plainly
// when the browser cannot run it.
'use strict';

(function () {
  const main = document.getElementById('game');
  const query = new URLSearchParams(location.search);
  const canvas = document.getElementById('picture');
  const loading = document.getElementById('loading');
  let game = null;  // the running module
  let started = false;  // the first frame is on the canvas
  let pendingFullScreen = false;
  let gameFullScreen = false;  // what the game last asked for

  // Frames shown and when the first came (ms after the page began), for measuring.
  const stats = { frames: 0, firstPicture: null };
  window.brinecastStats = stats;

  // Tests and scripts read where the page is: loading, running, ended or failed.
  function state(now) {
    document.body.dataset.state = now;
  }

  function plain(text, retry) {
    state('failed');
    loading.hidden = true;
    document.getElementById('notice-text').textContent = text;
    const button = document.getElementById('retry');
    button.hidden = !retry;
    button.onclick = () => location.reload();
    document.getElementById('notice').hidden = false;
  }

  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    plain('This browser cannot run WebAssembly, which the game needs; ' +
          'an up-to-date browser can.');
    return;
  }
  const context = canvas.getContext && canvas.getContext('2d', { alpha: false });
  if (!context) {
    plain('This browser cannot draw the game: its canvas is not available.');
    return;
  }

  // Sound: made now (silent), started at the first key or click as browsers require.
  let audio = null;
  let output = null;
  try {
    audio = new AudioContext();
  } catch (error) {
    audio = null;
  }
  function startOutput() {
    if (!audio || !audio.audioWorklet) return;
    audio.audioWorklet.addModule(main.dataset.worklet).then(() => {
      output = new AudioWorkletNode(audio, 'brinecast-output', { outputChannelCount: [2] });
      output.port.onmessage = (event) => {
        const frames = event.data;
        let samples;
        if (game && game.brinecastPlatform) {
          const at = game._brinecast_audio_render(game.brinecastPlatform, frames) >> 2;
          samples = game.HEAPF32.slice(at, at + frames * 2);
        } else {
          samples = new Float32Array(frames * 2);
        }
        output.port.postMessage(samples, [samples.buffer]);
      };
      output.connect(audio.destination);
    }).catch((error) => console.warn('Brinecast: no sound:', error));
    audio.onstatechange = () => call('audio_running', audio.state === 'running' ? 1 : 0);
  }
  startOutput();

  function requestFullScreen() {
    pendingFullScreen = false;
    if (document.fullscreenElement || !main.requestFullscreen) return;
    main.requestFullscreen().catch(() => { pendingFullScreen = true; });
  }

  // The first key or click also starts what waits for one.
  function gesture() {
    if (audio && audio.state !== 'running') audio.resume().catch(() => {});
    if (pendingFullScreen) requestFullScreen();
  }

  // Hands the game an event, then lets a sleeping game run at once.
  function call(name, ...args) {
    if (!game || !game.brinecastPlatform) return;
    game['_brinecast_' + name](game.brinecastPlatform, ...args);
    if (game.brinecastWake) game.brinecastWake();
  }

  function inBox(clientX, clientY) {
    const box = canvas.getBoundingClientRect();
    return [clientX - box.left, clientY - box.top, box.width, box.height];
  }

  // Keys the browser keeps: reload, its own full screen, developer tools, and its shortcuts.
  function browserKey(event) {
    return event.ctrlKey || event.metaKey || [116, 122, 123].includes(event.keyCode);
  }
  function key(event) {
    if (browserKey(event)) return;
    event.preventDefault();
    const down = event.type === 'keydown';
    if (down) gesture();
    call('key', down ? 1 : 0, event.keyCode, event.altKey ? 1 : 0);
  }
  addEventListener('keydown', key);
  addEventListener('keyup', key);

  canvas.addEventListener('mousemove', (event) => call('pointer', 0, 0, ...inBox(event.clientX, event.clientY)));
  canvas.addEventListener('mousedown', (event) => {
    gesture();
    canvas.focus();
    event.preventDefault();
    call('pointer', 1, event.button, ...inBox(event.clientX, event.clientY));
  });
  addEventListener('mouseup', (event) => call('pointer', 2, event.button, ...inBox(event.clientX, event.clientY)));
  canvas.addEventListener('contextmenu', (event) => event.preventDefault());
  // A double click toggles full screen as Alt+Enter does, through the game's own rule.
  canvas.addEventListener('dblclick', () => call('key', 0, 13, 1));

  function touches(phase) {
    return (event) => {
      event.preventDefault();
      if (phase >= 2) gesture();
      for (const touch of event.changedTouches) {
        call('touch', phase, touch.identifier, ...inBox(touch.clientX, touch.clientY));
      }
    };
  }
  canvas.addEventListener('touchstart', touches(0), { passive: false });
  canvas.addEventListener('touchmove', touches(1), { passive: false });
  canvas.addEventListener('touchend', touches(2), { passive: false });
  canvas.addEventListener('touchcancel', touches(3), { passive: false });

  addEventListener('blur', () => call('focus', 0));
  addEventListener('focus', () => call('focus', 1));
  document.addEventListener('visibilitychange', () => call('focus', document.hidden ? 0 : 1));
  addEventListener('gamepaddisconnected', () => call('pad_removed'));
  // Leaving full screen the browser's way (its Esc) turns the game's setting back to a window,
  // by the game's own Alt+Enter rule, so the options screen tells the truth.
  document.addEventListener('fullscreenchange', () => {
    if (document.fullscreenElement || !gameFullScreen || pendingFullScreen) return;
    gameFullScreen = false;
    call('key', 0, 13, 1);
  });

  // What the game asks of the page.
  const page = {
    audioRate: () => (audio ? audio.sampleRate : 0),
    present(bytes, width, height) {
      const pixels = new Uint8ClampedArray(bytes.buffer, bytes.byteOffset, bytes.length);
      context.putImageData(new ImageData(pixels, width, height), 0, 0);
      ++stats.frames;
      if (!started) {
        loading.hidden = true;
        started = true;
        stats.firstPicture = performance.now();
        state('running');
      }
    },
    setFullScreen(wanted) {
      gameFullScreen = wanted;
      if (!wanted) {
        pendingFullScreen = false;
        if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
        return;
      }
      // Full screen needs a key or click just made; otherwise it waits for the next one.
      const activation = navigator.userActivation;
      if (activation && !activation.isActive) pendingFullScreen = true;
      else requestFullScreen();
    },
    setCursor(shown) {
      canvas.classList.toggle('nocursor', !shown);
    },
    openTab(path) {
      const tab = window.open(path, '_blank');
      if (!tab) return false;
      tab.opener = null;
      return true;
    },
    // how: "game" (the player left), "replay" (watched to its end or left), "refused".
    ended(how) {
      const endings = {
        game: ['Thanks for playing', 'The nets are dry and the boat is tied up.', 'Play again'],
        replay: ['The replay has ended', 'That was the whole game, as it was played.', 'Play'],
        refused: query.has('replay')
          ? ['This game cannot be watched', 'Its recording could not be fetched or read.', 'Play']
          : ['This address cannot be played', 'It asks for a sea the game cannot make.', 'Play'],
      };
      const [title, text, play] = endings[how] || endings.game;
      document.getElementById('ended-title').textContent = title;
      document.getElementById('ended-text').textContent = text;
      const again = document.getElementById('again');
      again.textContent = play;
      again.onclick = () => location.assign(location.pathname);
      const watch = document.getElementById('watch');
      watch.hidden = how !== 'replay';
      watch.onclick = () => location.reload();
      main.classList.add('ended');
      document.getElementById('ended').hidden = false;
      document.body.dataset.ending = how;
      state('ended');
      (how === 'replay' ? watch : again).focus();
    },
    failed(text) {
      plain('The game stopped: ' + text, true);
    },
  };

  // The game's three downloads are fetched here, so that any failure among them is told
  // plainly with a retry, and the game starts from the bytes already in hand.
  const downloadFailed = (error) => {
    console.warn('Brinecast: a download failed:', error);
    plain('The game could not be downloaded. Check the connection and try again.', true);
  };
  const download = (url) =>
    fetch(url).then((reply) => {
      if (!reply.ok) throw new Error(url + ': HTTP ' + reply.status);
      return reply.arrayBuffer();
    });
  const script = (url) =>
    new Promise((resolve, reject) => {
      const element = document.createElement('script');
      element.src = url;
      element.onload = resolve;
      element.onerror = () => reject(new Error(url + ' did not load'));
      document.head.appendChild(element);
    });
  const loads = [download(main.dataset.wasm), download(main.dataset.data), script(main.dataset.glue)];
  Promise.all(loads).then(([wasm, data]) => {
    const settings = {
      brinecastPage: page,
      canvas: canvas,
      wasmBinary: wasm,
      getPreloadedPackage: () => data,
      onAbort: (what) => page.failed(String(what)),
    };
    // Input reaches the game as soon as its platform exists, before the promise settles.
    game = settings;
    createBrinecast(settings).then((module) => { game = module; }, (error) => page.failed(String(error)));
    canvas.focus();
  }, downloadFailed);
})();
