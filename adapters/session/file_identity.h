#pragma once

// Which file a name or an open descriptor leads to. Files are told apart by
// device and inode, which every path, link and descriptor leading to a file
// share: /dev/stdin and /proc/self/fd/0 lead to the pipe, terminal or file
// that standard input reads, though a pipe has no path of its own.

#include <cstdint>
#include <optional>
#include <string>

namespace flyback {

struct FileIdentity {
  std::uintmax_t device = 0;
  std::uintmax_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

// The file `name` leads to, through every link; none when there is no file.
std::optional<FileIdentity> IdentityOfName(const std::string& name);
// The file the open `descriptor` reads or writes; none when it is closed.
std::optional<FileIdentity> IdentityOfDescriptor(int descriptor);

// A file that holds the answers of a session: known by its name (the record,
// resume and session files, an answer file), or by the descriptor it was
// opened on (the standard input of script mode).
struct KeptFile {
  std::string name;                    // empty: known by its descriptor only
  std::optional<FileIdentity> opened;  // taken from the open descriptor
};

// The standard input a session reads its answers from, as it is now.
KeptFile StandardInput();

// Whether a file created under `name` would be `file`: both lead to one file,
// or, where neither file exists yet, both names lead to one place.
bool LeadsTo(const std::string& name, const KeptFile& file);

}  // namespace flyback
