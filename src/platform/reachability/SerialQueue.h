#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace platform {

// A serial queue over the platform's global queue: its tasks run one at a time, in order.
// Destroying it drops the tasks that have not started.
class SerialQueue {
public:
    explicit SerialQueue(QString label);
    ~SerialQueue();
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    const QString& label() const { return label_; }
    void async(std::function<void()> task);

private:
    struct State;
    QString label_;
    std::shared_ptr<State> state_;
};

} // namespace platform
