#include "wlan/order_file.h"

#include "files/read_whole.h"
#include "text/exact_ansi.h"

const char kOrderFileName[] = "ORDER.TXT";

// Far more than the names of every profile a machine can hold.
static const size_t kMaxOrderFileBytes = 1 << 20;

DWORD ReadOrderFile(const WideString& path, ValueList& names, std::vector<int>* lineNumbers) {
  names.clear();
  if (lineNumbers != nullptr) lineNumbers->clear();
  std::string content;
  const DWORD error = ReadFileWhole(path, kMaxOrderFileBytes, content);
  if (error != ERROR_SUCCESS) return error;
  size_t start = 0;
  for (int number = 1; start < content.size(); ++number) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) names.push_back(line);
    if (!line.empty() && lineNumbers != nullptr) lineNumbers->push_back(number);
    start = end + 1;
  }
  return ERROR_SUCCESS;
}

std::string OrderFileText(const std::vector<WideString>& names, std::vector<WideString>& unlisted) {
  std::string text;
  for (const WideString& name : names) {
    std::string bytes;
    if (ToAnsiExactly(name, bytes) && bytes.find_first_of("\r\n") == std::string::npos && !bytes.empty())
      text += bytes + "\r\n";
    else unlisted.push_back(name);
  }
  return text;
}
