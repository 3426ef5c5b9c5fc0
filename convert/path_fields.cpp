#include "convert/path_fields.h"

#include "convert/conversion.h"

namespace zonora {

ConversionOutcome PdbToMap(PathFields& fields, ConversionServices& services) {
    const ConversionOutcome outcome = PdbToMap({fields.mapPath(), fields.pdbPath()}, services);
    if (outcome.converted()) {
        fields.clearMap();
        fields.clearPdb();
    }
    return outcome;
}

ConversionOutcome MapToPdb(PathFields& fields, ConversionServices& services) {
    const ConversionOutcome outcome = MapToPdb({fields.mapPath(), fields.pdbPath()}, services);
    if (outcome.converted()) {
        fields.clearPdb();
        fields.clearMap();
    }
    return outcome;
}

}  // namespace zonora
