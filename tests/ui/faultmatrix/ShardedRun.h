// Runs this test program as several processes at once, each taking one share of the tests by
// GoogleTest's own sharding, and reports them one after the other.
//
// A row of the fault matrix spends nearly all its time waiting: for the console's answer windows
// to run out and for the pacing between typed characters. One program at a time would leave the
// machine idle; a few at once finish the matrix in a fraction of the time at little CPU.
#pragma once

namespace tavrin::testing {

// With "--processes=N" (N > 1) among the arguments, runs N copies of this program with the other
// arguments, each with GTEST_TOTAL_SHARDS=N and its GTEST_SHARD_INDEX, waits for all of them,
// prints their output in order and returns 0 when all passed, else 1. Returns -1 when the option
// is absent or N is 1, so the caller runs the tests itself.
int RunAsShards(int argc, char** argv);

}  // namespace tavrin::testing
