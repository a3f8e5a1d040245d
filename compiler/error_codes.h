// Every number the compiler and the code placement record in ErrorCode,
// written once: its constant, its code, whether it sets ErrorPosition, what
// went wrong and what an author can do about it. 1 to 103 are the scenario
// format's own; 200 and up refuse inputs the format leaves open
// (docs/decisions.md lists them). The constants below, the table both
// programs describe errors with (compiler/error_table.h) and the README's
// table of error codes (checked by a test) all come from this list.
#pragma once

#include <cstdint>

// X(constant, code, sets_position, meaning, remedy)
#define SCENARIO_ERROR_CODES(X)                                                                                        \
  X(kRouteTooLong, 1, false, "the route length is greater than 1000000 m",                                             \
    "shorten the \"lunghezza percorso\" value to 1000000 m or less")                                                   \
  X(kKilometreNotMultiple, 2, false, "a kilometre reference has a first or second value that is not a multiple of 50", \
    "make both values of every \"progressiva chilometrica\" record multiples of 50")                                   \
  X(kRepetitionStart, 3, false, "the start of the signal code repetition is not a multiple of 50",                     \
    "make the first value of \"ripetizione segnali\" a multiple of 50")                                                \
  X(kRepetitionEnd, 4, false, "the end of the signal code repetition is not a multiple of 50",                         \
    "make the second value of \"ripetizione segnali\" a multiple of 50")                                               \
  X(kRepetitionCodes, 5, false, "the signal code repetition names neither 4 nor 9 codes",                              \
    "write \"4\" or \"9\" in the \"ripetizione segnali\" keyword, as in \"ripetizione segnali 9 codici\"")             \
  X(kSignBoardOccupied, 6, true, "the cell of a sign board is already occupied",                                       \
    "move the sign board to a 50 m cell that holds no other object")                                                   \
  X(kCodeReductionOccupied, 7, true, "the cell of a code reduction is already occupied",                               \
    "move the \"abbattimento\" to a cell that holds no signal, board or other code point")                             \
  X(kStationPosition, 8, true, "a station's position is not a multiple of 50",                                         \
    "give the station a position that is a multiple of 50")                                                            \
  X(kStationLength, 9, true, "a station's length is not a multiple of 100",                                            \
    "give the station a zone length that is a multiple of 100")                                                        \
  X(kTooManyStations, 10, false, "stations and sign boards together need more scenario records than there are",        \
    "remove stations or sign boards: at most 78 of them together")                                                     \
  X(kNoCellBeforeSignal, 11, true,                                                                                     \
    "no free cell for a cab-code change point before a signal near a slowdown warning board",                          \
    "free one of the two cells just before the signal")                                                                \
  X(kBandFull, 12, true, "a band before a slowdown start has no free cell for a cab-code change point",                \
    "free a cell 5 to 7, 11 to 13 or 18 to 20 cells before the slowdown start")                                        \
  X(kWalkFull, 13, true, "no free cell for a cab-code change point along or after a slowdown",                         \
    "free the cells around the change points due every 400 m along the slowdown and before the next signal")           \
  X(kBeyondGrid, 15, true, "a record lies too far along the line for the track grid",                                  \
    "keep positions at least 100 m (stations 800 m) inside the route length plus 7000 m")                              \
  X(kSignalOccupied, 16, true, "the cell of a signal is already occupied",                                             \
    "move the signal to a 50 m cell that holds no other object")                                                       \
  X(kWarningBoardOccupied, 17, true, "the cell of a slowdown warning board is already occupied",                       \
    "move the slowdown so that the cell 1200 m before its start is free")                                              \
  X(kSlowdownStartOccupied, 18, true, "the cell of a slowdown start is already occupied",                              \
    "move the slowdown start to a free cell")                                                                          \
  X(kSlowdownEndOccupied, 19, true, "the cell of a slowdown end is already occupied",                                  \
    "change the slowdown's start or length so that its end falls on a free cell")                                      \
  X(kWarningMarkersOccupied, 20, true, "one of the four cells before a slowdown warning board is already occupied",    \
    "free the four cells before the warning board, or set the marker flag to 0")                                       \
  X(kSpeedBoardsOccupied, 21, true, "the cell of a speed indicator board is already occupied",                         \
    "move the speed indicator boards to a 50 m cell that holds no other object")                                       \
  X(kStationsTooClose, 22, true, "a station's zone starts less than 350 m after the previous station's zone ends",     \
    "move the stations apart or shorten their zones; list stations in rising order")                                   \
  X(kStationAtStart, 24, false, "a stopping station's zone ends at 100 m or less",                                     \
    "move the station further along the line")                                                                         \
  X(kRuntimeFailure, 25, false,                                                                                        \
    "a field could not be read: not a number, out of range for its field, or the file ended inside a record",          \
    "correct the field the diagnostic points at")                                                                      \
  X(kNoLineSource, 101, false, "the line source file does not exist", "give the path of an existing line source file") \
  X(kNoGeneralSection, 102, false, "the line source file has no \"[generale]\" section",                               \
    "add a \"[generale]\" header before the general records")                                                          \
  X(kBadCurve, 103, false, "a curve keyword has no class digit 1 to 6, or the plan passes metre 1000000",              \
    "write the curve as curvad1 to curvad6 or curvas1 to curvas6, within the first 1000000 m")                         \
  X(kNoRouteLength, 200, false, "the line source file gives no route length",                                          \
    "add a \"lunghezza percorso\" record to the general section")                                                      \
  X(kRouteNotPositive, 201, false, "the route length is 0 m or less", "give a positive \"lunghezza percorso\"")        \
  X(kTooManyMontagne, 202, true, "more than 80 montagna sections",                                                     \
    "merge montagna sections: the line can hold at most 80")                                                           \
  X(kTooManySignBoards, 203, true, "more than 80 sign boards: no scenario record is left for the text",                \
    "remove sign boards: the line can hold at most 80")                                                                \
  X(kNegativePosition, 204, true, "a record lies before the start of the line (a negative position)",                  \
    "give the signal, slowdown, station or code reduction a position of 0 m or more, boards one of -75 m or more, a "  \
    "montagna a start of -25 m or more")                                                                               \
  X(kStationBeyondGrid, 205, true, "a station's stop point lies beyond the end of the track grid",                     \
    "shorten the station's zone or move it back from the end of the line")                                             \
  X(kSlowdownEndOutside, 206, true, "a slowdown's end lies outside the track grid",                                    \
    "give the slowdown a positive length that ends inside the route length plus 7000 m")

namespace scenario::error {

#define SCENARIO_ERROR_CONSTANT(name, code, sets_position, meaning, remedy) inline constexpr int32_t name = code;
SCENARIO_ERROR_CODES(SCENARIO_ERROR_CONSTANT)
#undef SCENARIO_ERROR_CONSTANT

}  // namespace scenario::error
