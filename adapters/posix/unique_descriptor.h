#pragma once

// An open file descriptor that is closed when it goes, however the scope
// that holds it ends.

#include <unistd.h>

namespace flyback {

class UniqueDescriptor {
 public:
  explicit UniqueDescriptor(int number) : number_(number) {}
  UniqueDescriptor(const UniqueDescriptor&) = delete;
  UniqueDescriptor& operator=(const UniqueDescriptor&) = delete;
  ~UniqueDescriptor() {
    if (number_ >= 0) ::close(number_);
  }
  // The descriptor, -1 where the open failed.
  int get() const { return number_; }

 private:
  int number_;
};

}  // namespace flyback
