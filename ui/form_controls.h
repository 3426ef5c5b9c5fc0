#pragma once

#include <string>

#include "convert/path_fields.h"

namespace zonora {

enum class Direction { MapToPdb, PdbToMap };

// What the click handlers see of the window: the two path fields and the two
// direction buttons. Each window provides it over its controls.
class FormControls : public PathFields {
  public:
    virtual void setMap(const std::string& path) = 0;
    virtual void setPdb(const std::string& path) = 0;
    virtual bool mapToPdbSelected() const = 0;  // Optm2p
    virtual bool pdbToMapSelected() const = 0;  // Optp2m
    // Selects a direction button as a click on it does.
    virtual void select(Direction direction) = 0;
};

}  // namespace zonora
