#include "support/MultipartBody.h"

#include <cstdint>
#include <cstdio>

#include "base/text.h"

namespace vsm {

namespace {

std::string Boundary(uint32_t seed) {
  char text[48];
  std::snprintf(text, sizeof text, "----------VeskFormBoundary%08x", seed);
  return text;
}

// A header's quoted value: the quote and line breaks would end it early, so they are escaped as
// browsers do.
std::string QuotedHeaderValue(std::string_view value) {
  std::string quoted;
  for (char c : value) {
    switch (c) {
      case '"': quoted += "%22"; break;
      case '\r': quoted += "%0D"; break;
      case '\n': quoted += "%0A"; break;
      default: quoted += c; break;
    }
  }
  return quoted;
}

}  // namespace

std::string_view FileContentType(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  const std::string extension =
      dot == std::string_view::npos ? std::string() : AsciiLower(fileName.substr(dot + 1));
  if (extension == "png") return "image/png";
  if (extension == "jpg" || extension == "jpeg") return "image/jpeg";
  if (extension == "gif") return "image/gif";
  if (extension == "zip") return "application/zip";
  if (extension == "rar") return "application/x-rar-compressed";
  if (extension == "7z") return "application/x-7z-compressed";
  return "application/octet-stream";
}

TMultipartBody MultipartFileBody(std::string_view field, std::string_view fileName, std::string_view bytes,
                                 uint32_t boundarySeed) {
  std::string boundary = Boundary(boundarySeed);
  // Each step changes the boundary; a file holds at most a few of them, so this ends quickly.
  while (bytes.find(boundary) != std::string_view::npos) {
    boundarySeed = boundarySeed * 2654435761u + 1;  // a full-period step: no seed comes twice
    boundary = Boundary(boundarySeed);
  }
  TMultipartBody multipart;
  multipart.contentType = "multipart/form-data; boundary=" + boundary;
  std::string& body = multipart.body;
  body.reserve(bytes.size() + 512);
  body += "--" + boundary + "\r\n";
  body += "Content-Disposition: form-data; name=\"" + QuotedHeaderValue(field) + "\"; filename=\"" +
          QuotedHeaderValue(fileName) + "\"\r\n";
  body += "Content-Type: " + std::string(FileContentType(fileName)) + "\r\n";
  body += "Content-Transfer-Encoding: binary\r\n\r\n";
  body += bytes;
  body += "\r\n--" + boundary + "--\r\n";
  return multipart;
}

}  // namespace vsm
