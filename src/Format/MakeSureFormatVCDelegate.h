#pragma once

#include <QString>

// Runs the erase the confirmation asked for.
class MakeSureFormatVCDelegate {
public:
    virtual ~MakeSureFormatVCDelegate() = default;
    virtual void makeSureToFormatSelectVolumeWithName(const QString& name, const QString& type) = 0;
};
