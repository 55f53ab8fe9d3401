// The Native Wifi actions the driver runs. Each returns 0 when it ran and -1 when the
// Native Wifi client could not be started (after printing its one failure line).
#pragma once

#include <string>

#include "text/value_list.h"

int ListNics();
int ListAps(ValueList limitList);
int DeleteAp(std::string name, ValueList limitList);
int AddAp(std::string path, ValueList limitList);
int OrderAps(ValueList names, ValueList limitList);
int ExportAps(std::string folder, ValueList limitList);
int ListStatus(ValueList limitList);
int ListNetworks(ValueList limitList);
