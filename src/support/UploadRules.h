#pragma once
// The limits and answers of one upload to the feedback site.
#include <cstdint>
#include <string>
#include <string_view>

namespace vsm {

// The largest file the site takes: 5 MB, that size itself included.
inline constexpr uint64_t kMaxUploadBytes = 5242880;
inline constexpr bool UploadSizeAllowed(uint64_t size) { return size <= kMaxUploadBytes; }

// What the page hears when the upload failed: no answer at all, a failed post or an unreadable file.
inline constexpr std::string_view kUploadFailureAnswer = "{\"err\":\"upload failure\"}";
inline std::string UploadAnswerOrFailure(std::string answer) {
  return answer.empty() ? std::string(kUploadFailureAnswer) : answer;
}

// The open dialog's choices: images for "add an image", archives for "add a file".
inline constexpr const char* kImagePatterns = "*.png;*.jpg;*.jpeg;*.gif";
inline constexpr const char* kArchivePatterns = "*.zip;*.rar;*.7z";

}  // namespace vsm
