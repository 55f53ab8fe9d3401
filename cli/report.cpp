#include "cli/report.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "cli/csv.h"
#include "cli/summary.h"
#include "files/folders.h"
#include "files/read_whole.h"
#include "files/replace_file.h"
#include "text/ascii_case.h"
#include "text/code_page.h"
#include "text/print.h"

const char kFleetReportName[] = "tessamin-fleet-report.csv";

namespace {

// Far more than a summary, or the names of a fleet, take.
const size_t kMaxInputBytes = 1 << 20;
// Every version's summary begins with these columns: computer, time, exit code.
const size_t kFirstColumns = 3;
const char kNoSummary[] = "no summary";

struct Row {
  std::string computer;  // as the summary or the fleet's list names it
  ValueList fields;      // under the report's header
};

// Computer names compare without regard to the letter case of ASCII letters, as Windows does.
std::string Folded(std::string name) {
  for (char& c : name) c = static_cast<char>(UpperAscii(static_cast<unsigned char>(c)));
  return name;
}

std::string Shown(const WideString& path) {
  return NameForLine(ToAnsi(path.c_str(), path.size()));
}

// The summary's fields under the report's header, matched by column name: a column that an
// older version did not write stays empty, one that a newer version added is left out. False
// when the text is not one machine's summary: a header that begins as every version's does,
// one record of as many fields, and in it the computer that the file is named after.
bool ReadSummary(const std::string& text, const std::string& fileComputer, const ValueList& header, Row& row) {
  std::vector<ValueList> records;
  if (!ParseCsv(text, records) || records.size() != 2 || records[0].size() < kFirstColumns ||
      !std::equal(header.begin(), header.begin() + kFirstColumns, records[0].begin()) ||
      records[1].size() != records[0].size())
    return false;
  row.fields.assign(header.size(), "");
  for (size_t i = 0; i < records[0].size(); ++i) {
    const ValueList::const_iterator column = std::find(header.begin(), header.end(), records[0][i]);
    if (column != header.end()) row.fields[column - header.begin()] = WithoutFormulaGuard(records[1][i]);
  }
  row.computer = row.fields[0];
  return Folded(row.computer) == Folded(fileComputer);
}

// Every LOGFOLDER\*.csv but the report; a file that is no summary gets a line saying so.
DWORD ReadSummaries(const WideString& folder, const ValueList& header, std::vector<Row>& rows) {
  std::vector<WideString> names;
  const DWORD error = ListFilesEndingIn(folder, ".csv", names);
  if (error != ERROR_SUCCESS) return error;
  std::sort(names.begin(), names.end());  // the lines about them in name order
  const std::string reportName = Folded(kFleetReportName);
  for (const WideString& name : names) {
    const std::string fileName = ToAnsi(name.c_str(), name.size());
    if (Folded(fileName) == reportName) continue;
    const WideString path = JoinPath(folder, name);
    std::string text;
    const DWORD readError = ReadFileWhole(path, kMaxInputBytes, text);
    Row row;
    if (readError == ERROR_FILE_NOT_FOUND) continue;  // a machine's run removed it since the listing
    if (readError != ERROR_SUCCESS) PrintError(readError, "read '" + Shown(path) + "'");
    else if (!ReadSummary(text, fileName.substr(0, fileName.size() - 4), header, row))
      Print(" - Left out '" + Shown(path) + "': it is not one machine's summary.\n");
    else rows.push_back(row);
  }
  return ERROR_SUCCESS;
}

// One computer name per line, as the directory exports them: the first column of a tab- or
// comma-separated line, without blanks or quotes around it or the $ of an account name after
// it; a list saved as UTF-16 ("Unicode") or as UTF-8 with its byte-order mark is read too.
ValueList FleetNames(std::string bytes) {
  if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
    WideString wide;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
      wide += static_cast<WCHAR>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    bytes = ToAnsi(wide.c_str(), wide.size());
  } else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    bytes.erase(0, 3);
  }
  ValueList names;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = std::min(bytes.find('\n', start), bytes.size());
    std::string name = bytes.substr(start, std::min(bytes.find_first_of("\t,\r\n", start), end) - start);
    start = end + 1;
    const size_t first = name.find_first_not_of(" \""), last = name.find_last_not_of(" \"");
    name = first == std::string::npos ? "" : name.substr(first, last - first + 1);
    if (!name.empty() && name.back() == '$') name.pop_back();
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

// A row for each listed machine that left no summary.
void AddMissingMachines(const ValueList& fleet, const ValueList& header, std::vector<Row>& rows) {
  std::set<std::string> present;
  for (const Row& row : rows) present.insert(Folded(row.computer));
  const size_t exitCode = std::find(header.begin(), header.end(), "exit code") - header.begin();
  for (const std::string& name : fleet) {
    if (!present.insert(Folded(name)).second) continue;
    Row row{name, ValueList(header.size())};
    row.fields[0] = name;
    row.fields[exitCode] = kNoSummary;
    rows.push_back(row);
  }
}

// Exit codes in their numeric order, any other text after them.
struct InNumericOrder {
  bool operator()(const std::string& a, const std::string& b) const {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
  }
};

void PrintCounts(const std::vector<Row>& rows, const ValueList& header, const std::string& shownReport) {
  const size_t exitCode = std::find(header.begin(), header.end(), "exit code") - header.begin();
  std::map<std::string, int, InNumericOrder> counts;
  int missing = 0;
  for (const Row& row : rows) {
    if (row.fields[exitCode] == kNoSummary) ++missing;
    else ++counts[row.fields[exitCode]];
  }
  if (!rows.empty()) Print("Machines By Exit Code:\n");
  for (const auto& count : counts) Print(NameForLine(count.first) + " / " + std::to_string(count.second) + "\n");
  if (missing > 0) Print(std::string(kNoSummary) + " / " + std::to_string(missing) + "\n");
  if (!rows.empty()) Print("\n");
  Print(" - Joined " + std::to_string(rows.size()) + (rows.size() == 1 ? " machine" : " machines") + " into '" +
        shownReport + "'.\n");
}

}  // namespace

int ReportFleet(const std::string& logFolder, const std::string& fleetList) {
  ValueList fleet;
  if (!fleetList.empty()) {
    std::string bytes;
    const DWORD error = ReadFileWhole(ToWide(fleetList), kMaxInputBytes, bytes);
    if (error != ERROR_SUCCESS) {
      PrintError(error, "read the fleet's list '" + NameForLine(fleetList) + "'");
      return kReportFailed;
    }
    fleet = FleetNames(bytes);
  }
  const WideString folder = ToWide(logFolder);
  const ValueList header = SummaryColumns();
  std::vector<Row> rows;
  DWORD error = ReadSummaries(folder, header, rows);
  if (error != ERROR_SUCCESS) {
    PrintError(error, "list the log folder '" + NameForLine(logFolder) + "'");
    return kReportFailed;
  }
  AddMissingMachines(fleet, header, rows);
  std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    const std::string foldedA = Folded(a.computer), foldedB = Folded(b.computer);
    return foldedA != foldedB ? foldedA < foldedB : a.computer < b.computer;
  });
  std::string text = CsvRecord(header);
  for (const Row& row : rows) text += CsvRecord(row.fields);
  const WideString path = JoinPath(folder, ToWide(kFleetReportName));
  error = ReplaceFileWhole(path, text, kAnyoneMayRead);
  if (error != ERROR_SUCCESS) {
    PrintError(error, "write the report '" + Shown(path) + "'");
    return kReportFailed;
  }
  PrintCounts(rows, header, Shown(path));
  return kReportWritten;
}
