#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane::res {

// The files of res/images, compiled into the program. An unknown name gives an
// empty span, so a picture that has not been supplied shows as nothing.
std::span<const unsigned char> EmbeddedFile(std::string_view name);

// Every embedded name, sorted.
std::vector<std::string_view> EmbeddedFileNames();

// "bitmap_<id>.bmp", the name under which bitmap resource `id` is embedded.
std::string BitmapFileName(int id);

}  // namespace sorvane::res
