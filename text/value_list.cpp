#include "text/value_list.h"

bool ListContains(ValueList list, std::string item) {
  bool found = false;
  for (const std::string& element : list) {
    if (element == item) found = true;
  }
  return found;
}
