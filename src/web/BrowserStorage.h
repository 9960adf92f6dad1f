// The player's folder kept in the browser's IndexedDB: loaded before the game starts, saved
// after each change and when the page is hidden.
#pragma once

#include <string>

namespace brinecast {

// Makes folder, fills it with what the browser kept and starts watching it. Folder links (the
// game's data) are not kept. A browser that refuses storage leaves the folder empty; the first
// failed save calls brinecast_storage_failed on the page's platform.
void LoadPlayerFolder(const std::string& folder);

}  // namespace brinecast
