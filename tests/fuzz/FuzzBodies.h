#pragma once
// What each fuzz target does with one input. The fuzzers call these from LLVMFuzzerTestOneInput,
// and the replay test runs them on every input kept in corpus/<target>/. A body aborts when an
// input breaks a property the code promises, so the fuzzer keeps that input like a crash.

#include <cstddef>
#include <cstdint>

// The OpenOffice.org profile merges: one of the eight merges on a file and a template cut from
// the input.
void FuzzOooMerge(const std::uint8_t* data, std::size_t size);

// The .inf profile reader: the whole file path, and the item stream parser on the bytes as an
// unscrambled body.
void FuzzInfReader(const std::uint8_t* data, std::size_t size);
