#pragma once

// What a click on the status item (or reopening the program) does to the start-menu window.
enum class StatusItemToggle {
    Rebuild,      // it is not open: build it anew and show it
    Hide,         // open on the active space but fully covered: order it out
    BringToFront, // open and visible somewhere: make it key and front
};

StatusItemToggle statusItemToggle(bool isOpenMainWindow, bool onActiveSpace, unsigned occlusionState);
