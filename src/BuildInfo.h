#pragma once

// Identifiers fixed when the program is built; the definitions are generated
// by the build (cmake/BuildInfo.cmake).
namespace ovra::build {
inline constexpr char kVersion[] = "2.6.0";
extern const char kRevision[];          // 40 lower-case hex digits
extern const unsigned long long kBuildNumber;
extern const char kBuildTime[];         // ISO 8601, seconds, "+00:00"
} // namespace ovra::build
