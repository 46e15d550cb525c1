#include "pages/InfoReport.h"

namespace vsm {
namespace {

constexpr const char* kLineBreak = "\r\n";

void WriteRows(std::string& out, const TInfoRows& rows, const std::string& indent) {
  for (const auto& row : rows) {
    out += CsvField(indent + row->Caption) + "," + CsvField(row->Text) + kLineBreak;
    // Children of top-level rows are indented by 4 blanks, each deeper level by twice as many.
    const std::string childIndent = indent.empty() ? std::string(4, ' ') : indent + indent;
    WriteRows(out, row->Children(), childIndent);
  }
}

}  // namespace

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string InfoReportText(const std::string& caption, const TInfoTree& tree) {
  std::string out = CsvField(caption) + kLineBreak;
  WriteRows(out, tree.Rows(), "");
  return out;
}

std::vector<uint8_t> InfoReportBytes(const std::string& caption, const TInfoTree& tree) {
  const std::string text = "\xEF\xBB\xBF" + InfoReportText(caption, tree);
  return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace vsm
