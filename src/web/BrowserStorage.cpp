// The player's files as records of one IndexedDB store, keyed by path. Every write that ends
// (a closed file, a rename over, a removal) under the folder asks for a save a moment later,
// so a burst of writes is saved once.
#include "web/BrowserStorage.h"

#include <emscripten.h>

namespace brinecast {

namespace {

// clang-format off
EM_ASYNC_JS(void, storage_load, (const char* folderText), {
  var folder = UTF8ToString(folderText);
  FS.mkdirTree(folder);
  var open = function() {
    return new Promise(function(resolve, reject) {
      if (typeof indexedDB === "undefined") return reject(new Error("no IndexedDB"));
      var request = indexedDB.open("brinecast", 1);
      request.onupgradeneeded = function() { request.result.createObjectStore("files"); };
      request.onsuccess = function() { resolve(request.result); };
      request.onerror = function() { reject(request.error); };
    });
  };
  var db = null;
  try {
    db = await open();
    var records = await new Promise(function(resolve, reject) {
      var found = [];
      var cursor = db.transaction("files", "readonly").objectStore("files").openCursor();
      cursor.onsuccess = function() {
        var at = cursor.result;
        if (!at) return resolve(found);
        found.push({ path: at.key, bytes: at.value });
        at.continue();
      };
      cursor.onerror = function() { reject(cursor.error); };
    });
    records.forEach(function(record) {
      if (!record.path.startsWith(folder + "/")) return;
      FS.mkdirTree(record.path.slice(0, record.path.lastIndexOf("/")));
      FS.writeFile(record.path, record.bytes);
    });
  } catch (error) {
    console.warn("Brinecast: the browser keeps no files:", error);
  }

  var failed = false;
  var fail = function(error) {
    console.warn("Brinecast: saving in the browser failed:", error);
    if (failed) return;
    failed = true;
    if (Module.brinecastPlatform) Module._brinecast_storage_failed(Module.brinecastPlatform);
  };
  // Every file below the folder, links left out.
  var files = function(path, into) {
    FS.readdir(path).forEach(function(name) {
      if (name === "." || name === "..") return;
      var full = path + "/" + name;
      var stat = FS.lstat(full);
      if (FS.isDir(stat.mode)) files(full, into);
      else if (FS.isFile(stat.mode)) into[full] = FS.readFile(full);
    });
    return into;
  };
  var save = function() {
    if (!db) return fail(new Error("no IndexedDB"));
    var now;
    try { now = files(folder, {}); } catch (error) { return fail(error); }
    var tx;
    try { tx = db.transaction("files", "readwrite"); } catch (error) { return fail(error); }
    var store = tx.objectStore("files");
    var keys = store.getAllKeys();
    keys.onsuccess = function() {
      keys.result.forEach(function(key) { if (!(key in now)) store.delete(key); });
      Object.keys(now).forEach(function(path) { store.put(now[path], path); });
    };
    tx.onerror = function() { fail(tx.error); };
    tx.onabort = function() { fail(tx.error); };
  };
  var timer = 0;
  var soon = function(path) {
    if (typeof path !== "string" || !(path === folder || path.startsWith(folder + "/"))) return;
    clearTimeout(timer);
    timer = setTimeout(save, 200);
  };
  var wrap = function(name, pathOf) {
    var original = FS[name];
    FS[name] = function() {
      var result = original.apply(FS, arguments);
      soon(pathOf.apply(null, arguments));
      return result;
    };
  };
  wrap("close", function(stream) { return stream && (stream.flags & 3) ? stream.path : null; });
  wrap("rename", function(from, to) { return to; });
  wrap("unlink", function(path) { return path; });
  wrap("rmdir", function(path) { return path; });
  addEventListener("pagehide", function() { if (timer) { clearTimeout(timer); save(); } });
});
// clang-format on

}  // namespace

void LoadPlayerFolder(const std::string& folder) {
  storage_load(folder.c_str());
}

}  // namespace brinecast
