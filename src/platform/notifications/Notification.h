#pragma once

#include <QString>
#include <QVariantMap>

namespace platform {

// What a notification carries: its name, the object that posted it (compared by identity)
// and optional extra values.
struct Notification {
    QString name;
    void* object = nullptr;
    QVariantMap userInfo;

    template <class T>
    T* objectAs() const { return static_cast<T*>(object); }
};

} // namespace platform
