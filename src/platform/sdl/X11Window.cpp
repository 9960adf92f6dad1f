// The X server's answers about the window and a window-manager request, through the X library
// SDL itself loaded.
#include "platform/sdl/X11Window.h"

#include <SDL_loadso.h>
#include <SDL_syswm.h>
#include <X11/Xutil.h>

#include <cstring>
#include <string>

namespace brinecast {

struct X11Window::Xlib {
  decltype(&XGetGeometry) getGeometry = nullptr;
  decltype(&XInternAtom) internAtom = nullptr;
  decltype(&XGetWindowProperty) getWindowProperty = nullptr;
  decltype(&XFree) free = nullptr;
  decltype(&XSendEvent) sendEvent = nullptr;
  decltype(&XFlush) flush = nullptr;
  decltype(&XSetClassHint) setClassHint = nullptr;
};

X11Window::X11Window(SDL_Window* window) : window_(window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
    // Loaded at run time, as SDL does: the game needs no X library where it runs without X.
    library_ = SDL_LoadObject("libX11.so.6");
  }
  if (library_ != nullptr) {
    auto load = [this](auto& function, const char* name) {
      function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
          SDL_LoadFunction(library_, name));
      return function != nullptr;
    };
    auto* xlib = new Xlib;
    if (load(xlib->getGeometry, "XGetGeometry") && load(xlib->internAtom, "XInternAtom") &&
        load(xlib->getWindowProperty, "XGetWindowProperty") && load(xlib->free, "XFree") &&
        load(xlib->sendEvent, "XSendEvent") && load(xlib->flush, "XFlush") &&
        load(xlib->setClassHint, "XSetClassHint")) {
      xlib_ = xlib;
    } else {
      delete xlib;
    }
  }
  Refresh();
}

X11Window::~X11Window() {
  delete xlib_;
  if (library_ != nullptr) SDL_UnloadObject(library_);
}

bool X11Window::Ids(void*& display, unsigned long& window) const {
  if (xlib_ == nullptr) return false;
  // Asked afresh each time: making a renderer may give SDL's window a new X window.
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window_, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return false;
  }
  display = info.info.x11.display;
  window = info.info.x11.window;
  return true;
}

void X11Window::Refresh() {
  SDL_GetWindowSize(window_, &width_, &height_);
  void* display = nullptr;
  Window window = 0;
  if (!Ids(display, window)) return;
  Window root = 0;
  int x = 0;
  int y = 0;
  unsigned w = 0;
  unsigned h = 0;
  unsigned border = 0;
  unsigned depth = 0;
  if (xlib_->getGeometry(static_cast<Display*>(display), window, &root, &x, &y, &w, &h, &border,
                         &depth) != 0 &&
      w > 0 && h > 0) {
    width_ = static_cast<int>(w);
    height_ = static_cast<int>(h);
  }
}

void X11Window::Size(int& width, int& height) const {
  width = width_;
  height = height_;
}

bool X11Window::HeldLarge() const {
  void* opaque = nullptr;
  Window window = 0;
  if (!Ids(opaque, window)) return false;
  auto* display = static_cast<Display*>(opaque);
  const Atom state = xlib_->internAtom(display, "_NET_WM_STATE", False);
  const Atom fullScreen = xlib_->internAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  const Atom vertical = xlib_->internAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False);
  const Atom horizontal = xlib_->internAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (xlib_->getWindowProperty(display, window, state, 0, 64, False, XA_ATOM, &type, &format,
                               &count, &after, &data) != Success ||
      data == nullptr) {
    return false;
  }
  bool full = false;
  bool tall = false;
  bool wide = false;
  if (type == XA_ATOM && format == 32) {
    // Format-32 properties come as longs, whatever their width on the server.
    const auto* atoms = reinterpret_cast<const long*>(data);
    for (unsigned long i = 0; i < count; ++i) {
      const auto atom = static_cast<Atom>(atoms[i]);
      full = full || atom == fullScreen;
      tall = tall || atom == vertical;
      wide = wide || atom == horizontal;
    }
  }
  xlib_->free(data);
  return full || (tall && wide);
}

void X11Window::Unmaximise() const {
  void* opaque = nullptr;
  Window window = 0;
  if (!Ids(opaque, window)) return;
  auto* display = static_cast<Display*>(opaque);
  Window root = 0;
  int x = 0;
  int y = 0;
  unsigned w = 0;
  unsigned h = 0;
  unsigned border = 0;
  unsigned depth = 0;
  if (xlib_->getGeometry(display, window, &root, &x, &y, &w, &h, &border, &depth) == 0) return;
  // The request a pager or a title-bar button sends, as the window-manager conventions define it.
  XEvent event;
  std::memset(&event, 0, sizeof event);
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = xlib_->internAtom(display, "_NET_WM_STATE", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 0;  // remove
  event.xclient.data.l[1] =
      static_cast<long>(xlib_->internAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False));
  event.xclient.data.l[2] =
      static_cast<long>(xlib_->internAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False));
  event.xclient.data.l[3] = 1;  // from an application
  xlib_->sendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  xlib_->flush(display);
}

void X11Window::SetClass(const char* name) const {
  void* display = nullptr;
  Window window = 0;
  if (!Ids(display, window)) return;
  std::string copy = name;  // Xlib's structure is not const
  XClassHint hint;
  hint.res_name = copy.data();
  hint.res_class = copy.data();
  xlib_->setClassHint(static_cast<Display*>(display), window, &hint);
  xlib_->flush(static_cast<Display*>(display));
}

}  // namespace brinecast
