#pragma once

// The start benchmark runs this same program a second time as the measured program.
bool isStartWindowChild(int argc, char* argv[]);
// Starts the application as its own main() does and ends it once its window has painted.
int startWindowUntilShown(int argc, char* argv[]);
