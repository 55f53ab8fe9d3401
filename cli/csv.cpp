#include "cli/csv.h"

static bool StartsLikeAFormula(const std::string& field) {
  return !field.empty() && std::string("=+-@\t\r").find(field[0]) != std::string::npos;
}

static std::string CsvField(const std::string& field) {
  const bool guarded = StartsLikeAFormula(field);
  if (!guarded && field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = guarded ? "\"'" : "\"";
  for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string CsvRecord(const ValueList& fields) {
  std::string record;
  for (size_t i = 0; i < fields.size(); ++i) record += (i > 0 ? "," : "") + CsvField(fields[i]);
  return record + "\r\n";
}

std::string WithoutFormulaGuard(const std::string& field) {
  return field.size() > 1 && field[0] == '\'' && StartsLikeAFormula(field.substr(1)) ? field.substr(1) : field;
}

bool ParseCsv(const std::string& text, std::vector<ValueList>& records) {
  records.clear();
  size_t at = 0;
  while (at < text.size()) {
    ValueList record(1);
    for (;;) {
      std::string& field = record.back();
      if (at < text.size() && text[at] == '"') {
        for (++at;; ++at) {
          if (at >= text.size()) return false;  // no closing quote
          if (text[at] != '"') field += text[at];
          else if (at + 1 < text.size() && text[at + 1] == '"') field += text[++at];
          else break;
        }
        ++at;
      } else {
        const size_t end = text.find_first_of(",\"\r\n", at);
        field += text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end;
      }
      if (at < text.size() && text[at] == ',') {
        ++at;
        record.emplace_back();
        continue;
      }
      if (at < text.size() && text.compare(at, 2, "\r\n") == 0) at += 2;
      else if (at < text.size() && text[at] == '\n') ++at;
      else if (at < text.size()) return false;  // a quote inside a field, or a lone CR
      break;
    }
    records.push_back(record);
  }
  return true;
}
