// The page around the program: the terminal widget for its console, the canvas
// for its window, the events both take, and the one wait through which the
// program (suspended by Asyncify) gives the browser its turn. Loaded before the
// program's script, which calls in through window.tavrelPage
// (tavrel_library.js). Events reach the program only while it waits; input
// ends the wait at once, inside the event's own handler, so a key's answer is
// drawn before the handler returns.
(function () {
  'use strict';

  // The program's WebAssembly compiles while the terminal sets itself up
  // (index.html has fetched it ahead); from its bytes where the server does
  // not call it application/wasm, which compiling as it arrives needs.
  var compiled = fetch('tavrel.wasm', { credentials: 'same-origin' }).then(function (response) {
    return WebAssembly.compileStreaming(response.clone()).catch(function () {
      return response.arrayBuffer().then(function (bytes) { return WebAssembly.compile(bytes); });
    });
  });

  var EVENT = { keyDown: 1, keyUp: 2, mouse: 3, wheel: 4, resize: 5, blur: 6 };
  var terminalBox = document.getElementById('terminal');
  var canvas = document.getElementById('screen');
  // Kept in memory: the picture arrives as rows of pixels from the program's
  // memory, and reading it back (a screenshot, getImageData) stays cheap.
  var context = canvas.getContext('2d', { alpha: false, willReadFrequently: true });
  var ended = document.getElementById('ended');

  // The sixteen colours of a Windows console, which the program's colour
  // numbers name; the widget's own palette differs (its black is grey).
  var consoleColours = {
    black: '#000000', red: '#800000', green: '#008000', yellow: '#808000',
    blue: '#000080', magenta: '#800080', cyan: '#008080', white: '#c0c0c0',
    brightBlack: '#808080', brightRed: '#ff0000', brightGreen: '#00ff00',
    brightYellow: '#ffff00', brightBlue: '#0000ff', brightMagenta: '#ff00ff',
    brightCyan: '#00ffff', brightWhite: '#ffffff',
    background: '#000000', foreground: '#c0c0c0', cursor: '#c0c0c0',
  };
  // A steady cursor: the widget's blinking redraws cost a waiting page
  // several percent of a core.
  var term = new Terminal({
    cols: 80, rows: 25, cursorBlink: false, scrollback: 0, fontSize: 16,
    fontFamily: 'monospace', theme: consoleColours,
  });
  term.open(terminalBox);
  term.focus();
  window.tavrelTerm = term;
  window.tavrelState = 'console';
  window.tavrelStats = { keyToCanvas: [] };

  var encoder = new TextEncoder();
  var typed = [];        // bytes typed into the terminal, not yet read
  var events = [];       // window events, not yet taken
  var pendingKeys = [];  // window keys taken since the last put on the canvas
  var resume = null;     // the suspended program's wake-up
  var waitToken = 0;
  var channel = new MessageChannel();

  function wake(token, input) {
    if (!resume || token !== waitToken) return;
    var wakeUp = resume;
    resume = null;
    try {
      wakeUp(input);
    } catch (e) {
      // exit() ends the program by throwing; onExit has shown the end.
      if (!(e && e.name === 'ExitStatus')) throw e;
    }
  }
  channel.port1.onmessage = function (message) { wake(message.data, 0); };

  function inputArrived() { wake(waitToken, 1); }

  term.onData(function (data) {
    var bytes = encoder.encode(data);
    for (var i = 0; i < bytes.length; i++) typed.push(bytes[i]);
    inputArrived();
  });

  function queue(event) {
    if (window.tavrelState !== 'window') return;
    events.push(event);
    inputArrived();
  }

  function modifiers(e) { return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0); }

  // The character a key types: its key when that is one character.
  function character(key) {
    var code = key.codePointAt(0);
    return key.length === (code > 0xFFFF ? 2 : 1) ? code : 0;
  }

  function onKey(e) {
    if (window.tavrelState !== 'window' || e.key === 'F11' || e.key === 'F12') return;
    e.preventDefault();
    var down = e.type === 'keydown';
    if (down) pendingKeys.push({ key: e.key, at: e.timeStamp });
    queue([down ? EVENT.keyDown : EVENT.keyUp, e.keyCode, character(e.key), modifiers(e), 0]);
  }
  window.addEventListener('keydown', onKey);
  window.addEventListener('keyup', onKey);

  function onMouse(e) {
    var x = Math.floor(e.offsetX * canvas.width / canvas.clientWidth);
    var y = Math.floor(e.offsetY * canvas.height / canvas.clientHeight);
    if (e.type === 'mouseleave') x = y = -1;
    queue([EVENT.mouse, x, y, e.buttons & 7, 0]);
  }
  ['mousemove', 'mousedown', 'mouseup', 'mouseleave'].forEach(function (type) {
    canvas.addEventListener(type, onMouse);
  });
  canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
  canvas.addEventListener('wheel', function (e) {
    e.preventDefault();
    if (e.deltaY !== 0) queue([EVENT.wheel, e.deltaY < 0 ? 1 : -1, 0, 0, 0]);
  }, { passive: false });
  window.addEventListener('resize', function () { queue([EVENT.resize, 0, 0, 0, 0]); });
  document.addEventListener('fullscreenchange', function () { queue([EVENT.resize, 0, 0, 0, 0]); });
  window.addEventListener('blur', function () { queue([EVENT.blur, 0, 0, 0, 0]); });

  function showEnd() {
    if (resume) resume = null;
    if (document.fullscreenElement) document.exitFullscreen();
    window.tavrelState = 'ended';
    ended.hidden = false;
    document.getElementById('again').focus();
  }
  document.getElementById('again').addEventListener('click', function () { location.reload(); });

  window.tavrelPage = {
    wait: function (ms, wakeUp) {
      pendingKeys = [];  // taken without changing the canvas
      if (typed.length || events.length) { wakeUp(1); return; }
      var token = ++waitToken;
      resume = wakeUp;
      if (ms === 0) channel.port2.postMessage(token);
      else if (ms > 0) setTimeout(function () { wake(token, 0); }, ms);
    },
    termWrite: function (bytes) { term.write(bytes); },
    termRead: function (size) { return typed.splice(0, size); },
    showWindow: function (shown, width, height) {
      if (shown && (canvas.width !== width || canvas.height !== height)) {
        canvas.width = width;
        canvas.height = height;
      }
      canvas.hidden = !shown;
      terminalBox.hidden = shown;
      window.tavrelState = shown ? 'window' : 'console';
      if (shown) {
        term.blur();
        canvas.focus();
      } else {
        events = [];
        if (document.fullscreenElement) document.exitFullscreen();
        term.focus();
      }
    },
    putRows: function (pixels, width, first, count) {
      var view = new Uint8ClampedArray(pixels.buffer, pixels.byteOffset, pixels.length);
      context.putImageData(new ImageData(view, width, count), 0, first);
      var done = performance.now();
      pendingKeys.forEach(function (key) {
        var record = { key: key.key, toCanvas: done - key.at, toFrame: null };
        window.tavrelStats.keyToCanvas.push(record);
        requestAnimationFrame(function () { record.toFrame = performance.now() - key.at; });
      });
      pendingKeys = [];
    },
    nextEvent: function () { return events.shift(); },
    pageSize: function () {
      return [window.innerWidth, window.innerHeight, window.devicePixelRatio || 1];
    },
    placeCanvas: function (width, height) {
      canvas.style.width = width + 'px';
      canvas.style.height = height + 'px';
    },
    toggleFullscreen: function () {
      var request = document.fullscreenElement ? document.exitFullscreen()
        : document.documentElement.requestFullscreen();
      // Refused (no user gesture, or a browser without fullscreen): the
      // window stays as it is.
      if (request && request.catch) request.catch(function () {});
    },
  };

  window.Module = {
    print: function (text) { console.log(text); },
    printErr: function (text) { console.error(text); },
    onExit: showEnd,
    onAbort: showEnd,
    instantiateWasm: function (imports, receiveInstance) {
      compiled.then(function (module) {
        return WebAssembly.instantiate(module, imports).then(function (instance) {
          receiveInstance(instance, module);
        });
      }).catch(function (e) { console.error('tavrel: the program did not load: ' + e); });
      return {};
    },
  };
})();
