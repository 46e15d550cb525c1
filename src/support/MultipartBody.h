#pragma once
// A multipart/form-data body carrying one file, as the feedback site's upload page takes it.
#include <cstdint>
#include <string>
#include <string_view>

namespace vsm {

struct TMultipartBody {
  std::string contentType;  // "multipart/form-data; boundary=..."
  std::string body;
};

// The file's bytes as the form field `field`, with its name (UTF-8, no folder) and a content type
// by its extension. `boundarySeed` picks the boundary; one that occurs in the bytes is never used.
TMultipartBody MultipartFileBody(std::string_view field, std::string_view fileName, std::string_view bytes,
                                 uint32_t boundarySeed);

// The content type the site is told for a file of this name.
std::string_view FileContentType(std::string_view fileName);

}  // namespace vsm
