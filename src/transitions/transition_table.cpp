// Every transition number with its effect pair, timer interval, arguments and
// start parameter; -1 is the plain change without a transition.
#include "transitions/transition_table.h"

#include <array>

#include "transitions/band_wipes.h"
#include "transitions/blinds.h"
#include "transitions/combs.h"
#include "transitions/effect_drawing.h"
#include "transitions/grid_effects.h"
#include "transitions/growing_rects.h"
#include "transitions/line_wipes.h"
#include "transitions/moves.h"
#include "transitions/numbered_moves.h"
#include "transitions/rains.h"
#include "transitions/rolls.h"
#include "transitions/scan_wipes.h"
#include "transitions/shape_reveals.h"
#include "transitions/shutters.h"
#include "transitions/sliced_moves.h"
#include "transitions/sweeps.h"
#include "transitions/two_bars.h"
#include "transitions/transition_names.h"

namespace transitions {
namespace {

const std::array<TransitionEntry, kTransitionCount + 1> kTable = {{
    {-1, kNoTransitionEffect, 10, {}, StartParam::kNone},  // (no transition)
    {0, kStraightBandEffect, 10, {5, Direction::kDown, 0}, StartParam::kNone},  // Band down large
    {1, kStraightBandEffect, 10, {1, Direction::kDown, 0}, StartParam::kNone},  // Band down small
    {2, kBandFromCenterEffect, 10, {15, Direction::kDown, 0}, StartParam::kNone},  // Band from center large
    {3, kBandFromCenterEffect, 10, {5, Direction::kDown, 0}, StartParam::kNone},  // Band from center small
    {4, kCornerBandEffect, 10, {15, Direction::kDown, kCornerBottom}, StartParam::kNone},  // Band from left-bottom large
    {5, kCornerBandEffect, 10, {5, Direction::kDown, kCornerBottom}, StartParam::kNone},  // Band from left-bottom small
    {6, kCornerBandEffect, 10, {15, Direction::kDown, 0}, StartParam::kNone},  // Band from left-top large
    {7, kCornerBandEffect, 10, {5, Direction::kDown, 0}, StartParam::kNone},  // Band from left-top small
    {8, kCornerBandEffect, 10, {15, Direction::kDown, kCornerRight | kCornerBottom}, StartParam::kNone},  // Band from right-bottom large
    {9, kCornerBandEffect, 10, {5, Direction::kDown, kCornerRight | kCornerBottom}, StartParam::kNone},  // Band from right-bottom small
    {10, kCornerBandEffect, 10, {15, Direction::kDown, kCornerRight}, StartParam::kNone},  // Band from right-top large
    {11, kCornerBandEffect, 10, {5, Direction::kDown, kCornerRight}, StartParam::kNone},  // Band from right-top small
    {12, kStraightBandEffect, 10, {5, Direction::kLeft, 0}, StartParam::kNone},  // Band left large
    {13, kStraightBandEffect, 10, {1, Direction::kLeft, 0}, StartParam::kNone},  // Band left samll
    {14, kStraightBandEffect, 10, {5, Direction::kRight, 0}, StartParam::kNone},  // Band right large
    {15, kStraightBandEffect, 10, {1, Direction::kRight, 0}, StartParam::kNone},  // Band right small
    {16, kBandToCenterEffect, 10, {15, Direction::kDown, 0}, StartParam::kNone},  // Band to center large
    {17, kBandToCenterEffect, 10, {5, Direction::kDown, 0}, StartParam::kNone},  // Band to center small
    {18, kStraightBandEffect, 10, {5, Direction::kUp, 0}, StartParam::kNone},  // Band up large
    {19, kStraightBandEffect, 10, {1, Direction::kUp, 0}, StartParam::kNone},  // Band up small
    {20, kBlockSpiralEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Block from center
    {21, kBlockSpiralEffect, 10, {0, Direction::kDown, kBlockToCenter}, StartParam::kNone},  // Block to center
    {22, kCenterGrowEffect, 10, {0, Direction::kDown, kGrowInPlace}, StartParam::kNone},  // Center(Diffuse)
    {23, kCenterEnvelopEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Center(Envelop)
    {24, kCheckerboardEffect, 30, {0, Direction::kDown, 0}, StartParam::kNone},  // Checkerboard down
    {25, kCheckerboardEffect, 30, {0, Direction::kDown, kCheckerRebound}, StartParam::kNone},  // Checkerboard down rebound
    {26, kCheckerboardEffect, 30, {0, Direction::kRight, kCheckerIdleFinal}, StartParam::kNone},  // Checkerboard left
    {27, kCheckerboardEffect, 30, {0, Direction::kRight, kCheckerRebound}, StartParam::kNone},  // Checkerboard left rebound
    {28, kCheckerboardEffect, 30, {0, Direction::kLeft, 0}, StartParam::kNone},  // Checkerboard right
    {29, kCheckerboardEffect, 30, {0, Direction::kLeft, kCheckerRebound}, StartParam::kNone},  // Checkerboard right rebound
    {30, kCheckerboardEffect, 30, {0, Direction::kUp, 0}, StartParam::kNone},  // Checkerboard up
    {31, kCheckerboardEffect, 30, {0, Direction::kUp, kCheckerRebound}, StartParam::kNone},  // Checkerboard up rebound
    {32, kRadialSweepEffect, 10, {0, Direction::kDown, 0}, StartParam::kPivotLeftBottom},  // Circle left-bottom
    {33, kRadialSweepEffect, 10, {0, Direction::kDown, 0}, StartParam::kPivotLeftTop},  // Circle left-top
    {34, kRadialSweepEffect, 10, {0, Direction::kDown, 0}, StartParam::kPivotRightBottom},  // Circle right-bottom
    {35, kRadialSweepEffect, 10, {0, Direction::kDown, 0}, StartParam::kPivotRightTop},  // Circle right-top
    {36, kRadialSweepEffect, 10, {0, Direction::kDown, 0}, StartParam::kPivotCenter},  // Circle(Center)
    {37, kRadialSweepEffect, 10, {0, Direction::kDown, 0}, StartParam::kPivotRandom},  // Circle(Random)
    {38, kCrossEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Cross wipe from center
    {39, kCrossEffect, 10, {0, Direction::kDown, kShapeToCenter}, StartParam::kNone},  // Cross wipe to center
    {40, kDiamondEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Diamond from center
    {41, kDiamondEffect, 10, {0, Direction::kDown, kShapeToCenter}, StartParam::kNone},  // Diamond to center
    {42, kCenterEllipseEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Ellipse from center
    {43, kCenterEllipseEffect, 10, {0, Direction::kDown, kShapeToCenter}, StartParam::kNone},  // Ellipse to center
    {44, kRandomCircleEffect, 10, {0, Direction::kDown, 0}, StartParam::kCentreRandom},  // Ellipse(Random)
    {45, kFanEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Fan wipe
    {46, kFanEffect, 10, {0, Direction::kDown, kShapeAnticlockwise}, StartParam::kNone},  // Fan wipe(Anticlockwise)
    {47, kDissolveEffect, 1, {}, StartParam::kNone},  // Increase show
    {48, kInterlacedLinesEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Line down
    {49, kInterlacedLinesEffect, 10, {0, Direction::kDown, kLineRebound}, StartParam::kNone},  // Line down rebound
    {50, kInterlacedLinesEffect, 10, {0, Direction::kLeft, 0}, StartParam::kNone},  // Line left
    {51, kInterlacedLinesEffect, 10, {0, Direction::kLeft, kLineRebound}, StartParam::kNone},  // Line left rebound
    {52, kInterlacedLinesEffect, 10, {0, Direction::kRight, 0}, StartParam::kNone},  // Line right
    {53, kInterlacedLinesEffect, 10, {0, Direction::kRight, kLineRebound}, StartParam::kNone},  // Line right rebound
    {54, kInterlacedLinesEffect, 10, {0, Direction::kUp, 0}, StartParam::kNone},  // Line up
    {55, kInterlacedLinesEffect, 10, {0, Direction::kUp, kLineRebound}, StartParam::kNone},  // Line up rebound
    {56, kRandomLinesEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Lines(Horizontal)
    {57, kRandomLinesEffect, 10, {0, Direction::kRight, 0}, StartParam::kNone},  // Lines(Vertical)
    {58, kMosaicEffect, 10, {}, StartParam::kNone},  // Mosaic
    {59, kPlainMoveEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Move down
    {60, kNumberedMoveEffect, 10, {0, Direction::kDown, 1}, StartParam::kNone},  // Move down 1
    {61, kNumberedMoveEffect, 10, {0, Direction::kDown, 2}, StartParam::kNone},  // Move down 2
    {62, kNumberedMoveEffect, 10, {0, Direction::kDown, 3}, StartParam::kNone},  // Move down 3
    {63, kNumberedMoveEffect, 10, {0, Direction::kDown, 4}, StartParam::kNone},  // Move down 4
    {64, kSlicedMoveEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Move down 5
    {65, kCornerMoveEffect, 10, {0, Direction::kDown, kMoveFromBottom}, StartParam::kNone},  // Move from bottom left
    {66, kCornerMoveEffect, 10, {0, Direction::kDown, kMoveFromRight | kMoveFromBottom}, StartParam::kNone},  // Move from bottom right
    {67, kCornerMoveEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Move from top left
    {68, kCornerMoveEffect, 10, {0, Direction::kDown, kMoveFromRight}, StartParam::kNone},  // Move from top right
    {69, kPlainMoveEffect, 10, {0, Direction::kLeft, 0}, StartParam::kNone},  // Move left
    {70, kNumberedMoveEffect, 10, {0, Direction::kLeft, 1}, StartParam::kNone},  // Move left 1
    {71, kNumberedMoveEffect, 10, {0, Direction::kLeft, 2}, StartParam::kNone},  // Move left 2
    {72, kNumberedMoveEffect, 10, {0, Direction::kLeft, 3}, StartParam::kNone},  // Move left 3
    {73, kNumberedMoveEffect, 10, {0, Direction::kLeft, 4}, StartParam::kNone},  // Move left 4
    {74, kSlicedMoveEffect, 30, {0, Direction::kLeft, 0}, StartParam::kNone},  // Move left 5
    {75, kSplitMoveEffect, 10, {0, Direction::kRight, 0}, StartParam::kNone},  // Move left right
    {76, kPlainMoveEffect, 10, {0, Direction::kRight, 0}, StartParam::kNone},  // Move right
    {77, kNumberedMoveEffect, 10, {0, Direction::kRight, 1}, StartParam::kNone},  // Move right 1
    {78, kNumberedMoveEffect, 10, {0, Direction::kRight, 2}, StartParam::kNone},  // Move right 2
    {79, kNumberedMoveEffect, 10, {0, Direction::kRight, 3}, StartParam::kNone},  // Move right 3
    {80, kNumberedMoveEffect, 10, {0, Direction::kRight, 4}, StartParam::kNone},  // Move right 4
    {81, kSlicedMoveEffect, 30, {0, Direction::kRight, 0}, StartParam::kNone},  // Move right 5
    {82, kPlainMoveEffect, 10, {0, Direction::kUp, 0}, StartParam::kNone},  // Move up
    {83, kNumberedMoveEffect, 10, {0, Direction::kUp, 1}, StartParam::kNone},  // Move up 1
    {84, kNumberedMoveEffect, 10, {0, Direction::kUp, 2}, StartParam::kNone},  // Move up 2
    {85, kNumberedMoveEffect, 10, {0, Direction::kUp, 3}, StartParam::kNone},  // Move up 3
    {86, kNumberedMoveEffect, 10, {0, Direction::kUp, 4}, StartParam::kNone},  // Move up 4
    {87, kSlicedMoveEffect, 10, {0, Direction::kUp, 0}, StartParam::kNone},  // Move up 5
    {88, kSplitMoveEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Move up down
    {89, kMultiBoxEffect, 10, {}, StartParam::kNone},  // Multi-Box from center
    {90, kMultiBoxEffect, 10, {0, Direction::kDown, kBoxesToCenter}, StartParam::kNone},  // Multi-Box to center
    {91, kMultiWipeEffect, 10, {0, Direction::kDown, kShapeBottom}, StartParam::kNone},  // Multi-Wipe from bottom-left
    {92, kMultiWipeEffect, 10, {0, Direction::kDown, kShapeRight | kShapeBottom}, StartParam::kNone},  // Multi-Wipe from bottom-right
    {93, kMultiWipeEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Multi-Wipe from left-top
    {94, kMultiWipeEffect, 10, {0, Direction::kDown, kShapeRight}, StartParam::kNone},  // Multi-Wipe from right-top
    {95, kRainEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Rain down
    {96, kRainEffect, 10, {0, Direction::kLeft, 0}, StartParam::kNone},  // Rain left
    {97, kRainEffect, 10, {0, Direction::kRight, 0}, StartParam::kNone},  // Rain right
    {98, kRainEffect, 10, {0, Direction::kUp, 0}, StartParam::kNone},  // Rain up
    {99, kRandomLinesEffect, 10, {0, Direction::kRight, kLineCross}, StartParam::kNone},  // Random crossLines
    {100, kRollEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Roll down
    {101, kRollEffect, 10, {0, Direction::kLeft, 0}, StartParam::kNone},  // Roll left
    {102, kRollEffect, 10, {0, Direction::kRight, 0}, StartParam::kNone},  // Roll right
    {103, kRollEffect, 10, {0, Direction::kUp, 0}, StartParam::kNone},  // Roll up
    {104, kScanEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Scan down
    {105, kScanEffect, 10, {0, Direction::kLeft, 0}, StartParam::kNone},  // Scan left
    {106, kScanEffect, 10, {0, Direction::kRight, 0}, StartParam::kNone},  // Scan right
    {107, kScanToCenterEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Scan to center(Horizontal)
    {108, kScanToCenterEffect, 10, {0, Direction::kRight, 0}, StartParam::kNone},  // Scan to center(Vertical) 
    {109, kScanToEdgeEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Scan to edge(Horizontal)
    {110, kScanToEdgeEffect, 10, {0, Direction::kRight, 0}, StartParam::kNone},  // Scan to edge(Vertical)
    {111, kScanEffect, 10, {0, Direction::kUp, 0}, StartParam::kNone},  // Scan up
    {112, kCornerGrowEffect, 10, {0, Direction::kDown, kGrowBottom | kGrowInPlace}, StartParam::kNone},  // Show from bottom-left
    {113, kCornerGrowEffect, 10, {0, Direction::kDown, kGrowRight | kGrowBottom | kGrowInPlace}, StartParam::kNone},  // Show from bottom-right
    {114, kCornerGrowEffect, 10, {0, Direction::kDown, kGrowInPlace}, StartParam::kNone},  // Show from top-left
    {115, kCornerGrowEffect, 10, {0, Direction::kDown, kGrowRight | kGrowInPlace}, StartParam::kNone},  // Show from top-right
    {116, kCombEffect, 1, {0, Direction::kRight, 0}, StartParam::kNone},  // Show left-right
    {117, kCombEffect, 1, {0, Direction::kDown, 0}, StartParam::kNone},  // Show up-dwon
    {118, kShutterEffect, 10, {0, Direction::kRight, 0}, StartParam::kBarsAcrossHeight},  // Shutter(Horizontal)
    {119, kShutterEffect, 10, {0, Direction::kDown, 0}, StartParam::kBarsAcrossWidth},  // Shutter(Vertical)
    {120, kEdgeStretchEffect, 10, {0, Direction::kUp, 0}, StartParam::kNone},  // Stretch from bottom
    {121, kCornerGrowEffect, 10, {0, Direction::kDown, kGrowBottom}, StartParam::kNone},  // Stretch from bottom-left
    {122, kCornerGrowEffect, 10, {0, Direction::kDown, kGrowRight | kGrowBottom}, StartParam::kNone},  // Stretch from bottom-right
    {123, kCenterGrowEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Stretch from center
    {124, kEdgeStretchEffect, 10, {0, Direction::kRight, 0}, StartParam::kNone},  // Stretch from left
    {125, kEdgeStretchEffect, 10, {0, Direction::kLeft, 0}, StartParam::kNone},  // Stretch from right
    {126, kEdgeStretchEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Stretch from top
    {127, kCornerGrowEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Stretch from top-left
    {128, kCornerGrowEffect, 10, {0, Direction::kDown, kGrowRight}, StartParam::kNone},  // Stretch from top-right
    {129, kSweepEffect, 50, {0, Direction::kDown, 0}, StartParam::kNone},  // Sweep down
    {130, kSweepEffect, 50, {0, Direction::kLeft, 0}, StartParam::kNone},  // Sweep left
    {131, kSweepEffect, 50, {0, Direction::kRight, 0}, StartParam::kNone},  // Sweep right
    {132, kSweepEffect, 50, {0, Direction::kUp, 0}, StartParam::kNone},  // Sweep up
    {133, kTwoBarsEffect, 10, {0, Direction::kDown, kTwoBarsMove}, StartParam::kNone},  // Tow bar move down
    {134, kTwoBarsEffect, 10, {0, Direction::kUp, kTwoBarsMove}, StartParam::kNone},  // Tow bar move up
    {135, kTwoBarsEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Tow bar wipe down
    {136, kTwoBarsEffect, 10, {0, Direction::kUp, 0}, StartParam::kNone},  // Tow bar wipe up
    {137, kTwoBarsEffect, 10, {0, Direction::kLeft, kTwoBarsMove}, StartParam::kNone},  // Two bar move left
    {138, kTwoBarsEffect, 10, {0, Direction::kRight, kTwoBarsMove}, StartParam::kNone},  // Two bar move right
    {139, kTwoBarsEffect, 10, {0, Direction::kLeft, 0}, StartParam::kNone},  // Two bar wipe left
    {140, kTwoBarsEffect, 10, {0, Direction::kRight, 0}, StartParam::kNone},  // Two bar wipe right
    {141, kWedgeEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Wedge wipe down
    {142, kWedgeEffect, 10, {0, Direction::kLeft, 0}, StartParam::kNone},  // Wedge wipe left
    {143, kWedgeEffect, 10, {0, Direction::kRight, 0}, StartParam::kNone},  // Wedge wipe right
    {144, kWedgeEffect, 10, {0, Direction::kUp, 0}, StartParam::kNone},  // Wedge wipe up
    {145, kBlindEffect, 30, {0, Direction::kDown, 0}, StartParam::kNone},  // Window blind down
    {146, kBlindEffect, 30, {0, Direction::kLeft, 0}, StartParam::kNone},  // Window blind left
    {147, kBlindEffect, 30, {0, Direction::kRight, 0}, StartParam::kNone},  // Window blind right
    {148, kBlindEffect, 30, {0, Direction::kUp, 0}, StartParam::kNone},  // Window blind up
    {149, kCornerWipeEffect, 10, {0, Direction::kDown, kShapeBottom}, StartParam::kNone},  // Wipe from left-bottom
    {150, kCornerWipeEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Wipe from left-top
    {151, kDiagonalWipeEffect, 10, {0, Direction::kDown, 0}, StartParam::kNone},  // Wipe from left-top/right-bottom
    {152, kCornerWipeEffect, 10, {0, Direction::kDown, kShapeRight | kShapeBottom}, StartParam::kNone},  // Wipe from right-bottom
    {153, kCornerWipeEffect, 10, {0, Direction::kDown, kShapeRight}, StartParam::kNone},  // Wipe from right-top
    {154, kDiagonalWipeEffect, 10, {0, Direction::kDown, kShapeRight}, StartParam::kNone},  // Wipe from right-top/left-bottom
    {155, kDiagonalWipeEffect, 10, {0, Direction::kDown, kShapeToCenter}, StartParam::kNone},  // Wipe to left-top/right-bottom
    {156, kDiagonalWipeEffect, 10, {0, Direction::kDown, kShapeRight | kShapeToCenter}, StartParam::kNone},  // Wipe to right-top/left-bottom
    {157, kZigZagEffect, 1, {0, Direction::kDown, 0}, StartParam::kNone},  // Zig-zag down
    {158, kZigZagEffect, 1, {0, Direction::kLeft, 0}, StartParam::kNone},  // Zig-zag left
    {159, kZigZagEffect, 1, {0, Direction::kRight, 0}, StartParam::kNone},  // Zig-zag right
    {160, kZigZagEffect, 1, {0, Direction::kUp, 0}, StartParam::kNone},  // Zig-zag up
}};

}  // namespace

std::span<const TransitionEntry> TransitionTable() { return kTable; }

bool IsTransitionNumber(int32_t number) { return number >= kNoTransition && number < kTransitionCount; }

const TransitionEntry& TransitionEntryFor(int32_t number) {
  if (!IsTransitionNumber(number)) number = kNoTransition;
  return kTable[static_cast<size_t>(number + 1)];
}

}  // namespace transitions
