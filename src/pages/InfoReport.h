#pragma once
// The hardware page's saved report: the page's caption line, then every row as its caption, a
// comma and its value text, children indented by 4 blanks and twice as many at each deeper level
// (8, 16, ...). A field holding a comma, a double quote or a line break is quoted (RFC 4180), so a
// board maker such as "ASUSTeK COMPUTER INC." or a media text such as 5.25", 1.2MB stays one field;
// an indent stays inside its field. Lines end with CR LF.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/InfoTree.h"

namespace vsm {

// One field as it is written: quoted, with its quotes doubled, when it needs to be.
std::string CsvField(const std::string& text);

std::string InfoReportText(const std::string& caption, const TInfoTree& tree);
// The file's bytes: a UTF-8 byte-order mark (so spreadsheet programs read non-ASCII text right),
// then the text.
std::vector<uint8_t> InfoReportBytes(const std::string& caption, const TInfoTree& tree);

}  // namespace vsm
