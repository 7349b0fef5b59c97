#pragma once
// The bounds of every request the changing desktop sends. A stalled or endless server
// would otherwise hold a download pass for ever (no later pass, no clean exit) or fill
// the disk. Tests shorten them.
#include <QtGlobal>

struct TransferLimits {
  // The largest body kept; a larger Content-Length fails at once, a longer body when it
  // passes the bound.
  qint64 maxBodyBytes = qint64(32) << 20;
  // A request fails after this long without data...
  int idleMs = 15000;
  // ... or after this long in all.
  int totalMs = 60000;
  // The connection test at start fails after this long in all.
  int connectionTestMs = 10000;
};
