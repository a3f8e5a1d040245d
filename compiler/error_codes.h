// The numbers the compiler and the code placement record in ErrorCode.
// 1 to 103 are the scenario format's own; 200 and up refuse inputs the
// format leaves open (docs/decisions.md lists them).
#pragma once

#include <cstdint>

namespace scenario::error {

inline constexpr int32_t kRouteTooLong = 1;
inline constexpr int32_t kKilometreNotMultiple = 2;
inline constexpr int32_t kRepetitionStart = 3;
inline constexpr int32_t kRepetitionEnd = 4;
inline constexpr int32_t kRepetitionCodes = 5;
inline constexpr int32_t kSignBoardOccupied = 6;
inline constexpr int32_t kCodeReductionOccupied = 7;
inline constexpr int32_t kStationPosition = 8;
inline constexpr int32_t kStationLength = 9;
inline constexpr int32_t kTooManyStations = 10;
inline constexpr int32_t kNoCellBeforeSignal = 11;
inline constexpr int32_t kBandFull = 12;
inline constexpr int32_t kWalkFull = 13;
inline constexpr int32_t kBeyondGrid = 15;
inline constexpr int32_t kSignalOccupied = 16;
inline constexpr int32_t kWarningBoardOccupied = 17;
inline constexpr int32_t kSlowdownStartOccupied = 18;
inline constexpr int32_t kSlowdownEndOccupied = 19;
inline constexpr int32_t kWarningMarkersOccupied = 20;
inline constexpr int32_t kSpeedBoardsOccupied = 21;
inline constexpr int32_t kStationsTooClose = 22;
inline constexpr int32_t kStationAtStart = 24;
inline constexpr int32_t kRuntimeFailure = 25;
inline constexpr int32_t kNoLineSource = 101;
inline constexpr int32_t kNoGeneralSection = 102;
inline constexpr int32_t kBadCurve = 103;

// Inputs the format leaves open.
inline constexpr int32_t kNoRouteLength = 200;       // no "lunghezza percorso" record: nothing to size
inline constexpr int32_t kRouteNotPositive = 201;    // a route length of 0 m or less
inline constexpr int32_t kTooManyMontagne = 202;     // an 81st montagna section
inline constexpr int32_t kTooManySignBoards = 203;   // an 81st sign board: no record left for its text
inline constexpr int32_t kNegativePosition = 204;    // a record placed before the start of the line
inline constexpr int32_t kStationBeyondGrid = 205;   // a station whose stop cell lies beyond the grid
inline constexpr int32_t kSlowdownEndOutside = 206;  // a slowdown whose end cell lies outside the grid

}  // namespace scenario::error
