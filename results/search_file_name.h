#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// A saved search is named after its words. Words may hold anything, so the bytes
// no file name may hold on Windows or Linux ("\" "/" ":" "*" "?" '"' "<" ">" "|"
// and control bytes), and "%" itself, are written as "%XX" (upper-case hex). The
// words "." and ".." have their dots written so too, so they never name a folder.
// Every other word gives exactly its own text: "a.b" is the file a.b.svq.
std::string EncodeSearchFileTitle(std::string_view words);

// The words back from a file title. A "%" not followed by two hex digits stays
// as it is, so a file placed in the folder by hand still shows its own name.
std::string DecodeSearchFileTitle(std::string_view title);

}  // namespace sorvane
