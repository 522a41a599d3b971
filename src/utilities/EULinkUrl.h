#pragma once

#include <QString>

// The web addresses kept in the settings store ("IniURL", "UpdateURL").
class EULinkUrl {
public:
    // The text under `key`, or a null text.
    static QString GetUrl(const QString& key);
};
