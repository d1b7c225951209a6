#pragma once
// The JSON form of a profile, as `dump` prints it and `pack` reads it: one object of sections in
// file order, each an object of entries in file order. An entry's value is
//   "text"            type 'S'
//   123               type 'H' (an integer in -2147483648..4294967295, stored as its low 32 bits)
//   {"B": 123}        type 'B' (same range; dumped unsigned)
//   {"G": "00ff"}     type 'G' (bytes in hex; lowercase on output, either case on input)
//   {"?": 88}         any other type code (a signed 32-bit integer), no value

#include <string>

#include "Json.h"
#include "profile/ProfileDocument.h"

// Throws json::Error at the offending value when the JSON does not have this form.
inf::ProfileDocument DocumentFromJson(const json::Value& root);

// UTF-8, two-space indentation, one entry per line, trailing newline. Non-ASCII characters appear
// as themselves; only what JSON requires is escaped, and a lone surrogate as \uXXXX.
std::string DocumentToJson(const inf::ProfileDocument& document);
