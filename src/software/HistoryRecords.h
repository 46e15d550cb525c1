#pragma once
// The engine's short histories: CPU load and machine traffic per period, 19 samples each, and
// the small charts drawn from them. The worker writes, the windows read without a lock: every
// entry and the ring index are single atomic words, so a reader sees the old or the new sample.
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/ArgbBitmap.h"
#include "base/BrandColour.h"
#include "base/ChartCanvas.h"

namespace vsm {

inline constexpr int kHistoryLength = 19;
inline constexpr uint8_t kNoCpuSample = 255;
inline constexpr uint32_t kNoTrafficSample = 0xFFFFFFFFu;

inline constexpr uint32_t kChartFrameColour = 0xFFE5E5E5u;
inline constexpr uint32_t kChartBarColour = OpaqueArgb(kBrandColour);
inline constexpr uint32_t kChartLineColour = OpaqueArgb(kBrandColour);
inline constexpr int kChartLabelFontSize = 6;

// What a line chart draws: the pen line through the present samples and the scale label at the
// top right. Computed by the core, drawn by a ChartCanvas.
struct LineChartPlan {
  bool draws = false;  // false: nothing at all (a traffic chart with no traffic yet)
  std::array<Point, kHistoryLength> points{};
  int pointCount = 0;
  std::string label;
};

// Geometry of a line chart: `values` oldest first, `present` says which are samples, `scale` is
// the value at the rectangle's top (above 0). The label is left empty.
LineChartPlan PlanLineChart(const std::array<uint32_t, kHistoryLength>& values,
                            const std::array<bool, kHistoryLength>& present, const Rect& rect, int64_t scale);

// numerator / denominator rounded to the nearest integer, halves to even (both non-negative,
// denominator above 0).
int64_t DivideRoundHalfEven(int64_t numerator, int64_t denominator);
// Draws a plan: the line, then the label with its right edge on the rectangle's right edge.
void DrawLineChartPlan(ChartCanvas& canvas, const LineChartPlan& plan, const Rect& rect);

// Ring position of the k-th entry from the oldest, for a ring whose newest entry is `newest`.
inline int RingIndexFromOldest(int newest, int k) { return (newest + 1 + k) % kHistoryLength; }
// The index after `current`: after 18 comes 0.
inline uint8_t NextRingIndex(uint8_t current) {
  return static_cast<uint8_t>(current >= kHistoryLength - 1 ? 0 : current + 1);
}

class TCpuRecord {
 public:
  TCpuRecord();

  // Advances the ring and stores the load (percent) as the newest entry.
  void AddRecord(int load);
  // The newest entry; 255 before the first sample.
  uint8_t Newest() const;
  uint8_t Entry(int index) const {
    return cpuRecord[static_cast<size_t>(index)].load(std::memory_order_relaxed);
  }
  uint8_t CurPoint() const { return curPoint.load(std::memory_order_relaxed); }
  // The largest entry that is a sample, or 0.
  int GetMaxValue() const;

  // Framed bars, oldest at the left, in the rectangle (needs an inner width of 20 pixels).
  void DrawBarChart(ArgbBitmap& bitmap, const Rect& rect) const;
  LineChartPlan PlanChart(const Rect& rect) const;
  void DrawLineChart(ChartCanvas& canvas, const Rect& rect) const;

 private:
  std::array<std::atomic<uint8_t>, kHistoryLength> cpuRecord;
  std::atomic<uint8_t> curPoint{0};
};

class TTdiRecord {
 public:
  TTdiRecord();

  // Drops the sample when either value is negative; else advances the ring, stores both and
  // raises the maxima.
  void AddRecord(int32_t in, int32_t out);
  // The newest entries, or 0 when there is no sample.
  uint32_t RecvPerS() const;
  uint32_t SendPerS() const;
  uint32_t MaxInValue() const { return FMaxIn.load(std::memory_order_relaxed); }
  uint32_t MaxOutValue() const { return FMaxOut.load(std::memory_order_relaxed); }
  uint32_t InEntry(int index) const {
    return ByteInsPerS[static_cast<size_t>(index)].load(std::memory_order_relaxed);
  }
  uint32_t OutEntry(int index) const {
    return ByteOutsPerS[static_cast<size_t>(index)].load(std::memory_order_relaxed);
  }
  uint8_t CurPoint() const { return curPoint.load(std::memory_order_relaxed); }

  // The machine's running totals as last read; all ones until the first read.
  static constexpr uint64_t kTotalsUnknown = ~uint64_t{0};
  uint64_t Bytes_In() const { return FBytes_In.load(std::memory_order_relaxed); }
  uint64_t Bytes_Out() const { return FBytes_Out.load(std::memory_order_relaxed); }
  void SetTotals(uint64_t received, uint64_t sent);

  // The traffic scale: 0 draws nothing; below 512 KB per period the maximum gets half again as
  // much room, from 512 KB on it is used as it is.
  static int64_t ChartScale(uint32_t maximum);
  void DrawRecvLineChart(ChartCanvas& canvas, const Rect& rect) const;
  void DrawSendLineChart(ChartCanvas& canvas, const Rect& rect) const;
  // One history with the given scale maximum; the label is the scale as a rate.
  void DrawLineChart(ChartCanvas& canvas, const Rect& rect, bool received, uint32_t maximum) const;

 private:
  std::atomic<uint32_t> FMaxIn{0};
  std::atomic<uint32_t> FMaxOut{0};
  std::array<std::atomic<uint32_t>, kHistoryLength> ByteInsPerS;
  std::array<std::atomic<uint32_t>, kHistoryLength> ByteOutsPerS;
  std::atomic<uint8_t> curPoint{0};
  std::atomic<uint64_t> FBytes_In{kTotalsUnknown};
  std::atomic<uint64_t> FBytes_Out{kTotalsUnknown};
};

}  // namespace vsm
