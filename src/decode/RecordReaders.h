#pragma once

#include <string>
#include <string_view>

#include "decode/ByteStream.h"

namespace ostrelin::decode {

// Searches `pattern` from the stream's position on. True when found: the stream then stands
// directly after the first occurrence. False when not: the stream then stands at the end (or stays
// where it was, if that already lay beyond the end). An empty pattern is found at once.
bool FindBytePattern(ByteStream& stream, std::string_view pattern);

// Reads a record's 1-byte length and then its data; returns the data, shorter than announced when
// the stream ends first, and empty when not even the length byte is left.
std::string ReadShortRecord(ByteStream& stream);

// Reads a record's 2-byte little-endian length and then its data; returns the data, shorter than
// announced when the stream ends first, and empty when fewer than 2 length bytes are left (a single
// remaining byte is consumed).
std::string ReadLongRecord(ByteStream& stream);

}  // namespace ostrelin::decode
