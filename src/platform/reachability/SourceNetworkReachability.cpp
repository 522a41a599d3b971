#include "SourceNetworkReachability.h"

#include "NetworkStateSource.h"
#include "SerialQueue.h"

#include <QMutex>
#include <QRecursiveMutex>

#include <sys/socket.h>

#include <algorithm>
#include <optional>
#include <variant>
#include <vector>

namespace platform {

namespace {

struct Target {
    std::variant<QByteArray, QHostAddress> nameOrAddress;

    ReachabilityFlags judge(NetworkStateSource& source) const
    {
        if (source.isDisconnected())
            return 0;
        const RouteTable routes = source.routes();
        if (const auto* address = std::get_if<QHostAddress>(&nameOrAddress))
            return routes.flagsFor(*address);
        ReachabilityFlags best = 0;
        for (const QHostAddress& address : source.addressesOf(std::get<QByteArray>(nameOrAddress)))
            if (const ReachabilityFlags flags = routes.flagsFor(address); flags > best)
                best = flags;
        return best;
    }
};

// What a reference shares with the work queued for it. The mutex is held while the callback
// runs, so a stop waits for a callback under way and none starts after it.
struct RefState {
    Target target;
    QRecursiveMutex mutex;
    ReachabilityRef::Callback callback;
    SerialQueue* queue = nullptr;
    std::optional<ReachabilityFlags> last;
};

} // namespace

// The source and the references watching it; lives while the service or a reference does.
struct SourceNetworkReachability::Watcher : std::enable_shared_from_this<Watcher> {
    explicit Watcher(std::unique_ptr<NetworkStateSource> s) : source(std::move(s)) {}
    ~Watcher() { source->setChangeHandler({}); }

    void watch(const std::shared_ptr<RefState>& ref)
    {
        QMutexLocker lock(&mutex);
        if (std::find(refs.begin(), refs.end(), ref) != refs.end())
            return;
        refs.push_back(ref);
        if (refs.size() == 1)
            source->setChangeHandler([this] { changed(); });
    }
    void unwatch(const std::shared_ptr<RefState>& ref)
    {
        QMutexLocker lock(&mutex);
        std::erase(refs, ref);
        if (refs.empty())
            source->setChangeHandler({});
    }
    void changed()
    {
        std::vector<std::shared_ptr<RefState>> watching;
        {
            QMutexLocker lock(&mutex);
            watching = refs;
        }
        for (const auto& ref : watching)
            enqueueJudgement(ref, true);
    }
    // Judges the target on its queue; with `report`, a change of its flags reaches the callback.
    void enqueueJudgement(const std::shared_ptr<RefState>& ref, bool report)
    {
        QMutexLocker lock(&ref->mutex);
        if (!ref->queue || !ref->callback)
            return;
        ref->queue->async([self = shared_from_this(), ref, report] {
            const auto stopped = [&] { return !ref->queue || !ref->callback; };
            {
                QMutexLocker lock(&ref->mutex);
                if (stopped())
                    return;
            }
            // Resolving may take long: a stop meanwhile need not wait for it.
            const ReachabilityFlags flags = ref->target.judge(*self->source);
            QMutexLocker lock(&ref->mutex);
            if (stopped())
                return;
            const bool changedFlags = ref->last != flags;
            ref->last = flags;
            if (report && changedFlags)
                ref->callback(flags);
        });
    }

    std::unique_ptr<NetworkStateSource> source;
    QMutex mutex;
    std::vector<std::shared_ptr<RefState>> refs;
};

namespace {

class SourceReachabilityRef final : public ReachabilityRef {
public:
    SourceReachabilityRef(std::shared_ptr<SourceNetworkReachability::Watcher> watcher, Target target)
        : watcher_(std::move(watcher)), state_(std::make_shared<RefState>())
    {
        state_->target = std::move(target);
    }
    ~SourceReachabilityRef() override
    {
        setCallback({});
    }

    bool getFlags(ReachabilityFlags* flags) override
    {
        *flags = state_->target.judge(*watcher_->source);
        return true;
    }
    bool setCallback(Callback callback) override
    {
        {
            QMutexLocker lock(&state_->mutex);
            state_->callback = std::move(callback);
        }
        update();
        return true;
    }
    bool setDispatchQueue(SerialQueue* queue) override
    {
        {
            QMutexLocker lock(&state_->mutex);
            state_->queue = queue;
            state_->last.reset();
        }
        update();
        return true;
    }

private:
    void update()
    {
        bool active = false;
        {
            QMutexLocker lock(&state_->mutex);
            active = state_->callback && state_->queue;
        }
        if (active) {
            watcher_->watch(state_);
            watcher_->enqueueJudgement(state_, false); // the starting point of later changes
        } else {
            watcher_->unwatch(state_);
        }
    }

    std::shared_ptr<SourceNetworkReachability::Watcher> watcher_;
    std::shared_ptr<RefState> state_;
};

} // namespace

SourceNetworkReachability::SourceNetworkReachability(std::unique_ptr<NetworkStateSource> source)
    : watcher_(std::make_shared<Watcher>(std::move(source)))
{
}

SourceNetworkReachability::~SourceNetworkReachability() = default;

std::unique_ptr<ReachabilityRef> SourceNetworkReachability::createWithName(const QByteArray& nodeName)
{
    if (nodeName.isEmpty())
        return nullptr;
    return std::make_unique<SourceReachabilityRef>(watcher_, Target{nodeName});
}

std::unique_ptr<ReachabilityRef> SourceNetworkReachability::createWithAddress(const sockaddr* address)
{
    if (!address || (address->sa_family != AF_INET && address->sa_family != AF_INET6))
        return nullptr;
    return std::make_unique<SourceReachabilityRef>(watcher_, Target{QHostAddress(address)});
}

} // namespace platform
