#include "shell/branding.h"

#include "platform/profile/private_profile.h"
#include "protocol/server_manager.h"

namespace pscfg {

Branding ReadBranding(const std::filesystem::path& config_file) {
  const auto read = [&](std::string_view key, std::string_view fallback) {
    return profile::GetPrivateProfileString(kConfigSection, key, fallback, kBrandingBufferSize,
                                            config_file);
  };
  return {read("Title", kDefaultTitle), read("Copyright", kDefaultCopyright),
          read("Version", kDefaultVersion)};
}

std::string ProgramCaption(const std::string& title) { return title + std::string(kCaptionSuffix); }

}  // namespace pscfg
