// The groups of measures, each adding its rows to the table, and how often each is repeated.
#pragma once

#include "BenchFolders.h"
#include "ResultTable.h"

constexpr int kRuns = 15;
constexpr int kStartRuns = 5; // each start waits out the 500 ms discovery pause

// Starts of the program in a process of its own, and its memory.
void MeasureStart(ResultTable& table, const BenchFolders& folders);
// Painting, editing and rebuilding the real main window, created in this process.
void MeasureMainWindow(ResultTable& table);
void MeasureSettingsFile(ResultTable& table, const BenchFolders& folders);
void MeasureRegionFromMask(ResultTable& table);

// Handles every queued message as the program's loop does, without waiting for more.
void PumpMessages();
