#pragma once

#include <string>

namespace zonora {

// The two path fields as a conversion sees them: read at the start, cleared
// after a success.
class PathFields {
  public:
    virtual ~PathFields() = default;
    virtual std::string mapPath() const = 0;
    virtual std::string pdbPath() const = 0;
    virtual void clearMap() = 0;
    virtual void clearPdb() = 0;
};

// Fields held as plain text, for the window's state and for tests.
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
