#include "ProbeFakes.h"

#include <algorithm>
#include <cstring>

namespace test {

using namespace platform;

kern_return_t FakeHostStatistics::hostProcessorInfo(host_t host, std::vector<processor_cpu_load_info>& info)
{
    hostsAsked.push_back(host);
    if (processorResult != KERN_SUCCESS)
        return processorResult;
    info = cpus;
    return KERN_SUCCESS;
}

kern_return_t FakeHostStatistics::hostStatistics(host_t host, vm_statistics& vmstat)
{
    hostsAsked.push_back(host);
    if (statisticsResult != KERN_SUCCESS)
        return statisticsResult;
    vmstat = statistics;
    return KERN_SUCCESS;
}

processor_cpu_load_info FakeHostStatistics::ticks(natural_t user, natural_t system, natural_t idle, natural_t nice)
{
    processor_cpu_load_info info{};
    info.cpu_ticks[CPU_STATE_USER] = user;
    info.cpu_ticks[CPU_STATE_SYSTEM] = system;
    info.cpu_ticks[CPU_STATE_IDLE] = idle;
    info.cpu_ticks[CPU_STATE_NICE] = nice;
    return info;
}

kern_return_t FakeSmcConnection::firstMatchingService(const char* className, io_service_t* service)
{
    matchedClass = className;
    if (matchingResult != kIOReturnSuccess)
        return matchingResult;
    *service = serviceFound ? kService : IO_OBJECT_NULL;
    return kIOReturnSuccess;
}

kern_return_t FakeSmcConnection::serviceOpen(io_service_t service, uint32_t type, io_connect_t* connect)
{
    if (openResult != kIOReturnSuccess)
        return openResult;
    if (service != kService || type != 0)
        return kIOReturnBadArgument;
    ++opens;
    *connect = kConnection;
    return kIOReturnSuccess;
}

kern_return_t FakeSmcConnection::serviceClose(io_connect_t connect)
{
    if (connect != kConnection)
        return kIOReturnNotOpen;
    ++closes;
    return kIOReturnSuccess;
}

kern_return_t FakeSmcConnection::connectCallStructMethod(io_connect_t connect, uint32_t selector, const void* input,
                                                         std::size_t inputSize, void* output, std::size_t* outputSize)
{
    calls.push_back({connect, selector, QByteArray(static_cast<const char*>(input), qsizetype(inputSize)), *outputSize});
    if (connect != kConnection)
        return kIOReturnNotOpen;
    QByteArray out(qsizetype(*outputSize), '\0');
    const kern_return_t result = answer ? answer(selector, calls.back().input, out) : kIOReturnSuccess;
    if (result == kIOReturnSuccess) {
        *outputSize = std::min(*outputSize, std::size_t(out.size()));
        std::memcpy(output, out.constData(), *outputSize);
    }
    return result;
}

} // namespace test
