#pragma once

// Writes the usage screen to standard output.
void PrintUsage();
