// Whether the library may start helper threads.  Reading a long file and
// writing a binary dataset file use one helper thread each (see
// ARCHITECTURE.md); with threads off the same work runs on the calling
// thread alone and gives the same records and bytes, a little slower.
//
// Off when the library is built with -DQZCORE_THREADS=OFF (for platforms
// and hosts without threads: nothing then starts one), or at run time by
// setThreadsEnabled(false) or the environment variable QZCORE_THREADS=0
// read at the first call.
#ifndef QZCORE_SHARED_THREADS_H
#define QZCORE_SHARED_THREADS_H

#include "qzCore/Export.h"

namespace qzCore {

/// True when helper threads may be started.
QZCORE_EXPORT bool threadsEnabled();

/// Allows (true) or forbids helper threads from now on, process-wide.  In
/// a build without threads it changes nothing.
QZCORE_EXPORT void setThreadsEnabled(bool on);

}  // namespace qzCore

#endif  // QZCORE_SHARED_THREADS_H
