#pragma once

// One run of the tool; the result is the process exit code.
int RunTool(int argc, char** argv);
