// The page around the game: loads it, hands it the player's keys, pointer, fingers and pads,
// shows its frames, plays its sound once the player has pressed something, and tells plainly
// when the browser cannot run it.
'use strict';

(function () {
  const main = document.getElementById('game');
  const canvas = document.getElementById('picture');
  const loading = document.getElementById('loading');
  let game = null;  // the running module
  let started = false;  // the first frame is on the canvas
  let pendingFullScreen = false;

  function plain(text, retry) {
    loading.hidden = true;
    document.getElementById('notice-text').textContent = text;
    const button = document.getElementById('retry');
    button.hidden = !retry;
    button.onclick = () => location.reload();
    document.getElementById('notice').hidden = false;
  }

  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    plain('This browser cannot run WebAssembly, which the game needs. ' +
          'A current Firefox, Chrome, Edge or Safari can.');
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

  // What the game asks of the page.
  const page = {
    audioRate: () => (audio ? audio.sampleRate : 0),
    present(bytes, width, height) {
      const pixels = new Uint8ClampedArray(bytes.buffer, bytes.byteOffset, bytes.length);
      context.putImageData(new ImageData(pixels, width, height), 0, 0);
      loading.hidden = true;
      started = true;
    },
    setFullScreen(wanted) {
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
    ended() {
      main.classList.add('ended');
      const again = document.getElementById('again');
      again.onclick = () => location.assign(location.pathname);
      document.getElementById('ended').hidden = false;
      again.focus();
    },
    failed(text) {
      plain('The game stopped: ' + text, true);
    },
  };

  const names = { 'brinecast.wasm': main.dataset.wasm, 'brinecast.data': main.dataset.data };
  const downloadFailed = () => plain('The game could not be downloaded. Check the connection and try again.', true);
  // The data package's loader throws when its download fails.
  addEventListener('error', () => { if (!started) downloadFailed(); });
  const glue = document.createElement('script');
  glue.src = main.dataset.glue;
  glue.onerror = downloadFailed;
  glue.onload = () => {
    const settings = {
      brinecastPage: page,
      canvas: canvas,
      locateFile: (name) => names[name] || name,
      onAbort: (what) => (started ? page.failed(String(what)) : downloadFailed()),
    };
    createBrinecast(settings).then((module) => { game = module; }, downloadFailed);
    // Input reaches the game as soon as its platform exists, before the promise settles.
    game = settings;
    canvas.focus();
  };
  document.head.appendChild(glue);
})();
