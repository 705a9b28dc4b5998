#pragma once
// Builds the show's slide list from a folder of pictures or from a template.
#include "base/Result.h"
#include "core/settings/Settings.h"
#include "core/template/SlideList.h"
#include "platform/FileSystem.h"

#include <atomic>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace gf {

// Largest template the player reads.
inline constexpr std::uint64_t kMaxTemplateBytes = 16u * 1024 * 1024;

// Fills the list from the folder (AllImages set; the pictures that match `picturePatterns`,
// see PicturePatterns) or the template ImagePath + ImageListFile; adds the trailing separator
// to settings.ImagePath. On failure, a folder or template without pictures included, the list
// has no images nor sounds, slide 0's comment carries the banner and the reason, and the reason
// is returned.
Status LoadSlideList(FileSystem& files, Settings& settings, SlideList& list,
                     std::span<const std::string> picturePatterns);

// Reads template text into the list, names without a folder looked up in `folder`.
void ReadTemplateText(std::string_view text, const std::string& folder, SlideList& list);

// LoadSlideList, for callers that show the failure through slide 0's comment only.
void LoadFiles(FileSystem& files, Settings& settings, SlideList& list,
               std::span<const std::string> picturePatterns);

// Makes the list that of a show that cannot play: no pictures, slide 0's comment the banner and
// the reason, which is returned.
Status FailSlideList(SlideList& list, const Status& status);

// Why a folder shows nothing: which files would have been shown.
std::string NoPicturesInFolder(std::string_view folder, std::span<const std::string> patterns);

// Why a template that was read shows nothing: none of its lines names a picture.
std::string NoPicturesInTemplate(std::string_view templatePath);

// "Glimmerframe", the maker, where to find help and the description, CR LF between them.
std::string LoadErrorComment(std::string_view description);

// Picture names of one folder: the patterns in their order, extensions matched in any case,
// names sorted within a pattern. An unreadable folder is an error naming it.
Result<std::vector<std::string>> ListFolderPictures(FileSystem& files, std::string_view folder,
                                                    std::span<const std::string> patterns);

// A folder and the folders below it, for a photo library: the bounds of the listing.
inline constexpr std::size_t kMaxTreePictures = 100'000;
inline constexpr int kMaxTreeLevels = 64;

// The pictures of a folder tree, as paths below `folder`: a folder's own pictures as
// ListFolderPictures lists them, then its subfolders by name, each in turn. Hidden folders and
// links to folders are passed over, so the listing never leaves the tree nor goes round in a
// loop; a folder that cannot be read is passed over too. At most `maxPictures`
// pictures and `maxLevels` levels below `folder`: past them the listing ends with what it found
// and the trace says so. An unreadable `folder` itself is an error.
Result<std::vector<std::string>> ListPictureTree(FileSystem& files, std::string_view folder,
                                                 std::span<const std::string> patterns,
                                                 std::size_t maxPictures = kMaxTreePictures,
                                                 int maxLevels = kMaxTreeLevels);

// Takes one folder's pictures as a walk finds them (paths below the tree's top, in order).
using PicturesFound = std::function<void(std::vector<std::string>)>;

// ListPictureTree handing each folder's pictures to `found` as soon as they are listed, for a
// show that starts before the tree is read; it ends early once `stop` is set.
Status WalkPictureTree(FileSystem& files, std::string_view folder,
                       std::span<const std::string> patterns, const PicturesFound& found,
                       const std::atomic<bool>& stop, std::size_t maxPictures = kMaxTreePictures,
                       int maxLevels = kMaxTreeLevels);

} // namespace gf
