#pragma once
// The floor for reading the address book: every person row read straight from the device's
// store with SQLite, nothing kept.
#include <benchmark/benchmark.h>

// Runs the scan once per benchmark iteration; state.range(0) is the number of persons.
void runBareSqliteScan(benchmark::State& state);
