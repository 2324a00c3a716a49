// Writes a show onto a copy of the screensaver program: the raw items, the
// picture record block, the header block, the index block and the 10-byte
// trailer, as the program reads them back.
#pragma once

#include <functional>
#include <string>

#include "manifest.h"

namespace showpack {

struct WriteOptions {
  std::string playerPath;
  std::string outputPath;
  // Called now and then while large items are written.
  std::function<void(const std::string&)> progress;
};

// Checks every value first: nothing is written when a value cannot be stored
// (a byte 0x80 or NUL anywhere, 0x7F in a picture record, a text over its
// limit, a missing file, a show over 2 GiB). The output appears whole or not at all.
void WriteScreensaver(const Manifest& manifest, const WriteOptions& options);

}  // namespace showpack
