#pragma once

// Sleep prevention, shared by every Switch Manager tab of the process: a rebuilt tab shows the
// state that an earlier one switched on. From 10.8 on it is a power assertion; before, a timer
// that reports activity every 30 seconds.

// YES while sleep prevention is on; NO at launch.
bool isNotSeelp();
void setIsNotSeelp(bool on);

void PreventSleep();
void ReleasePreventObj();
// Each firing of the timer: the user is active.
void MyTimerCallback();
