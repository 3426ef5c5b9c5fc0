#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/posix/wine_prefix.h"
#include "platform/template_locator.h"

namespace zonora {

// Folders that a Unix-like system looks in, given rather than read from the
// environment so that tests can point them anywhere.
struct UnixDataFolders {
    std::string dataHome;               // such as ~/.local/share
    std::vector<std::string> dataDirs;  // such as /usr/local/share, /usr/share
    std::string winePrefix;             // such as ~/.wine
};

UnixDataFolders unixDataFoldersFromEnvironment();

class UnixTemplateLocator : public TemplateLocator {
  public:
    explicit UnixTemplateLocator(UnixDataFolders folders) : folders_(std::move(folders)) {}
    std::vector<std::string> places() override;
    std::optional<std::string> find() override;

  private:
    UnixDataFolders folders_;
};

}  // namespace zonora
