#include "hardware/board/BoardLayout.h"

namespace vsm {

void NameBoardSensors(TMainBord& board) {
  NameSensors(
      {board.Chip, board.mf, board.model, board.Voltages, board.Temperatures, board.Fans, board.Controls});
}

}  // namespace vsm
