#pragma once
// The calls the support centre makes into the feedback page when an upload begins and ends. The
// page's functions take the file's name and, at the end, the server's answer form-encoded.
#include <string>
#include <string_view>

namespace vsm {

// Letters, digits and ! $ ' ( ) * - . @ _ stay; a blank becomes "+"; every other byte becomes
// "%" and two lower-case hexadecimal digits ({"ok":1} gives %7b%22ok%22%3a1%7d).
std::string FormEncode(std::string_view bytes);

// uploadBegain("name", "extension"), with UTF-8 name and extension.
std::string UploadBeginScript(std::string_view name, std::string_view extension);
// uploadCallback("name", "answer"), the answer form-encoded.
std::string UploadCallbackScript(std::string_view name, std::string_view answer);

}  // namespace vsm
