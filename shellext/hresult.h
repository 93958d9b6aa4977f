// The COM result codes the extension answers with, portable so that the
// logic can name them without the Windows headers.
#pragma once
#include <cstdint>

namespace shellext {

using HResult = std::int32_t;
inline constexpr HResult kSOk = 0;
inline constexpr HResult kSFalse = 1;
inline constexpr HResult kEFail = static_cast<HResult>(0x80004005u);
inline constexpr HResult kEInvalidArg = static_cast<HResult>(0x80070057u);
inline constexpr HResult kENoInterface = static_cast<HResult>(0x80004002u);
inline constexpr HResult kEOutOfMemory = static_cast<HResult>(0x8007000Eu);
inline constexpr HResult kClassNotAvailable = static_cast<HResult>(0x80040111u);
inline constexpr HResult kNoAggregation = static_cast<HResult>(0x80040110u);

inline constexpr bool Failed(HResult hr) { return hr < 0; }

}  // namespace shellext
