// Feeds arbitrary bytes to the picture record block parser: it must either
// build records or raise a ConversionError, and never touch memory outside the
// block. The helpers that take record values (type codes, random lists) get
// the parsed values too.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/random.h"
#include "project/picture_helpers.h"
#include "project/picture_records.h"
#include "project/picture_type.h"
#include "project/project_errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  base::SeededRandom random(size + 1);
  std::vector<std::unique_ptr<project::TPictureInfo>> pictures;
  try {
    project::AppendPictureRecords(std::string_view(reinterpret_cast<const char*>(data), size), random, pictures);
  } catch (const project::ConversionError&) {
  }
  for (const auto& picture : pictures) {
    (void)project::PictureTypeCode(picture->FileName);
    (void)picture->AllowsBackgroundPicture(picture->Number);
    for (const std::string* list : {&picture->BackgroundKinds, &picture->GradientStyles, &picture->BackgroundSources}) {
      try {
        (void)project::PickFromList(*list, random);
      } catch (const project::ConversionError&) {
      }
    }
  }
  return 0;
}
