#pragma once
// Builds the show's slide list from a folder of pictures or from a template.
#include "base/Result.h"
#include "core/show/SlideList.h"
#include "core/startup/Settings.h"
#include "platform/FileSystem.h"

#include <string>
#include <string_view>

namespace gf {

// Largest template the player reads.
inline constexpr std::uint64_t kMaxTemplateBytes = 16u * 1024 * 1024;

// Fills the list from the folder (AllImages set) or the template ImagePath + ImageListFile;
// adds the trailing separator to settings.ImagePath. On failure the list has no images, slide
// 0's comment carries the banner and the reason, and the reason is returned.
Status LoadSlideList(FileSystem& files, Settings& settings, SlideList& list);

// Reads template text into the list, names without a folder looked up in `folder`.
void ReadTemplateText(std::string_view text, const std::string& folder, SlideList& list);

// LoadSlideList, for callers that show the failure through slide 0's comment only.
void LoadFiles(FileSystem& files, Settings& settings, SlideList& list);

// "Glimmerframe", the maker, the web address and the description, CR LF between them.
std::string LoadErrorComment(std::string_view description);

// Picture names of one folder: kFolderPicturePatterns in their order, extensions matched in any
// case, names sorted within a pattern. Unreadable: empty.
std::vector<std::string> ListFolderPictures(FileSystem& files, std::string_view folder);

} // namespace gf
