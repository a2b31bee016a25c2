#pragma once
// The score view whose band pictures are a test's canvas: the layout measures the texts of the
// lines there, and the names, frets and grace notes that widen beats, as on the view's measuring
// canvas.
#include "editor/Scrolling.h"
#include "platform/Canevas.h"

class SurfaceCanevas : public ISurfacePartition {
public:
    explicit SurfaceCanevas(platform::Canevas& c) : c_(c) {}
    platform::Canevas* CanevasBande(int) override { return &c_; }
    platform::Canevas* CanevasMesure() override { return &c_; }

private:
    platform::Canevas& c_;
};
