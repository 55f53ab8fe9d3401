// Comma-separated values as spreadsheets read them (RFC 4180), for the summary of a run and
// the fleet report: CR LF between records, a field quoted when it must be, and no field that
// a spreadsheet would take for a formula.
#pragma once

#include <string>
#include <vector>

#include "text/value_list.h"

// One record and its CR LF. A field beginning with = + - @, a tab or a CR gets a ' before it
// (a spreadsheet then shows it as text rather than evaluating it) and is quoted; a field
// holding a comma, a quote or a line end is quoted, its quotes doubled.
std::string CsvRecord(const ValueList& fields);
// The field as it was before CsvRecord guarded it against formulas.
std::string WithoutFormulaGuard(const std::string& field);
// The records of the text, line ends CR LF or LF, the last one optional; false when a quote
// is not where RFC 4180 allows it (then records holds what came before).
bool ParseCsv(const std::string& text, std::vector<ValueList>& records);
