#pragma once
// The one application object of the benchmark program: every benchmark that draws, opens a
// window or runs an event loop asks for it, and the first to ask makes it (offscreen), so that
// all benchmarks run in one process whatever their order.
class QApplication;

QApplication& ApplicationBench();
