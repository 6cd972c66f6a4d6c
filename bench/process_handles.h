#pragma once

// The kernel handles this process holds now (registry keys, files, events),
// as the system's handle table lists them; -1 when the system does not say.
// Wine answers this although it reports 0 for GetProcessHandleCount.
namespace qb::bench {

long KernelHandlesOfThisProcess();

}  // namespace qb::bench
