// The page's side of the program's calls (console/web_host.h), linked into the
// program's script. Each call hands over to the page (tavrel_page.js, loaded
// first as window.tavrelPage), which owns the terminal, the canvas and the
// events; here only the bytes are moved in and out of the program's memory.
mergeInto(LibraryManager.library, {
  tavrel_web_wait: function (ms) {
    return Asyncify.handleSleep(function (wakeUp) {
      window.tavrelPage.wait(ms, wakeUp);
    });
  },
  tavrel_web_term_write: function (bytes, length) {
    window.tavrelPage.termWrite(HEAPU8.slice(bytes, bytes + length));
  },
  tavrel_web_term_read: function (buffer, size) {
    var got = window.tavrelPage.termRead(size);
    HEAPU8.set(got, buffer);
    return got.length;
  },
  tavrel_web_show_window: function (shown, width, height) {
    window.tavrelPage.showWindow(shown !== 0, width, height);
  },
  tavrel_web_put_rows: function (rgba, width, first, count) {
    var start = rgba + first * width * 4;
    window.tavrelPage.putRows(HEAPU8.subarray(start, start + count * width * 4), width, first, count);
  },
  tavrel_web_next_event: function (fields) {
    var event = window.tavrelPage.nextEvent();
    if (!event) return 0;
    for (var i = 0; i < 5; i++) HEAP32[(fields >> 2) + i] = event[i] | 0;
    return 1;
  },
  tavrel_web_page_size: function (width, height, ratio) {
    var size = window.tavrelPage.pageSize();
    HEAPF64[width >> 3] = size[0];
    HEAPF64[height >> 3] = size[1];
    HEAPF64[ratio >> 3] = size[2];
  },
  tavrel_web_place_canvas: function (width, height) {
    window.tavrelPage.placeCanvas(width, height);
  },
  tavrel_web_set_title: function (title) {
    document.title = UTF8ToString(title);
  },
  tavrel_web_toggle_fullscreen: function () {
    window.tavrelPage.toggleFullscreen();
  },
});
