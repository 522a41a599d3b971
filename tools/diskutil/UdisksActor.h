#pragma once

#include "ActionOutcome.h"
#include "ProgramRun.h"

#include <functional>

// Mounts, unmounts, powers off and relabels the machine's real devices through udisks
// (`udisksctl`, and `busctl` for the label), from argument vectors. Without them every action
// fails and says so.
class UdisksActor {
public:
    using Finder = std::function<QString(const QString& name)>;
    using Runner = std::function<tools::ProgramOutcome(const QString& path, const QStringList& arguments)>;

    UdisksActor(Finder find = tools::findProgram, Runner run = tools::runProgram);

    // `device` is a Linux device node, such as /dev/sdb1.
    ActionOutcome mount(const QString& device) const;
    ActionOutcome unmount(const QString& device) const;
    ActionOutcome powerOff(const QString& device) const;
    ActionOutcome setLabel(const QString& device, const QString& label) const;

private:
    ActionOutcome runTool(const QString& tool, const QStringList& arguments) const;

    Finder find_;
    Runner run_;
};
