#pragma once

#include <QString>

// How an action on a volume ended; `reason` says why it failed.
struct ActionOutcome {
    bool ok = false;
    QString reason;

    static ActionOutcome done() { return {true, {}}; }
    static ActionOutcome failed(QString why) { return {false, std::move(why)}; }
};
