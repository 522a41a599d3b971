#pragma once

#include "platform/sound/AudioHardware.h"

#include <QString>

// The master volume of the default output device, 0.0 to 1.0. Everything runs on the calling
// thread; failures are only logged.

inline const QString LXMasterVolumeChangedNotification = QStringLiteral("LXMasterVolumeChangedNotification");

// 0 when there is none.
platform::AudioObjectID defaultOutputDeviceID();
// A device level outside 0 to 1 reads as 0.0.
double getMasterVolume();
// A value outside 0 to 1 does nothing; below 0.001 mutes the device and leaves its level.
void setMasterVolume(double volume);

// Posts LXMasterVolumeChangedNotification (no object) for each changed volume it can read.
platform::OSStatus LXAudioObjectPropertyListenerProc(platform::AudioObjectID object,
                                                     const QList<platform::AudioObjectPropertyAddress>& addresses,
                                                     void* clientData);
void startMasterVolumeChangeNotification();
void stopMasterVolumeChangeNotification();
