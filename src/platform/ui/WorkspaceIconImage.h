#pragma once

#include "Image.h"

#include "platform/workspace/Workspace.h"

namespace platform::ui {

// The picture of an icon as the workspace names it: its image file when that can be read, else
// the icon theme's picture for its name, else for its fallback name; no image when none gives
// one. Pictures larger than `side` points come at `side` points, keeping their proportions.
// Main thread: the icon theme draws through the GUI.
Image imageForWorkspaceIcon(const WorkspaceIcon& icon, int side = 48);

} // namespace platform::ui
