#pragma once

#include "platform/appleevents/AppleEventDescriptor.h"
#include "platform/appleevents/FileReference.h"

#include <QList>
#include <QUrl>
#include <QVariantMap>

#include <initializer_list>
#include <utility>

// The login items as System Events keeps them, through Apple events. Each function gives 0 or
// the first error it met. An item is a dictionary: "URL" (a file URL) and "Hidden" (a boolean).
// Items are addressed from 0 here and from 1 in the events.
using platform::OSStatus;

// A file URL of what is at the path, cleaned (a folder's ending in "/"), or of the path as a
// file when nothing is there: the URL an item added for the path has in the list.
QUrl urlOfPath(const QString& path);

// Fills `items`, which must be empty, in System Events' order; it stays empty on failure.
OSStatus SELICopyLoginItems(QList<QVariantMap>& items);
OSStatus SELIAddURLAtEnd(const QUrl& item, bool hideIt);
OSStatus SELIAddRefAtEnd(const platform::FileReference& item, bool hideIt);
OSStatus SELIRemove(long itemIndex);

// Sends one 'core' event to System Events (started when it is not running), waiting up to five
// seconds for the reply. A reply is handed over only when asked for and the event succeeded; an
// error number in the reply is the result. Every parameter must have a descriptor.
using AEParameter = std::pair<platform::AEKeyword, const platform::AEDesc*>;
OSStatus SendEventToSystemEventsWithParameters(bool unused, platform::AEEventID eventID, platform::AppleEvent* reply,
                                               std::initializer_list<AEParameter> parameters);
void AEDisposeDescQ(platform::AEDesc& desc);
