// The picture record block: one picture record per show item, each ended by
// the byte 0x7F.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "base/random.h"
#include "project/picture_info.h"

namespace project {

// Appends one TPictureInfo per record of `block` to `pictures`. The block is
// read up to its first NUL byte; text after the last 0x7F is not a record.
// A ConversionError leaves the pictures appended before it in the list; the
// record that held the bad value is not appended.
void AppendPictureRecords(std::string_view block, base::Random& random,
                          std::vector<std::unique_ptr<TPictureInfo>>& pictures);

}  // namespace project
