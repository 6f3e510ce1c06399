#pragma once
// One line to the trace window, from any thread. The line is in the list
// when the call returns (the list belongs to the user-interface thread).
// Before the trace window exists, and after it is gone, lines go nowhere.

using TraceSink = void (*)(const char* text);

void TraceLine(const char* text);
void TraceClear();

// The trace window installs itself here; tests may install a recorder.
void SetTraceSink(TraceSink append, TraceSink clear = nullptr);
