#pragma once

#include "platform/host/HostStatistics.h"
#include "platform/kernel/KernelValues.h"
#include "platform/smc/SmcConnection.h"

#include <QByteArray>
#include <QMap>

#include <functional>
#include <vector>

namespace test {

// Answers with the processors and statistics that the test sets, or fails as it says.
class FakeHostStatistics : public platform::HostStatistics {
public:
    platform::host_t machHostSelf() const override { return kHost; }
    platform::kern_return_t hostProcessorInfo(platform::host_t host,
                                              std::vector<platform::processor_cpu_load_info>& info) override;
    platform::kern_return_t hostStatistics(platform::host_t host, platform::vm_statistics& vmstat) override;

    // One processor's counters: user, system, idle, nice.
    static platform::processor_cpu_load_info ticks(platform::natural_t user, platform::natural_t system,
                                                   platform::natural_t idle, platform::natural_t nice = 0);

    static constexpr platform::host_t kHost = 0x707;
    std::vector<platform::processor_cpu_load_info> cpus;
    platform::vm_statistics statistics{};
    platform::kern_return_t processorResult = platform::KERN_SUCCESS;
    platform::kern_return_t statisticsResult = platform::KERN_SUCCESS;
    std::vector<platform::host_t> hostsAsked;
};

// Answers the values that the test sets, by name; every other name is unknown.
class FakeKernelValues : public platform::KernelValues {
public:
    std::optional<QByteArray> value(const QByteArray& name) override
    {
        const auto found = values.constFind(name);
        return found == values.constEnd() ? std::nullopt : std::optional(*found);
    }

    template <typename Integer>
    void setInteger(const QByteArray& name, Integer value)
    {
        values.insert(name, QByteArray(reinterpret_cast<const char*>(&value), sizeof value));
    }
    void setText(const QByteArray& name, const QByteArray& text)
    {
        values.insert(name, QByteArray(text.constData(), text.size() + 1));
    }

    QMap<QByteArray, QByteArray> values;
};

// An SMC driver whose struct calls the test answers; records every call. By default the
// service is found and opens, and every call succeeds with an all-zero record.
class FakeSmcConnection : public platform::SmcConnection {
public:
    struct Call {
        platform::io_connect_t connection;
        uint32_t selector;
        QByteArray input;
        std::size_t outputCapacity;
    };
    // Gets the input record and the output record to fill (as large as the caller's).
    using Answer = std::function<platform::kern_return_t(uint32_t selector, const QByteArray& input, QByteArray& output)>;

    platform::kern_return_t firstMatchingService(const char* className, platform::io_service_t* service) override;
    platform::kern_return_t serviceOpen(platform::io_service_t service, uint32_t type,
                                        platform::io_connect_t* connect) override;
    platform::kern_return_t objectRelease(platform::io_object_t object) override
    {
        released.push_back(object);
        return platform::kIOReturnSuccess;
    }
    platform::kern_return_t serviceClose(platform::io_connect_t connect) override;
    platform::kern_return_t connectCallStructMethod(platform::io_connect_t connect, uint32_t selector,
                                                    const void* input, std::size_t inputSize, void* output,
                                                    std::size_t* outputSize) override;

    static constexpr platform::io_service_t kService = 0x51;
    static constexpr platform::io_connect_t kConnection = 0x77;

    platform::kern_return_t matchingResult = platform::kIOReturnSuccess;
    bool serviceFound = true;
    platform::kern_return_t openResult = platform::kIOReturnSuccess;
    Answer answer;
    QByteArray matchedClass;
    std::vector<Call> calls;
    std::vector<platform::io_object_t> released;
    int opens = 0;
    int closes = 0;
};

} // namespace test
