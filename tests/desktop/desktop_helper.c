// Small jobs the whole-game desktop test cannot do with xdotool alone: asking the game's window
// to close as a window manager's close button does, answering its full-screen requests as a
// window manager would, and writing and reading Config.cfg.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { kRecordSize = 220, kRowSize = 20, kMaxText = 12, kRows = 10 };

// The stored masking of names and scores; stored files depend on it, so it is fixed.
static uint8_t MaskNameChar(int row, int pos, uint8_t c) {
  return (uint8_t)(c ^ (0x5A + 31 * row + 7 * pos));
}

static uint32_t MaskScore(int row, uint32_t score) {
  return score ^ (0x9E3779B9u * (uint32_t)row);
}

static int Fail(const char* what) {
  fprintf(stderr, "desktop_helper: %s\n", what);
  return 1;
}

// Sends the WM_PROTOCOLS / WM_DELETE_WINDOW client message a window manager sends when its
// close button is pressed; xdotool's windowclose destroys the window instead.
static int CloseRequest(const char* windowText) {
  char* end = NULL;
  errno = 0;
  const unsigned long window = strtoul(windowText, &end, 0);
  if (errno != 0 || end == windowText || *end != '\0' || window == 0)
    return Fail("close: the window id is not a number");
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) return Fail("close: cannot open the X display named by DISPLAY");
  XEvent event;
  memset(&event, 0, sizeof event);
  event.xclient.type = ClientMessage;
  event.xclient.window = (Window)window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, (Window)window, False, NoEventMask, &event);
  XSync(display, False);
  XCloseDisplay(display);
  return sent != 0 ? 0 : Fail("close: XSendEvent refused the message");
}

// The part of a window manager that full screen needs: Xvfb has none, so a window asking for
// _NET_WM_STATE_FULLSCREEN would keep its size while the game believes it covers the screen.
// Listens (without taking over the root window) for the requests, gives the window the whole
// screen and gives it back its old place when full screen is left. Runs until killed.
// Tells the client where its window now is, as the conventions between clients ask of a window
// manager that moves a window: a synthetic ConfigureNotify in root coordinates.
static void AnnouncePlace(Display* display, Window window, int x, int y, unsigned w, unsigned h) {
  XEvent event;
  memset(&event, 0, sizeof event);
  event.xconfigure.type = ConfigureNotify;
  event.xconfigure.event = window;
  event.xconfigure.window = window;
  event.xconfigure.x = x;
  event.xconfigure.y = y;
  event.xconfigure.width = (int)w;
  event.xconfigure.height = (int)h;
  XSendEvent(display, window, False, StructureNotifyMask, &event);
}

static int FullScreenService(void) {
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) return Fail("fullscreen-service: cannot open the X display");
  const Window root = DefaultRootWindow(display);
  const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
  const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);
  printf("ready\n");
  fflush(stdout);
  Window saved = 0;
  int savedX = 0, savedY = 0;
  unsigned savedW = 0, savedH = 0;
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != ClientMessage || event.xclient.message_type != state) continue;
    const long* data = event.xclient.data.l;
    if ((Atom)data[1] != fullScreen && (Atom)data[2] != fullScreen) continue;
    const Window window = event.xclient.window;
    long action = data[0];  // 0 remove, 1 add, 2 toggle
    if (action == 2) action = saved == window ? 0 : 1;
    if (action == 1) {
      if (saved != window) {
        Window unusedRoot, child;
        unsigned border, depth;
        int x, y;
        XGetGeometry(display, window, &unusedRoot, &x, &y, &savedW, &savedH, &border, &depth);
        XTranslateCoordinates(display, window, root, 0, 0, &savedX, &savedY, &child);
        saved = window;
      }
      const int screen = DefaultScreen(display);
      const unsigned width = (unsigned)DisplayWidth(display, screen);
      const unsigned height = (unsigned)DisplayHeight(display, screen);
      XMoveResizeWindow(display, window, 0, 0, width, height);
      AnnouncePlace(display, window, 0, 0, width, height);
      XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                      (const unsigned char*)&fullScreen, 1);
      fprintf(stderr, "fullscreen-service: 0x%lx full screen\n", (unsigned long)window);
    } else if (action == 0 && saved == window) {
      XMoveResizeWindow(display, window, savedX, savedY, savedW, savedH);
      AnnouncePlace(display, window, savedX, savedY, savedW, savedH);
      XDeleteProperty(display, window, state);
      saved = 0;
      fprintf(stderr, "fullscreen-service: 0x%lx windowed\n", (unsigned long)window);
    }
    XSync(display, False);
  }
}

static void PutText(uint8_t* out, const char* text, int row) {
  size_t length = strlen(text);
  if (length > kMaxText) length = kMaxText;
  out[0] = (uint8_t)length;
  for (size_t i = 0; i < length; ++i) {
    const uint8_t c = (uint8_t)text[i];
    out[1 + i] = row == 0 ? c : MaskNameChar(row, (int)i, c);
  }
}

static void PutU32(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = (uint8_t)(value >> (8 * i));
}

// A record with music and sound on, a window, no sending, and a table of low scores: row i is
// "Low" and the i-th letter ("Lowa" to "Lowj": names a player can type, which loading keeps)
// with 10 - i points, so row 10 holds 0 and any landed catch enters the table.
static int WriteLowTable(const char* path) {
  uint8_t record[kRecordSize];
  memset(record, 0, sizeof record);
  record[0] = 1;  // music
  record[1] = 1;  // sound
  record[2] = 1;  // windowed
  record[3] = 0;  // send online
  for (int row = 1; row <= kRows; ++row) {
    char name[16];
    snprintf(name, sizeof name, "Low%c", 'a' + row - 1);
    PutText(record + kRowSize * row, name, row);
    PutU32(record + kRowSize * row + 16, MaskScore(row, (uint32_t)(kRows - row)));
  }
  FILE* file = fopen(path, "wb");
  if (file == NULL) return Fail("config-write: cannot create the file");
  const size_t written = fwrite(record, 1, sizeof record, file);
  if (fclose(file) != 0 || written != sizeof record) return Fail("config-write: write failed");
  return 0;
}

// Prints the options bytes and the unmasked table, one line each:
//   options <music> <sound> <windowed> <send>
//   row <i> <score> <name>
static int ReadRecordFile(const char* path) {
  FILE* file = fopen(path, "rb");
  if (file == NULL) return Fail("config-read: cannot open the file");
  uint8_t record[kRecordSize + 1];
  const size_t size = fread(record, 1, sizeof record, file);
  fclose(file);
  if (size != kRecordSize) {
    fprintf(stderr, "desktop_helper: config-read: the file holds %zu bytes, not %d\n", size,
            kRecordSize);
    return 1;
  }
  printf("options %u %u %u %u\n", record[0], record[1], record[2], record[3]);
  for (int row = 1; row <= kRows; ++row) {
    const uint8_t* at = record + kRowSize * row;
    const size_t length = at[0] > kMaxText ? kMaxText : at[0];
    char name[kMaxText + 1];
    for (size_t i = 0; i < length; ++i) name[i] = (char)MaskNameChar(row, (int)i, at[1 + i]);
    name[length] = '\0';
    uint32_t stored = 0;
    for (int i = 0; i < 4; ++i) stored |= (uint32_t)at[16 + i] << (8 * i);
    printf("row %d %u %s\n", row, MaskScore(row, stored), name);
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc == 3 && strcmp(argv[1], "close") == 0) return CloseRequest(argv[2]);
  if (argc == 2 && strcmp(argv[1], "fullscreen-service") == 0) return FullScreenService();
  if (argc == 3 && strcmp(argv[1], "config-write") == 0) return WriteLowTable(argv[2]);
  if (argc == 3 && strcmp(argv[1], "config-read") == 0) return ReadRecordFile(argv[2]);
  fprintf(stderr,
          "usage: desktop_helper close WINDOW | fullscreen-service | config-write FILE |"
          " config-read FILE\n");
  return 2;
}
