// The senders of the benchmarks run only where packets cannot leave the machine: in a
// network namespace of their own whose only interface is the loopback.
#pragma once

#include <QNetworkInterface>

#include <filesystem>
#include <system_error>

inline bool inIsolatedNetwork()
{
    // A namespace of our own (when the first process's can be read at all to compare)...
    std::error_code selfError;
    std::error_code initError;
    const auto self = std::filesystem::read_symlink("/proc/self/ns/net", selfError);
    const auto init = std::filesystem::read_symlink("/proc/1/ns/net", initError);
    if (selfError || (!initError && self == init))
        return false;
    // ...and, what really keeps packets in, no interface but the loopback.
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        if (!interface.flags().testFlag(QNetworkInterface::IsLoopBack))
            return false;
    }
    return true;
}
