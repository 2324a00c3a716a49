#include "project/picture_records.h"

#include "base/ascii.h"
#include "project/record_text.h"

namespace project {

void AppendPictureRecords(std::string_view block, base::Random& random,
                          std::vector<std::unique_ptr<TPictureInfo>>& pictures) {
  std::string_view text = base::UpToNul(block);
  for (auto end = text.find(kPictureEnd); end != std::string_view::npos; end = text.find(kPictureEnd)) {
    // A record joins the list only when it has been read whole.
    auto picture = std::make_unique<TPictureInfo>(random);
    picture->ParsePicture(text.substr(0, end));
    pictures.push_back(std::move(picture));
    text.remove_prefix(end + 1);
  }
}

}  // namespace project
