#pragma once

#include <string>

#include "convert/path_fields.h"

namespace zonora {

// What the click handlers see of the window: the two path fields and the two
// direction buttons. The Qt window provides it over its widgets.
class FormControls : public PathFields {
  public:
    virtual void setMap(const std::string& path) = 0;
    virtual void setPdb(const std::string& path) = 0;
    virtual bool mapToPdbSelected() const = 0;  // Optm2p
    virtual bool pdbToMapSelected() const = 0;  // Optp2m
};

}  // namespace zonora
