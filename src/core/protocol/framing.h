#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// How the client and the search server meet on the wire: the pipe they share, the length
// prefix in front of every request and answer, and how an error answer is recognised.
namespace kestrine {

// The search server's pipe on the computer this program runs on.
inline constexpr char16_t kLocalPipePath[] = u"\\\\.\\pipe\\vellmora_kestrine_server";

// The search server's pipe on the computer serverName ("." for this one).
std::u16string PipePathFor(std::u16string_view serverName);

// Every request and answer is preceded by its length: 4 bytes, unsigned little-endian.
inline constexpr std::size_t kLengthPrefixSize = 4;
using LengthPrefix = std::array<std::uint8_t, kLengthPrefixSize>;

LengthPrefix EncodeLength(std::uint32_t length);
std::uint32_t DecodeLength(std::span<const std::uint8_t, kLengthPrefixSize> prefix);

// True when an answer is the server's error text: at least six UTF-16LE code units, the
// first six being "ERROR:". Tested on the raw answer, before any inflating.
bool IsErrorAnswer(std::span<const std::uint8_t> answer);

}  // namespace kestrine
