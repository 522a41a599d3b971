#pragma once

#include "platform/host/HostStatistics.h"
#include "platform/kernel/KernelValues.h"
#include "platform/smc/SmcConnection.h"

#include <QByteArray>
#include <QMap>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace test {

// Answers the processors and statistics that the test sets, or fails as it says.
class FakeHostStatistics : public platform::HostStatistics {
public:
    platform::host_t machHostSelf() const override { return kHost; }
    platform::kern_return_t hostProcessorInfo(platform::host_t host,
                                              std::vector<platform::processor_cpu_load_info>& info) override
    {
        hostsAsked.push_back(host);
        if (processorResult == platform::KERN_SUCCESS)
            info = cpus;
        return processorResult;
    }
    platform::kern_return_t hostStatistics(platform::host_t host, platform::vm_statistics& vmstat) override
    {
        hostsAsked.push_back(host);
        if (statisticsResult == platform::KERN_SUCCESS)
            vmstat = statistics;
        return statisticsResult;
    }
    static platform::processor_cpu_load_info ticks(platform::natural_t user, platform::natural_t system,
                                                   platform::natural_t idle, platform::natural_t nice = 0)
    {
        platform::processor_cpu_load_info info{};
        info.cpu_ticks[platform::CPU_STATE_USER] = user;
        info.cpu_ticks[platform::CPU_STATE_SYSTEM] = system;
        info.cpu_ticks[platform::CPU_STATE_IDLE] = idle;
        info.cpu_ticks[platform::CPU_STATE_NICE] = nice;
        return info;
    }

    static constexpr platform::host_t kHost = 0x707;
    std::vector<platform::processor_cpu_load_info> cpus;
    platform::vm_statistics statistics{};
    platform::kern_return_t processorResult = platform::KERN_SUCCESS;
    platform::kern_return_t statisticsResult = platform::KERN_SUCCESS;
    std::vector<platform::host_t> hostsAsked;
};

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
    void setText(const QByteArray& name, const QByteArray& text) { values.insert(name, QByteArray(text.constData(), text.size() + 1)); }

    QMap<QByteArray, QByteArray> values;
};

// An SMC driver whose struct calls the test answers (by default: success, an all-zero record);
// records every call.
class FakeSmcConnection : public platform::SmcConnection {
public:
    struct Call {
        QByteArray input;
    };
    // Gets the input record and the output record to fill (as large as the caller's).
    using Answer = std::function<platform::kern_return_t(uint32_t selector, const QByteArray& input, QByteArray& output)>;

    platform::kern_return_t firstMatchingService(const char* className, platform::io_service_t* service) override
    {
        matchedClass = className;
        if (matchingResult == platform::kIOReturnSuccess)
            *service = serviceFound ? kService : platform::IO_OBJECT_NULL;
        return matchingResult;
    }
    platform::kern_return_t serviceOpen(platform::io_service_t service, uint32_t type,
                                        platform::io_connect_t* connect) override
    {
        if (openResult != platform::kIOReturnSuccess)
            return openResult;
        if (service != kService || type != 0)
            return platform::kIOReturnBadArgument;
        ++opens;
        *connect = kConnection;
        return platform::kIOReturnSuccess;
    }
    platform::kern_return_t objectRelease(platform::io_object_t object) override
    {
        released.push_back(object);
        return platform::kIOReturnSuccess;
    }
    platform::kern_return_t serviceClose(platform::io_connect_t connect) override
    {
        if (connect != kConnection)
            return platform::kIOReturnNotOpen;
        ++closes;
        return platform::kIOReturnSuccess;
    }
    platform::kern_return_t connectCallStructMethod(platform::io_connect_t connect, uint32_t selector, const void* input,
                                                    std::size_t inputSize, void* output, std::size_t* outputSize) override
    {
        calls.push_back({QByteArray(static_cast<const char*>(input), qsizetype(inputSize))});
        if (connect != kConnection)
            return platform::kIOReturnNotOpen;
        QByteArray out(qsizetype(*outputSize), '\0');
        const platform::kern_return_t result = answer ? answer(selector, calls.back().input, out) : platform::kIOReturnSuccess;
        if (result == platform::kIOReturnSuccess) {
            *outputSize = std::min(*outputSize, std::size_t(out.size()));
            std::memcpy(output, out.constData(), *outputSize);
        }
        return result;
    }

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
