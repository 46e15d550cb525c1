#include "hardware/disk/DiskStrings.h"

namespace vsm {

std::string TrimBlanks(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return std::string(text.substr(begin, end - begin));
}

std::string StringAt(ByteView answer, size_t offset) {
  std::string text;
  for (size_t i = offset; i < answer.size() && answer.U8(i) != 0; ++i)
    text += static_cast<char>(answer.U8(i));
  return text;
}

}  // namespace vsm
