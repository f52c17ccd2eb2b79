#pragma once

#include "dialog/shell.h"

namespace doxa {

// Shell::watchFolders on the system's file notifications; needs a running Qt event loop.
std::unique_ptr<FolderWatch> watchFoldersWithQt(const std::vector<std::string>& folders,
                                                std::function<void()> changed);

}  // namespace doxa
