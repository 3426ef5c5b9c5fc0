#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zonora {

// Where the handheld application's desktop software keeps the template
// database. The places are tried in order; the first file found is used.
class TemplateLocator {
  public:
    virtual ~TemplateLocator() = default;
    virtual std::vector<std::string> places() = 0;
    virtual std::optional<std::string> find() = 0;
};

}  // namespace zonora
