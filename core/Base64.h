#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

/** Standard base64 (alphabet A-Z a-z 0-9 + /, "=" padding), as used by preset blobs. */

/** Encodes `size` bytes; the text is padded with "=" to a multiple of four characters. */
std::string Base64Encode(const uint8_t* data, size_t size);

/** Decodes at most `textLength` characters of `text` into `out`, which is first zeroed.
 *  Decoding stops at the first character outside the alphabet (padding included), at the end
 *  of the text, or when `outSize` bytes have been produced. Returns the bytes produced. */
size_t Base64Decode(const char* text, size_t textLength, uint8_t* out, size_t outSize);

/** As above for a zero-terminated text; a null text produces nothing. */
size_t Base64Decode(const char* text, uint8_t* out, size_t outSize);
