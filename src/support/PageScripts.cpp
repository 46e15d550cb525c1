#include "support/PageScripts.h"

#include <cstdio>

namespace vsm {

namespace {

bool KeptAsIs(unsigned char byte) {
  if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9'))
    return true;
  for (char kept : std::string_view("!$'()*-.@_")) {
    if (byte == static_cast<unsigned char>(kept)) return true;
  }
  return false;
}

// A script string literal's content. File names cannot hold quotes or backslashes, but a line
// break, a control character or one of the two line separators would still end the literal.
std::string ScriptLiteral(std::string_view text) {
  std::string literal;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool lineSeparator =
        byte == 0xE2 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
        (static_cast<unsigned char>(text[i + 2]) == 0xA8 || static_cast<unsigned char>(text[i + 2]) == 0xA9);
    char escaped[8];
    if (byte < 0x20 || byte == '"' || byte == '\\') {
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      literal += escaped;
    } else if (lineSeparator) {
      std::snprintf(escaped, sizeof escaped, "\\u%04x",
                    static_cast<unsigned char>(text[i + 2]) == 0xA8 ? 0x2028 : 0x2029);
      literal += escaped;
      i += 2;
    } else {
      literal += static_cast<char>(byte);
    }
  }
  return literal;
}

std::string Call(std::string_view function, std::string_view first, std::string_view second) {
  return std::string(function) + "(\"" + ScriptLiteral(first) + "\", \"" + ScriptLiteral(second) + "\")";
}

}  // namespace

std::string FormEncode(std::string_view bytes) {
  std::string encoded;
  encoded.reserve(bytes.size());
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (KeptAsIs(byte)) {
      encoded += c;
    } else if (byte == ' ') {
      encoded += '+';
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02x", byte);
      encoded += escaped;
    }
  }
  return encoded;
}

std::string UploadBeginScript(std::string_view name, std::string_view extension) {
  return Call("uploadBegain", name, extension);
}

std::string UploadCallbackScript(std::string_view name, std::string_view answer) {
  return Call("uploadCallback", name, FormEncode(answer));
}

}  // namespace vsm
