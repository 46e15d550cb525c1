#include "software/HistoryRecords.h"

#include "base/ByteSize.h"
#include "base/text.h"

namespace vsm {

int64_t DivideRoundHalfEven(int64_t numerator, int64_t denominator) {
  int64_t quotient = numerator / denominator;
  int64_t twiceRemainder = (numerator % denominator) * 2;
  if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0)) ++quotient;
  return quotient;
}

LineChartPlan PlanLineChart(const std::array<uint32_t, kHistoryLength>& values,
                            const std::array<bool, kHistoryLength>& present, const Rect& rect,
                            int64_t scale) {
  LineChartPlan plan;
  if (scale <= 0) return plan;
  plan.draws = true;
  int height = rect.bottom - rect.top;
  int x = rect.left;
  for (int k = 0; k < kHistoryLength; ++k) {
    if (present[static_cast<size_t>(k)]) {
      int64_t rise =
          DivideRoundHalfEven(static_cast<int64_t>(values[static_cast<size_t>(k)]) * height, scale);
      plan.points[static_cast<size_t>(plan.pointCount++)] = {x, rect.bottom - static_cast<int>(rise)};
    }
    // x reaches the right edge after the 17th entry; the last two share it.
    if (k < kHistoryLength - 2) x += (rect.right - x) / (kHistoryLength - 2 - k);
  }
  return plan;
}

void DrawLineChartPlan(ChartCanvas& canvas, const LineChartPlan& plan, const Rect& rect) {
  if (!plan.draws) return;
  if (plan.pointCount >= 2) {
    canvas.Polyline(plan.points.data(), static_cast<size_t>(plan.pointCount), kChartLineColour);
  }
  int width = canvas.TextWidth(plan.label, kChartLabelFontSize);
  canvas.DrawText(rect.right - width, rect.top, plan.label, kChartLabelFontSize, kWindowFontColour,
                  kTextNoClip);
}

TCpuRecord::TCpuRecord() {
  for (auto& entry : cpuRecord) entry.store(kNoCpuSample, std::memory_order_relaxed);
}

void TCpuRecord::AddRecord(int load) {
  uint8_t next = NextRingIndex(CurPoint());
  cpuRecord[next].store(static_cast<uint8_t>(load), std::memory_order_relaxed);
  curPoint.store(next, std::memory_order_release);
}

uint8_t TCpuRecord::Newest() const { return Entry(CurPoint()); }

int TCpuRecord::GetMaxValue() const {
  int maximum = 0;
  for (const auto& entry : cpuRecord) {
    uint8_t value = entry.load(std::memory_order_relaxed);
    if (value != kNoCpuSample && value > maximum) maximum = value;
  }
  return maximum;
}

void TCpuRecord::DrawBarChart(ArgbBitmap& bitmap, const Rect& rect) const {
  bitmap.FrameRect(rect, kChartFrameColour);
  Rect inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
  int height = inner.bottom - inner.top;
  if (height <= 0) return;
  int newest = CurPoint();
  for (int j = 1; j <= kHistoryLength; ++j) {
    // Entries of 255 (no sample) come out taller than the chart and draw nothing.
    int64_t bar =
        DivideRoundHalfEven(static_cast<int64_t>(Entry(RingIndexFromOldest(newest, j - 1))) * height, 100);
    if (bar == 0 || bar > height) continue;
    for (int row = 0; row < bar; ++row)
      bitmap.SetPixel(inner.left + j, inner.bottom - 1 - row, kChartBarColour);
  }
}

LineChartPlan TCpuRecord::PlanChart(const Rect& rect) const {
  std::array<uint32_t, kHistoryLength> values{};
  std::array<bool, kHistoryLength> present{};
  int newest = CurPoint();
  for (int k = 0; k < kHistoryLength; ++k) {
    uint8_t entry = Entry(RingIndexFromOldest(newest, k));
    values[static_cast<size_t>(k)] = entry;
    present[static_cast<size_t>(k)] = entry != kNoCpuSample;
  }
  constexpr int kCpuScale = 100;
  LineChartPlan plan = PlanLineChart(values, present, rect, kCpuScale);
  plan.label = Format("%d%%", kCpuScale);
  return plan;
}

void TCpuRecord::DrawLineChart(ChartCanvas& canvas, const Rect& rect) const {
  DrawLineChartPlan(canvas, PlanChart(rect), rect);
}

TTdiRecord::TTdiRecord() {
  for (auto& entry : ByteInsPerS) entry.store(kNoTrafficSample, std::memory_order_relaxed);
  for (auto& entry : ByteOutsPerS) entry.store(kNoTrafficSample, std::memory_order_relaxed);
}

void TTdiRecord::AddRecord(int32_t in, int32_t out) {
  if (in < 0 || out < 0) return;
  uint8_t next = NextRingIndex(CurPoint());
  ByteInsPerS[next].store(static_cast<uint32_t>(in), std::memory_order_relaxed);
  ByteOutsPerS[next].store(static_cast<uint32_t>(out), std::memory_order_relaxed);
  curPoint.store(next, std::memory_order_release);
  if (static_cast<uint32_t>(in) > MaxInValue())
    FMaxIn.store(static_cast<uint32_t>(in), std::memory_order_relaxed);
  if (static_cast<uint32_t>(out) > MaxOutValue())
    FMaxOut.store(static_cast<uint32_t>(out), std::memory_order_relaxed);
}

uint32_t TTdiRecord::RecvPerS() const {
  uint32_t value = InEntry(CurPoint());
  return value == kNoTrafficSample ? 0 : value;
}

uint32_t TTdiRecord::SendPerS() const {
  uint32_t value = OutEntry(CurPoint());
  return value == kNoTrafficSample ? 0 : value;
}

void TTdiRecord::SetTotals(uint64_t received, uint64_t sent) {
  FBytes_In.store(received, std::memory_order_relaxed);
  FBytes_Out.store(sent, std::memory_order_relaxed);
}

int64_t TTdiRecord::ChartScale(uint32_t maximum) {
  constexpr uint32_t kRoomyBelow = 0x80000;
  if (maximum >= kRoomyBelow) return maximum;
  return DivideRoundHalfEven(static_cast<int64_t>(maximum) * 3, 2);
}

void TTdiRecord::DrawLineChart(ChartCanvas& canvas, const Rect& rect, bool received, uint32_t maximum) const {
  std::array<uint32_t, kHistoryLength> values{};
  std::array<bool, kHistoryLength> present{};
  int newest = CurPoint();
  for (int k = 0; k < kHistoryLength; ++k) {
    int index = RingIndexFromOldest(newest, k);
    uint32_t entry = received ? InEntry(index) : OutEntry(index);
    values[static_cast<size_t>(k)] = entry;
    present[static_cast<size_t>(k)] = entry != kNoTrafficSample;
  }
  int64_t scale = ChartScale(maximum);
  LineChartPlan plan = PlanLineChart(values, present, rect, scale);
  if (plan.draws) plan.label = FormatByteSize(scale, canvas.DecimalSeparator()) + "/s";
  DrawLineChartPlan(canvas, plan, rect);
}

void TTdiRecord::DrawRecvLineChart(ChartCanvas& canvas, const Rect& rect) const {
  DrawLineChart(canvas, rect, true, MaxInValue());
}

void TTdiRecord::DrawSendLineChart(ChartCanvas& canvas, const Rect& rect) const {
  DrawLineChart(canvas, rect, false, MaxOutValue());
}

}  // namespace vsm
