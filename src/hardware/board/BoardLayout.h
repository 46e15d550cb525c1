#pragma once
// Display names of the monitoring chip's channels. The chip only delivers numbered channels;
// which one is the CPU core voltage or the chassis fan depends on how the board maker wired it,
// so the names come from a table keyed by chip, board maker and board model. Naming never
// changes values or channel counts, and a channel the table does not mention keeps its name.
#include <cstdint>
#include <string_view>

#include "hardware/board/BoardIdentity.h"
#include "hardware/superio/MainBord.h"

namespace vsm {

// The part of a board object that naming reads and writes.
struct TBoardSensors {
  uint16_t Chip;
  TBoardManufacturer mf;
  TBoardModel model;
  TSenorArray& Voltages;
  TSenorArray& Temperatures;
  TSenorArray& Fans;
  TSenorArray& Controls;
};

// Names one channel; an index outside the array is ignored, so a layout may name channels that
// a smaller chip of its group does not have.
void NameSensor(TSenorArray& sensors, int index, std::string_view name);

// Applies the layout for the board's chip, maker and model.
void NameSensors(const TBoardSensors& board);

// The naming step after chip detection, on the detected board object itself.
void NameBoardSensors(TMainBord& board);

}  // namespace vsm
