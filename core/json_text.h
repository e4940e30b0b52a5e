#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sorvane {

// Length of the valid UTF-8 sequence that starts at text[i] (1 for ASCII), or 0
// when the byte there starts no valid sequence.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i);

// Our texts are bytes in no declared encoding (an old saved search may hold
// Latin-1): valid UTF-8 passes as it is, any other byte above 127 is taken as
// Latin-1 and written as the UTF-8 of that letter, so the result is valid UTF-8.
std::string AsValidUtf8(std::string_view text);

// A string as a JSON literal, with the same reading of bytes as AsValidUtf8.
std::string JsonQuote(std::string_view text);

}  // namespace sorvane
