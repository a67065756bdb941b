#pragma once
// Check of the breakout board attached to the selected box against a requirement (board and
// minimum revision). Also records whether the box is the basic hardware variant.
namespace MvQARN {
class CDbCnct;
}

namespace Kobra {

// 0 when the board fits or the check does not apply; otherwise 1 (detection failed) or 20005 (board
// missing or too old) with the reason copied into message. message must hold at least
// BreakoutMessageSize characters. boardId -1 stands for the plain single-ended/differential board.
int chkKobraBreakoutBoard(MvQARN::CDbCnct& cnct, int boardId, int requiredMajor, int requiredMinor,
                          char* message);

inline constexpr int BreakoutMessageSize = 256;

} // namespace Kobra
