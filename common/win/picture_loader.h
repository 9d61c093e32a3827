#pragma once
// Pictures read through the platform's imaging component (WIC): Windows bitmap and
// JPEG always; PNG and whatever else the component knows as well.
#include "wallset_logic/picture_image.h"

#include <cstddef>
#include <optional>
#include <string>

namespace mb::win {

// nullopt, with the platform's description in `error`, for a file that is missing
// or is no picture the component can read (corrupt, truncated, another kind of file).
std::optional<PictureImage> LoadPicture(const std::string& path, std::string* error = nullptr);
std::optional<PictureImage> LoadPictureFromMemory(const void* data, std::size_t size, std::string* error = nullptr);

}  // namespace mb::win
