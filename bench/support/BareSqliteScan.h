#pragma once
// The floor for reading the address book: every person row read straight from the device's
// store with SQLite, nothing kept.
#include <benchmark/benchmark.h>

#include <cstdint>

enum class ScanConnection {
    Plain, // opened read-only with SQLite's defaults, as anyone would
    AsTheStore, // opened with the settings of the address book's own connection
};

// One scan; returns a sum over the values read, so that nothing is optimised away.
int64_t scanPersonRows(ScanConnection connection = ScanConnection::Plain);

// Runs the plain scan once per benchmark iteration; state.range(0) is the number of persons.
void runBareSqliteScan(benchmark::State& state);
