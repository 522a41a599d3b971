#pragma once

#include <QString>
#include <QVariant>

// The settings store: the bundle's "StringMessage" property list. Every read loads the file
// afresh; every write loads it, changes its keys and writes it back whole, atomically. Writers
// inside the program take turns, so none loses another's key. A missing file reads as nothing
// and is not created by a write.
class SettingsStore {
public:
    static QString path();
    // The value under `key`, or an invalid QVariant.
    static QVariant valueForKey(const QString& key);
    static void setValueForKey(const QString& key, const QVariant& value);
    static void setValuesForKeys(const QVariantMap& values);
};
