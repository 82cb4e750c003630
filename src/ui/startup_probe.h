// For the start-up benchmark: with SEGMARK_STARTUP_PROBE set, the program
// reports the moment its window first painted and its resident memory, then
// quits.
#pragma once

class QWidget;

// Watches Painted; does nothing unless SEGMARK_STARTUP_PROBE is set.
void WatchFirstPaint(QWidget* Painted);
