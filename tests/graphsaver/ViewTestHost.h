#pragma once

#include <memory>
#include <vector>

#include "SoftwareCanvas.h"
#include "View.h"

// A software bitmap that also tells the test which polygons were drawn on it.
class TRecordingBitmap : public TSoftwareBitmap {
public:
  explicit TRecordingBitmap(std::vector<std::vector<TScreenPoint>>* polygons, int width = 0,
                            int height = 0)
      : TSoftwareBitmap(width, height), polygons_(polygons) {}

  void Polygon(std::span<const TScreenPoint> points) override {
    polygons_->emplace_back(points.begin(), points.end());
    TSoftwareBitmap::Polygon(points);
  }

private:
  std::vector<std::vector<TScreenPoint>>* polygons_;
};

// The window a view lives in: a software screen, and syntax errors counted instead of shown.
class TTestViewHost : public TViewHost {
public:
  TTestViewHost(int width, int height) : screen(&polygons, width, height) {}

  TCanvas& ControlCanvas() override { return screen; }
  std::unique_ptr<TBitmap> NewBitmap() override {
    return std::make_unique<TRecordingBitmap>(&polygons);
  }
  void ReportSyntaxError() override { ++syntaxErrors; }

  std::vector<std::vector<TScreenPoint>> polygons;  // every polygon drawn anywhere
  TRecordingBitmap screen;
  int syntaxErrors = 0;
};
