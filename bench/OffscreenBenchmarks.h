#pragma once

class TempDir;

// A folder of the run's own, where the settings file, the registry store and the PDF printer's
// files of the benchmarks go (XDG_CONFIG_HOME and XDG_DATA_HOME point into it).
TempDir& BenchHome();

// Runs the registered benchmarks in an offscreen application, with BenchHome set up; the body of
// a benchmark program's main.
int RunOffscreenBenchmarks(int argc, char** argv);
