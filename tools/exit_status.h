// The exit statuses of the authoring tool. 64 and up follow the usual
// meanings of sysexits: usage, bad data, cannot create, input/output.
#pragma once

namespace scenario::tool {

inline constexpr int kExitClean = 0;          // done; no error recorded
inline constexpr int kExitCompileError = 1;   // a compile error was recorded (or a check code does not match)
inline constexpr int kExitFatal = 2;          // a final check failed, or there is nothing to write
inline constexpr int kExitUsage = 64;         // the command line is wrong
inline constexpr int kExitDataError = 65;     // a binary file is malformed
inline constexpr int kExitCannotCreate = 73;  // init would overwrite a file that differs
inline constexpr int kExitIoError = 74;       // a file cannot be read or written

}  // namespace scenario::tool
