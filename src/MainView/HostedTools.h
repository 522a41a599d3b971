#pragma once

#include <QString>

#include <array>

// The eight tools of the start menu, in the order in which they are created, added to the tab
// view and listed as buttons. The identifier is the tool's name everywhere: its tab, its
// button, the tool the shell remembers.
struct HostedTool {
    const char* identifier;
    const char* title;  // the button's text
    const char* icon;   // the picture beside it
};

inline constexpr std::array<HostedTool, 8> kHostedTools = {{
    {"Applications", "Applications", "ic_tool_applications"},
    {"TaskManager", "Task Manager", "ic_tool_taskmanager"},
    {"Cleanup", "Cleanup", "ic_tool_cleanup"},
    {"AppUininstaller", "App Uninstaller", "ic_tool_uninstaller"},
    {"SwitchManager", "Switch Manager", "ic_tool_switchmanager"},
    {"StartupItems", "Startup Items", "ic_tool_startupitems"},
    {"DiskManager", "Disk Manager", "ic_tool_diskmanager"},
    {"QuickVisit", "Quick Visit", "ic_tool_quickvisit"},
}};

// The position of the tool with that identifier, or -1 when no tool has it.
inline int indexOfHostedTool(const QString& identifier)
{
    for (std::size_t i = 0; i < kHostedTools.size(); ++i)
        if (identifier == QLatin1String(kHostedTools[i].identifier))
            return int(i);
    return -1;
}
