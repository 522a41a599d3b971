#pragma once

#include "AMAppItem.h"
#include "AsMDeleteExecutorDelegate.h"

#include "platform/authorization/Authorization.h"

#include <QList>
#include <QMutex>

#include <memory>

// Removes records from the disk, one after another on the background queue, each only at the
// location where the search found it: a record whose folders changed since then stays, logged.
// What the user's own rights cannot remove (after making the user's own folders inside it
// writable) is removed with administrator rights, asked for at most once while they are held,
// unless it is or holds a mount point or a protected folder, which no rights remove.
class AsMDeleteExecutor {
public:
    AsMDeleteExecutor();
    // Frees the authorization; a removal under way stops after its current record and tells
    // the delegate nothing more.
    ~AsMDeleteExecutor();
    AsMDeleteExecutor(const AsMDeleteExecutor&) = delete;
    AsMDeleteExecutor& operator=(const AsMDeleteExecutor&) = delete;

    // Starts removing the records in order and returns at once.
    void executeDelete(const QList<AMAppItemPtr>& items);

    AsMDeleteExecutorDelegate* delegate() const;
    void setDelegate(AsMDeleteExecutorDelegate* delegate);

    // One record, on the calling thread: true when it is gone from its location (also when it
    // was gone before), and the delegate is told either way.
    bool removeTrahFile(const AMAppItemPtr& item);
    // Holds an administrator authorization, asking for one unless it is held already.
    bool allocAuthorization();
    // A new session made from the held one's external form, which the caller frees; 0 when
    // nothing is held or the form is refused.
    platform::AuthorizationRef authorizationRef();
    // The privileged removal of one item at its location, through a fresh session of the held
    // authorization.
    bool authDeleteAtPath(const platform::ItemLocation& location);
    void freeAuthorization();

private:
    struct State;
    std::shared_ptr<State> state_;
};
