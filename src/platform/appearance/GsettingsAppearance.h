#pragma once

#include "DesktopAppearance.h"

namespace platform {

// GNOME's colour scheme and night light, changed through `gsettings` run from argument vectors.
class GsettingsAppearance final : public DesktopAppearance {
public:
    explicit GsettingsAppearance(CommandRunner& runner) : runner_(runner) {}

    // Whether this session has the colour-scheme key and lets it be changed.
    static bool isOffered(CommandRunner& runner);

    void setDarkColorScheme(bool dark) override;
    void setNightLight(bool on) override;

private:
    CommandRunner& runner_;
};

} // namespace platform
