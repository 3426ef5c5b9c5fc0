#pragma once

#include <string>

#include "convert/path_fields.h"

namespace zonora {

enum class Direction { MapToPdb, PdbToMap };

// What the click handlers see of the window: the two path fields and the two
// direction buttons. Each window provides it over its controls through the
// four calls at the end; the rest is said here once.
class FormControls : public PathFields {
  public:
    enum class Field { Map, Pdb };  // tbm, tbp

    std::string mapPath() const final { return text(Field::Map); }
    std::string pdbPath() const final { return text(Field::Pdb); }
    void clearMap() final { setText(Field::Map, ""); }
    void clearPdb() final { setText(Field::Pdb, ""); }
    void setMap(const std::string& path) { setText(Field::Map, path); }
    void setPdb(const std::string& path) { setText(Field::Pdb, path); }
    bool mapToPdbSelected() const { return isSelected(Direction::MapToPdb); }  // Optm2p
    bool pdbToMapSelected() const { return isSelected(Direction::PdbToMap); }  // Optp2m

    virtual std::string text(Field field) const = 0;
    virtual void setText(Field field, const std::string& text) = 0;
    virtual bool isSelected(Direction direction) const = 0;
    // Selects a direction button as a click on it does.
    virtual void select(Direction direction) = 0;
};

}  // namespace zonora
