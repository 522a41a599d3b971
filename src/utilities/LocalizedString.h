#pragma once

#include <QString>

// The main bundle's text for `key` in its default table; the empty text for no key.
QString getLocalizedString(const QString& key);
