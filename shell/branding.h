#pragma once
// The branding that Config.ini gives one build of the configuration program.

#include <filesystem>
#include <string>

namespace pscfg {

inline constexpr std::size_t kBrandingBufferSize = 80;  // 79 characters and the terminator
inline constexpr std::string_view kDefaultTitle = "Print Server";
inline constexpr std::string_view kDefaultCopyright = "Copyright (C) 2026";
inline constexpr std::string_view kDefaultVersion = "Version 4.0";
inline constexpr std::string_view kCaptionSuffix = " 設定程式  3.0";

struct Branding {
  std::string title;
  std::string copyright;
  std::string version;
};

// Reads "Title", "Copyright" and "Version" of section "General Information";
// a missing file or key gives the default.
Branding ReadBranding(const std::filesystem::path& config_file);

// The title followed by " 設定程式  3.0": the sheet's caption.
std::string ProgramCaption(const std::string& title);

}  // namespace pscfg
