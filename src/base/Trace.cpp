#include "base/Trace.h"

#include <atomic>

namespace {
std::atomic<TraceSink> g_append{nullptr};
std::atomic<TraceSink> g_clear{nullptr};
}  // namespace

void TraceLine(const char* text) {
  if (TraceSink sink = g_append.load()) sink(text ? text : "");
}

void TraceClear() {
  if (TraceSink sink = g_clear.load()) sink(nullptr);
}

void SetTraceSink(TraceSink append, TraceSink clear) {
  g_append.store(append);
  g_clear.store(clear);
}
