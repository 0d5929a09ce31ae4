#include "base/console/report_file.h"

#include <cerrno>
#include <cstring>

namespace flyback {

std::string ToLatin1(std::string_view utf8) {
  // Most lines are plain ASCII, which is the same in both.
  bool ascii = true;
  for (char c : utf8) ascii = ascii && static_cast<unsigned char>(c) < 0x80U;
  if (ascii) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = 1;
    unsigned code_point = lead;
    if (lead >= 0xC0U && lead < 0xE0U) {
      length = 2;
      code_point = lead & 0x1FU;
    } else if (lead >= 0xE0U && lead < 0xF0U) {
      length = 3;
      code_point = lead & 0x0FU;
    } else if (lead >= 0xF0U && lead < 0xF8U) {
      length = 4;
      code_point = lead & 0x07U;
    } else if (lead >= 0x80U) {
      out += '?';  // a stray continuation byte or an invalid lead byte
      ++i;
      continue;
    }
    bool valid = i + length <= utf8.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      valid = (next & 0xC0U) == 0x80U;
      code_point = (code_point << 6U) | (next & 0x3FU);
    }
    if (!valid) {
      out += '?';
      ++i;
      continue;
    }
    out += code_point <= 0xFFU ? static_cast<char>(code_point) : '?';
    i += length;
  }
  return out;
}

ReportFile::~ReportFile() {
  Close();
}

std::optional<std::string> ReportFile::Open(const std::string& name) {
  Close();
  errno = 0;
  std::FILE* file = name.empty() ? nullptr : std::fopen(name.c_str(), "wb");
  if (file == nullptr) return std::strerror(errno == 0 ? ENOENT : errno);
  Open(file);
  return std::nullopt;
}

void ReportFile::Open(std::FILE* file) {
  Close();
  // A report is a few kilobytes: it leaves in one write when it is closed.
  std::setvbuf(file, nullptr, _IOFBF, kBufferSize);
  file_ = file;
}

std::optional<std::string> ReportFile::WriteLine(const Line& line) {
  if (file_ == nullptr) return std::nullopt;
  const std::string bytes = ToLatin1(LayoutFixedPitch(line)) + "\r\n";
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) return Abandon();
  return std::nullopt;
}

std::optional<std::string> ReportFile::Flush() {
  if (file_ == nullptr) return std::nullopt;
  errno = 0;
  if (std::fflush(file_) != 0) return Abandon();
  return std::nullopt;
}

std::optional<std::string> ReportFile::Close() {
  if (file_ == nullptr) return std::nullopt;
  errno = 0;
  const int result = std::fclose(file_);
  file_ = nullptr;
  if (result != 0) return std::strerror(errno == 0 ? EIO : errno);
  return std::nullopt;
}

std::string ReportFile::Abandon() {
  std::string reason = std::strerror(errno == 0 ? EIO : errno);
  std::fclose(file_);
  file_ = nullptr;
  return reason;
}

}  // namespace flyback
