#pragma once

#include <string>

namespace zonora {

// A window's two path fields: a conversion over them (convert/conversion.h)
// reads them at the start and clears them after a success.
class PathFields {
  public:
    virtual ~PathFields() = default;
    virtual std::string mapPath() const = 0;
    virtual std::string pdbPath() const = 0;
    virtual void clearMap() = 0;
    virtual void clearPdb() = 0;
};

// Fields held as plain text, for tests and tools that act as the window.
class TextPathFields : public PathFields {
  public:
    TextPathFields() = default;
    TextPathFields(std::string map, std::string pdb) : map(std::move(map)), pdb(std::move(pdb)) {}
    std::string mapPath() const override { return map; }
    std::string pdbPath() const override { return pdb; }
    void clearMap() override { map.clear(); }
    void clearPdb() override { pdb.clear(); }

    std::string map;
    std::string pdb;
};

}  // namespace zonora
