// Exit statuses of tavrin-cli, so scripts can tell failures apart.
#pragma once

namespace tavrin::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;        // anything not listed below
inline constexpr int kExitUsage = 2;          // bad command line
inline constexpr int kExitPort = 3;           // port cannot be opened, is held, or failed in use
inline constexpr int kExitTimeout = 4;        // the console did not answer in time
inline constexpr int kExitForeignModule = 5;  // the console named neither 6420RT nor 6420e
inline constexpr int kExitInvalidInput = 6;   // a file or value given to the command is unusable
inline constexpr int kExitNotVerified = 7;    // the gateway does not hold what was written
inline constexpr int kExitDiffer = 8;         // diff, --dry-run: the two configurations differ
inline constexpr int kExitBusFault = 9;       // modbus-check: an exception, no answer or bad reply

}  // namespace tavrin::cli
